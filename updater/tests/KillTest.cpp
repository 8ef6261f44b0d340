// An updater killed at any moment and run again ends with every database exactly as one
// uninterrupted run leaves it.

#include "ProgramRun.h"
#include "TestInstallation.h"
#include "platform/shell/tests/QtTestApplication.h"

#include <iostream>
#include <QElapsedTimer>
#include <QFile>

using namespace Qt::StringLiterals;

QV_QT_TEST_APPLICATION();

namespace updater::testing {
namespace {

constexpr int rows = 1500;
const QStringList unattended{QStringLiteral("--unattended")};

std::unique_ptr<TestInstallation> freshInstallation()
{
    auto installation = std::make_unique<TestInstallation>(Versions{10, 18, 1, 4}, rows);
    installation->registerInstallation();
    installation->installCompactionStandIn();
    return installation;
}

// The second run after a kill: it must finish the update and leave nothing behind.
void expectFinishedLike(const TestInstallation& installation,
                        const std::map<DatabaseKind, QByteArray>& reference, const QString& what)
{
    const ProgramResult rerun = runTestProgram(unattended);
    ASSERT_TRUE(rerun.finished) << what.toStdString();
    EXPECT_EQ(rerun.exitCode, 0) << what.toStdString() << "\n" << rerun.output.toStdString();
    EXPECT_EQ(installation.digests(), reference) << what.toStdString();
    EXPECT_EQ(installation.version(DatabaseKind::Main), 11) << what.toStdString();
    EXPECT_FALSE(QFile::exists(installation.markerPath())) << what.toStdString();
    EXPECT_FALSE(QFile::exists(installation.backupPath(DatabaseKind::Main))) << what.toStdString();
}

TEST(KillTest, KilledRunsEndLikeOneUninterruptedRun)
{
    std::map<DatabaseKind, QByteArray> reference;
    qint64 duration = 0;
    {
        const auto installation = freshInstallation();
        QElapsedTimer timer;
        timer.start();
        const ProgramResult whole = runTestProgram(unattended);
        duration = timer.elapsed();
        ASSERT_TRUE(whole.finished);
        ASSERT_EQ(whole.exitCode, 0) << whole.output.toStdString();
        ASSERT_EQ(installation->version(DatabaseKind::Main), 11);
        reference = installation->digests();
    }
    std::cout << "uninterrupted run: " << duration << " ms" << std::endl;

    // Stopped in the middle of the update, at a row, whatever the machine's speed.
    {
        const auto installation = freshInstallation();
        const ProgramResult stopped =
            runTestProgram(unattended, {QStringLiteral("QV_TEST_STOP_AT_ROW=%1").arg(rows / 2)});
        ASSERT_TRUE(stopped.finished);
        ASSERT_NE(stopped.exitCode, 0);
        ASSERT_TRUE(QFile::exists(installation->markerPath()));
        expectFinishedLike(*installation, reference, QStringLiteral("stopped at a row"));
    }

    // Killed from outside at moments spread over the whole run.
    constexpr int kills = 10;
    int killedMidUpdate = 0;
    for (int k = 1; k <= kills; ++k) {
        const auto installation = freshInstallation();
        const int delay = static_cast<int>(duration * k / (kills + 1));
        const bool killed = runAndKill(delay, unattended);
        if (killed && QFile::exists(installation->markerPath()))
            ++killedMidUpdate;
        expectFinishedLike(*installation, reference,
                           QStringLiteral("killed after %1 ms").arg(delay));
    }
    std::cout << kills << " kills, " << killedMidUpdate
              << " of them while the databases were being updated" << std::endl;
}

TEST(KillTest, KilledAfterTheAuctionMoveEndsWithEveryAuctionRowOnce)
{
    constexpr int auctionRows = 40;
    TestInstallation installation(Versions{11, 17, 1, 3}, 10);
    installation.registerInstallation();
    installation.installCompactionStandIn();
    installation.addSatellites(auctionRows);
    const QString auctions = installation.satellitePath(u"Auctions.dat"_s);
    const QString settings = installation.databasePath(DatabaseKind::Settings);

    const ProgramResult killed = runTestProgram(unattended, {u"QV_TEST_KILL_IN_WEBLINKS=1"_s});
    ASSERT_TRUE(killed.finished);
    ASSERT_NE(killed.exitCode, 0);
    ASSERT_TRUE(QFile::exists(installation.markerPath()));
    // Update 18 had moved the rows when the run was killed.
    ASSERT_EQ(installation.auctionRows(auctions), auctionRows);
    ASSERT_EQ(installation.auctionRows(settings), 0);

    const ProgramResult rerun = runTestProgram(unattended);
    ASSERT_TRUE(rerun.finished);
    EXPECT_EQ(rerun.exitCode, 0) << rerun.output.toStdString();
    EXPECT_EQ(installation.auctionRows(auctions), auctionRows);
    EXPECT_EQ(installation.auctionRows(settings), 0);
    EXPECT_EQ(installation.version(DatabaseKind::Settings), 18);
    EXPECT_EQ(installation.version(DatabaseKind::Weblinks), 4);
    EXPECT_FALSE(QFile::exists(installation.markerPath()));
}

} // namespace
} // namespace updater::testing
