#include "DatabaseOpening.h"

#include "common/CloseObject.h"
#include "common/DatabaseConnection.h"
#include "platform/jet/Connection.h"
#include "platform/vb/Variant.h"

#include <memory>
#include <sqlite3.h>

namespace gorvane {

namespace {

// Takes the write lock for a moment on a connection of its own and lets it go again: a program
// that holds the database (the host in the middle of a change) keeps that lock.
bool writeLockFree(const QString& path, std::chrono::milliseconds lockWait)
{
    auto probe = std::make_unique<jet::Connection>();
    probe->setLockTimeout(lockWait);
    if (!probe->tryOpen(DatabaseHelpers::ProgramConnectionString(path)))
        return false;
    const int status = sqlite3_exec(probe->handle(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (status == SQLITE_OK)
        sqlite3_exec(probe->handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    DatabaseHelpers::CloseObject(probe);
    return status == SQLITE_OK;
}

} // namespace

void OpenDatabase(jet::Connection& connection, const QString& path, bool raiseErrors)
{
    const QString connectionString = DatabaseHelpers::ProgramConnectionString(path);
    if (raiseErrors)
        connection.open(connectionString);
    else
        connection.tryOpen(connectionString);
    if (connection.errors().isEmpty() && connection.isOpen())
        connection.setProperty(jet::Connection::maxBufferSizeProperty,
                               vb::Variant(static_cast<std::int32_t>(MaxBufferSizeKb)));
}

bool openForRepair(jet::Connection& connection, const QString& path,
                   std::chrono::milliseconds lockWait)
{
    if (!writeLockFree(path, lockWait))
        return false;
    OpenDatabase(connection, path, false);
    if (connection.errors().isEmpty() && connection.isOpen())
        return true;
    if (connection.isOpen())
        connection.close();
    return false;
}

} // namespace gorvane
