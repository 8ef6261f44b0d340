// The update run from start to end: which chains run, the backups, the hand-over to the
// compaction program, and the failure path with its restore.

#include "common/DatabaseCopy.h"
#include "platform/shell/tests/QtTestApplication.h"
#include "UpdateRunFixture.h"

#include <QDir>

using namespace Qt::StringLiterals;

QV_QT_TEST_APPLICATION();

namespace updater::testing {
namespace {

using UpdateRun = UpdateRunFixture;

TEST_F(UpdateRun, NothingDueMakesVerifiedBackupsThenDeletesThemAndStartsCompaction)
{
    install(Versions{11, 18, 1, 4});
    expectMessage(texts::WillConvert);
    bool backupsAtHandOver = false;
    m_user.setProcessScript([&](const QString&, const QStringList&) {
        backupsAtHandOver = backupsExist();
        for (const DatabaseKind kind : DatabaseHelpers::allDatabaseKinds)
            backupsAtHandOver =
                backupsAtHandOver && dbfile::verifyDatabase(installation().backupPath(kind)) &&
                TestInstallation::fileDigest(installation().backupPath(kind)) == m_before.at(kind);
        return true;
    });

    EXPECT_EQ(run(), RunOutcome::Updated);

    EXPECT_EQ(m_backup.calls, 1);
    EXPECT_EQ(m_backup.prompt, "Select a folder where to backup your data files");
    ASSERT_EQ(m_user.processes().size(), 1u);
    EXPECT_EQ(m_user.processes().at(0).program, installation().toolsFolder() + "tovrak");
    EXPECT_TRUE(m_user.processes().at(0).arguments.isEmpty());
    EXPECT_TRUE(backupsAtHandOver);
    EXPECT_FALSE(anyBackupExists());
    EXPECT_FALSE(QFile::exists(installation().markerPath()));
    EXPECT_TRUE(unchanged());
    EXPECT_FALSE(m_windowVisibleAfterRun);
    ASSERT_EQ(m_user.messages().size(), 1u);
    EXPECT_EQ(m_user.messages().at(0).title, "Quorvex Database Update");
    EXPECT_EQ(m_user.messages().at(0).style, shell::vbOKOnly | shell::vbInformation);
}

TEST_F(UpdateRun, ChainsRunInOrderFromTheirVersionAndMainVersion2IsLeftAlone)
{
    install(Versions{2, 17, 1, 3});
    for (std::int16_t version = 3; version <= 10; ++version)
        m_chains.add(DatabaseKind::Main, version,
                     update(DatabaseKind::Main, 11, QStringLiteral("main")));
    m_chains.add(DatabaseKind::Settings, 17,
                 update(DatabaseKind::Settings, 18, QStringLiteral("settings")));
    m_chains.add(DatabaseKind::Weblinks, 3,
                 update(DatabaseKind::Weblinks, 4, QStringLiteral("weblinks")));
    expectMessage(texts::WillConvert);
    m_user.expectMessage(
        PromptMatcher::containing("The main wine database " +
                                  installation().databasePath(DatabaseKind::Main) +
                                  " is at version 2, which this update does not know"),
        shell::vbOK);

    EXPECT_EQ(run(), RunOutcome::Updated);

    EXPECT_EQ(m_calls, QStringList({"settings", "weblinks"}));
    EXPECT_EQ(installation().version(DatabaseKind::Main), 2);
    EXPECT_EQ(installation().version(DatabaseKind::Settings), 18);
    EXPECT_EQ(installation().version(DatabaseKind::Weblinks), 4);
    EXPECT_EQ(installation().digest(DatabaseKind::Main), m_before.at(DatabaseKind::Main));
}

TEST_F(UpdateRun, OnlyExactlyRestartIsPassedOnToCompaction)
{
    install(Versions{});
    for (const QString& commandLine : {QStringLiteral("restart"), QStringLiteral("Restart"),
                                       QStringLiteral("RESTART"), QStringLiteral("restart now")}) {
        expectMessage(texts::WillConvert);
        EXPECT_EQ(run(commandLine), RunOutcome::Updated);
    }
    ASSERT_EQ(m_user.processes().size(), 4u);
    EXPECT_EQ(m_user.processes().at(0).arguments, QStringList{"restart"});
    EXPECT_TRUE(m_user.processes().at(1).arguments.isEmpty());
    EXPECT_TRUE(m_user.processes().at(2).arguments.isEmpty());
    EXPECT_TRUE(m_user.processes().at(3).arguments.isEmpty());
}

TEST_F(UpdateRun, NoToEitherBackupQuestionTouchesNothing)
{
    install(Versions{10, 18, 1, 4});
    m_chains.add(DatabaseKind::Main, 10, update(DatabaseKind::Main, 11, QStringLiteral("main")));

    m_backup.result = UserFilesBackup::Cancelled;
    expectMessage(texts::WillConvert);
    expectMessage(texts::BackupCancelled, shell::vbNo);
    EXPECT_EQ(run(), RunOutcome::Cancelled);
    EXPECT_EQ(m_user.messages().back().style, shell::vbYesNo | shell::vbQuestion);

    m_backup.result = 75;
    m_backup.message = QStringLiteral("The folder /media/stick cannot be written to.");
    expectMessage(texts::WillConvert);
    expectMessage("An error has occured while trying to backup your data files:\r\n"
                  "75 - The folder /media/stick cannot be written to.\r\n\r\n"
                  "Do you want still want to go ahead with the update anyway?",
                  shell::vbNo);
    EXPECT_EQ(run(), RunOutcome::Cancelled);
    EXPECT_EQ(m_user.messages().back().style, shell::vbYesNo | shell::vbExclamation);

    EXPECT_TRUE(m_calls.isEmpty());
    EXPECT_TRUE(unchanged());
    EXPECT_FALSE(QDir(installation().toolsFolder() + "Backup").exists());
    EXPECT_TRUE(m_user.processes().empty());
}

TEST_F(UpdateRun, YesToTheCancelledBackupGoesOn)
{
    install(Versions{10, 18, 1, 4});
    m_chains.add(DatabaseKind::Main, 10, update(DatabaseKind::Main, 11, QStringLiteral("main")));
    m_backup.result = UserFilesBackup::Cancelled;
    expectMessage(texts::WillConvert);
    expectMessage(texts::BackupCancelled, shell::vbYes);

    EXPECT_EQ(run(), RunOutcome::Updated);
    EXPECT_EQ(installation().version(DatabaseKind::Main), 11);
    EXPECT_EQ(installation().count(DatabaseKind::Main), 21);
}

TEST_F(UpdateRun, FailingSettingsUpdateRestoresAllFourIncludingTheUpdatedMainDatabase)
{
    install(Versions{10, 17, 1, 3});
    m_chains.add(DatabaseKind::Main, 10, update(DatabaseKind::Main, 11, QStringLiteral("main")));
    m_chains.add(DatabaseKind::Settings, 17,
                 failingUpdate(QStringLiteral("settings"),
                               QStringLiteral("Item cannot be found in the collection."),
                               QStringLiteral("Settings Database Update 18")));
    m_chains.add(DatabaseKind::Weblinks, 3,
                 update(DatabaseKind::Weblinks, 4, QStringLiteral("weblinks")));
    expectMessage(texts::WillConvert);
    expectMessage("Severe Database Error! Cannot proceed.\r\n\r\n"
                  "Please contact support at support@quillmere.com\r\n"
                  "Include these details:\r\n"
                  "Item cannot be found in the collection.\r\n"
                  "Settings Database Update 18");

    EXPECT_EQ(run(), RunOutcome::Failed);

    EXPECT_EQ(m_calls, QStringList({"main", "settings"}));
    EXPECT_TRUE(unchanged());
    EXPECT_EQ(installation().version(DatabaseKind::Main), 10);
    EXPECT_TRUE(backupsExist());
    EXPECT_FALSE(QFile::exists(installation().markerPath()));
    EXPECT_TRUE(m_user.processes().empty());
    EXPECT_EQ(m_user.messages().back().style, shell::vbOKOnly | shell::vbCritical);
}

TEST_F(UpdateRun, UpdateRaisingInsteadOfRecordingIsRestoredToo)
{
    install(Versions{10, 18, 1, 4});
    m_chains.add(DatabaseKind::Main, 10, [](RunState& state) {
        state.connection(DatabaseKind::Main).execute(QStringLiteral("DELETE FROM tblCellar"));
        throw vb::Error(6, QStringLiteral("Overflow"), QStringLiteral("Main Database Update 11"));
    });
    expectMessage(texts::WillConvert);
    expectMessage(texts::severeDatabaseError("Overflow", "Main Database Update 11"));

    EXPECT_EQ(run(), RunOutcome::Failed);
    EXPECT_TRUE(unchanged());
}

TEST_F(UpdateRun, MissingCompactionProgramKeepsUpdatedDatabasesAndBackups)
{
    install(Versions{10, 18, 1, 4});
    m_chains.add(DatabaseKind::Main, 10, update(DatabaseKind::Main, 11, QStringLiteral("main")));
    m_user.setProcessScript([](const QString&, const QStringList&) { return false; });
    expectMessage(texts::WillConvert);
    expectMessage("The file Tovrak.exe could not be found. The update completed without error "
                  "except your databases cannot be compressed.\r\n\r\n"
                  "Please contact support at support@quillmere.com");

    EXPECT_EQ(run(), RunOutcome::NotCompacted);

    EXPECT_EQ(installation().version(DatabaseKind::Main), 11);
    EXPECT_EQ(installation().count(DatabaseKind::Main), 21);
    EXPECT_TRUE(backupsExist());
    EXPECT_EQ(TestInstallation::fileDigest(installation().backupPath(DatabaseKind::Main)),
              m_before.at(DatabaseKind::Main));
    EXPECT_FALSE(QFile::exists(installation().markerPath()));
}

TEST_F(UpdateRun, VersionsWithoutAChainAreNamedAndLeftAsTheyAre)
{
    install(Versions{99, -5, 1, 4});
    m_chains.add(DatabaseKind::Main, 10, update(DatabaseKind::Main, 11, u"main"_s));
    m_chains.add(DatabaseKind::Settings, 17, update(DatabaseKind::Settings, 18, u"settings"_s));
    m_chains.add(DatabaseKind::Weblinks, 3, update(DatabaseKind::Weblinks, 4, u"weblinks"_s));
    expectMessage(texts::WillConvert);
    m_user.expectMessage(
        PromptMatcher::containing(installation().databasePath(DatabaseKind::Main) +
                                  " is at version 99, newer than this update knows"),
        shell::vbOK);
    m_user.expectMessage(
        PromptMatcher::containing("The settings database " +
                                  installation().databasePath(DatabaseKind::Settings) +
                                  " is at version -5"),
        shell::vbOK);

    EXPECT_EQ(run(), RunOutcome::Updated);

    EXPECT_TRUE(m_calls.isEmpty());
    EXPECT_TRUE(unchanged());
    EXPECT_EQ(m_user.messages().at(1).style, shell::vbOKOnly | shell::vbExclamation);
}

TEST_F(UpdateRun, CompactionProgramThatIsThereButCannotRunIsNotCalledMissing)
{
    install(Versions{});
    QFile program(installation().toolsFolder() + "tovrak");
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.write("#!/bin/sh\nexit 0\n");
    program.close();
    ASSERT_TRUE(program.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
    m_user.setProcessScript([](const QString&, const QStringList&) { return false; });
    expectMessage(texts::WillConvert);
    m_user.expectMessage(PromptMatcher::matching("^The file Tovrak\\.exe \\(.*tovrak\\) is "
                                                 "there but could not be started: it is not "
                                                 "executable\\."),
                         shell::vbOK);

    EXPECT_EQ(run(), RunOutcome::NotCompacted);
    EXPECT_FALSE(m_user.messages().back().prompt.contains("could not be found"));
}

TEST_F(UpdateRun, MissingDatabaseStopsBeforeAnythingChanges)
{
    install(Versions{10, 18, 1, 4});
    m_chains.add(DatabaseKind::Main, 10, update(DatabaseKind::Main, 11, QStringLiteral("main")));
    ASSERT_TRUE(QFile::remove(installation().databasePath(DatabaseKind::Weblinks)));
    expectMessage(texts::WillConvert);
    m_user.expectMessage(PromptMatcher::containing("weblinks.dat"), shell::vbOK);

    EXPECT_EQ(run(), RunOutcome::Failed);

    EXPECT_TRUE(m_calls.isEmpty());
    EXPECT_EQ(installation().digest(DatabaseKind::Main), m_before.at(DatabaseKind::Main));
    EXPECT_FALSE(QFile::exists(installation().markerPath()));
    EXPECT_TRUE(m_user.messages().back().prompt.startsWith("Severe Database Error!"));
}

} // namespace
} // namespace updater::testing
