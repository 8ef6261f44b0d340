// main_chain_bench: the main wine database's whole update chain (version 3 to 11) on a generated
// cellar of 20,000 wines with their transactions and tasting notes, against the same schema and
// data work written directly in SQLite in the same run. Prints both times and their ratio; the
// chain aims at a ratio of at most 2.
//
//   main_chain_bench [WINES]
//
// The engine side runs the updater's chain through our Jet engine on the version 3 file, the
// drink window question answered by a scripted user. The SQLite side (mainchain/RawMainChain)
// does updates 4 to 11 by hand on a second copy of that file with sqlite3 calls: the same
// columns, rebuilds, conversions, stage dates, stamps and renames, with the same answers. Both
// clocks stop there; then the user data of both files is compared value by value, so that the
// ratio compares equal work. An extra line gives the floor: the chain's end state, read before
// its clock starts, written into a third copy (mainchain/EndStateWriter). Both sides run three
// rounds on fresh copies of the version 3 files (in /dev/shm where there is one); the best
// time of each is shown.

#include "bench/mainchain/BenchFailure.h"
#include "bench/mainchain/DatabaseState.h"
#include "bench/mainchain/EndStateWriter.h"
#include "bench/mainchain/RawDatabase.h"
#include "bench/mainchain/RawMainChain.h"
#include "bench/mainchain/StateComparison.h"
#include "common/DatabaseConnection.h"
#include "common/Registry_Management.h"
#include "platform/shell/MsgBox.h"
#include "platform/shell/ScriptedUser.h"
#include "sample/Installation.h"
#include "updater/maindb/frmUpdateToVersion3_4.h"
#include "updater/maindb/MainDatabaseUpdates.h"
#include "updater/RunState.h"
#include "vb/DateFunctions.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using mainchain::fail;

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::duration elapsed)
{
    return std::chrono::duration<double>(elapsed).count();
}

void runChain(const QString& mainPath, const QString& settingsPath)
{
    shell::ScriptedUser user;
    user.setFailureHandler([](const QString& what) { fail(u"unexpected prompt: "_s + what); });
    user.expectModal(u"frmUpdateToVersion3_4"_s, [](QWidget& window) {
        window.findChild<QRadioButton*>(u"optTo(1)"_s)->click();
        window.findChild<QPushButton*>(u"cmdOK"_s)->click();
    });
    user.alwaysAnswer(shell::PromptMatcher::containing(u"Thank you"_s), shell::vbOK);
    user.alwaysAnswer(shell::PromptMatcher::containing(u"flagged for manual"_s), shell::vbOK);

    updater::RunState state;
    state.mainDatabasePath = mainPath;
    const auto open = [](const QString& path) {
        auto connection = std::make_unique<jet::Connection>();
        DatabaseHelpers::OpenDatabase(*connection, path, true);
        return connection;
    };
    state.connections.slot(DatabaseHelpers::DatabaseKind::Main) = open(mainPath);
    state.connections.slot(DatabaseHelpers::DatabaseKind::Settings) = open(settingsPath);
    updater::MainDatabaseUpdate4(state);
    state.connections.closeAll();
    if (state.hasError())
        fail(u"the chain stopped: "_s + state.errorText);
}

mainchain::DatabaseState stateOf(const QString& path)
{
    const mainchain::RawDatabase db(path);
    return mainchain::stateOf(db.handle());
}

// Copies `path` to `copy`, replacing an earlier copy (and what SQLite kept beside it).
QString copyOf(const QString& path, const QString& copy)
{
    for (const QString& file : {copy, copy + u"-wal"_s, copy + u"-shm"_s})
        QFile::remove(file);
    if (!QFile::copy(path, copy))
        fail(u"cannot copy %1 to %2"_s.arg(path, copy));
    return copy;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // In memory where the machine has a memory file system: the disk's own hiccups would
    // otherwise weigh on whichever side they happen to fall.
    QTemporaryDir folder(QFileInfo(u"/dev/shm"_s).isWritable()
                             ? u"/dev/shm/main_chain_bench-XXXXXX"_s
                             : QDir::tempPath() + u"/main_chain_bench-XXXXXX"_s);
    qputenv("QUORVEX_REGISTRY", folder.filePath(u"registry.db"_s).toLocal8Bit());
    QApplication app(argc, argv);
    bool understood = argc <= 2;
    const int wines = argc == 2 ? QString::fromLocal8Bit(argv[1]).toInt(&understood) : 20000;
    if (!understood || wines < 1 || wines > sample::InstallationOptions::maximumWines) {
        std::fprintf(stderr,
                     "usage: main_chain_bench [WINES]\n  WINES: the size of the generated "
                     "cellar, 1 to %d (default 20000)\n",
                     sample::InstallationOptions::maximumWines);
        return 64;
    }

    sample::InstallationOptions options;
    options.wines = wines;
    const QString installation = folder.filePath(u"Quorvex"_s);
    const sample::InstallationSummary summary = sample::writeInstallation(installation, options);
    Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER, u"Application"_s, u"UniqueID"_s,
                                            summary.uniqueId);
    const QString mainPath = installation + u'/' + sample::mainDatabaseFile;
    const QString settingsPath = installation + u'/' + sample::settingsFile;
    const QString version3Main = copyOf(mainPath, folder.filePath(u"version3.qvd"_s));
    const QString version3Settings = copyOf(settingsPath, folder.filePath(u"version3.dat"_s));
    const QString rawPath = folder.filePath(u"raw.qvd"_s);
    const QString rawSettingsPath = folder.filePath(u"raw-settings.dat"_s);
    const QString floorPath = copyOf(mainPath, folder.filePath(u"floor.qvd"_s));

    // The scripted user keeps the first FROM and BEST answers and picks the second TO answer.
    mainchain::RawChainAnswers answers;
    answers.drinkWindowCode = frmUpdateToVersion3_4::drinkWindowCode(0, 0, 1);
    answers.uniqueId = summary.uniqueId.toInt();

    mainchain::NowStamps stamps;
    stamps.columns = {{u"tblWines"_s, u"Created"_s}, {u"tblWines"_s, u"LastModif"_s}};
    constexpr int rounds = 3;
    // The best round of each side: a round can be slowed down by whatever else the machine does.
    double chain = std::numeric_limits<double>::infinity();
    double raw = chain;
    for (int round = 0; round < rounds; ++round) {
        copyOf(version3Main, mainPath);
        copyOf(version3Settings, settingsPath);
        copyOf(version3Main, rawPath);
        copyOf(version3Settings, rawSettingsPath);
        Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER, u"LastSelections"_s,
                                                u"QueryID"_s, u"7"_s);
        stamps.from = vb::Now().toDate() - 1.0 / 86400;

        const auto chainStart = Clock::now();
        runChain(mainPath, settingsPath);
        chain = std::min(chain, seconds(Clock::now() - chainStart));
        const auto rawStart = Clock::now();
        mainchain::runRawMainChain(rawPath, rawSettingsPath, answers);
        raw = std::min(raw, seconds(Clock::now() - rawStart));
        stamps.to = vb::Now().toDate() + 1.0 / 86400;
    }

    const mainchain::DatabaseState before = stateOf(floorPath);
    const mainchain::DatabaseState after = stateOf(mainPath);
    const auto floorStart = Clock::now();
    mainchain::writeEndState(floorPath, before, after);
    const double floor = seconds(Clock::now() - floorStart);

    const mainchain::Comparison check = mainchain::compareUserData(after, stateOf(rawPath), stamps);

    std::printf("cellar: %d wines, %d transactions, %d tasting notes\n", summary.wines,
                summary.transactions, summary.tastingNotes);
    std::printf("main chain 3 to 11 (engine)              %8.2f s\n", chain);
    std::printf("same schema and data work in SQLite      %8.2f s\n", raw);
    std::printf("end state only written in SQLite         %8.2f s   (floor)\n", floor);
    std::printf("ratio chain / same work in SQLite        %8.2f (target <= 2)\n", chain / raw);
    if (check.mismatchCount == 0) {
        std::printf("check: same data in %d tables\n", check.tables);
        return 0;
    }
    std::printf("check: %d differences in %d tables, the first:\n", check.mismatchCount,
                check.tables);
    for (const QString& line : check.mismatches)
        std::printf("  %s\n", qPrintable(line));
    return 1;
}
