#include "DdlExecutor.h"

#include "jet/SqliteStatement.h"
#include "SchemaEditor.h"
#include "TableSchema.h"

#include <sqlite3.h>

namespace jet {

namespace {

// Jet's name for a constraint written without one.
QString constraintName(const ConstraintDef& constraint, const QString& table, int number)
{
    if (!constraint.name.isEmpty()) {
        return constraint.name;
    }
    switch (constraint.kind) {
    case ConstraintDef::Kind::PrimaryKey:
        return QStringLiteral("PrimaryKey");
    case ConstraintDef::Kind::ForeignKey:
        return constraint.referencedTable + table;
    case ConstraintDef::Kind::Unique:
    case ConstraintDef::Kind::NotNull:
        break;
    }
    return QStringLiteral("Index_%1_%2").arg(table).arg(number);
}

std::optional<KeySchema> keyOf(const ConstraintDef& constraint, const QString& table, int number)
{
    KeySchema key;
    switch (constraint.kind) {
    case ConstraintDef::Kind::PrimaryKey:
        key.kind = KeySchema::Kind::Primary;
        break;
    case ConstraintDef::Kind::Unique:
        key.kind = KeySchema::Kind::Unique;
        break;
    case ConstraintDef::Kind::ForeignKey:
        key.kind = KeySchema::Kind::Foreign;
        break;
    case ConstraintDef::Kind::NotNull:
        return std::nullopt;
    }
    key.name = constraintName(constraint, table, number);
    key.columns = constraint.columns;
    key.relatedTable = constraint.referencedTable;
    key.relatedColumns = constraint.referencedColumns;
    key.onUpdate = constraint.onUpdate;
    key.onDelete = constraint.onDelete;
    return key;
}

IndexSchema indexOf(const IndexDef& definition)
{
    IndexSchema index;
    index.name = definition.name;
    index.columns = definition.columns;
    index.unique = definition.unique || definition.primary;
    index.primary = definition.primary;
    index.ignoreNulls = definition.ignoreNull;
    index.disallowNull = definition.disallowNull || definition.primary;
    return index;
}

// Column constraints of the statement's columns, as keys; NOT NULL goes to the column.
QList<KeySchema> columnKeys(const QList<ColumnDef>& columns, const QString& table, int& number)
{
    QList<KeySchema> keys;
    for (const ColumnDef& column : columns) {
        for (ConstraintDef constraint : column.constraints) {
            constraint.columns = QStringList{column.name};
            if (std::optional<KeySchema> key = keyOf(constraint, table, ++number)) {
                keys.append(*key);
            }
        }
    }
    return keys;
}

} // namespace

ColumnSchema DdlExecutor::columnSchema(const ColumnDef& column)
{
    ColumnSchema schema;
    schema.name = column.name;
    schema.type = column.type;
    schema.size = column.size;
    if (column.type == JetType::Decimal && column.precision > 0) {
        schema.precision = column.precision;
        schema.scale = column.scale;
    }
    schema.nullable = !column.notNull;
    for (const ConstraintDef& constraint : column.constraints) {
        if (constraint.kind == ConstraintDef::Kind::NotNull) {
            schema.nullable = false;
        }
    }
    schema.autoIncrement = column.type == JetType::Counter;
    schema.defaultSql = column.defaultSql;
    // Jet's DDL has no way to state Allow Zero Length: the property reads false, yet Jet
    // takes "" in such a column until the property is set explicitly.
    schema.allowZeroLength = false;
    schema.zeroLengthChecked = false;
    return schema;
}

void DdlExecutor::run(const DdlStatement& statement)
{
    SchemaEditor editor(m_db);
    int number = 0;
    switch (statement.action) {
    case DdlStatement::Action::None:
        return;
    case DdlStatement::Action::CreateTable: {
        TableSchema table;
        table.name = statement.table;
        for (const ColumnDef& column : statement.columns) {
            table.columns.append(columnSchema(column));
        }
        table.keys = columnKeys(statement.columns, statement.table, number);
        for (const ConstraintDef& constraint : statement.constraints) {
            if (std::optional<KeySchema> key = keyOf(constraint, statement.table, ++number)) {
                table.keys.append(*key);
            }
        }
        editor.createTable(table);
        return;
    }
    case DdlStatement::Action::AddColumn:
        for (const ColumnDef& column : statement.columns) {
            editor.addColumn(statement.table, columnSchema(column));
        }
        for (const KeySchema& key : columnKeys(statement.columns, statement.table, number)) {
            editor.addKey(statement.table, key);
        }
        return;
    case DdlStatement::Action::AlterColumn:
        for (const ColumnDef& column : statement.columns) {
            ColumnSchema schema = columnSchema(column);
            // The properties SQL cannot state stay as they were.
            if (const std::optional<TableSchema> table = readTableSchema(m_db, statement.table)) {
                const int at = table->columnIndex(column.name);
                if (at >= 0) {
                    schema.allowZeroLength = table->columns[at].allowZeroLength;
                    schema.zeroLengthChecked = table->columns[at].zeroLengthChecked;
                }
            }
            editor.alterColumn(statement.table, schema);
        }
        for (const KeySchema& key : columnKeys(statement.columns, statement.table, number)) {
            editor.addKey(statement.table, key);
        }
        return;
    case DdlStatement::Action::DropColumn:
        editor.dropColumn(statement.table, statement.name);
        return;
    case DdlStatement::Action::AddConstraint:
        for (const ConstraintDef& constraint : statement.constraints) {
            if (std::optional<KeySchema> key = keyOf(constraint, statement.table, ++number)) {
                editor.addKey(statement.table, *key);
            }
        }
        return;
    case DdlStatement::Action::DropConstraint:
        editor.dropConstraint(statement.table, statement.name);
        return;
    case DdlStatement::Action::CreateIndex:
        editor.createIndex(statement.index.table, indexOf(statement.index));
        return;
    case DdlStatement::Action::DropTable:
        editor.dropTable(statement.table);
        return;
    case DdlStatement::Action::DropIndex:
        editor.dropIndex(statement.table, statement.name);
        return;
    }
}

QStringList DdlExecutor::plan(const DdlStatement& statement)
{
    QStringList statements;
    const auto trace = [](unsigned, void* context, void* prepared, void*) -> int {
        auto* list = static_cast<QStringList*>(context);
        const char* text = sqlite3_sql(static_cast<sqlite3_stmt*>(prepared));
        const QString sql = text ? QString::fromUtf8(text) : QString();
        const bool own = sql.startsWith(QLatin1String("CREATE"), Qt::CaseInsensitive) ||
                         sql.startsWith(QLatin1String("DROP"), Qt::CaseInsensitive) ||
                         sql.startsWith(QLatin1String("ALTER"), Qt::CaseInsensitive) ||
                         (sql.startsWith(QLatin1String("INSERT INTO \"MSysJetRebuild"))) ||
                         sql.startsWith(QLatin1String("UPDATE \""));
        if (own && !sql.contains(QLatin1String("MSysJetObjects"))) {
            list->append(sql);
        }
        return 0;
    };
    detail::exec(m_db, QStringLiteral("SAVEPOINT jet_plan"));
    sqlite3_trace_v2(m_db, SQLITE_TRACE_STMT, trace, &statements);
    try {
        run(statement);
    } catch (...) {
        sqlite3_trace_v2(m_db, 0, nullptr, nullptr);
        sqlite3_exec(m_db, "ROLLBACK TO jet_plan; RELEASE jet_plan", nullptr, nullptr, nullptr);
        throw;
    }
    sqlite3_trace_v2(m_db, 0, nullptr, nullptr);
    sqlite3_exec(m_db, "ROLLBACK TO jet_plan; RELEASE jet_plan", nullptr, nullptr, nullptr);
    return statements;
}

} // namespace jet
