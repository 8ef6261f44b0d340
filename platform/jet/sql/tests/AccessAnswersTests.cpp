// Expressions whose answers follow the VBA and Access documentation of each function and
// operator: text compared without regard to case, the types of results, operator binding,
// keywords that are also functions, and patterns Jet cannot read.

#include "TestDatabase.h"

#include <gtest/gtest.h>
#include <QLocale>

namespace jet::test {
namespace {

struct Case
{
    const char* expression;
    const char* expected; // as TestDatabase renders it; "<error>" when the statement fails
};

class AccessAnswers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        db.exec(R"(
            CREATE TABLE w (id INTEGER PRIMARY KEY, name TEXT COLLATE JET, bought DATETIME,
                flag BIT);
            INSERT INTO w VALUES (1, 'Barolo', 38051.0, -1);
        )");
        options.columnType = [](const QString&, const QString& column) {
            return column.compare(QStringLiteral("bought"), Qt::CaseInsensitive) == 0
                       ? QStringLiteral("DATETIME")
                   : column.compare(QStringLiteral("name"), Qt::CaseInsensitive) == 0
                       ? QStringLiteral("TEXT")
                       : QString();
        };
    }
    void TearDown() override { QLocale::setDefault(m_locale); }

    QString eval(const QString& expression)
    {
        try {
            const auto rows =
                db.run(QStringLiteral("SELECT %1 FROM w").arg(expression), {}, options);
            return rows.size() == 1 ? rows.front().front() : QStringLiteral("<no row>");
        } catch (const std::exception&) {
            return QStringLiteral("<error>");
        }
    }

    void expectAll(std::initializer_list<Case> cases)
    {
        for (const Case& c : cases)
            EXPECT_EQ(eval(QString::fromUtf8(c.expression)), QString::fromUtf8(c.expected))
                << c.expression;
    }

    TestDatabase db;
    TranslateOptions options;

private:
    QLocale m_locale;
};

TEST_F(AccessAnswers, TextFunctionsCompareWithoutRegardToCase)
{
    expectAll({
        {"InStr('HELLO', 'l')", "3"},
        {"InStr(4, 'HELLO', 'l')", "4"},
        {"InStr(1, 'HELLO', 'l', 0)", "0"}, // vbBinaryCompare asked for
        {"InStr(1, 'HELLO', 'l', 1)", "3"},
        {"InStrRev('HELLO', 'l')", "4"},
        {"InStrRev('HELLO', 'l', -1, 0)", "0"},
        {"Replace('HELLO', 'l', 'x')", "HExxO"},
        {"Replace('HELLO', 'l', 'x', 1, 1)", "HExLO"},
        {"Replace('HELLO', 'l', 'x', 1, -1, 0)", "HELLO"},
        {"StrComp('abc', 'ABC')", "0"},
        {"StrComp('abc', 'ABD')", "-1"},
        {"StrComp('abc', 'ABC', 0)", "1"},
        {"StrComp(Null, 'a')", "NULL"},
        {"InStr(name, 'ROL')", "3"},
    });
}

TEST_F(AccessAnswers, TextOperatorsCompareWithoutRegardToCase)
{
    expectAll({
        {"'abc' = 'ABC'", "-1"},
        {"'abc' < 'ABD'", "-1"},
        {"'B' > 'a'", "-1"},
        {"Left(name, 1) = 'b'", "-1"},
        {"name = UCase(name)", "-1"},
        {"UCase(name) Between 'barolo' And 'barolo'", "-1"},
        {"LCase(name) In ('BAROLO')", "-1"},
        {"name Like 'BAR*'", "-1"},
        {"'ABC' Like 'a[a-c]C'", "-1"},
        {"name Like '[!b]*'", "0"},
    });
}

TEST_F(AccessAnswers, DatesAndBooleansKeepTheirTypeInFunctions)
{
    expectAll({
        // A date plus or minus a number or a time is a date.
        {"Format(#3/15/2004# + 1)", "3/16/2004"},
        {"Format(#3/15/2004# - 1, 'yyyy-mm-dd')", "2004-03-14"},
        {"Format(#3/15/2004# + #12:00#)", "3/15/2004 12:00:00 PM"},
        {"Format(#3/15/2004# - #6:00#)", "3/14/2004 6:00:00 PM"},
        {"Format(#3/15/2004 14:30:15#)", "3/15/2004 2:30:15 PM"},
        {"Format(bought)", "3/5/2004"},
        {"Format(DateSerial(2004, 3, 15), 'Long Date')", "Monday, March 15, 2004"},
        {"bought & ''", "3/5/2004"},
        // CStr of a time alone is the time, midnight too.
        {"CStr(#12:30:00#)", "12:30:00 PM"},
        {"CStr(#00:00:00#)", "12:00:00 AM"},
        {"CStr(TimeSerial(18, 0, 0))", "6:00:00 PM"},
        // Booleans are True and False in text, -1 and 0 as numbers.
        {"CStr(True)", "True"},
        {"CStr(False)", "False"},
        {"CStr(1 = 1)", "True"},
        {"CStr(name Is Null)", "False"},
        {"'x' & (1 < 2)", "xTrue"},
        {"True + 0", "-1"},
        {"CStr(flag)", "-1"}, // a Yes/No column is the number it holds
        // IsDate and IsNumeric of a date.
        {"IsDate(#1/1/2003#)", "-1"},
        {"IsNumeric(#1/1/2003#)", "0"},
        {"IsDate(bought)", "-1"},
        {"IsNumeric(38051)", "-1"},
        {"IsDate('1/1/2003')", "-1"},
    });
}

TEST_F(AccessAnswers, OperatorsOnMixedTypesAndNull)
{
    expectAll({
        {"-10 ^ 2", "100"}, // the sign binds tighter than ^
        {"-(10 ^ 2)", "-100"},
        {"2 ^ -1", "0.5"},
        {"- 2 ^ 3", "-8"},
        {"37 Or Null", "-1"}, // Null Or a non-zero number is True
        {"Null Or 37", "-1"},
        {"0 Or Null", "NULL"},
        {"37 And Null", "NULL"},
        {"0 And Null", "0"},
        {"12 Or 3", "-1"}, // Jet has no bitwise operators: And, Or, Xor answer True or False
        {"12 And 3", "-1"},
        {"12 Xor 3", "0"},
        {"Not 12", "0"},
        {"4 <> Null", "-1"}, // Jet reads it as "4 Is Not Null"
        {"Null <> 4", "NULL"},
        {"'12' + 'foo'", "12foo"}, // + of two texts concatenates
        {"'12' + 3", "15"},
        {"12 - 'foo'", "<error>"}, // - and * never concatenate: type mismatch
        {"12 * 'foo'", "<error>"},
        {"'12' - '2'", "10"},
        {"'3' * 2", "6"},
        {"12 - Null", "NULL"},
        {"9223372036854775807 * 2", "1.84467440737096e+19"}, // no wrap-around
        {"-9223372036854775807 - 10", "-9.22337203685478e+18"},
        {"7 - 2.5", "4.5"},
    });
}

TEST_F(AccessAnswers, KeywordsThatAreFunctionsAreCalls)
{
    expectAll({
        {"Asc('A')", "65"},
        {"Asc(name)", "66"},
        {"Left('abc', 1) & Right('abc', 1)", "ac"},
    });
    // The keyword still orders.
    EXPECT_EQ(db.run(QStringLiteral("SELECT id FROM w ORDER BY name ASC, id ASC")).size(), 1);
}

TEST_F(AccessAnswers, PatternsJetCannotReadMatchNothing)
{
    expectAll({
        {"'a[' Like 'a['", "0"},
        {"'[' Like '['", "0"},
        {"name Like '*[a'", "0"},
        {"name Like '[z-a]*'", "0"},
        {"name Not Like '[a'", "-1"},
        {"'[' Like '[[]'", "-1"},
        {"Null Like '[a'", "NULL"},
    });
}

} // namespace
} // namespace jet::test
