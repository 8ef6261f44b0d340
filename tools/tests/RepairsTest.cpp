// The market value repair and the date repair on the sample database, through the window.

#include "platform/shell/MsgBox.h"
#include "SampleDatabase.h"
#include "tools/GorvaneTexts.h"

namespace gorvane::testing {

namespace {

using shell::PromptMatcher;

class MarketValueRepair : public ToolsWindowTest
{
protected:
    // Two wines with several transactions each, every other wine with a market value.
    void SetUp() override
    {
        ToolsWindowTest::SetUp();
        m_priced = scalar(QStringLiteral("SELECT WineID FROM tblTransactions GROUP BY WineID "
                                         "HAVING Count(*) >= 3 ORDER BY WineID"));
        m_free = scalar(QStringLiteral("SELECT WineID FROM tblTransactions GROUP BY WineID "
                                       "HAVING Count(*) >= 2 ORDER BY WineID DESC"));
        ASSERT_FALSE(m_priced.isEmpty());
        ASSERT_NE(m_priced, m_free);
        execute(QStringLiteral("UPDATE tblWines SET [Value] = 7"));
        execute(QStringLiteral("UPDATE tblWines SET [Value] = 0 WHERE WineID IN (%1, %2)")
                    .arg(m_priced, m_free));
        execute(QStringLiteral("UPDATE tblTransactions SET Cost = 0 WHERE WineID = ") + m_free);
        // The priced wine: costs 11, 23, then a last transaction that cost nothing.
        const QString ids = QStringLiteral("SELECT TransactionID FROM tblTransactions WHERE "
                                           "WineID = %1 ORDER BY TransactionID")
                                .arg(m_priced);
        const QString first = scalar(ids);
        execute(QStringLiteral("UPDATE tblTransactions SET Cost = 0 WHERE WineID = ") + m_priced);
        execute(QStringLiteral("UPDATE tblTransactions SET Cost = 11 WHERE TransactionID = ") +
                first);
        execute(QStringLiteral("UPDATE tblTransactions SET Cost = 23 WHERE TransactionID = (SELECT "
                               "Min(TransactionID) FROM tblTransactions WHERE WineID = %1 AND "
                               "TransactionID > %2)")
                    .arg(m_priced, first));
    }

    QString value(const QString& wine)
    {
        return scalar(QStringLiteral("SELECT [Value] FROM tblWines WHERE WineID = ") + wine);
    }

    QString m_priced;
    QString m_free;
};

TEST_F(MarketValueRepair, TakesTheLastCostAboveZeroAndSkipsWinesWithoutOne)
{
    m_user.expectMessage(
        PromptMatcher::exactly(QStringLiteral(
            "Are you sure you want to update ALL wines which currently have their market value "
            "set to 0\r\nwith this last wine's transaction value?")),
        shell::vbYes);
    m_user.expectMessage(PromptMatcher::exactly(texts::operationCompleted(1)), shell::vbOK);
    click(QStringLiteral("cmdFixMarketValue"));

    EXPECT_EQ(value(m_priced), QStringLiteral("23"));
    EXPECT_EQ(value(m_free), QStringLiteral("0"));
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM tblWines WHERE [Value] = 7")),
              count(QStringLiteral("SELECT Count(*) FROM tblWines")) - 2);
    EXPECT_EQ(m_user.messages().front().style, shell::vbYesNo | shell::vbQuestion);
    EXPECT_EQ(m_user.messages().back().style, shell::vbInformation);
    EXPECT_TRUE(window().isVisible());
}

TEST_F(MarketValueRepair, NoChangesNothing)
{
    m_user.expectMessage(PromptMatcher::containing(QStringLiteral("market value set to 0")),
                         shell::vbNo);
    click(QStringLiteral("cmdFixMarketValue"));
    EXPECT_EQ(value(m_priced), QStringLiteral("0"));
}

using DateRepair = ToolsWindowTest;

TEST_F(DateRepair, MovesDatesUpToTheEndOf1905OneCenturyOn)
{
    const auto transaction = [this](const char* which) {
        return scalar(QStringLiteral("SELECT %1(TransactionID) FROM tblTransactions")
                          .arg(QLatin1String(which)));
    };
    const QString last1905 = transaction("Min");
    const QString first1906 = transaction("Max");
    const QString note = scalar(QStringLiteral("SELECT Min(TastingNoteID) FROM tblTastingNotes"));
    ASSERT_FALSE(note.isEmpty());
    execute(
        QStringLiteral("UPDATE tblTransactions SET [Date] = #12/31/1905# WHERE TransactionID = ") +
        last1905);
    execute(
        QStringLiteral("UPDATE tblTransactions SET [Date] = #1/1/1906# WHERE TransactionID = ") +
        first1906);
    execute(
        QStringLiteral("UPDATE tblTastingNotes SET [Date] = #1/1/1900# WHERE TastingNoteID = ") +
        note);
    const QString inRange = QStringLiteral(
        "SELECT Count(*) FROM %1 WHERE [Date] >= #1/1/1900# AND [Date] <= #12/31/1905#");
    const long long affected = count(inRange.arg(QStringLiteral("tblTransactions"))) +
                               count(inRange.arg(QStringLiteral("tblTastingNotes")));
    ASSERT_GE(affected, 2);

    m_user.expectMessage(PromptMatcher::exactly(texts::operationCompleted(affected)), shell::vbOK);
    click(QStringLiteral("cmdY2KFix"));

    const QString dateOf =
        QStringLiteral("SELECT Format([Date], 'yyyy-mm-dd') FROM %1 WHERE %2 = %3");
    EXPECT_EQ(scalar(dateOf.arg(QStringLiteral("tblTransactions"), QStringLiteral("TransactionID"),
                                last1905)),
              QStringLiteral("2005-12-31"));
    EXPECT_EQ(scalar(dateOf.arg(QStringLiteral("tblTransactions"), QStringLiteral("TransactionID"),
                                first1906)),
              QStringLiteral("1906-01-01"));
    // January and February 1900 land one day late: 1900 was no leap year, but the count of
    // days behind the dates thinks it was.
    EXPECT_EQ(scalar(dateOf.arg(QStringLiteral("tblTastingNotes"), QStringLiteral("TastingNoteID"),
                                note)),
              QStringLiteral("2000-01-02"));
    EXPECT_EQ(count(inRange.arg(QStringLiteral("tblTransactions"))), 0);
    EXPECT_EQ(m_user.messages().size(), 1u); // no question first
}

} // namespace

} // namespace gorvane::testing
