// writeEndState: a given end state written into a database with plain sqlite3 calls.

#include "EndStateWriter.h"

#include "RawDatabase.h"

using namespace Qt::StringLiterals;

namespace mainchain {

namespace {

void bindStored(sqlite3_stmt* statement, int index, const StoredValue& value)
{
    switch (value.type) {
    case SQLITE_INTEGER:
        sqlite3_bind_int64(statement, index, value.integer);
        break;
    case SQLITE_FLOAT:
        sqlite3_bind_double(statement, index, value.real);
        break;
    case SQLITE_TEXT:
        sqlite3_bind_text(statement, index, value.bytes.constData(), int(value.bytes.size()),
                          SQLITE_STATIC);
        break;
    case SQLITE_BLOB:
        sqlite3_bind_blob(statement, index, value.bytes.constData(), int(value.bytes.size()),
                          SQLITE_STATIC);
        break;
    default:
        sqlite3_bind_null(statement, index);
    }
}

void fillTable(const RawDatabase& db, const QString& name, const TableState& table)
{
    QStringList places;
    for (qsizetype column = 0; column < table.columns.size(); ++column)
        places << u"?"_s;
    RawStatement statement =
        db.prepare(u"INSERT INTO %1 VALUES (%2)"_s.arg(quoted(name), places.join(u',')));
    for (const std::vector<StoredValue>& row : table.rows) {
        for (std::size_t column = 0; column < row.size(); ++column)
            bindStored(statement.handle(), int(column) + 1, row[column]);
        statement.run();
    }
}

} // namespace

void writeEndState(const QString& path, const DatabaseState& before, const DatabaseState& target)
{
    const RawDatabase db(path);
    db.exec(u"PRAGMA foreign_keys = OFF; BEGIN"_s);
    for (const SchemaObject& object : before.objects) {
        if (object.type == u"index"_s || object.type == u"trigger"_s || object.type == u"view"_s)
            db.exec(u"DROP %1 IF EXISTS %2"_s.arg(object.type.toUpper(), quoted(object.name)));
    }
    for (const auto& [name, table] : target.tables) {
        const auto old = before.tables.find(name);
        const bool same = old != before.tables.end() && old->second.createSql == table.createSql &&
                          old->second.rows.size() == table.rows.size();
        if (same)
            continue;
        if (old != before.tables.end())
            db.exec(u"DROP TABLE "_s + quoted(name));
        db.exec(table.createSql);
        fillTable(db, name, table);
    }
    for (const auto& [name, table] : before.tables) {
        if (!target.tables.count(name))
            db.exec(u"DROP TABLE "_s + quoted(name));
    }
    for (const SchemaObject& object : target.objects) {
        if (object.type != u"table"_s)
            db.exec(object.sql);
    }
    db.exec(u"COMMIT"_s);
}

} // namespace mainchain
