#include "SatelliteDatabase.h"

#include "common/DatabaseConnection.h"
#include "platform/jet/Error.h"
#include "updater/RunState.h"

#include <QDir>

namespace updater {

QString besideTools(const RunState& state, const QString& fileName)
{
    return QDir::cleanPath(state.toolsFolder + QStringLiteral("../") + fileName);
}

SatelliteDatabase::SatelliteDatabase(const RunState& state, const QString& fileName)
    : m_path(besideTools(state, fileName))
{
    DatabaseHelpers::OpenDatabase(m_connection, m_path, true);
    if (!m_connection.errors().isEmpty()) {
        const jet::ErrorItem& first = m_connection.errors().item(0);
        throw jet::Error(first.number, first.description, first.source);
    }
}

SatelliteDatabase::~SatelliteDatabase()
{
    try {
        m_connection.close();
    } catch (...) {
        // Closing is release only: nothing the caller could still act on.
    }
}

} // namespace updater
