// Update 18: the auction rows move to Auctions.dat, or stay where they are when they cannot.

#include "SettingsTestRun.h"

#include <gtest/gtest.h>

namespace updater::testing {
namespace {

const QString auctionsFile = QStringLiteral("Auctions.dat");

class AuctionMove : public ::testing::Test
{
protected:
    void SetUp() override { rows = install.count(QStringLiteral("tblAuctionData")); }

    qint64 movedRows() const
    {
        return install.valueIn(auctionsFile, QStringLiteral("SELECT Count(*) FROM tblAuctionData"))
            .toLong();
    }

    void expectNothingMoved()
    {
        EXPECT_TRUE(install.state().hasError());
        EXPECT_EQ(install.version(), 17);
        EXPECT_EQ(install.count(QStringLiteral("tblAuctionData")), rows);
    }

    SettingsTestInstallation install;
    qint64 rows = 0;
};

TEST_F(AuctionMove, CopiesEveryFieldInTableOrder)
{
    const QString fields =
        QStringLiteral("EntryDate, [Value], NbrBottles, BottleType, Vintage, Description");
    install.execute(QStringLiteral("INSERT INTO tblAuctionData (%1) VALUES (#3/4/2001#, 31000, "
                                   "12, Null, '1990', 'Last, with a comma')")
                        .arg(fields));
    const QList<vb::Variant> firstBefore =
        install.column(QStringLiteral("SELECT Description FROM tblAuctionData"));
    runSettingsChain(install);
    ASSERT_FALSE(install.state().hasError()) << install.state().errorText.toStdString();
    EXPECT_EQ(install.version(), 18);
    EXPECT_EQ(install.count(QStringLiteral("tblAuctionData")), 0);
    ASSERT_EQ(movedRows(), rows + 1);
    EXPECT_EQ(install
                  .valueIn(auctionsFile, QStringLiteral("SELECT TOP 1 Description FROM "
                                                        "tblAuctionData"))
                  .toString(),
              firstBefore.at(0).toString());
    EXPECT_EQ(install
                  .valueIn(auctionsFile,
                           QStringLiteral("SELECT Count(*) FROM tblAuctionData WHERE EntryDate "
                                          "= #3/4/2001# AND [Value] = 31000 AND NbrBottles = "
                                          "12 AND BottleType Is Null AND Vintage = '1990' AND "
                                          "Description = 'Last, with a comma'"))
                  .toLong(),
              1);
}

TEST_F(AuctionMove, EmptyTableStillEndsAtVersion18)
{
    install.execute(QStringLiteral("DELETE * FROM tblAuctionData"));
    runSettingsChain(install);
    ASSERT_FALSE(install.state().hasError()) << install.state().errorText.toStdString();
    EXPECT_EQ(install.version(), 18);
    EXPECT_EQ(movedRows(), 0);
}

TEST_F(AuctionMove, MissingAuctionsDatabaseKeepsTheRowsAtVersion17)
{
    install.removeFile(auctionsFile);
    runSettingsChain(install);
    expectNothingMoved();
    EXPECT_TRUE(install.state().errorText.contains(auctionsFile))
        << install.state().errorText.toStdString();
}

TEST_F(AuctionMove, AuctionsDatabaseWithoutItsTableKeepsTheRows)
{
    install.executeIn(auctionsFile, QStringLiteral("DROP TABLE tblAuctionData"));
    runSettingsChain(install);
    expectNothingMoved();
}

TEST_F(AuctionMove, RowRefusedPartWayLeavesNoCopiesBehind)
{
    // Only the last row's description is longer than Auctions.dat takes: every other row is
    // copied before it fails.
    install.executeIn(auctionsFile, QStringLiteral("ALTER TABLE tblAuctionData ALTER COLUMN "
                                                   "Description TEXT(20)"));
    install.execute(QStringLiteral("UPDATE tblAuctionData SET Description = 'short'"));
    install.execute(QStringLiteral("INSERT INTO tblAuctionData (Description) VALUES ('a "
                                   "description far too long to fit')"));
    ++rows;
    runSettingsChain(install);
    expectNothingMoved();
    EXPECT_EQ(movedRows(), 0);
}

} // namespace
} // namespace updater::testing
