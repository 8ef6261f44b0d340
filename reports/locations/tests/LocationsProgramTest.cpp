// The locations report as `quorvex report locations --kind ... --export pdf`: both orders read
// back by poppler, and their pages kept as pictures in the build folder for a look.

#include "LocationsTestCellar.h"
#include "platform/shell/tests/ProgramRun.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace stovanic::testing {
namespace {

// Runs the program; its exit code, or -1 when it did not end by itself.
int quorvex(const QStringList& arguments, QString& output)
{
    cellarFolder(); // registered before the program looks for it
    const shell::testing::ProgramRun run =
        shell::testing::runProgram(QStringLiteral(QV_QUORVEX), arguments);
    output = run.out + run.err;
    return run.exitCode;
}

QString exportedText(const QString& kind, const QString& pictures)
{
    const QTemporaryDir out;
    const QString pdf = out.filePath(u"locations.pdf"_s);
    QString output;
    EXPECT_EQ(quorvex({u"report"_s, u"locations"_s, u"--kind"_s, kind, u"--export"_s, u"pdf"_s,
                       u"--out"_s, pdf},
                      output),
              0)
        << output.toStdString();
    EXPECT_GE(savePagePictures(pdf, pictures), 1);
    return pdfText(pdf);
}

TEST(QuorvexProgram, WritesTheLocationsByWineAndByLocationAsPdf)
{
    const QString byWine = exportedText(u"ByWine"_s, u"stovanic_bywine"_s);
    const QString byLocation = exportedText(u"ByLocation"_s, u"stovanic_bylocation"_s);
    for (const QString& text : {byWine, byLocation}) {
        EXPECT_TRUE(text.contains(u"Locations Report"_s)) << text.toStdString();
        for (const QString& heading : {u"Location"_s, u"Quantity"_s, u"Wine"_s, u"Page"_s})
            EXPECT_TRUE(text.contains(heading)) << heading.toStdString();
        EXPECT_FALSE(text.contains(u"d_"_s)) << text.toStdString();
    }
    // Every place of the cellar is printed in both orders; by location they come sorted.
    const QList<QStringList> places =
        sqliteRows(settingsDatabaseFile(), u"SELECT DISTINCT Location FROM tblLocationReport "
                                           "WHERE Length(Location) < 30 ORDER BY Location "
                                           "COLLATE JET"_s);
    ASSERT_GT(places.size(), 3);
    qsizetype at = 0;
    for (const QStringList& place : places) {
        EXPECT_TRUE(byWine.contains(place[0])) << place[0].toStdString();
        const qsizetype found = byLocation.indexOf(place[0], at);
        EXPECT_GE(found, at) << place[0].toStdString();
        at = std::max(at, found);
    }
}

} // namespace
} // namespace stovanic::testing
