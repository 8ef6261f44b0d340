#pragma once

// The database password. Every database carries one; the file never holds it in clear text.
//
// Storage: the system table MSysDbPassword, one row:
//   Scheme     TEXT     'pbkdf2-hmac-sha256'
//   Iterations INTEGER  PBKDF2 iteration count (20000 when written by this version)
//   Salt       BLOB     16 random bytes, new for every database
//   Digest     BLOB     32 bytes: PBKDF2-HMAC-SHA256(UTF-8 password, Salt, Iterations)
// A file without that table, or with a row outside these rules, is not a database of ours.
//
// Only a database's own password opens it. The suite's programs create their databases with
// the system's password, which is why that one opens them; it opens no other database.

#include <QByteArray>
#include <QString>

struct sqlite3;

namespace jet {

class DatabasePassword
{
public:
    static inline const QString tableName = QStringLiteral("MSysDbPassword");
    static inline const QString scheme = QStringLiteral("pbkdf2-hmac-sha256");
    static constexpr int iterations = 20000;
    static constexpr int saltSize = 16;
    static constexpr int digestSize = 32;
    // Bounds accepted when reading, so a crafted file cannot make an open take forever.
    static constexpr int minIterations = 1000;
    static constexpr int maxIterations = 1000000;

    // The password the suite's programs give their own databases.
    static QString systemPassword();

    // PBKDF2-HMAC-SHA256 with one output block.
    static QByteArray derive(const QString& password, const QByteArray& salt, int iterations);

    // Creates the table and stores the password's digest with a fresh salt. Raises jet::Error.
    static void store(sqlite3* db, const QString& password);

    // Reads the stored digest and checks `password` against it. Raises unrecognizedFormat(path)
    // when the file has no valid password row, notValidPassword() when it does not match.
    static void verify(sqlite3* db, const QString& path, const QString& password);
};

} // namespace jet
