// The installation folder: every file of the shared layout, the databases' passwords and
// versions, rates.dat's records and the label pictures the wines point at.

#include "sample/DatabaseDigest.h"
#include "SampleFixture.h"
#include "vb/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace sample::test {
namespace {

TEST(SampleLayout, HasEveryFileOfTheLayout)
{
    const BuiltInstallation& built = installation(InstallationOptions::defaultWines);
    for (const QString& file : {mainDatabaseFile, settingsFile, languageFile, webLinksFile,
                                printLabelsFile, auctionsFile, ratesFile}) {
        EXPECT_TRUE(QFileInfo(databasePath(built, file)).isFile()) << file.toStdString();
    }
    EXPECT_TRUE(QFileInfo(databasePath(built, toolsFolder)).isDir());
    EXPECT_GT(built.summary.labelPictures, 0);
    EXPECT_EQ(QDir(databasePath(built, QStringLiteral("Labels"))).entryList(QDir::Files).size(),
              built.summary.labelPictures);
}

TEST(SampleLayout, EveryDatabaseOpensWithThePasswordAndCarriesItsVersion)
{
    const BuiltInstallation& built = installation(InstallationOptions::defaultWines);
    const QList<QPair<QString, int>> versions{{mainDatabaseFile, 3}, {settingsFile, 3},
                                              {webLinksFile, 1},     {languageFile, 1},
                                              {printLabelsFile, 1},  {auctionsFile, 1}};
    for (const auto& [file, version] : versions) {
        const QString path = databasePath(built, file);
        EXPECT_EQ(scalar(path, QStringLiteral("SELECT Version FROM tblDBVer")).toInt(), version)
            << file.toStdString();
        EXPECT_EQ(scalar(path, QStringLiteral("SELECT Count(*) FROM tblDBVer")).toInt(), 1);

        jet::Connection wrong;
        EXPECT_FALSE(wrong.tryOpen(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;"
                                                  "Jet OLEDB:Database Password=wrong")
                                       .arg(path)))
            << file.toStdString();
    }
}

// Splits one record in the platform's sequential-input form: fields separated by commas, a
// field in double quotes may hold commas.
QStringList inputFields(const QString& record)
{
    QStringList fields;
    QString current;
    bool quoted = false;
    for (const QChar c : record) {
        if (c == u'"') {
            quoted = !quoted;
        } else if (c == u',' && !quoted) {
            fields.append(current);
            current.clear();
        } else {
            current.append(c);
        }
    }
    fields.append(current);
    return fields;
}

TEST(SampleLayout, RatesFileHoldsThreeFieldsPerRecord)
{
    QFile file(databasePath(installation(InstallationOptions::defaultWines), ratesFile));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    ASSERT_TRUE(text.endsWith(QLatin1String("\r\n")));
    const QStringList records = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_GE(records.size(), 10);
    QStringList codes;
    for (const QString& record : records) {
        const QStringList fields = inputFields(record);
        ASSERT_EQ(fields.size(), 3) << record.toStdString();
        EXPECT_EQ(fields.at(0).size(), 3) << record.toStdString();
        EXPECT_FALSE(fields.at(1).isEmpty());
        bool numeric = false;
        EXPECT_GT(fields.at(2).toDouble(&numeric), 0.0) << record.toStdString();
        EXPECT_TRUE(numeric) << record.toStdString();
        codes.append(fields.at(0));
    }
    EXPECT_EQ(codes.front(), QStringLiteral("USD"));
    EXPECT_EQ(codes.removeDuplicates(), 0);
}

TEST(SampleLayout, LabelPointersAreRelativePathsOfPictures)
{
    const BuiltInstallation& built = installation(InstallationOptions::defaultWines);
    const QStringList pointers =
        column(databasePath(built, mainDatabaseFile),
               QStringLiteral("SELECT DISTINCT WineLabelPointer FROM tblWines "
                              "WHERE WineLabelPointer <> ''"));
    ASSERT_FALSE(pointers.isEmpty());
    int missing = 0;
    for (const QString& pointer : pointers) {
        EXPECT_TRUE(pointer.startsWith(QLatin1String("Labels/"))) << pointer.toStdString();
        const QString path = databasePath(built, pointer);
        if (!QFileInfo::exists(path)) {
            ++missing;
            continue;
        }
        const QImage picture(path);
        EXPECT_FALSE(picture.isNull()) << pointer.toStdString();
    }
    // One lost scan, for the report's "doesn't exist!" case.
    EXPECT_EQ(missing, 1);
}

TEST(SampleLayout, LanguageDatabaseHoldsTheCaptionKeys)
{
    const QString path =
        databasePath(installation(InstallationOptions::defaultWines), languageFile);
    EXPECT_EQ(scalar(path, QStringLiteral("SELECT LanguageText FROM tblLanguage "
                                          "WHERE Section = 'repWineList' AND TextKey = 'd_Page'"))
                  .toString(),
              QStringLiteral("Page"));
    EXPECT_EQ(scalar(path, QStringLiteral("SELECT Count(*) FROM tblLanguage "
                                          "WHERE TextKey Not Like 'd[_]*'"))
                  .toInt(),
              0);
    const QStringList sections =
        column(path, QStringLiteral("SELECT DISTINCT Section FROM tblLanguage"));
    for (const char* section :
         {"repWineList", "repCellarSummary", "repBookWine", "repLocationsByWine",
          "repLocationsByLocation", "frmReportViewer"}) {
        EXPECT_TRUE(sections.contains(QString::fromLatin1(section))) << section;
    }
}

} // namespace
} // namespace sample::test
