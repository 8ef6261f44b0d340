#include "DatabasePassword.h"

#include "Error.h"
#include "SqliteStatement.h"

#include <openssl/evp.h>
#include <QCryptographicHash>
#include <QHash>
#include <QMutex>
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

// Digests this process has already derived: (salt, iterations, password) -> digest. PBKDF2 is
// slow on purpose, against guessing from a stolen file; a program that opens the same database
// many times (every report, every update step) derives its digest once. Only what the process
// computed itself is kept, and only in its memory.
class DerivedDigests
{
public:
    static DerivedDigests& instance()
    {
        static DerivedDigests digests;
        return digests;
    }

    QByteArray digest(const QString& password, const QByteArray& salt, int iterations)
    {
        const QByteArray key = keyOf(password, salt, iterations);
        {
            const QMutexLocker lock(&m_mutex);
            if (const auto it = m_digests.constFind(key); it != m_digests.constEnd())
                return *it;
        }
        const QByteArray derived = DatabasePassword::derive(password, salt, iterations);
        const QMutexLocker lock(&m_mutex);
        if (m_digests.size() >= kMaxEntries)
            m_digests.clear();
        m_digests.insert(key, derived);
        return derived;
    }

private:
    static constexpr qsizetype kMaxEntries = 256;

    static QByteArray keyOf(const QString& password, const QByteArray& salt, int iterations)
    {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        hash.addData(salt);
        hash.addData(QByteArray::number(iterations));
        hash.addData(password.toUtf8());
        return hash.result();
    }

    QMutex m_mutex;
    QHash<QByteArray, QByteArray> m_digests;
};

} // namespace

QString DatabasePassword::systemPassword()
{
    return QStringLiteral("vutmarelko");
}

QByteArray DatabasePassword::derive(const QString& password, const QByteArray& salt,
                                    int iterationCount)
{
    // PBKDF2-HMAC-SHA256 from libcrypto: the same digest as the textbook loop, a few times
    // faster, which every database creation and first open pays for.
    const QByteArray utf8 = password.toUtf8();
    QByteArray digest(digestSize, Qt::Uninitialized);
    const int ok = PKCS5_PBKDF2_HMAC(
        utf8.constData(), int(utf8.size()),
        reinterpret_cast<const unsigned char*>(salt.constData()), int(salt.size()), iterationCount,
        EVP_sha256(), int(digest.size()), reinterpret_cast<unsigned char*>(digest.data()));
    if (ok != 1) {
        throw Error(ErrorNumber::Unspecified,
                    QStringLiteral("The database password could not be checked (the key "
                                   "derivation failed)."));
    }
    return digest;
}

void DatabasePassword::store(sqlite3* db, const QString& password)
{
    QByteArray salt(saltSize, Qt::Uninitialized);
    QRandomGenerator::system()->generate(salt.begin(), salt.end());
    const QByteArray digest = DerivedDigests::instance().digest(password, salt, iterations);

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
    const QByteArray derived =
        DerivedDigests::instance().digest(password, salt, static_cast<int>(storedIterations));
    if (!sameDigest(derived, digest)) {
        throw Error::notValidPassword();
    }
}

} // namespace jet
