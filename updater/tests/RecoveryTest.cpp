// Runs that meet trouble from outside: a run stopped half-way before, another updater at work,
// a database another program keeps locked, a backup that cannot be put back.

#include "common/DatabaseConnection.h"
#include "common/DatabaseCopy.h"
#include "updater/InstanceLock.h"
#include "updater/RunMarker.h"
#include "UpdateRunFixture.h"

#include <QDir>
#include <sqlite3.h>

namespace updater::testing {
namespace {

class Recovery : public UpdateRunFixture
{
protected:
    // What an updater killed in the middle of an update leaves behind: verified backups, the
    // marker, and a main wine database half way through its update.
    void leaveInterruptedRun()
    {
        QDir().mkpath(installation().toolsFolder() + "Backup");
        RunMarker::Targets targets;
        for (const DatabaseKind kind : DatabaseHelpers::allDatabaseKinds) {
            dbfile::copyDatabase(installation().databasePath(kind),
                                 installation().backupPath(kind));
            targets[kind] = installation().databasePath(kind);
        }
        RunMarker(installation().toolsFolder() + "Backup").write(targets);
        jet::Connection main;
        DatabaseHelpers::OpenDatabase(main, installation().databasePath(DatabaseKind::Main), true);
        main.execute(QStringLiteral("DELETE FROM tblCellar WHERE ID > 5"));
        main.execute(QStringLiteral("UPDATE tblDBVer SET Version = 11"));
    }
};

TEST_F(Recovery, InterruptedRunIsRestoredBeforeItsBackupsAreReplaced)
{
    install(Versions{10, 18, 1, 4});
    m_chains.add(DatabaseKind::Main, 10, update(DatabaseKind::Main, 11, QStringLiteral("main")));
    leaveInterruptedRun();
    expectMessage(texts::interruptedRunRestored());
    expectMessage(texts::WillConvert);

    EXPECT_EQ(run(), RunOutcome::Updated);

    // One whole update of the original content, as if the first run had never happened.
    EXPECT_EQ(m_calls, QStringList{"main"});
    EXPECT_EQ(installation().version(DatabaseKind::Main), 11);
    EXPECT_EQ(installation().count(DatabaseKind::Main), 21);
    EXPECT_EQ(installation().count(DatabaseKind::Main, "ID = 999"), 1);
    EXPECT_FALSE(QFile::exists(installation().markerPath()));
    EXPECT_FALSE(anyBackupExists());
}

TEST_F(Recovery, BackupThatCannotBePutBackKeepsEverythingForTheNextAttempt)
{
    install(Versions{10, 18, 1, 4});
    m_chains.add(DatabaseKind::Main, 10, update(DatabaseKind::Main, 11, QStringLiteral("main")));
    leaveInterruptedRun();
    const QByteArray mainBackup =
        TestInstallation::fileDigest(installation().backupPath(DatabaseKind::Main));
    ASSERT_TRUE(QFile::remove(installation().backupPath(DatabaseKind::Weblinks)));
    m_user.expectMessage(
        PromptMatcher::matching("(?s)^Severe Error! An error occured while trying to "
                                "update your databases and the restore "
                                "operation failed!\r\n\r\nPlease contact support "
                                "at support@quillmere.com\r\nInclude these "
                                "details:\r\n.*weblinks.bak"),
        shell::vbOK);

    EXPECT_EQ(run(), RunOutcome::RestoreFailed);

    EXPECT_TRUE(m_calls.isEmpty());
    EXPECT_TRUE(QFile::exists(installation().markerPath()));
    EXPECT_EQ(TestInstallation::fileDigest(installation().backupPath(DatabaseKind::Main)),
              mainBackup);
    // The backups that could be put back were.
    EXPECT_EQ(installation().digest(DatabaseKind::Main), m_before.at(DatabaseKind::Main));
}

TEST_F(Recovery, RestoreThatFailsAfterAFailedUpdateKeepsTheBackups)
{
    install(Versions{10, 18, 1, 4});
    m_chains.add(DatabaseKind::Main, 10, doing([this](RunState&) {
                     QFile::remove(installation().backupPath(DatabaseKind::Settings));
                     throw vb::Error(5, QStringLiteral("Invalid procedure call or argument"),
                                     QStringLiteral("Main Database Update 11"));
                 }));
    expectMessage(texts::WillConvert);
    m_user.expectMessage(
        PromptMatcher::matching("(?s)^Severe Error! .*restore operation failed!.*\r\nInclude these "
                                "details:\r\nInvalid procedure call or argument\r\n.*settings.bak"
                                ".*\r\nMain Database Update 11$"),
        shell::vbOK);

    EXPECT_EQ(run(), RunOutcome::RestoreFailed);
    EXPECT_TRUE(QFile::exists(installation().markerPath()));
    EXPECT_TRUE(QFile::exists(installation().backupPath(DatabaseKind::Main)));
}

TEST_F(Recovery, SecondUpdaterForTheSameInstallationEndsAtOnce)
{
    install(Versions{10, 18, 1, 4});
    m_chains.add(DatabaseKind::Main, 10, update(DatabaseKind::Main, 11, QStringLiteral("main")));
    InstanceLock first;
    ASSERT_TRUE(first.tryAcquire(installation().toolsFolder()));
    expectMessage(texts::alreadyRunning(installation().toolsFolder()));

    EXPECT_EQ(run(), RunOutcome::AlreadyRunning);
    EXPECT_TRUE(m_calls.isEmpty());
    EXPECT_EQ(m_backup.calls, 0);
    EXPECT_FALSE(QDir(installation().toolsFolder() + "Backup").exists());

    first.release(); // the lock belongs to whoever holds it, and only as long
    expectMessage(texts::WillConvert);
    EXPECT_EQ(run(), RunOutcome::Updated);
}

TEST_F(Recovery, DatabaseLockedByAnotherProgramIsNamedAndNothingChanges)
{
    install(Versions{10, 18, 1, 4});
    m_chains.add(DatabaseKind::Main, 10, update(DatabaseKind::Main, 11, QStringLiteral("main")));
    const QString settings = installation().databasePath(DatabaseKind::Settings);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(settings).constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    expectMessage(texts::WillConvert);
    m_user.expectMessage(PromptMatcher::containing("The settings database " + settings +
                                                   " is in use by another program"),
                         shell::vbOK);

    EXPECT_EQ(run(), RunOutcome::Failed);

    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(m_calls.isEmpty());
    EXPECT_TRUE(unchanged());
    EXPECT_FALSE(anyBackupExists());
    EXPECT_FALSE(QFile::exists(installation().markerPath()));
}

TEST(RunMarkerTest, RoundTripAndDamage)
{
    QTemporaryDir folder;
    const RunMarker marker(folder.path());
    EXPECT_FALSE(marker.exists());
    RunMarker::Targets targets{{DatabaseKind::Main, "/a b/My Wines.qvd"},
                               {DatabaseKind::Settings, "/a b/settings.dat"},
                               {DatabaseKind::Language, "/x/english.lan"},
                               {DatabaseKind::Weblinks, "/a b/weblinks.dat"}};
    marker.write(targets);
    EXPECT_TRUE(marker.exists());
    EXPECT_EQ(marker.read().databases, targets);
    EXPECT_TRUE(marker.read().satellites.empty());
    EXPECT_FALSE(QFile::exists(marker.path() + ".new"));

    const RunMarker::Satellites satellites{{"auctions.bak", "/a b/Auctions.dat"},
                                           {"printlabels.bak", "/a b/printlabels.dat"}};
    marker.write(targets, satellites);
    EXPECT_EQ(marker.read().databases, targets);
    EXPECT_EQ(marker.read().satellites, satellites);
    // A backup name that leaves the backup folder is damage, not a file to restore from.
    marker.write(targets, {{"../auctions.bak", "/a b/Auctions.dat"}});
    EXPECT_THROW(marker.read(), vb::Error);

    targets.erase(DatabaseKind::Language);
    marker.write(targets);
    EXPECT_THROW(marker.read(), vb::Error);

    QFile damaged(marker.path());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("1\t/a\n9\t/b\n2\t/c\n3\t/d\n4\t/e\n");
    damaged.close();
    EXPECT_THROW(marker.read(), vb::Error);

    marker.remove();
    EXPECT_FALSE(marker.exists());
    EXPECT_NO_THROW(marker.remove());
}

} // namespace
} // namespace updater::testing
