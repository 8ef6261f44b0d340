#include "DatabasePassword.h"

#include "Error.h"
#include "SqliteStatement.h"

#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <sqlite3.h>

namespace jet {

namespace {

bool sameDigest(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size()) {
        return false;
    }
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i) {
        difference |= static_cast<unsigned char>(a.at(i) ^ b.at(i));
    }
    return difference == 0;
}

} // namespace

QString DatabasePassword::systemPassword()
{
    return QStringLiteral("vutmarelko");
}

QByteArray DatabasePassword::derive(const QString& password, const QByteArray& salt,
                                    int iterationCount)
{
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, password.toUtf8());
    // U1 = HMAC(P, S || INT(1)); Ui = HMAC(P, Ui-1); T = U1 ^ U2 ^ ... ^ Uc
    mac.addData(salt);
    mac.addData(QByteArray("\x00\x00\x00\x01", 4));
    QByteArray u = mac.result();
    QByteArray t = u;
    for (int i = 1; i < iterationCount; ++i) {
        mac.reset();
        mac.addData(u);
        u = mac.result();
        for (qsizetype j = 0; j < t.size(); ++j) {
            t[j] = static_cast<char>(t.at(j) ^ u.at(j));
        }
    }
    return t;
}

void DatabasePassword::store(sqlite3* db, const QString& password)
{
    QByteArray salt(saltSize, Qt::Uninitialized);
    QRandomGenerator::system()->generate(salt.begin(), salt.end());
    const QByteArray digest = derive(password, salt, iterations);

    detail::exec(db, QStringLiteral("CREATE TABLE %1 (Scheme TEXT NOT NULL, Iterations INTEGER "
                                    "NOT NULL, Salt BLOB NOT NULL, Digest BLOB NOT NULL)")
                         .arg(tableName));
    detail::SqliteStatement insert(
        db, QStringLiteral("INSERT INTO %1 (Scheme, Iterations, Salt, Digest) VALUES (?, ?, ?, ?)")
                .arg(tableName));
    insert.bind(1, scheme);
    insert.bind(2, iterations);
    insert.bind(3, salt);
    insert.bind(4, digest);
    insert.run();
}

void DatabasePassword::verify(sqlite3* db, const QString& path, const QString& password)
{
    detail::SqliteStatement query(
        db, QStringLiteral("SELECT Scheme, Iterations, Salt, Digest FROM %1").arg(tableName),
        [&path](int resultCode, const QString&) {
            const int primary = resultCode & 0xFF;
            return primary == SQLITE_BUSY || primary == SQLITE_LOCKED ||
                           primary == SQLITE_CANTOPEN || primary == SQLITE_PERM ||
                           primary == SQLITE_IOERR
                       ? Error::cannotOpenFile(path)
                       : Error::unrecognizedFormat(path);
        });
    bool hasRow = false;
    try {
        hasRow = query.step();
    } catch (const Error&) {
        throw Error::unrecognizedFormat(path);
    }
    if (!hasRow) {
        throw Error::unrecognizedFormat(path);
    }
    const QString storedScheme = query.columnText(0);
    const qint64 storedIterations = sqlite3_column_int64(query.get(), 1);
    const QByteArray salt = query.columnBlob(2);
    const QByteArray digest = query.columnBlob(3);
    if (storedScheme != scheme || storedIterations < minIterations ||
        storedIterations > maxIterations || salt.size() < 8 || salt.size() > 64 ||
        digest.size() != digestSize) {
        throw Error::unrecognizedFormat(path);
    }
    if (!sameDigest(derive(password, salt, static_cast<int>(storedIterations)), digest)) {
        throw Error::notValidPassword();
    }
}

} // namespace jet
