// The test cellar and the independent readers.

#include "LocationsTestCellar.h"

#include "host/HostFiles.h"
#include "platform/com/ServerRegistration.h"
#include "platform/shell/tests/QtTestApplication.h"
#include "reports/tests/SqliteRows.h"
#include "sample/tests/UpdatedSampleInstallation.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

QV_QT_TEST_APPLICATION();

namespace stovanic::testing {

const QString& cellarFolder()
{
    static const QString& folder = []() -> const QString& {
        com::registerServer(QStringLiteral(QV_STOVANIC_LIBRARY));
        return sample::testing::updatedSampleInstallation();
    }();
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

} // namespace stovanic::testing
