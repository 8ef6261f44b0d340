#include "DatabaseInUse.h"

#include "common/CloseObject.h"
#include "common/DatabaseConnection.h"
#include "platform/jet/Connection.h"
#include "platform/jet/Error.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace updater {

void checkNotInUse(DatabaseHelpers::DatabaseKind kind, const QString& path,
                   std::chrono::milliseconds wait)
{
    checkNotInUse(DatabaseHelpers::databaseDescription(kind), path, wait);
}

void checkNotInUse(const QString& description, const QString& path, std::chrono::milliseconds wait)
{
    if (!QFileInfo::exists(path))
        return;
    auto probe = std::make_unique<jet::Connection>();
    probe->setLockTimeout(wait);
    DatabaseHelpers::OpenDatabase(*probe, path, true);
    const int status = sqlite3_exec(probe->handle(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (status == SQLITE_OK)
        sqlite3_exec(probe->handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    DatabaseHelpers::CloseObject(probe);
    if (status == SQLITE_BUSY || status == SQLITE_LOCKED)
        throw jet::Error(jet::ErrorNumber::Unspecified,
                         QStringLiteral("The %1 %2 is in use by another program, which keeps it "
                                        "locked. Close the other Quorvex programs and run the "
                                        "update again; nothing has been changed.")
                             .arg(description, path));
    if (status != SQLITE_OK)
        throw jet::Error(jet::ErrorNumber::Unspecified,
                         QStringLiteral("The %1 %2 cannot be written to (SQLite error %3).")
                             .arg(description, path)
                             .arg(status));
}

} // namespace updater
