#include "DatabaseConnections.h"

#include "CloseObject.h"

namespace DatabaseHelpers {

namespace {

DatabaseConnections*& installed()
{
    static DatabaseConnections* connections = nullptr;
    return connections;
}

std::size_t position(DatabaseKind kind)
{
    return static_cast<std::size_t>(kind) - 1;
}

} // namespace

QString databaseDescription(DatabaseKind kind)
{
    switch (kind) {
    case DatabaseKind::Main:
        return QStringLiteral("main wine database");
    case DatabaseKind::Settings:
        return QStringLiteral("settings database");
    case DatabaseKind::Language:
        return QStringLiteral("language database");
    case DatabaseKind::Weblinks:
        return QStringLiteral("weblinks database");
    }
    return QString();
}

std::optional<DatabaseKind> databaseKindFromNumber(int number)
{
    if (number < 1 || number > 4)
        return std::nullopt;
    return static_cast<DatabaseKind>(number);
}

DatabaseConnections::DatabaseConnections() : m_previous(installed())
{
    installed() = this;
}

DatabaseConnections::~DatabaseConnections()
{
    closeAll();
    if (installed() == this)
        installed() = m_previous;
}

std::unique_ptr<jet::Connection>& DatabaseConnections::slot(DatabaseKind kind)
{
    return m_connections.at(position(kind));
}

jet::Connection* DatabaseConnections::connection(DatabaseKind kind) const
{
    return m_connections.at(position(kind)).get();
}

void DatabaseConnections::closeAll() noexcept
{
    for (std::unique_ptr<jet::Connection>& connection : m_connections)
        CloseObject(connection);
}

DatabaseConnections* DatabaseConnections::current() noexcept
{
    return installed();
}

} // namespace DatabaseHelpers
