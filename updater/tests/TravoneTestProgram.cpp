// travone with a chain made for tests: a main wine database at version 10 is brought to 11 by
// rewriting every row of tblCellar one statement at a time, slowly enough that the run can be
// stopped anywhere in it. The environment steers it:
//   QV_TEST_FAIL_UPDATE=1        the update fails after rewriting every row;
//   QV_TEST_STOP_AT_ROW=n         the process kills itself after rewriting row n.
// The backup component stands in for the host's: with a target folder it reports the backup as
// made, else it asks for a folder, which an unattended run never gets.

#include "common/DatabaseVersion.h"
#include "common/ShowProgress.h"
#include "platform/shell/Shell.h"
#include "platform/vb/Error.h"
#include "updater/TravoneProgram.h"

#include <csignal>
#include <QList>

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

} // namespace

int main(int argc, char** argv)
{
    updater::UpdateChains chains;
    chains.add(DatabaseKind::Main, 10, rewriteCellar);
    return updater::runTravone(argc, argv, std::move(chains),
                               [](const QString&) { return std::make_unique<StandInBackup>(); });
}
