#include "TestInstallation.h"

#include "common/DatabaseConnection.h"
#include "common/DatabaseCopy.h"
#include "common/DatabaseVersion.h"
#include "common/Registry_Management.h"
#include "platform/jet/Connection.h"
#include "platform/jet/DatabaseFile.h"

#include <memory>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>
#include <stdexcept>
#include <tuple>

using namespace Qt::StringLiterals;

namespace updater::testing {

namespace {

const QString mainFileName = QStringLiteral("My Wines.qvd");

void createDatabase(const QString& path, int version, int rows)
{
    jet::createDatabase(path, DatabaseHelpers::DatabasePassword);
    jet::Connection setup;
    DatabaseHelpers::OpenDatabase(setup, path, true);
    setup.execute(QStringLiteral("CREATE TABLE tblDBVer (Version SHORT)"));
    setup.execute(QStringLiteral("INSERT INTO tblDBVer (Version) VALUES (%1)").arg(version));
    if (rows == 0)
        return;
    setup.execute(QStringLiteral("CREATE TABLE tblCellar (ID LONG, Amount LONG, Note TEXT(50))"));
    setup.beginTrans();
    for (int id = 1; id <= rows; ++id)
        setup.execute(QStringLiteral("INSERT INTO tblCellar VALUES (%1, %2, 'Bottle %1')")
                          .arg(id)
                          .arg(id * 7 % 100));
    setup.commitTrans();
}

struct ReadOnlyDatabase
{
    sqlite3* db = nullptr;
    explicit ReadOnlyDatabase(const QString& path)
    {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY,
                            nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot open " + path.toStdString());
    }
    ~ReadOnlyDatabase() { sqlite3_close_v2(db); }
};

// Databases are made once per kind of installation and copied from there: that is much faster,
// and installations made alike then read exactly alike, so runs on them can be compared.
const QTemporaryDir& templateFor(const Versions& versions, int rows)
{
    static std::map<std::tuple<int, int, int, int, int>, std::unique_ptr<QTemporaryDir>> made;
    std::unique_ptr<QTemporaryDir>& folder =
        made[{versions.main, versions.settings, versions.language, versions.weblinks, rows}];
    if (!folder) {
        folder = std::make_unique<QTemporaryDir>();
        createDatabase(folder->filePath(mainFileName), versions.main, rows);
        createDatabase(folder->filePath(QStringLiteral("settings.dat")), versions.settings, 0);
        createDatabase(folder->filePath(QStringLiteral("english.lan")), versions.language, 0);
        createDatabase(folder->filePath(QStringLiteral("weblinks.dat")), versions.weblinks, 0);
    }
    return *folder;
}

} // namespace

TestInstallation::TestInstallation(const Versions& versions, int rows)
{
    QDir(m_dir.path()).mkpath(QStringLiteral("Tools"));
    const QTemporaryDir& source = templateFor(versions, rows);
    for (const DatabaseKind kind : DatabaseHelpers::allDatabaseKinds) {
        const QString target = databasePath(kind);
        const QString name = QFileInfo(target).fileName();
        // Closed databases have no side files: the file is the whole database.
        if (QFile::exists(source.filePath(name + "-wal")) ||
            !QFile::copy(source.filePath(name), target))
            throw std::runtime_error("cannot copy the template database " + name.toStdString());
    }
}

void TestInstallation::registerInstallation() const
{
    using Registry_Management::SaveProductSetting;
    const reg::Hkey user = reg::HKEY_CURRENT_USER;
    SaveProductSetting(user, QStringLiteral("Application"), QStringLiteral("FullPath"), folder());
    SaveProductSetting(user, QStringLiteral("LastDatabase"), QStringLiteral("FullPath"),
                       databasePath(DatabaseKind::Main));
}

QString TestInstallation::toolsFolder() const
{
    return m_dir.filePath(QStringLiteral("Tools")) + QLatin1Char('/');
}

QString TestInstallation::databasePath(DatabaseKind kind) const
{
    switch (kind) {
    case DatabaseKind::Main:
        return m_dir.filePath(mainFileName);
    case DatabaseKind::Settings:
        return m_dir.filePath(QStringLiteral("settings.dat"));
    case DatabaseKind::Language:
        return m_dir.filePath(QStringLiteral("english.lan"));
    case DatabaseKind::Weblinks:
        return m_dir.filePath(QStringLiteral("weblinks.dat"));
    }
    return QString();
}

QString TestInstallation::backupPath(DatabaseKind kind) const
{
    static const std::map<DatabaseKind, QString> names{
        {DatabaseKind::Main, QStringLiteral("winedata.bak")},
        {DatabaseKind::Settings, QStringLiteral("settings.bak")},
        {DatabaseKind::Language, QStringLiteral("language.bak")},
        {DatabaseKind::Weblinks, QStringLiteral("weblinks.bak")}};
    return toolsFolder() + QStringLiteral("Backup/") + names.at(kind);
}

QString TestInstallation::markerPath() const
{
    return toolsFolder() + QStringLiteral("Backup/update-in-progress");
}

void TestInstallation::installCompactionStandIn() const
{
    QFile program(toolsFolder() + QStringLiteral("tovrak"));
    if (!program.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write the compaction stand-in");
    program.write("#!/bin/sh\nexit 0\n");
    program.close();
    program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestInstallation::addSatellites(int rows) const
{
    const QString fields = u"(EntryDate DATETIME, [Value] LONG, NbrBottles SHORT, "
                           "BottleType TEXT(20), Vintage TEXT(4), Description "
                           "TEXT(100))"_s;
    {
        jet::Connection settings;
        DatabaseHelpers::OpenDatabase(settings, databasePath(DatabaseKind::Settings), true);
        settings.execute(u"CREATE TABLE tblAuctionData "_s + fields);
        settings.beginTrans();
        for (int row = 1; row <= rows; ++row)
            settings.execute(u"INSERT INTO tblAuctionData VALUES (#5/%1/2001#, %2, "
                             "6, 'Bottle', '1990', 'Lot %1')"_s.arg(row % 28 + 1)
                                 .arg(row * 100));
        settings.commitTrans();
    }
    const QString auctions = satellitePath(u"Auctions.dat"_s);
    jet::createDatabase(auctions, DatabaseHelpers::DatabasePassword);
    {
        jet::Connection connection;
        DatabaseHelpers::OpenDatabase(connection, auctions, true);
        connection.execute(u"CREATE TABLE tblAuctionData "_s + fields);
    }
    const QString labels = satellitePath(u"printlabels.dat"_s);
    jet::createDatabase(labels, DatabaseHelpers::DatabasePassword);
    jet::Connection connection;
    DatabaseHelpers::OpenDatabase(connection, labels, true);
    connection.execute(u"CREATE TABLE PrintLabels (Columns SHORT, [Rows] SHORT)"_s);
    connection.execute(u"INSERT INTO PrintLabels VALUES (3, 8)"_s);
}

QString TestInstallation::satellitePath(const QString& name) const
{
    return m_dir.filePath(name);
}

qint64 TestInstallation::auctionRows(const QString& databasePath) const
{
    jet::Connection reader;
    DatabaseHelpers::OpenDatabase(reader, databasePath, true);
    return reader.execute(u"SELECT COUNT(*) FROM tblAuctionData"_s).value(0).toLong();
}

int TestInstallation::version(DatabaseKind kind) const
{
    jet::Connection reader;
    DatabaseHelpers::OpenDatabase(reader, databasePath(kind), true);
    return DatabaseHelpers::ReadDBVersion(reader);
}

QByteArray TestInstallation::digest(DatabaseKind kind) const
{
    return fileDigest(databasePath(kind));
}

std::map<DatabaseKind, QByteArray> TestInstallation::digests() const
{
    std::map<DatabaseKind, QByteArray> all;
    for (const DatabaseKind kind : DatabaseHelpers::allDatabaseKinds)
        all[kind] = digest(kind);
    return all;
}

qint64 TestInstallation::count(DatabaseKind kind, const QString& where) const
{
    jet::Connection reader;
    DatabaseHelpers::OpenDatabase(reader, databasePath(kind), true);
    jet::ResultSet rows = reader.execute(QStringLiteral("SELECT COUNT(*) FROM tblCellar") +
                                         (where.isEmpty() ? QString() : " WHERE " + where));
    return rows.value(0).toLong();
}

QByteArray TestInstallation::fileDigest(const QString& databasePath)
{
    const ReadOnlyDatabase database(databasePath);
    return dbfile::contentDigest(database.db);
}

} // namespace updater::testing
