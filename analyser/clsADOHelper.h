#pragma once

// clsADOHelper: the analyser's database operations. It opens a database with the connection
// string of the suite's programs other than the updater, opens a table as a record set, and
// closes database objects without letting a failure to close escape.

#include "jet/Connection.h"
#include "jet/ConnectionString.h"
#include "jet/recordset/Recordset.h"

#include <memory>
#include <QString>
#include <stdexcept>

// Raised by OpenDatabase (errors trapped) when the database engine itself is missing: the
// provider named in the connection string is not installed. Nothing can be analysed then.
class DatabaseEngineMissing : public std::runtime_error
{
public:
    DatabaseEngineMissing() : std::runtime_error("database engine missing") {}
};

class clsADOHelper
{
public:
    static constexpr int kMaxBufferSize = 2048;

    // `provider` is the OLE DB provider named in the connection string; only tests pass
    // another one, to see what happens when the engine is missing.
    explicit clsADOHelper(QString provider = jet::ConnectionString::jetProvider);

    // Clears the file's read-only attribute, opens `cnn` on the file and, when the open
    // reported no error, sets "Jet OLEDB:Max Buffer Size" to 2048. With bTrapError a missing
    // engine raises DatabaseEngineMissing and any other failure raises the engine's error
    // (jet::Error); without it failures are left in cnn.errors() and nothing raises.
    void OpenDatabase(jet::Connection& cnn, const QString& sDBFullName, bool bTrapError) const;

    // Opens the record set on the table (or query) `sRecordset` directly, keyset cursor, read-only
    // or optimistic; then sets its index to `sIndex` when that is given and not already set.
    void OpenRecordset(jet::Recordset& tblRecordset, jet::Connection& dbDatabase,
                       const QString& sRecordset, bool bReadOnly, const QString& sIndex) const;

    // Closes the object, ignoring every error, and releases it.
    template <typename AdoObject>
    static void CloseADOObject(std::unique_ptr<AdoObject>& objADOObject) noexcept;

    // "Provider=...;Data Source=<path>;Persist Security Info=False;Jet OLEDB:Database
    // Password=..." (a path holding ";" or quotes is quoted, so it cannot be misread).
    QString connectionString(const QString& databasePath) const;

private:
    QString m_provider;
};

template <typename AdoObject>
void clsADOHelper::CloseADOObject(std::unique_ptr<AdoObject>& objADOObject) noexcept
{
    if (!objADOObject)
        return;
    try {
        objADOObject->close();
    } catch (...) {
        // Closing is best effort: the object is released either way.
    }
    objADOObject.reset();
}
