#pragma once

// A database in a temporary folder of its own, and helpers the engine tests share.

#include "jet/Connection.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace jet::test {

class TestDatabase
{
public:
    // Creates `name` in a fresh folder with the given password.
    explicit TestDatabase(const QString& password = systemPassword(),
                          const QString& name = QStringLiteral("cellar test.qvd"));

    const QString& path() const noexcept { return m_path; }
    QString folder() const { return m_dir.path(); }
    QString connectionString(const QString& password = systemPassword()) const;

    static QString systemPassword();
    static QString connectionStringFor(const QString& path, const QString& password);

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// SHA-256 of a file's bytes (empty when it cannot be read).
QByteArray fileDigest(const QString& path);

// Runs every statement, raising on the first failure.
void executeAll(Connection& connection, std::initializer_list<const char*> statements);

} // namespace jet::test
