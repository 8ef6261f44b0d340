// CHANGE ALL! on the sample database: the checks before the question, values with quotes, and
// the count of wines changed.

#include "platform/shell/MsgBox.h"
#include "SampleDatabase.h"
#include "tools/GorvaneTexts.h"

#include <QLineEdit>

namespace gorvane::testing {

namespace {

using shell::PromptMatcher;

class ChangeAll : public ToolsWindowTest
{
protected:
    QString firstWine() { return scalar(QStringLiteral("SELECT Min(WineID) FROM tblWines")); }
    QString lastWine() { return scalar(QStringLiteral("SELECT Max(WineID) FROM tblWines")); }
    QString fieldOf(const QString& field, const QString& wine)
    {
        return scalar(QStringLiteral("SELECT %1 FROM tblWines WHERE WineID = %2").arg(field, wine));
    }
    void change(const QString& caption, const QString& from, const QString& to)
    {
        chooseField(QStringLiteral("cboFields"), caption);
        typeInto(QStringLiteral("txtFromValue"), from);
        typeInto(QStringLiteral("txtNewValue"), to);
        click(QStringLiteral("cmdGO"));
    }
};

TEST_F(ChangeAll, RefusesVintagesThatAreNotFourDigits)
{
    const long long wines97 =
        count(QStringLiteral("SELECT Count(*) FROM tblWines WHERE Vintage = '97'"));
    m_user.expectMessage(PromptMatcher::exactly(QStringLiteral("Invalid year value!")),
                         shell::vbOK);
    change(QStringLiteral("Vintage"), QStringLiteral("97"), QStringLiteral("1997"));
    EXPECT_EQ(m_user.messages().back().style, shell::vbExclamation);
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM tblWines WHERE Vintage = '97'")), wines97);

    m_user.expectMessage(PromptMatcher::exactly(QStringLiteral("Invalid year value!")),
                         shell::vbOK);
    change(QStringLiteral("Vintage"), QStringLiteral("1997"), QStringLiteral("2k01"));
}

TEST_F(ChangeAll, ReplacesAFourDigitVintageInEveryWine)
{
    execute(QStringLiteral("UPDATE tblWines SET Vintage = '1997' WHERE WineID = ") + firstWine());
    const long long wines1997 =
        count(QStringLiteral("SELECT Count(*) FROM tblWines WHERE Vintage = '1997'"));
    ASSERT_GE(wines1997, 1);
    m_user.expectMessage(
        PromptMatcher::exactly(QStringLiteral("Are you sure you want to convert ALL records for "
                                              "which 'Vintage' equals '1997' to '2001' ?")),
        shell::vbYes);
    m_user.expectMessage(PromptMatcher::exactly(texts::operationCompleted(wines1997)), shell::vbOK);
    change(QStringLiteral("Vintage"), QStringLiteral("1997"), QStringLiteral("2001"));
    EXPECT_EQ(fieldOf(QStringLiteral("Vintage"), firstWine()), QStringLiteral("2001"));
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM tblWines WHERE Vintage = '1997'")), 0);
}

TEST_F(ChangeAll, NormalisesDrinkingWindowPointsBeforeTheQuestion)
{
    execute(QStringLiteral("UPDATE tblWines SET DrinkFrom = '2005-07' WHERE WineID = ") +
            firstWine());
    m_user.expectMessage(
        PromptMatcher::exactly(QStringLiteral("Are you sure you want to convert ALL records for "
                                              "which 'From' equals '2005-07' to '2006-03' ?")),
        shell::vbNo);
    change(QStringLiteral("From"), QStringLiteral("2005"), QStringLiteral("06-3"));
    EXPECT_EQ(control<QLineEdit>(QStringLiteral("txtFromValue"))->text(),
              QStringLiteral("2005-07"));
    EXPECT_EQ(control<QLineEdit>(QStringLiteral("txtNewValue"))->text(), QStringLiteral("2006-03"));
    EXPECT_EQ(fieldOf(QStringLiteral("DrinkFrom"), firstWine()), QStringLiteral("2005-07"));

    m_user.expectMessage(PromptMatcher::containing(QStringLiteral("'From' equals '2005-07'")),
                         shell::vbYes);
    m_user.expectMessage(PromptMatcher::containing(QStringLiteral("Operation completed!")),
                         shell::vbOK);
    click(QStringLiteral("cmdGO"));
    EXPECT_EQ(fieldOf(QStringLiteral("DrinkFrom"), firstWine()), QStringLiteral("2006-03"));
}

TEST_F(ChangeAll, ValuesWithQuotesAreMatchedAndWrittenExactlyAsTyped)
{
    const QString typed = QStringLiteral("O'Brien's \"Cuvée\"");
    execute(QStringLiteral("UPDATE tblWines SET User01 = 'kept' "));
    execute(QStringLiteral("UPDATE tblWines SET User01 = 'Quinta' WHERE WineID = ") + firstWine());

    m_user.expectMessage(
        PromptMatcher::containing(QStringLiteral("to '") + typed + QStringLiteral("' ?")),
        shell::vbYes);
    m_user.expectMessage(PromptMatcher::exactly(texts::operationCompleted(1)), shell::vbOK);
    change(QStringLiteral("User01"), QStringLiteral("Quinta"), typed);
    EXPECT_EQ(fieldOf(QStringLiteral("User01"), firstWine()), typed);

    // And back: the quoted value is found again by what was typed.
    m_user.expectMessage(PromptMatcher::containing(QStringLiteral("Are you sure")), shell::vbYes);
    m_user.expectMessage(PromptMatcher::exactly(texts::operationCompleted(1)), shell::vbOK);
    change(QStringLiteral("User01"), typed, QStringLiteral("Quinta"));
    EXPECT_EQ(fieldOf(QStringLiteral("User01"), firstWine()), QStringLiteral("Quinta"));
}

TEST_F(ChangeAll, AQuoteCannotWidenWhatIsChanged)
{
    execute(QStringLiteral("UPDATE tblWines SET User02 = 'kept' "));
    m_user.expectMessage(PromptMatcher::containing(QStringLiteral("Are you sure")), shell::vbYes);
    m_user.expectMessage(PromptMatcher::exactly(texts::operationCompleted(0)), shell::vbOK);
    change(QStringLiteral("User02"), QStringLiteral("x' OR 'a'='a"), QStringLiteral("gone"));
    EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM tblWines WHERE User02 = 'kept'")),
              count(QStringLiteral("SELECT Count(*) FROM tblWines")));
}

TEST_F(ChangeAll, WithoutAChosenFieldWarnsAndChangesNothing)
{
    typeInto(QStringLiteral("txtFromValue"), QStringLiteral("a"));
    typeInto(QStringLiteral("txtNewValue"), QStringLiteral("b"));
    m_user.expectMessage(PromptMatcher::exactly(QStringLiteral("You must select a field!")),
                         shell::vbOK);
    click(QStringLiteral("cmdGO"));
    EXPECT_EQ(m_user.messages().back().style, shell::vbExclamation);
}

TEST_F(ChangeAll, AFailedChangeIsReportedUnderTheWindowCaption)
{
    // Vintage holds four characters; the engine refuses a longer value and nothing changes.
    execute(QStringLiteral("UPDATE tblWines SET Label = 'Label of ' & WineID"));
    const QString longer = QStringLiteral("a label far longer than the hundred characters the "
                                          "field holds, so that the engine has to refuse it here");
    execute(QStringLiteral("UPDATE tblWines SET Label = 'short' WHERE WineID = ") + lastWine());
    m_user.expectMessage(PromptMatcher::containing(QStringLiteral("Are you sure")), shell::vbYes);
    m_user.expectMessage(PromptMatcher::containing(QStringLiteral("The repair stopped")),
                         shell::vbOK);
    change(QStringLiteral("Label"), QStringLiteral("short"), longer + longer);
    EXPECT_EQ(m_user.messages().back().title, QStringLiteral("Quorvex Special Tools"));
    EXPECT_EQ(m_user.messages().back().style, shell::vbCritical);
    EXPECT_EQ(fieldOf(QStringLiteral("Label"), lastWine()), QStringLiteral("short"));
}

} // namespace

} // namespace gorvane::testing
