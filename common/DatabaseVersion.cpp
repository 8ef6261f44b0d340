#include "DatabaseVersion.h"

#include "DatabaseConnections.h"
#include "platform/jet/Connection.h"
#include "platform/vb/Error.h"

namespace DatabaseHelpers {

namespace {

const QString source = QStringLiteral("DatabaseHelpers");

[[noreturn]] void noVersionRow(const jet::Connection& connection)
{
    throw vb::Error(vb::ErrorNumber::InvalidUseOfNull,
                    QStringLiteral("The version table tblDBVer of %1 holds no row.")
                        .arg(connection.databasePath()),
                    source);
}

} // namespace

std::int16_t ReadDBVersion(jet::Connection& connection)
{
    jet::ResultSet rows = connection.execute(QStringLiteral("SELECT Version FROM tblDBVer"));
    if (rows.eof())
        noVersionRow(connection);
    const vb::Variant version = rows.value(0);
    rows.close();
    if (version.isNull())
        throw vb::Error(vb::ErrorNumber::InvalidUseOfNull,
                        QStringLiteral("The version in tblDBVer of %1 is empty (Null).")
                            .arg(connection.databasePath()),
                        source);
    return version.toInteger();
}

void SetDBVersion(int kind, std::int16_t version)
{
    const std::optional<DatabaseKind> databaseKind = databaseKindFromNumber(kind);
    if (!databaseKind)
        return;
    DatabaseConnections* const connections = DatabaseConnections::current();
    jet::Connection* const connection =
        connections != nullptr ? connections->connection(*databaseKind) : nullptr;
    if (connection == nullptr || !connection->isOpen())
        throw vb::Error(vb::ErrorNumber::ObjectVariableNotSet,
                        QStringLiteral("The %1 is not open, so its version cannot be set to %2.")
                            .arg(databaseDescription(*databaseKind))
                            .arg(version),
                        source);
    qint64 changed = 0;
    connection->execute(QStringLiteral("UPDATE tblDBVer SET Version = %1").arg(version), &changed);
    if (changed == 0)
        noVersionRow(*connection);
}

} // namespace DatabaseHelpers
