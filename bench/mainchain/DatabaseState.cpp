// stateOf: a database's schema objects and rows read with plain sqlite3 calls.

#include "DatabaseState.h"

#include "RawDatabase.h"

using namespace Qt::StringLiterals;

namespace mainchain {

namespace {

std::vector<SchemaObject> schemaOf(sqlite3* db)
{
    std::vector<SchemaObject> objects;
    RawStatement query(db, u"SELECT type, name, tbl_name, sql FROM sqlite_schema WHERE sql IS NOT "
                           "NULL AND name NOT LIKE 'sqlite%' ORDER BY rowid"_s);
    while (query.step())
        objects.push_back({query.text(0), query.text(1), query.text(2), query.text(3)});
    return objects;
}

StoredValue valueAt(sqlite3_stmt* statement, int column)
{
    StoredValue value;
    value.type = sqlite3_column_type(statement, column);
    if (value.type == SQLITE_INTEGER) {
        value.integer = sqlite3_column_int64(statement, column);
    } else if (value.type == SQLITE_FLOAT) {
        value.real = sqlite3_column_double(statement, column);
    } else if (value.type != SQLITE_NULL) {
        value.bytes = QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, column)),
                                 sqlite3_column_bytes(statement, column));
    }
    return value;
}

// The INTEGER PRIMARY KEY column, the only kind of key that is the rowid.
int keyColumnOf(sqlite3* db, const QString& table)
{
    RawStatement columns(db, u"SELECT cid, type, pk FROM pragma_table_info(?1)"_s);
    columns.bind(1, table);
    int key = -1;
    int keyParts = 0;
    while (columns.step()) {
        if (columns.integer(2) == 0)
            continue;
        ++keyParts;
        if (columns.text(1).compare(u"INTEGER"_s, Qt::CaseInsensitive) == 0)
            key = int(columns.integer(0));
    }
    return keyParts == 1 ? key : -1;
}

} // namespace

DatabaseState stateOf(sqlite3* db)
{
    DatabaseState state;
    state.objects = schemaOf(db);
    for (const SchemaObject& object : state.objects) {
        if (object.type != u"table"_s)
            continue;
        TableState& table = state.tables[object.name];
        table.createSql = object.sql;
        table.keyColumn = keyColumnOf(db, object.name);
        sqlite::StatementHandle rows;
        sqlite::prepare(db, (u"SELECT * FROM "_s + quoted(object.name)).toUtf8(), rows);
        const int columns = sqlite3_column_count(rows.get());
        for (int column = 0; column < columns; ++column)
            table.columns << QString::fromUtf8(sqlite3_column_name(rows.get(), column));
        while (sqlite3_step(rows.get()) == SQLITE_ROW) {
            std::vector<StoredValue> row;
            row.reserve(columns);
            for (int column = 0; column < columns; ++column)
                row.push_back(valueAt(rows.get(), column));
            table.rows.push_back(std::move(row));
        }
    }
    return state;
}

} // namespace mainchain
