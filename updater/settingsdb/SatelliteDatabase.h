#pragma once

// The satellite files beside the settings database (printlabels.dat, Auctions.dat, rates.dat)
// lie in the installation folder, which the updates reach as the tools folder followed by "..".
// A satellite database is opened like the run's own databases and closed when the step ends.

#include "platform/jet/Connection.h"

#include <QString>

namespace updater {

struct RunState;

// tools folder + "../" + fileName, as one clean path.
QString besideTools(const RunState& state, const QString& fileName);

class SatelliteDatabase
{
public:
    // Opens the database with errors raised; a connection that opens but reports errors raises
    // the first of them, so the update stops there either way.
    SatelliteDatabase(const RunState& state, const QString& fileName);
    ~SatelliteDatabase();
    SatelliteDatabase(const SatelliteDatabase&) = delete;
    SatelliteDatabase& operator=(const SatelliteDatabase&) = delete;

    jet::Connection& connection() noexcept { return m_connection; }
    const QString& path() const noexcept { return m_path; }

private:
    QString m_path;
    jet::Connection m_connection;
};

} // namespace updater
