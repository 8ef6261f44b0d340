// The prepared sample installation of the cellar book tests.

#include "CellarBookTestInstallation.h"

#include "host/HostSession.h"
#include "platform/com/ServerRegistration.h"
#include "platform/shell/tests/QtTestApplication.h"
#include "reports/tests/SqliteRows.h"
#include "sample/tests/UpdatedSampleInstallation.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

QV_QT_TEST_APPLICATION();

namespace parvello::testing {

namespace {

QString text(const QString& value)
{
    return u"'"_s + QString(value).replace(u"'"_s, u"''"_s) + u"'"_s;
}

qint32 firstWine(const QString& condition, const QList<qint32>& taken)
{
    QString sql = u"SELECT WineID FROM tblWines WHERE "_s + condition;
    for (qint32 id : taken)
        sql += u" AND WineID <> "_s + QString::number(id);
    const QList<QStringList> rows = sqliteRows(sql + u" ORDER BY WineID LIMIT 1"_s);
    if (rows.isEmpty()) {
        ADD_FAILURE() << "no wine where " << condition.toStdString();
        return 0;
    }
    return rows.front().front().toInt();
}

void writeLargePicture(const QString& path)
{
    QImage image(1200, 900, QImage::Format_RGB32);
    image.fill(qRgb(120, 30, 50));
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.save(path, "PNG");
}

CellarBookWines prepareWines(const QString& folder, jet::Connection& db)
{
    CellarBookWines wines;
    QList<qint32> taken;
    const auto take = [&](const QString& condition) {
        const qint32 id = firstWine(condition, taken);
        taken << id;
        return id;
    };
    const auto setWine = [&](qint32 id, const QString& assignments) {
        db.execute(u"UPDATE tblWines SET "_s + assignments + u" WHERE WineID = "_s +
                   QString::number(id));
    };
    const auto setWebsite = [&](qint32 id, const QString& website) {
        db.execute(u"UPDATE tblWinerySite SET Website = "_s + text(website) +
                   u" WHERE WinerySiteID = (SELECT WinerySiteID FROM tblWines WHERE WineID = "_s +
                   QString::number(id) + u")"_s);
    };
    const QString hasNotes = u"WineID IN (SELECT WineID FROM tblTastingNotes)"_s;

    // The key above the 16-bit range first: the twin keeps its notes, the wine moved past
    // 65535 gets a note of its own.
    wines.wideKeyTwin = take(hasNotes);
    const qint32 moved = take(hasNotes);
    wines.wideKey = wines.wideKeyTwin + 65536;
    for (const QString& table : {u"tblWines"_s, u"tblTastingNotes"_s, u"tblTransactions"_s})
        db.execute(u"UPDATE %1 SET WineID = %2 WHERE WineID = %3"_s.arg(table)
                       .arg(wines.wideKey)
                       .arg(moved));
    db.execute(u"INSERT INTO tblNotes (NoteText) VALUES ('The note of the wine with the wide "
               "key.')"_s);
    // One of its notes is given a text of its own.
    const auto firstValue = [&](const QString& sql) {
        jet::ResultSet rows = db.execute(sql);
        return rows.eof() ? 0 : rows.value(0).toLong();
    };
    const qint32 noteID = firstValue(u"SELECT Max(NoteID) FROM tblNotes"_s);
    const qint32 tastingNoteID =
        firstValue(u"SELECT Min(TastingNoteID) FROM tblTastingNotes WHERE WineID = "_s +
                   QString::number(wines.wideKey));
    db.execute(u"UPDATE tblTastingNotes SET NoteID = %1, Author = 'Ada' WHERE TastingNoteID = %2"_s
                   .arg(noteID)
                   .arg(tastingNoteID));
    taken << wines.wideKey;

    wines.manyVarieties = take(u"1 = 1"_s);
    wines.varieties =
        QStringList{u"Syrah 40%"_s,   u"Grenache 25%"_s, u"Mourvedre 15%"_s, u"Cinsault 10%"_s,
                    u"Carignan 5%"_s, u"Counoise 3%"_s,  u"Terret Noir 2%"_s};
    setWine(wines.manyVarieties, u"Varieties = "_s + text(wines.varieties.join(u"\r\n"_s)));

    wines.threeLocations = take(u"1 = 1"_s);
    setWine(wines.threeLocations,
            u"BottleLocations = 'Rack A, Bin 3 (2)' & Chr$(13) & Chr$(10) & 'Rack B, Bin 7 (1)' & "
            "Chr$(13) & Chr$(10) & 'Cellar floor (4)'"_s);

    wines.longLocations = take(u"1 = 1"_s);
    QStringList bins;
    for (int bin = 1; bin <= 14; ++bin)
        bins << u"Rack D, Bin %1 (1)"_s.arg(bin);
    setWine(wines.longLocations, u"BottleLocations = "_s + text(bins.join(u"\r\n"_s)));

    wines.lowerCaseScheme = take(u"1 = 1"_s);
    setWebsite(wines.lowerCaseScheme, u"http://www.lowercase-winery.example/http://wines"_s);
    wines.upperCaseScheme =
        take(u"WinerySiteID <> (SELECT WinerySiteID FROM tblWines WHERE WineID = "_s +
             QString::number(wines.lowerCaseScheme) + u")"_s);
    setWebsite(wines.upperCaseScheme, u"HTTP://www.UPPERCASE-WINERY.example"_s);

    const QDir labels(folder + u"/Labels"_s);
    wines.missingPicture = take(u"1 = 1"_s);
    setWine(wines.missingPicture, u"WineLabelPointer = 'Labels/never-scanned.jpg'"_s);
    wines.missingPicturePath = labels.filePath(u"never-scanned.jpg"_s);

    wines.brokenPicture = take(u"1 = 1"_s);
    setWine(wines.brokenPicture, u"WineLabelPointer = 'Labels/broken.jpg'"_s);
    wines.brokenPicturePath = labels.filePath(u"broken.jpg"_s);
    QFile broken(wines.brokenPicturePath);
    EXPECT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("This is a note, not a picture.\n");

    wines.largePicture = take(u"1 = 1"_s);
    setWine(wines.largePicture, u"WineLabelPointer = 'Labels/large.png'"_s);
    writeLargePicture(labels.filePath(u"large.png"_s));

    setWine(take(u"1 = 1"_s), u"WineLabelPointer = Null"_s);
    wines.samplePicture = take(u"WineLabelPointer LIKE 'Labels/label%'"_s);
    return wines;
}

// Sums then show in a currency other than the stored one, so that a rate applied twice shows.
void useAnotherDisplayCurrency(jet::Connection& mainDatabase, jet::Connection& settings)
{
    const auto firstText = [](jet::Connection& db, const QString& sql) {
        jet::ResultSet rows = db.execute(sql);
        return rows.eof() ? QString() : rows.value(0).toString();
    };
    const QString storage =
        firstText(mainDatabase, u"SELECT StorageCurrencyCode FROM tblDBVer"_s).left(3);
    const QString other = firstText(
        settings,
        u"SELECT CurrencyCode FROM tblExchangeRates WHERE USExchangeRate > 0 AND "
        "Left$(CurrencyCode, 3) <> '%1' AND USExchangeRate <> (SELECT Max(USExchangeRate) "
        "FROM tblExchangeRates WHERE Left$(CurrencyCode, 3) = '%1')"_s.arg(storage));
    ASSERT_FALSE(other.isEmpty());
    settings.execute(u"UPDATE tblPreferences SET DisplayCurrencyCode = "_s + text(other));
}

} // namespace

const CellarBookInstallation& installation()
{
    static CellarBookInstallation made;
    if (!made.files.mainDatabase.isEmpty())
        return made;
    const QString& folder = sample::testing::updatedSampleInstallation();
    made.files = host::HostFiles::inFolder(folder);
    {
        host::HostSession session(made.files);
        made.wines = prepareWines(folder, session.mainDatabase());
        useAnotherDisplayCurrency(session.mainDatabase(), session.settingsDatabase());
    }
    com::registerServer(QStringLiteral(QV_PARVELLO_LIBRARY));
    return made;
}

QList<QStringList> sqliteRows(const QString& sql)
{
    return reports::testing::sqliteRows(installation().files.mainDatabase, sql);
}

} // namespace parvello::testing
