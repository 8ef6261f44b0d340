// The test cellar and the independent readers.

#include "LocationsTestCellar.h"

#include "host/HostFiles.h"
#include "platform/com/ServerRegistration.h"
#include "platform/shell/tests/QtTestApplication.h"
#include "sample/UpdatedInstallation.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

QV_QT_TEST_APPLICATION();

namespace stovanic::testing {

namespace {

int caseBlindCompare(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return QString::fromUtf8(static_cast<const char*>(a), lengthA)
        .compare(QString::fromUtf8(static_cast<const char*>(b), lengthB), Qt::CaseInsensitive);
}

} // namespace

const QString& cellarFolder()
{
    static QTemporaryDir parent;
    static QString folder;
    if (folder.isEmpty()) {
        sample::InstallationOptions options;
        options.wines = 40;
        folder = sample::writeUpdatedInstallation(parent.filePath(u"Quorvex"_s), options).folder;
        com::registerServer(QStringLiteral(QV_STOVANIC_LIBRARY));
    }
    return folder;
}

QString mainDatabaseFile()
{
    return host::HostFiles::inFolder(cellarFolder()).mainDatabase;
}

QString settingsDatabaseFile()
{
    return host::HostFiles::inFolder(cellarFolder()).settingsDatabase;
}

QString copyOfMainDatabase(const QString& name)
{
    const QString copy = QDir(cellarFolder()).filePath(name);
    QFile::remove(copy);
    EXPECT_TRUE(QFile::copy(mainDatabaseFile(), copy)) << copy.toStdString();
    return copy;
}

QList<QStringList> sqliteRows(const QString& file, const QString& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_create_collation(db, "JET", SQLITE_UTF8, nullptr, caseBlindCompare);
    sqlite3_stmt* statement = nullptr;
    QList<QStringList> rows;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QStringList row;
            for (int c = 0; c < sqlite3_column_count(statement); ++c)
                row << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement, c)));
            rows << row;
        }
    } else {
        ADD_FAILURE() << sqlite3_errmsg(db) << " in " << sql.toStdString();
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

QString sqliteValue(const QString& file, const QString& sql)
{
    const QList<QStringList> rows = sqliteRows(file, sql);
    return rows.isEmpty() || rows.front().isEmpty() ? QString() : rows.front().front();
}

double oleDays(int year, int month, int day)
{
    return double(QDate(1899, 12, 30).daysTo(QDate(year, month, day)));
}

QString pdfText(const QString& pdfFile)
{
    QProcess process;
    process.start(u"pdftotext"_s, {u"-layout"_s, pdfFile, u"-"_s});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int savePagePictures(const QString& pdfFile, const QString& baseName)
{
    const QString prefix = QCoreApplication::applicationDirPath() + u'/' + baseName;
    QProcess::execute(u"pdftoppm"_s, {u"-r"_s, u"60"_s, u"-png"_s, pdfFile, prefix});
    return int(QDir(QCoreApplication::applicationDirPath())
                   .entryList({baseName + u"-*.png"_s}, QDir::Files)
                   .size());
}

} // namespace stovanic::testing
