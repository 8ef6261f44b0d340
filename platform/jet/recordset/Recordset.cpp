#include "Recordset.h"

#include "ColumnValue.h"
#include "FilterCriteria.h"
#include "jet/Error.h"
#include "jet/schema/TableSchema.h"
#include "jet/Session.h"
#include "jet/sql/JetSql.h"
#include "RecordSource.h"
#include "SeekQuery.h"
#include "SortOrder.h"

#include <algorithm>
#include <map>
#include <optional>
#include <QHash>
#include <sqlite3.h>
#include <tuple>
#include <unordered_set>
#include <vector>

namespace jet {

namespace {

Error recordsetError(int code, const QString& description)
{
    return Error(ErrorNumber::ado(code), description, recordsetSource);
}

Error closedError()
{
    return recordsetError(3704, QStringLiteral("Operation is not allowed when the object is "
                                               "closed."));
}

Error noCurrentRecord()
{
    return recordsetError(3021, QStringLiteral("Either BOF or EOF is True, or the current record "
                                               "has been deleted. Requested operation requires a "
                                               "current record."));
}

Error readOnlyError()
{
    return recordsetError(3251, QStringLiteral("Current Recordset does not support updating. This "
                                               "may be a limitation of the provider, or of the "
                                               "selected locktype."));
}

Error notInContext(const QString& detail)
{
    return recordsetError(
        3219, QStringLiteral("Operation is not allowed in this context. %1").arg(detail));
}

Error badArgument(const QString& detail)
{
    return Error::invalidArgument(detail, recordsetSource);
}

Error cannotFetchBackward()
{
    return Error(-2147217884, // 0x80040E24
                 QStringLiteral("Rowset does not support fetching backward. Open the recordset "
                                "with a keyset or static cursor to move backwards."),
                 QStringLiteral("Microsoft OLE DB Provider for Jet"));
}

Error inputNotFound(const QString& name)
{
    return Error::inputTableNotFound(name);
}

QString unbracketed(const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.size() >= 2 && trimmed.front() == u'[' && trimmed.back() == u']') {
        return trimmed.mid(1, trimmed.size() - 2);
    }
    return trimmed;
}

} // namespace

struct Recordset::State
{
    std::shared_ptr<detail::Session> session;
    std::unique_ptr<detail::RecordSource> source;
    CursorType cursorType = CursorType::ForwardOnly;
    LockType lockType = LockType::ReadOnly;

    // The keyset: the ids of the rows of the set, ascending (table order).
    std::vector<qint64> keys;
    std::unordered_set<qint64> deleted;
    // The rows in the current order that pass the filter; position -1 is BOF, size() EOF.
    std::vector<qint64> view;
    bool viewAscending = true;
    mutable std::optional<QHash<qint64, qsizetype>> viewPositions;
    qsizetype position = 0;
    qsizetype visibleCount = 0;

    QString indexName;
    std::optional<IndexSchema> index;
    // Seek statements of the index, by option and number of key values.
    std::map<std::pair<int, qsizetype>, sqlite3_stmt*> seekStatements;
    QString filterText;
    QString filterSql;
    QList<vb::Variant> filterParameters;
    QString sortText;
    QString sortSql;

    // The current row's values, read when first asked for after a move. Inside a batch the
    // row is only found, and each value read when asked for (fieldsRead); outside one the
    // whole row is read at once (fieldsRead empty).
    mutable std::vector<vb::Variant> row;
    mutable std::vector<bool> fieldsRead;
    mutable std::optional<qint64> rowLoaded;

    EditMode editMode = EditMode::None;
    detail::FieldValues edits;
    qsizetype positionBeforeAdd = 0;

    bool updatable() const { return source->table() != nullptr && lockType != LockType::ReadOnly; }
    bool onRow() const { return position >= 0 && position < static_cast<qsizetype>(view.size()); }
    bool isDeleted(qint64 id) const { return !deleted.empty() && deleted.count(id) != 0; }

    qint64 currentId() const
    {
        if (!onRow()) {
            throw noCurrentRecord();
        }
        const qint64 id = view[position];
        if (isDeleted(id)) {
            throw detail::deletedRowError();
        }
        return id;
    }

    // Finds the current row; raises when there is none or it is gone (deleted by another user).
    qint64 loadCurrentRow() const
    {
        const qint64 id = currentId();
        if (rowLoaded == id) {
            return id;
        }
        if (source->session().inBatch()) {
            if (!source->locate(id)) {
                throw detail::deletedRowError();
            }
            row.assign(source->fields().size(), vb::Variant());
            fieldsRead.assign(source->fields().size(), false);
        } else {
            if (!source->readRow(id, row)) {
                throw detail::deletedRowError();
            }
            fieldsRead.clear();
        }
        rowLoaded = id;
        return id;
    }

    const vb::Variant& currentValue(int index) const
    {
        const qint64 id = loadCurrentRow();
        const auto at = static_cast<size_t>(index);
        if (!fieldsRead.empty() && !fieldsRead[at]) {
            row[at] = source->readLocated(id, index);
            fieldsRead[at] = true;
        }
        return row[at];
    }

    void setPosition(qsizetype newPosition)
    {
        position = newPosition;
        rowLoaded.reset();
    }

    std::optional<qsizetype> viewPosition(qint64 id) const
    {
        if (viewAscending) {
            const auto found = std::lower_bound(view.begin(), view.end(), id);
            if (found != view.end() && *found == id) {
                return found - view.begin();
            }
            return std::nullopt;
        }
        if (!viewPositions) {
            viewPositions.emplace();
            viewPositions->reserve(static_cast<qsizetype>(view.size()));
            for (size_t i = 0; i < view.size(); ++i) {
                viewPositions->insert(view[i], static_cast<qsizetype>(i));
            }
        }
        const auto found = viewPositions->constFind(id);
        return found == viewPositions->constEnd() ? std::nullopt : std::optional(*found);
    }

    bool inKeyset(qint64 id) const { return std::binary_search(keys.begin(), keys.end(), id); }

    QString orderSql() const
    {
        if (!sortSql.isEmpty()) {
            return sortSql;
        }
        return index ? detail::indexOrderSql(*index, *source, false) : QString();
    }

    void rebuildView()
    {
        const QString order = orderSql();
        std::vector<qint64> rows;
        if (filterSql.isEmpty() && order.isEmpty()) {
            rows.reserve(keys.size());
            for (const qint64 id : keys) {
                if (!isDeleted(id)) {
                    rows.push_back(id);
                }
            }
        } else {
            for (const qint64 id : source->rowids(filterSql, filterParameters, order)) {
                if (inKeyset(id) && !isDeleted(id)) {
                    rows.push_back(id);
                }
            }
        }
        view = std::move(rows);
        viewAscending = order.isEmpty();
        viewPositions.reset();
        visibleCount = static_cast<qsizetype>(view.size());
        firstVisible();
    }

    // Changes the filter, sort or index and rebuilds the view; when that fails the recordset
    // keeps the old ones and its view.
    template <typename Change>
    void changeView(Change&& change)
    {
        auto saved = std::tuple(filterText, filterSql, filterParameters, sortText, sortSql, index,
                                indexName);
        change();
        try {
            rebuildView();
        } catch (...) {
            std::tie(filterText, filterSql, filterParameters, sortText, sortSql, index, indexName) =
                std::move(saved);
            throw;
        }
    }

    void firstVisible()
    {
        qsizetype at = 0;
        while (at < static_cast<qsizetype>(view.size()) && isDeleted(view[at])) {
            ++at;
        }
        setPosition(at);
    }

    void addKey(qint64 id)
    {
        // A new row's id is normally above all others; an id freed by a delete may come back.
        deleted.erase(id);
        const auto at = std::lower_bound(keys.begin(), keys.end(), id);
        if (at == keys.end() || *at != id) {
            keys.insert(at, id);
        }
        const std::optional<qsizetype> existing = viewPosition(id);
        if (existing) {
            setPosition(*existing);
        } else {
            if (viewAscending && !view.empty() && view.back() > id) {
                viewAscending = false;
            }
            view.push_back(id);
            if (viewPositions) {
                viewPositions->insert(id, static_cast<qsizetype>(view.size()) - 1);
            }
            setPosition(static_cast<qsizetype>(view.size()) - 1);
        }
        ++visibleCount;
    }
};

Recordset::Recordset() = default;
Recordset::Recordset(Recordset&&) noexcept = default;

Recordset& Recordset::operator=(Recordset&& other) noexcept
{
    if (this != &other) {
        Recordset discarded(std::move(*this)); // closed as it goes
        m_state = std::move(other.m_state);
    }
    return *this;
}

Recordset::~Recordset()
{
    if (!m_state) {
        return;
    }
    m_state->editMode = EditMode::None;
    try {
        close();
    } catch (const vb::Error&) {
        // A destructor cannot report; the batch stays with the connection, which commits it.
    }
}

bool Recordset::isOpen() const noexcept
{
    return m_state && m_state->session && m_state->session->isOpen();
}

namespace {

// The state of an open recordset, or the closed error.
template <typename StatePointer>
auto& openState(const StatePointer& state)
{
    if (!state || !state->session || !state->session->isOpen()) {
        throw closedError();
    }
    return *state;
}

} // namespace

void Recordset::open(const QString& source, Connection& connection, CursorType cursorType,
                     LockType lockType, CommandType commandType)
{
    if (m_state && !isOpen()) {
        m_state.reset(); // its connection was closed under it
    }
    if (m_state) {
        throw recordsetError(3705, QStringLiteral("Operation is not allowed when the object is "
                                                  "open."));
    }
    if (!connection.isOpen()) {
        throw Error::connectionUnusable();
    }
    auto state = std::make_unique<State>();
    state->session = connection.session();
    state->cursorType = cursorType;
    state->lockType = lockType;
    // Reads see what recordsets of other connections of this process wrote.
    state->session->commitBatchesOnFile(false);
    sqlite3* db = connection.handle();

    const QString name = unbracketed(source);
    const bool byName = commandType == CommandType::TableDirect ||
                        commandType == CommandType::Table || commandType == CommandType::Unknown;
    std::optional<TableSchema> table = byName ? readTableSchema(db, name) : std::nullopt;
    std::optional<QString> queryText;
    if (table) {
        state->source = std::make_unique<detail::RecordSource>(state->session, std::move(*table));
    } else if (commandType == CommandType::TableDirect) {
        throw inputNotFound(name);
    } else if (commandType != CommandType::Text) {
        // ADO reads a "table" command as SELECT * FROM it, which a stored query answers too.
        if (const std::optional<StoredQuerySchema> query = storedQuery(db, name)) {
            queryText = query->jetText;
        } else if (commandType != CommandType::Unknown) {
            throw inputNotFound(name);
        }
    }
    if (!state->source) {
        const TranslatedStatement statement =
            translate(queryText.value_or(source), connection.translateOptions());
        if (statement.kind != StatementKind::Select || statement.sqlite.isEmpty()) {
            throw badArgument(
                QStringLiteral("A recordset opens on a table, a stored query or a SELECT "
                               "statement; run other statements with the connection's Execute."));
        }
        if (!statement.parameters.isEmpty()) {
            throw Error::missingParameters(statement.parameters);
        }
        state->source = std::make_unique<detail::RecordSource>(state->session, statement.sqlite,
                                                               statement.resultTypes);
    }
    state->keys = state->source->rowids({}, {}, {});
    state->rebuildView();
    m_state = std::move(state);
}

void Recordset::close()
{
    State& state = openState(m_state);
    if (state.editMode != EditMode::None) {
        throw notInContext(QStringLiteral("An edit is pending: call Update or CancelUpdate "
                                          "before Close."));
    }
    const std::shared_ptr<detail::Session> session = state.session;
    m_state.reset();
    session->commitBatch();
}

CursorType Recordset::cursorType() const
{
    return openState(m_state).cursorType;
}

LockType Recordset::lockType() const
{
    return openState(m_state).lockType;
}

EditMode Recordset::editMode() const
{
    return openState(m_state).editMode;
}

QString Recordset::index() const
{
    return openState(m_state).indexName;
}

void Recordset::setIndex(const QString& jetIndexName)
{
    State& state = openState(m_state);
    const TableSchema* table = state.source->table();
    if (!table) {
        throw recordsetError(3251, QStringLiteral("Current provider does not support the "
                                                  "necessary interface for Index functionality. "
                                                  "Only a recordset on a table has indexes."));
    }
    std::optional<IndexSchema> index;
    if (!jetIndexName.isEmpty()) {
        const IndexSchema* found = table->index(jetIndexName);
        if (!found) {
            throw Error::itemNotFound(QStringLiteral("%1: no index of that name on table %2")
                                          .arg(jetIndexName, table->name),
                                      recordsetSource);
        }
        index = *found;
    }
    if (state.editMode != EditMode::None) {
        update();
    }
    state.seekStatements.clear();
    state.changeView([&] {
        state.index = std::move(index);
        state.indexName = state.index ? state.index->name : QString();
    });
}

void Recordset::seek(const QList<vb::Variant>& keyValues, SeekOption option)
{
    State& state = openState(m_state);
    if (!state.index) {
        throw recordsetError(3251, QStringLiteral("Current provider does not support the "
                                                  "necessary interface for Index functionality. "
                                                  "Set the recordset's Index before Seek."));
    }
    const IndexSchema& index = *state.index;
    if (keyValues.isEmpty() || keyValues.size() > index.columns.size()) {
        throw badArgument(QStringLiteral("Index %1 has %2 key column(s); Seek was given %3 "
                                         "value(s).")
                              .arg(index.name)
                              .arg(index.columns.size())
                              .arg(keyValues.size()));
    }
    if (state.editMode != EditMode::None) {
        update();
    }
    state.session->commitBatchesOnFile(false);
    QList<vb::Variant> keys;
    for (int i = 0; i < keyValues.size(); ++i) {
        const int column = state.source->fieldIndex(index.columns.at(i).name);
        keys.append(detail::toFieldType(keyValues.at(i), state.source->fields().at(column)));
    }
    detail::RecordSource& source = *state.source;
    sqlite3_stmt*& statement = state.seekStatements[{static_cast<int>(option), keys.size()}];
    if (!statement) {
        statement =
            source.prepared(detail::seekSql(index, source, static_cast<int>(keys.size()), option));
    }
    sqlite3_reset(statement);
    detail::RecordSource::bindAll(statement, keys);
    while (source.step(statement)) {
        const qint64 id = sqlite3_column_int64(statement, 0);
        const std::optional<qsizetype> at = state.viewPosition(id);
        if (at && !state.isDeleted(id)) {
            state.setPosition(*at);
            source.readValues(statement, 1, state.row);
            state.fieldsRead.clear();
            state.rowLoaded = id;
            sqlite3_reset(statement);
            return;
        }
    }
    state.setPosition(static_cast<qsizetype>(state.view.size()));
}

QString Recordset::filter() const
{
    return openState(m_state).filterText;
}

void Recordset::setFilter(const QString& criteria)
{
    State& state = openState(m_state);
    QString sql;
    QList<vb::Variant> parameters;
    if (!criteria.trimmed().isEmpty()) {
        const detail::FilterCriteria parsed = detail::FilterCriteria::parse(criteria);
        sql = parsed.toSql(state.source->resolver(), parameters);
    }
    if (state.editMode != EditMode::None) {
        update();
    }
    state.session->commitBatchesOnFile(false);
    state.changeView([&] {
        state.filterText = criteria.trimmed().isEmpty() ? QString() : criteria;
        state.filterSql = sql;
        state.filterParameters = parameters;
    });
}

QString Recordset::sort() const
{
    return openState(m_state).sortText;
}

void Recordset::setSort(const QString& sort)
{
    State& state = openState(m_state);
    QStringList terms;
    for (const detail::SortKey& key : detail::parseSortOrder(sort)) {
        const int column = state.source->fieldIndex(key.field);
        if (column < 0) {
            throw Error::itemNotFound(key.field, recordsetSource);
        }
        terms.append(state.source->sqlColumn(column) +
                     (key.descending ? QStringLiteral(" DESC") : QString()));
    }
    if (state.editMode != EditMode::None) {
        update();
    }
    state.session->commitBatchesOnFile(false);
    state.changeView([&] {
        state.sortText = terms.isEmpty() ? QString() : sort;
        state.sortSql = terms.join(QStringLiteral(", "));
    });
}

void Recordset::find(const QString& criteria, qint64 skipRecords, SearchDirection searchDirection,
                     const vb::Variant& start)
{
    State& state = openState(m_state);
    const detail::FilterCriteria parsed = detail::FilterCriteria::parse(criteria);
    if (!parsed.isSingleClause()) {
        throw badArgument(QStringLiteral("Find takes one criterion (\"%1\" has several); use "
                                         "Filter for more.")
                              .arg(criteria));
    }
    QList<vb::Variant> parameters;
    const QString where = parsed.toSql(state.source->resolver(), parameters);
    const bool forward = searchDirection != SearchDirection::Backward;
    if (!forward && state.cursorType == CursorType::ForwardOnly) {
        throw cannotFetchBackward();
    }
    qsizetype from = state.position;
    if (!start.isEmpty() && !start.isNull()) {
        setBookmark(start); // saves a pending edit and checks the bookmark
        from = state.position;
    } else if (state.editMode != EditMode::None) {
        update();
        from = state.position;
    }
    state.session->commitBatchesOnFile(false);
    const qsizetype size = static_cast<qsizetype>(state.view.size());
    const qsizetype step = forward ? 1 : -1;
    // A search that starts beyond an end starts at that end's row.
    if (forward && from < 0) {
        from = 0;
    } else if (!forward && from >= size) {
        from = size - 1;
    }
    sqlite3_stmt* match = state.source->matchStatement(where, static_cast<int>(parameters.size()));
    for (qsizetype at = from + step * skipRecords; at >= 0 && at < size; at += step) {
        const qint64 id = state.view[at];
        if (!state.isDeleted(id) && state.source->matches(match, id, parameters)) {
            state.setPosition(at);
            return;
        }
    }
    state.setPosition(forward ? size : -1);
}

vb::Variant Recordset::bookmark() const
{
    const State& state = openState(m_state);
    if (state.editMode == EditMode::Add || !state.onRow()) {
        throw noCurrentRecord();
    }
    return vb::Variant::fromInt64(state.view[state.position]);
}

void Recordset::setBookmark(const vb::Variant& bookmark)
{
    State& state = openState(m_state);
    std::optional<qsizetype> at;
    try {
        const double number = bookmark.toDouble();
        const auto id = static_cast<qint64>(number);
        if (static_cast<double>(id) == number) {
            at = state.viewPosition(id);
        }
    } catch (const vb::Error&) {
        at.reset();
    }
    if (!at) {
        throw badArgument(QStringLiteral("The bookmark is not one of a row of this recordset "
                                         "that passes its current Filter."));
    }
    if (state.editMode != EditMode::None) {
        update();
    }
    state.setPosition(*at);
    if (state.isDeleted(state.view[*at])) {
        throw detail::deletedRowError();
    }
}

qint64 Recordset::recordCount() const
{
    const State& state = openState(m_state);
    return state.cursorType == CursorType::ForwardOnly ? -1 : state.visibleCount;
}

bool Recordset::bof() const
{
    const State& state = openState(m_state);
    if (state.editMode == EditMode::Add) {
        return false;
    }
    return state.position < 0 || state.visibleCount == 0;
}

bool Recordset::eof() const
{
    const State& state = openState(m_state);
    if (state.editMode == EditMode::Add) {
        return false;
    }
    return state.position >= static_cast<qsizetype>(state.view.size()) || state.visibleCount == 0;
}

void Recordset::moveFirst()
{
    State& state = openState(m_state);
    if (state.editMode != EditMode::None) {
        update();
    }
    state.session->commitBatchesOnFile(false);
    state.firstVisible();
}

void Recordset::moveLast()
{
    State& state = openState(m_state);
    if (state.editMode != EditMode::None) {
        update();
    }
    state.session->commitBatchesOnFile(false);
    qsizetype at = static_cast<qsizetype>(state.view.size()) - 1;
    while (at >= 0 && state.isDeleted(state.view[at])) {
        --at;
    }
    state.setPosition(at < 0 ? static_cast<qsizetype>(state.view.size()) : at);
}

void Recordset::moveNext()
{
    State& state = openState(m_state);
    if (state.editMode != EditMode::None) {
        update();
    }
    if (eof()) {
        throw noCurrentRecord();
    }
    state.session->commitBatchesOnFile(false);
    qsizetype at = state.position + 1;
    while (at < static_cast<qsizetype>(state.view.size()) && state.isDeleted(state.view[at])) {
        ++at;
    }
    state.setPosition(at);
}

void Recordset::movePrevious()
{
    State& state = openState(m_state);
    if (state.cursorType == CursorType::ForwardOnly) {
        throw cannotFetchBackward();
    }
    if (state.editMode != EditMode::None) {
        update();
    }
    if (bof()) {
        throw noCurrentRecord();
    }
    state.session->commitBatchesOnFile(false);
    qsizetype at = state.position - 1;
    while (at >= 0 && state.isDeleted(state.view[at])) {
        --at;
    }
    state.setPosition(at);
}

int Recordset::fieldCount() const
{
    return static_cast<int>(openState(m_state).source->fields().size());
}

const Field& Recordset::field(int index) const
{
    const State& state = openState(m_state);
    if (index < 0 || index >= state.source->fields().size()) {
        throw Error::itemNotFound(QString::number(index), recordsetSource);
    }
    return state.source->fields().at(index);
}

int Recordset::fieldIndex(const QString& name) const
{
    return openState(m_state).source->fieldIndex(name);
}

vb::Variant Recordset::value(int index) const
{
    const State& state = openState(m_state);
    field(index);
    if (state.editMode != EditMode::None && state.edits[index]) {
        return *state.edits[index];
    }
    if (state.editMode == EditMode::Add) {
        return vb::Variant::null();
    }
    return state.currentValue(index);
}

vb::Variant Recordset::value(const QString& name) const
{
    const int index = fieldIndex(name);
    if (index < 0) {
        throw Error::itemNotFound(name, recordsetSource);
    }
    return value(index);
}

void Recordset::setValue(int index, const vb::Variant& value)
{
    State& state = openState(m_state);
    const Field& target = field(index);
    if (!state.updatable()) {
        throw readOnlyError();
    }
    const ColumnSchema& column = state.source->table()->columns.at(index);
    if (column.autoIncrement || column.type == JetType::Counter) {
        throw Error(-2147217887, // 0x80040E21
                    QStringLiteral("Multiple-step operation generated errors. Check each status "
                                   "value. The field '%1' is an AutoNumber: the database engine "
                                   "sets its value.")
                        .arg(target.name),
                    QStringLiteral("Microsoft OLE DB Provider for Jet"));
    }
    vb::Variant converted = detail::toFieldType(value, target);
    if (state.editMode == EditMode::None) {
        state.loadCurrentRow(); // there must be a current row, and it must still exist
        state.edits.assign(state.source->fields().size(), std::nullopt);
        state.editMode = EditMode::InProgress;
    }
    state.edits[index] = std::move(converted);
}

void Recordset::setValue(const QString& name, const vb::Variant& value)
{
    const int index = fieldIndex(name);
    if (index < 0) {
        throw Error::itemNotFound(name, recordsetSource);
    }
    setValue(index, value);
}

void Recordset::addNew()
{
    State& state = openState(m_state);
    if (!state.updatable()) {
        throw readOnlyError();
    }
    if (state.editMode != EditMode::None) {
        update();
    }
    state.positionBeforeAdd = state.position;
    state.edits.assign(state.source->fields().size(), std::nullopt);
    state.editMode = EditMode::Add;
}

namespace {

// Runs one write of the recordset inside the session's batch (see Recordset.h).
template <typename Write>
void batchedWrite(detail::Session& session, Write&& write)
{
    session.commitBatchesOnFile(false);
    session.beginBatch();
    try {
        write();
    } catch (const vb::Error& error) {
        session.dropEmptyBatch();
        if (session.inBatch() && sqlite3_get_autocommit(session.db())) {
            // Only a failing disk makes the engine undo a whole transaction; say what it took.
            session.commitBatch(); // ends the batch the engine ended
            throw Error(error.number(),
                        error.description() +
                            QStringLiteral(" The database engine also undid this connection's "
                                           "recordset changes made since their last commit (at "
                                           "most half a second earlier)."),
                        error.source());
        }
        throw;
    }
    if (session.countBatchWrite()) {
        session.commitBatch();
    }
}

} // namespace

void Recordset::update()
{
    State& state = openState(m_state);
    if (state.editMode == EditMode::None) {
        return;
    }
    if (!state.updatable()) {
        throw readOnlyError();
    }
    if (state.editMode == EditMode::Add) {
        qint64 id = 0;
        batchedWrite(*state.session, [&] { id = state.source->insert(state.edits); });
        state.editMode = EditMode::None;
        state.edits.clear();
        state.addKey(id);
        return;
    }
    const qint64 id = state.currentId();
    batchedWrite(*state.session, [&] { state.source->update(id, state.edits); });
    state.editMode = EditMode::None;
    state.edits.clear();
    state.rowLoaded.reset(); // read back as the table holds it
}

void Recordset::cancelUpdate()
{
    State& state = openState(m_state);
    if (state.editMode == EditMode::Add) {
        state.setPosition(state.positionBeforeAdd);
    }
    state.editMode = EditMode::None;
    state.edits.clear();
    state.rowLoaded.reset();
}

void Recordset::deleteCurrent()
{
    State& state = openState(m_state);
    if (!state.updatable()) {
        throw readOnlyError();
    }
    if (state.editMode == EditMode::Add) {
        throw notInContext(QStringLiteral("A new row is being added: call Update or "
                                          "CancelUpdate before Delete."));
    }
    const qint64 id = state.currentId();
    batchedWrite(*state.session, [&] { state.source->remove(id); });
    state.editMode = EditMode::None;
    state.edits.clear();
    state.deleted.insert(id);
    --state.visibleCount;
    state.rowLoaded.reset();
}

} // namespace jet
