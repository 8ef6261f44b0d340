// What a run checks and keeps beyond the four databases: the satellite databases the settings
// chain changes are backed up and put back with them, and a run that could not write a file or
// would fill a disk does not start.

#include "updater/settingsdb/SettingsDatabaseUpdates.h"
#include "UpdateRunFixture.h"

#include <QDir>
#include <QProcess>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace updater::testing {
namespace {

const QString auctionsFile = u"Auctions.dat"_s;
const QString labelsFile = u"printlabels.dat"_s;

// Makes a file or folder impossible to write for this process until it goes out of scope: the
// immutable attribute for the super-user (whom permissions do not stop), else no write bits.
class WriteProtection
{
public:
    explicit WriteProtection(QString path) : m_path(std::move(path))
    {
        if (::geteuid() == 0) {
            m_immutable = true;
            m_applied = QProcess::execute(u"chattr"_s, {"+i", m_path}) == 0;
        } else {
            m_permissions = QFile::permissions(m_path);
            m_applied = QFile::setPermissions(m_path, m_permissions &
                                                          ~(QFile::WriteOwner | QFile::WriteGroup |
                                                            QFile::WriteOther | QFile::WriteUser));
        }
    }
    ~WriteProtection()
    {
        if (!m_applied)
            return;
        if (m_immutable)
            QProcess::execute(u"chattr"_s, {"-i", m_path});
        else
            QFile::setPermissions(m_path, m_permissions);
    }
    WriteProtection(const WriteProtection&) = delete;
    WriteProtection& operator=(const WriteProtection&) = delete;
    bool applied() const { return m_applied; }

private:
    QString m_path;
    bool m_immutable = false;
    bool m_applied = false;
    QFile::Permissions m_permissions;
};

class SafeRun : public UpdateRunFixture
{
protected:
    QString satellite(const QString& name) { return installation().satellitePath(name); }
    QString satelliteBackup(const QString& name)
    {
        return installation().toolsFolder() + "Backup/" + name;
    }
    void expectNothingStarted()
    {
        EXPECT_TRUE(m_calls.isEmpty());
        EXPECT_TRUE(unchanged());
        EXPECT_FALSE(anyBackupExists());
        EXPECT_FALSE(QFile::exists(installation().markerPath()));
        EXPECT_TRUE(m_user.processes().empty());
    }
};

TEST_F(SafeRun, FailureAfterTheAuctionMovePutsTheRowsBackAndTheNextRunMovesThemOnce)
{
    install(Versions{11, 17, 1, 3});
    installation().addSatellites(25);
    m_before = installation().digests();
    const QByteArray auctionsBefore = TestInstallation::fileDigest(satellite(auctionsFile));
    const QByteArray labelsBefore = TestInstallation::fileDigest(satellite(labelsFile));
    m_chains.add(DatabaseKind::Settings, 17, SettingsDatabaseUpdate18);
    m_chains.add(DatabaseKind::Weblinks, 3,
                 failingUpdate(u"weblinks"_s, u"Item cannot be found in the collection."_s,
                               u"WebLinks Database Update 4"_s));
    expectMessage(texts::WillConvert);
    m_user.expectMessage(PromptMatcher::containing("Item cannot be found in the collection."),
                         shell::vbOK);

    EXPECT_EQ(run(), RunOutcome::Failed);

    EXPECT_TRUE(unchanged());
    EXPECT_EQ(TestInstallation::fileDigest(satellite(auctionsFile)), auctionsBefore);
    EXPECT_EQ(TestInstallation::fileDigest(satellite(labelsFile)), labelsBefore);
    EXPECT_EQ(installation().auctionRows(satellite(auctionsFile)), 0);
    EXPECT_TRUE(QFile::exists(satelliteBackup("auctions.bak")));
    EXPECT_TRUE(QFile::exists(satelliteBackup("printlabels.bak")));

    m_chains = UpdateChains();
    m_chains.add(DatabaseKind::Settings, 17, SettingsDatabaseUpdate18);
    m_chains.add(DatabaseKind::Weblinks, 3, update(DatabaseKind::Weblinks, 4, u"weblinks"_s));
    expectMessage(texts::WillConvert);
    EXPECT_EQ(run(), RunOutcome::Updated);

    EXPECT_EQ(installation().auctionRows(satellite(auctionsFile)), 25);
    EXPECT_EQ(installation().auctionRows(installation().databasePath(DatabaseKind::Settings)), 0);
    EXPECT_FALSE(QFile::exists(satelliteBackup("auctions.bak")));
    EXPECT_FALSE(QFile::exists(satelliteBackup("printlabels.bak")));
}

TEST_F(SafeRun, ReadOnlyDatabaseCannotBeWrittenAndNothingStarts)
{
    install(Versions{10, 18, 1, 4});
    m_chains.add(DatabaseKind::Main, 10, update(DatabaseKind::Main, 11, u"main"_s));
    const QString main = installation().databasePath(DatabaseKind::Main);
    {
        const WriteProtection readOnly(main);
        if (!readOnly.applied())
            GTEST_SKIP() << "cannot write-protect " << main.toStdString();
        expectMessage(texts::WillConvert);
        m_user.expectMessage(
            PromptMatcher::matching("^Severe Database Error! Cannot proceed\\.(?s).*The main wine "
                                    "database " +
                                    QRegularExpression::escape(main) + " cannot be written"),
            shell::vbOK);

        EXPECT_EQ(run(), RunOutcome::Failed);
        expectNothingStarted();
    }
    // Nothing stays behind that would stop the next run.
    expectMessage(texts::WillConvert);
    EXPECT_EQ(run(), RunOutcome::Updated);
    EXPECT_EQ(installation().version(DatabaseKind::Main), 11);
}

TEST_F(SafeRun, InstallationFolderThatCannotBeWrittenStopsBeforeAnyChange)
{
    install(Versions{10, 18, 1, 4});
    m_chains.add(DatabaseKind::Main, 10, update(DatabaseKind::Main, 11, u"main"_s));
    QDir().mkpath(installation().toolsFolder() + "Backup");
    const WriteProtection folder(installation().folder());
    if (!folder.applied())
        GTEST_SKIP() << "cannot write-protect the installation folder";
    expectMessage(texts::WillConvert);
    m_user.expectMessage(
        PromptMatcher::containing("The folder " + installation().folder() + " of the "),
        shell::vbOK);

    EXPECT_EQ(run(), RunOutcome::Failed);
    expectNothingStarted();
    EXPECT_TRUE(m_user.messages().back().prompt.contains("cannot be written"));
}

TEST_F(SafeRun, DiskWithoutRoomForBackupsAndGrowthStopsBeforeAnyChange)
{
    install(Versions{10, 18, 1, 4}, 2000);
    m_chains.add(DatabaseKind::Main, 10, update(DatabaseKind::Main, 11, u"main"_s));
    qint64 databaseBytes = 0;
    for (const DatabaseKind kind : DatabaseHelpers::allDatabaseKinds)
        databaseBytes += QFileInfo(installation().databasePath(kind)).size();
    // Enough for the backups alone, not for the growth and the margin on top.
    m_freeSpace = [&](const QString&) { return databaseBytes + 4096; };
    expectMessage(texts::WillConvert);
    m_user.expectMessage(PromptMatcher::containing("There is not enough free space on the disk"),
                         shell::vbOK);

    EXPECT_EQ(run(), RunOutcome::Failed);
    expectNothingStarted();

    m_freeSpace = [](const QString&) { return qint64(1) << 40; };
    expectMessage(texts::WillConvert);
    EXPECT_EQ(run(), RunOutcome::Updated);
}

} // namespace
} // namespace updater::testing
