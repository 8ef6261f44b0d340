#pragma once

// A recordset in the manner of ADO's on the Jet provider: opened on a table directly
// (CommandType TableDirect; Table or Unknown with a table's name), on a stored query by name
// (StoredProc; Table or Unknown with a query's name), or on Jet SQL text (Text; Unknown with
// anything else).
//
// Every cursor type behaves as Jet's keyset cursor: the set of rows is fixed when the
// recordset opens (rows others add later are not in it), rows it deletes stay skipped, and a
// row's values are read fresh from the table when the recordset moves onto it, so changes made
// through it, or by others to rows of the set, are seen. Only the ForwardOnly type differs, as
// in ADO: RecordCount is -1 and it cannot move backwards.
//
// Order: the Sort when set, else the Index when set (Jet's index order: text without regard to
// case, the JET collation), else table order (the order rows were added). Filter, Find and Seek
// work on that order; bookmarks (the rows' ids) stay valid across Filter, Sort and Index
// changes.
//
// Writes: a recordset on a table opened with a lock type other than ReadOnly can change it
// (setValue, AddNew, Update, CancelUpdate, Delete). Recordsets on a stored query or SQL text
// are read-only. Writes are plain SQLite INSERT/UPDATE/DELETE on the table, so the engine's
// rules (sizes, Required, Allow Zero Length, unique indexes, relations) apply and their errors
// arrive as jet::Error; a failed Update leaves the edit pending and writes nothing. As in ADO,
// moving off a row (or AddNew) with a pending edit saves it first.
//
// Durability: writes of a connection in autocommit mode are batched in one implicit
// transaction, as Jet does, so a loop that updates row by row does not commit each row. The
// batch is committed after 10000 writes or 500 ms, when control returns to the event loop
// (or pending events are processed), before any statement or transaction of any connection of
// this process on the file, when a write of another connection of this process needs the lock,
// and when the recordset or its connection closes. A crash loses at most that batch, never
// leaves a half-written row. The bounds are checked at each write: a program that stops
// writing keeps its batch (and the file's write lock, which other processes then wait for)
// until it next uses the file, closes, or lets pending events run. Inside a transaction of
// the connection (BeginTrans) writes are part of that transaction instead.
//
// Errors are jet::Error with ADO's and Jet's numbers: 3021 (no current record) at BOF/EOF,
// 0x80040E23 reading a row that was deleted, 3251 for writes to a read-only recordset and for
// Seek without an Index, 3265 for unknown fields and indexes, 3001 for malformed criteria,
// sort texts and bookmarks, 0x80004005 when another process holds the file's write lock
// (after the connection's lock timeout).

#include "jet/Connection.h"
#include "jet/ResultSet.h"
#include "vb/Variant.h"

#include <memory>
#include <QList>
#include <QString>

namespace jet {

enum class CursorType
{
    ForwardOnly = 0,
    Keyset = 1,
    Dynamic = 2,
    Static = 3,
};

enum class LockType
{
    ReadOnly = 1,
    Pessimistic = 2,
    Optimistic = 3,
    BatchOptimistic = 4,
};

enum class CommandType
{
    Text = 1,
    Table = 2,
    StoredProc = 4,
    Unknown = 8,
    TableDirect = 512,
};

enum class SeekOption
{
    FirstEQ = 1,
    LastEQ = 2,
    AfterEQ = 4,
    After = 8,
    BeforeEQ = 16,
    Before = 32,
};

enum class SearchDirection
{
    Forward = 1,
    Backward = -1,
};

enum class EditMode
{
    None = 0,
    InProgress = 1,
    Add = 2,
};

class Recordset
{
public:
    Recordset();
    // Closes; a pending edit is discarded, as when ADO releases a recordset.
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept; // the recordset assigned to is closed first

    // The connection must stay open while the recordset is used; the recordset does not use
    // the Connection object after open().
    void open(const QString& source, Connection& connection,
              CursorType cursorType = CursorType::ForwardOnly,
              LockType lockType = LockType::ReadOnly,
              CommandType commandType = CommandType::Unknown);
    // Raises 3219 while an edit is pending (Update or CancelUpdate it first).
    void close();
    bool isOpen() const noexcept;
    CursorType cursorType() const;
    LockType lockType() const;
    EditMode editMode() const;

    // The Jet index name ("PrimaryKey"); "" for table order. Recordsets on tables only.
    QString index() const;
    void setIndex(const QString& jetIndexName);
    // Positions on the row the key values (in index column order; fewer than the index has
    // compare only the leading columns) and the option pick; EOF when there is none.
    void seek(const QList<vb::Variant>& keyValues, SeekOption option = SeekOption::FirstEQ);

    QString filter() const;
    // "" clears the filter. Moves to the first row that passes.
    void setFilter(const QString& criteria);
    QString sort() const;
    void setSort(const QString& sort);
    // One criterion; from the current row (or `start`, a bookmark) plus skipRecords rows.
    // Not found: EOF searching forward, BOF backward.
    void find(const QString& criteria, qint64 skipRecords = 0,
              SearchDirection searchDirection = SearchDirection::Forward,
              const vb::Variant& start = {});

    vb::Variant bookmark() const;
    void setBookmark(const vb::Variant& bookmark);
    qint64 recordCount() const;
    bool bof() const;
    bool eof() const;
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();

    int fieldCount() const;
    const Field& field(int index) const;
    int fieldIndex(const QString& name) const; // case-insensitive; -1
    vb::Variant value(int index) const;
    vb::Variant value(const QString& name) const;
    void setValue(int index, const vb::Variant& value);
    void setValue(const QString& name, const vb::Variant& value);

    void addNew();
    void update();
    void cancelUpdate();
    void deleteCurrent(); // ADO's Delete: the current row

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace jet
