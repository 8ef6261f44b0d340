// The cellar summary library through the host program's batch output on the sample cellar:
// the figures read back from the exported PDF and text file are the ones the host's summary
// window shows for the same query.

#include "host/HostSession.h"
#include "platform/shell/tests/ProgramRun.h"
#include "SummaryTestInstallation.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace feldrake::testing {
namespace {

const QString kQuery = u"Red Wines"_s;

struct Row
{
    const char16_t* box;
    const char16_t* caption;
};

constexpr Row kRows[] = {
    {u"DistinctWines", u"Distinct wines:"},      {u"Bottles", u"Bottles:"},
    {u"ValueInventory", u"Value of inventory:"}, {u"ExpenseInventory", u"Expense of inventory:"},
    {u"TotalBottles", u"Bottles bought:"},       {u"TotalSpent", u"Total spent:"},
};

int quorvex(const QString& format, const QString& file, QString& output)
{
    installationFiles(); // registered before the program looks for it
    const shell::testing::ProgramRun run = shell::testing::runProgram(
        QStringLiteral(QV_QUORVEX),
        {u"report"_s, u"summary"_s, u"--query"_s, kQuery, u"--export"_s, format, u"--out"_s, file});
    output = run.out + run.err;
    return run.exitCode;
}

// The host window's texts of one column, as the program computes them for the query.
QStringList windowFigures(const QString& column)
{
    host::HostSession session(installationFiles());
    session.setSelection(host::findSelection(session.settingsDatabase(), kQuery));
    session.refreshSummary();
    QStringList figures;
    for (const Row& row : kRows)
        figures << session.summaryWindow()
                       .findChild<QLineEdit*>(u"txt"_s + column + QString::fromUtf16(row.box))
                       ->text();
    return figures;
}

// The figure printed after each caption, the first one found from `from` on.
QStringList printedFigures(const QString& text, qsizetype from)
{
    QStringList figures;
    for (const Row& row : kRows) {
        const QRegularExpression line(QRegularExpression::escape(QString::fromUtf16(row.caption)) +
                                      u"[ \\t]+(\\S+)"_s);
        figures << line.match(text, from).captured(1);
    }
    return figures;
}

void expectSameFigures(const QString& text)
{
    const qsizetype query = text.indexOf(u"Statistics for "_s + kQuery);
    const qsizetype cellar = text.indexOf(u"Statistics for the whole cellar"_s);
    ASSERT_GE(query, 0) << text.toStdString();
    ASSERT_GT(cellar, query) << text.toStdString();
    const QStringList inQuery = windowFigures(u"Query"_s);
    const QStringList inCellar = windowFigures(u"Cellar"_s);
    ASSERT_NE(inQuery, inCellar); // the query must not be the whole cellar, or columns could swap
    EXPECT_EQ(printedFigures(text, query), inQuery);
    EXPECT_EQ(printedFigures(text, cellar), inCellar);
}

TEST(SummaryBatchOutput, ThePdfShowsTheFiguresOfTheHostsWindow)
{
    QTemporaryDir out;
    const QString file = out.filePath(u"summary.pdf"_s);
    QString output;
    ASSERT_EQ(quorvex(u"pdf"_s, file, output), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(u"(1 page(s))"_s)) << output.toStdString();
    savePagePicture(file, u"feldrake_batch"_s);
    const QString text = pdfText(file);
    EXPECT_TRUE(text.contains(u"Cellar Summary"_s));
    EXPECT_FALSE(text.contains(u"d_"_s)) << text.toStdString();
    expectSameFigures(text);
}

TEST(SummaryBatchOutput, TheTextExportShowsThemToo)
{
    QTemporaryDir out;
    const QString file = out.filePath(u"summary.txt"_s);
    QString output;
    ASSERT_EQ(quorvex(u"text"_s, file, output), 0) << output.toStdString();
    QFile exported(file);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    expectSameFigures(QString::fromUtf8(exported.readAll()));
}

} // namespace
} // namespace feldrake::testing
