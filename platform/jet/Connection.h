#pragma once

// A connection to a database of the suite, in the manner of an ADO connection on the Jet
// provider: open with a connection string (see ConnectionString.h) naming the Jet provider, the
// file and its password; execute Jet SQL; nest transactions; read the provider's errors.
//
// Every failure raises jet::Error (a vb::Error) and is also kept in errors() until the next
// operation succeeds. tryOpen() is the open whose errors are suppressed: it never raises, and
// the caller inspects errors().
//
// Several connections to one file may be open at once. Reads never wait for writers (the file
// is kept in write-ahead-log mode); a write that meets another session's write lock waits up to
// lockTimeout() and then fails with 0x80004005 "currently locked", or fails at once when the
// lock belongs to a connection of this thread, which cannot let go while we wait.

#include "ConnectionString.h"
#include "Errors.h"
#include "ResultSet.h"
#include "vb/Variant.h"

#include <chrono>
#include <memory>
#include <optional>
#include <QSet>
#include <QString>

struct sqlite3;

namespace jet {

struct TranslateOptions;
struct StoredQuerySchema;

namespace detail {
class Session;
}

enum class ObjectState
{
    Closed = 0,
    Open = 1,
};

class Connection
{
public:
    static inline const QString maxBufferSizeProperty = QStringLiteral("Jet OLEDB:Max Buffer Size");
    static constexpr std::chrono::milliseconds defaultLockTimeout{5000};

    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    QString connectionString() const { return m_connectionString; }
    // Raises "object is open" while open.
    void setConnectionString(const QString& connectionString);

    // An empty connection string uses the one set before. The user name and password are those
    // of a workgroup, which our databases do not have; they are accepted and ignored, as are
    // the options.
    void open(const QString& connectionString = {}, const QString& userId = {},
              const QString& password = {}, int options = -1);
    // open() with its errors suppressed: false on failure, with the reason in errors().
    bool tryOpen(const QString& connectionString = {}, const QString& userId = {},
                 const QString& password = {}, int options = -1) noexcept;
    // Rolls back a pending transaction and closes. Result sets of this connection stop working.
    void close();
    ObjectState state() const noexcept;
    bool isOpen() const noexcept { return state() == ObjectState::Open; }

    // Runs one Jet SQL statement. Action queries return a closed ResultSet and set
    // *recordsAffected; a SELECT returns its rows (and sets *recordsAffected to -1).
    ResultSet execute(const QString& jetSql, qint64* recordsAffected = nullptr);

    // Returns the new nesting level (1 for the outermost transaction).
    int beginTrans();
    void commitTrans();
    void rollbackTrans();
    int transactionLevel() const noexcept { return m_transactionLevel; }

    const Errors& errors() const noexcept { return m_errors; }

    // Connection properties by name (case-insensitive): "Jet OLEDB:Max Buffer Size" (KB of page
    // cache; 0 is the default), "Data Source", "Provider" and "Jet OLEDB:Database Password"
    // (write-only: reads give ""). Unknown names raise ADO's "item not found".
    vb::Variant property(const QString& name) const;
    void setProperty(const QString& name, const vb::Variant& value);

    std::chrono::milliseconds lockTimeout() const noexcept { return m_lockTimeout; }
    void setLockTimeout(std::chrono::milliseconds timeout);

    // For the layers built on a connection (catalog, recordsets): the open SQLite handle, or
    // nullptr, and the database file.
    sqlite3* handle() const noexcept;
    QString databasePath() const;
    // The open session (shared with what reads through it, so it outlives a close), or nullptr.
    std::shared_ptr<detail::Session> session() const noexcept { return m_session; }
    // What the translator needs to know about this database's names.
    TranslateOptions translateOptions() const;

private:
    template <typename Operation>
    auto recorded(Operation&& operation);
    void openDatabase(const QString& connectionString);
    void requireOpen() const;
    void applyCacheSize();
    void forgetLostTransaction();
    const QSet<QString>& knownNames() const;
    QStringList storedQueryColumns(const StoredQuerySchema& query) const;
    std::optional<QString> storedQueryText(const QString& name) const;

    QString m_connectionString;
    std::shared_ptr<detail::Session> m_session;
    Errors m_errors;
    int m_transactionLevel = 0;
    int m_maxBufferSizeKb = 0;
    std::chrono::milliseconds m_lockTimeout = defaultLockTimeout;
    mutable QSet<QString> m_knownNames;
    mutable qint64 m_knownNamesVersion = -1;
};

} // namespace jet
