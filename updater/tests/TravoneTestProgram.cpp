// travone with chains made for tests: a main wine database at version 10 is brought to 11 by
// rewriting every row of tblCellar one statement at a time, slowly enough that the run can be
// stopped anywhere in it; a settings database at 17 goes through the real update 18 (the
// auction rows move to Auctions.dat); a weblinks database at 3 is brought to 4 after it. The
// environment steers it:
//   QV_TEST_FAIL_UPDATE=1         the main update fails after rewriting every row;
//   QV_TEST_STOP_AT_ROW=n         the process kills itself after rewriting row n;
//   QV_TEST_FAIL_WEBLINKS=1       the weblinks update fails (settings update 18 has run);
//   QV_TEST_KILL_IN_WEBLINKS=1    the process kills itself in the weblinks update.
// The backup component stands in for the host's: with a target folder it reports the backup as
// made, else it asks for a folder, which an unattended run never gets.

#include "common/DatabaseVersion.h"
#include "common/ShowProgress.h"
#include "platform/shell/Shell.h"
#include "platform/vb/Error.h"
#include "updater/settingsdb/SettingsDatabaseUpdates.h"
#include "updater/TravoneProgram.h"

#include <csignal>
#include <QList>

using namespace Qt::StringLiterals;

namespace {

using updater::DatabaseKind;
using updater::RunState;

class StandInBackup : public updater::UserFilesBackup
{
public:
    qint16 backupUserFiles(qint32, const QString& prompt, QString&) override
    {
        if (!m_folder.isEmpty())
            return BackupMade;
        return shell::getExistingDirectory(nullptr, prompt).isEmpty() ? Cancelled : BackupMade;
    }
    void setTargetFolder(const QString& folder) override { m_folder = folder; }

private:
    QString m_folder;
};

void rewriteCellar(RunState& state)
{
    const QString title = QStringLiteral("Main Database Update 11");
    updater::trapUpdateErrors(state, title, [&] {
        jet::Connection& main = state.connection(DatabaseKind::Main);
        QList<qint32> ids;
        for (jet::ResultSet rows = main.execute(QStringLiteral("SELECT ID FROM tblCellar"));
             !rows.eof(); rows.moveNext())
            ids << rows.value(0).toLong();
        DatabaseHelpers::ShowProgress(0, title, 10);
        const int stopAt = qEnvironmentVariableIntValue("QV_TEST_STOP_AT_ROW");
        for (qsizetype i = 0; i < ids.size(); ++i) {
            main.execute(QStringLiteral("UPDATE tblCellar SET Amount = Amount * 3 + 1, "
                                        "Note = Note & ' rewritten' WHERE ID = %1")
                             .arg(ids.at(i)));
            if (stopAt > 0 && i + 1 == stopAt)
                std::raise(SIGKILL);
            if (i % 100 == 0)
                DatabaseHelpers::ShowProgress(static_cast<std::uint8_t>(1 + i * 10 / ids.size()),
                                              QString(), 0);
        }
        if (qEnvironmentVariableIsSet("QV_TEST_FAIL_UPDATE"))
            throw vb::Error(3021,
                            QStringLiteral("Either BOF or EOF is True, or the current "
                                           "record has been deleted."),
                            title);
        DatabaseHelpers::SetDBVersion(1, 11);
    });
}

void finishWeblinks(RunState& state)
{
    updater::trapUpdateErrors(state, u"WebLinks Database Update 4"_s, [] {
        if (qEnvironmentVariableIsSet("QV_TEST_KILL_IN_WEBLINKS"))
            std::raise(SIGKILL);
        if (qEnvironmentVariableIsSet("QV_TEST_FAIL_WEBLINKS"))
            throw vb::Error(3265, u"Item cannot be found in the collection."_s,
                            u"WebLinks Database Update 4"_s);
        DatabaseHelpers::SetDBVersion(4, 4);
    });
}

} // namespace

int main(int argc, char** argv)
{
    updater::UpdateChains chains;
    chains.add(DatabaseKind::Main, 10, rewriteCellar);
    chains.add(DatabaseKind::Settings, 17, updater::SettingsDatabaseUpdate18);
    chains.add(DatabaseKind::Weblinks, 3, finishWeblinks);
    return updater::runTravone(argc, argv, std::move(chains),
                               [](const QString&) { return std::make_unique<StandInBackup>(); });
}
