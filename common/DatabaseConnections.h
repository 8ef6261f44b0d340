#pragma once

// The four databases an update run works on, by kind number, each with its one connection for
// the whole run. The run installs its set for its lifetime; SetDBVersion and the update
// procedures reach the connections through it.

#include "platform/jet/Connection.h"

#include <array>
#include <memory>
#include <optional>
#include <QString>

namespace DatabaseHelpers {

enum class DatabaseKind
{
    Main = 1,
    Settings = 2,
    Language = 3,
    Weblinks = 4,
};

inline constexpr std::array<DatabaseKind, 4> allDatabaseKinds{
    DatabaseKind::Main, DatabaseKind::Settings, DatabaseKind::Language, DatabaseKind::Weblinks};

// "main wine database", ... for messages.
QString databaseDescription(DatabaseKind kind);

class DatabaseConnections
{
public:
    // Installs this set as the current one for its lifetime.
    DatabaseConnections();
    ~DatabaseConnections();
    DatabaseConnections(const DatabaseConnections&) = delete;
    DatabaseConnections& operator=(const DatabaseConnections&) = delete;

    // The slot of a kind: empty until the run creates the connection, and again after
    // CloseObject released it.
    std::unique_ptr<jet::Connection>& slot(DatabaseKind kind);
    // The open connection of a kind, or nullptr.
    jet::Connection* connection(DatabaseKind kind) const;
    // Closes and releases all four, never raising.
    void closeAll() noexcept;

    // The installed set, or nullptr outside a run.
    static DatabaseConnections* current() noexcept;

private:
    std::array<std::unique_ptr<jet::Connection>, 4> m_connections;
    DatabaseConnections* m_previous;
};

// The kind for a kind number 1..4; nullopt for any other number.
std::optional<DatabaseKind> databaseKindFromNumber(int number);

} // namespace DatabaseHelpers
