#pragma once

// An installation in a temporary folder for the update run: Tools/, the four databases with
// their version tables (the main wine database under a name with spaces, named in the
// registry), and optionally a table of rows for updates to work on.

#include "common/DatabaseConnections.h"

#include <map>
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace updater::testing {

using DatabaseHelpers::DatabaseKind;

struct Versions
{
    int main = 11;
    int settings = 18;
    int language = 1;
    int weblinks = 4;
};

class TestInstallation
{
public:
    // `rows`: rows of tblCellar (ID, Amount, Note) in the main wine database.
    explicit TestInstallation(const Versions& versions, int rows = 20);

    // Points the registry (of this process and the programs it starts) at the installation.
    void registerInstallation() const;

    QString folder() const { return m_dir.path(); }
    QString toolsFolder() const;
    QString databasePath(DatabaseKind kind) const;
    QString backupPath(DatabaseKind kind) const;
    QString markerPath() const;
    // A stand-in for the compaction program that does nothing and succeeds.
    void installCompactionStandIn() const;
    // Gives the settings database `rows` auction rows (tblAuctionData) and puts the satellite
    // databases beside it: printlabels.dat and an Auctions.dat without rows.
    void addSatellites(int rows) const;
    // A file in the installation folder (printlabels.dat, Auctions.dat).
    QString satellitePath(const QString& name) const;
    // Auction rows in the settings database and in Auctions.dat.
    qint64 auctionRows(const QString& databasePath) const;

    int version(DatabaseKind kind) const;
    // What the database reads as (schema and every row).
    QByteArray digest(DatabaseKind kind) const;
    std::map<DatabaseKind, QByteArray> digests() const;
    qint64 count(DatabaseKind kind, const QString& where = QString()) const;

    static QByteArray fileDigest(const QString& databasePath);

private:
    QTemporaryDir m_dir;
};

} // namespace updater::testing
