// The progress line's rules and the ISO dates stored as text.

#include "common/ParseIsoDate.h"
#include "common/ShowProgress.h"
#include "platform/vb/Error.h"
#include "platform/vb/OleDate.h"

#include <gtest/gtest.h>
#include <QStringList>

namespace {

using namespace DatabaseHelpers;

TEST(ShowProgressTest, FollowsTheLineRules)
{
    QStringList shown;
    const ProgressLine line([&shown](const QString& text) { shown.append(text); });

    ShowProgress(0, QStringLiteral("Main Database Update 10"), 12);
    EXPECT_EQ(line.text(), QString()); // step 0 only remembers title and count
    EXPECT_EQ(line.title(), "Main Database Update 10");

    ShowProgress(3, QString(), 0);
    EXPECT_EQ(line.text(), "Main Database Update 10 step 3 of 12");

    ShowProgress(0, QStringLiteral("Settings Database Update 5"), 4);
    EXPECT_EQ(line.text(), "Main Database Update 10 step 3 of 12"); // unchanged
    ShowProgress(1, QString(), 0);
    EXPECT_EQ(line.text(), "Settings Database Update 5 step 1 of 4");

    ShowProgress(2, QString(), 0, true);
    EXPECT_EQ(line.text(), QString());
    EXPECT_EQ(line.stepCount(), 4);

    // Every change reached the window, in order.
    EXPECT_EQ(shown.size(), 5);
    EXPECT_EQ(shown.at(1), "Main Database Update 10 step 3 of 12");
}

TEST(ShowProgressTest, InnermostLineGetsTheProgressUntilItEnds)
{
    QString outerText;
    const ProgressLine outer([&outerText](const QString& text) { outerText = text; });
    {
        const ProgressLine inner{ProgressLine::Display()};
        ShowProgress(1, QStringLiteral("Inner"), 2);
        EXPECT_EQ(inner.text(), "Inner step 1 of 2");
    }
    ShowProgress(2, QStringLiteral("Outer"), 5);
    EXPECT_EQ(outerText, "Outer step 2 of 5");
}

QDateTime dateTimeOf(const vb::Variant& value)
{
    EXPECT_EQ(value.type(), vb::VarType::Date);
    return vb::OleDate::toDateTime(value.toDate());
}

TEST(ParseIsoDateTest, ReadsBothForms)
{
    EXPECT_EQ(dateTimeOf(ParseIsoDate(QStringLiteral("2003-09-25"))),
              QDateTime(QDate(2003, 9, 25), QTime(0, 0), Qt::UTC));
    EXPECT_EQ(dateTimeOf(ParseIsoDate(QStringLiteral("2003-09-25 14:05:09"))),
              QDateTime(QDate(2003, 9, 25), QTime(14, 5, 9), Qt::UTC));
    EXPECT_EQ(dateTimeOf(ParseIsoDate(QStringLiteral("2000-02-29 23:59:59"))),
              QDateTime(QDate(2000, 2, 29), QTime(23, 59, 59), Qt::UTC));
}

TEST(ParseIsoDateTest, RefusesTextThatIsNoSuchDate)
{
    const QStringList bad{QStringLiteral(""),
                          QStringLiteral("2003-9-25"),
                          QStringLiteral("25.09.2003"),
                          QStringLiteral("2003/09/25"),
                          QStringLiteral("2003-02-30"),
                          QStringLiteral("2003-13-01"),
                          QStringLiteral("2003-09-25 24:00:00"),
                          QStringLiteral("2003-09-25 14:05"),
                          QStringLiteral("2003-09-25T14:05:09"),
                          QStringLiteral("2003-09-25 14:05:09.5"),
                          QStringLiteral("20a3-09-25"),
                          QStringLiteral("0099-09-25")};
    for (const QString& text : bad) {
        try {
            ParseIsoDate(text);
            ADD_FAILURE() << "accepted " << text.toStdString();
        } catch (const vb::Error& error) {
            EXPECT_EQ(error.number(), 13);
            EXPECT_TRUE(error.description().contains(QLatin1Char('"') + text + QLatin1Char('"')))
                << error.description().toStdString();
        }
    }
}

} // namespace
