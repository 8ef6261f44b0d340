#include "DatabaseConnection.h"

#include "platform/jet/Connection.h"

namespace DatabaseHelpers {

namespace {

const QString providerPart = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;");

// A value the connection string reads back unchanged: as is when it holds no ";" and does not
// start with a quote or blank, else in double quotes with inner quotes doubled.
QString dataSourceValue(const QString& path)
{
    const bool needsQuotes = path.contains(QLatin1Char(';')) || path.startsWith(QLatin1Char('"')) ||
                             path.startsWith(QLatin1Char('\'')) || path != path.trimmed();
    if (!needsQuotes)
        return path;
    QString quoted = path;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QString UpdaterConnectionString(const QString& fullPath)
{
    return providerPart + QStringLiteral("Data Source=") + dataSourceValue(fullPath) +
           QStringLiteral(";Jet OLEDB:Database Password=") + DatabasePassword;
}

QString ProgramConnectionString(const QString& fullPath)
{
    return providerPart + QStringLiteral("Data Source=") + dataSourceValue(fullPath) +
           QStringLiteral(";Persist Security Info=False;Jet OLEDB:Database Password=") +
           DatabasePassword;
}

void OpenDatabase(jet::Connection& connection, const QString& fullPath, bool raiseErrors)
{
    const QString connectionString = UpdaterConnectionString(fullPath);
    if (raiseErrors)
        connection.open(connectionString, QString(), QString());
    else
        connection.tryOpen(connectionString, QString(), QString());
}

} // namespace DatabaseHelpers
