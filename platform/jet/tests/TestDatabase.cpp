#include "TestDatabase.h"

#include "jet/DatabaseFile.h"
#include "jet/DatabasePassword.h"

#include <QCryptographicHash>
#include <QFile>

namespace jet::test {

TestDatabase::TestDatabase(const QString& password, const QString& name)
    : m_path(m_dir.filePath(name))
{
    createDatabase(m_path, password);
}

QString TestDatabase::systemPassword()
{
    return DatabasePassword::systemPassword();
}

QString TestDatabase::connectionString(const QString& password) const
{
    return connectionStringFor(m_path, password);
}

QString TestDatabase::connectionStringFor(const QString& path, const QString& password)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path +
           QStringLiteral(";Jet OLEDB:Database Password=") + password;
}

QByteArray fileDigest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

void executeAll(Connection& connection, std::initializer_list<const char*> statements)
{
    for (const char* statement : statements) {
        connection.execute(QString::fromUtf8(statement));
    }
}

} // namespace jet::test
