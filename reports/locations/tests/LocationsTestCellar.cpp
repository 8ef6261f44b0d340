// The test cellar and the independent readers.

#include "LocationsTestCellar.h"

#include "host/HostFiles.h"
#include "platform/com/ServerRegistration.h"
#include "platform/shell/tests/QtTestApplication.h"
#include "reports/tests/SqliteRows.h"
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
