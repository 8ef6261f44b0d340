// PAD ALL! on the sample database in a full-stop and in a comma locale.

#include "platform/shell/MsgBox.h"
#include "SampleDatabase.h"
#include "tools/GorvaneTexts.h"

#include <QLocale>

namespace gorvane::testing {

namespace {

using shell::PromptMatcher;

class ZeroPadding : public ToolsWindowTest
{
protected:
    void SetUp() override
    {
        ToolsWindowTest::SetUp();
        execute(QStringLiteral("UPDATE tblWines SET User03 = Null"));
        m_wines = {scalar(QStringLiteral("SELECT Min(WineID) FROM tblWines")),
                   scalar(QStringLiteral("SELECT Max(WineID) FROM tblWines")),
                   scalar(QStringLiteral("SELECT Min(WineID) FROM tblWines WHERE WineID > (SELECT "
                                         "Min(WineID) FROM tblWines)"))};
    }
    void TearDown() override
    {
        QLocale::setDefault(m_locale);
        ToolsWindowTest::TearDown();
    }

    void setUser03(int wine, const QString& value)
    {
        execute(QStringLiteral("UPDATE tblWines SET User03 = '%1' WHERE WineID = %2")
                    .arg(value, m_wines[wine]));
    }
    QString user03(int wine)
    {
        return scalar(QStringLiteral("SELECT User03 FROM tblWines WHERE WineID = ") +
                      m_wines[wine]);
    }
    void pad(const QString& digits, const QString& decimals, const QString& sample, int written,
             int leftAmbiguous = 0)
    {
        chooseField(QStringLiteral("cboZeroPadFields"), QStringLiteral("User03"));
        typeInto(QStringLiteral("txtDigits"), digits);
        typeInto(QStringLiteral("txtDecimals"), decimals);
        m_user.expectMessage(
            PromptMatcher::exactly(
                QStringLiteral("Are you sure you want to format all valid numeric values in the "
                               "field 'User03' so that they will look like '") +
                sample + QStringLiteral("' ?")),
            shell::vbYes);
        m_user.expectMessage(
            PromptMatcher::exactly(texts::zeroPaddingCompleted(written, leftAmbiguous)),
            shell::vbOK);
        click(QStringLiteral("cmdZeroPadding"));
    }

    QStringList m_wines;
    QLocale m_locale;
};

TEST_F(ZeroPadding, WritesNumbersWithAFullStopLocale)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    setUser03(0, QStringLiteral("5"));
    setUser03(1, QStringLiteral("12.5"));
    setUser03(2, QStringLiteral("shelf B"));
    pad(QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("000.00"), 2);
    EXPECT_EQ(user03(0), QStringLiteral("005.00"));
    EXPECT_EQ(user03(1), QStringLiteral("012.50"));
    EXPECT_EQ(user03(2), QStringLiteral("shelf B"));
}

TEST_F(ZeroPadding, WritesNumbersWithACommaLocale)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    setUser03(0, QStringLiteral("5"));
    setUser03(1, QStringLiteral("7,25"));
    pad(QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("000,00"), 2);
    EXPECT_EQ(user03(0), QStringLiteral("005,00"));
    EXPECT_EQ(user03(1), QStringLiteral("007,25"));
}

// A text that is a different number with either decimal sign is not rewritten: padding it
// would change its magnitude ("12,5" read in a full-stop locale is 125). It is counted instead.
TEST_F(ZeroPadding, TextsThatReadAsDifferentNumbersAreLeftAndCounted)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    setUser03(0, QStringLiteral("12,5"));
    setUser03(1, QStringLiteral("1,234.5"));
    setUser03(2, QStringLiteral("7"));
    pad(QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("000.0"), 2, 1);
    EXPECT_EQ(user03(0), QStringLiteral("12,5"));
    EXPECT_EQ(user03(1), QStringLiteral("1234.5"));
    EXPECT_EQ(user03(2), QStringLiteral("007.0"));
    EXPECT_TRUE(m_user.messages().back().prompt.startsWith(
        QStringLiteral("Operation completed! 2 records affected.\r\n\r\n1 value(s) were left")));

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    setUser03(0, QStringLiteral("1.234"));
    setUser03(1, QStringLiteral("3,5"));
    // "007.0", written in the full-stop locale above, is 70 or 7 here: left too.
    pad(QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("00"), 1, 2);
    EXPECT_EQ(user03(0), QStringLiteral("1.234"));
    EXPECT_EQ(user03(1), QStringLiteral("04"));
    EXPECT_EQ(user03(2), QStringLiteral("007.0"));
}

TEST_F(ZeroPadding, NoDigitsAndNoDecimalsWriteTheGeneralNumberForm)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    setUser03(0, QStringLiteral("007"));
    setUser03(1, QStringLiteral("5.50"));
    pad(QStringLiteral("0"), QStringLiteral("0"), QString(), 2);
    EXPECT_EQ(user03(0), QStringLiteral("7"));
    EXPECT_EQ(user03(1), QStringLiteral("5.5"));
}

TEST_F(ZeroPadding, WithoutAChosenFieldWarnsAndChangesNothing)
{
    setUser03(0, QStringLiteral("5"));
    m_user.expectMessage(PromptMatcher::exactly(QStringLiteral("You must select a field!")),
                         shell::vbOK);
    click(QStringLiteral("cmdZeroPadding"));
    EXPECT_EQ(user03(0), QStringLiteral("5"));
    EXPECT_EQ(m_user.messages().back().style, shell::vbExclamation);
}

} // namespace

} // namespace gorvane::testing
