#include "DdlExecutor.h"

#include "Error.h"
#include "sql/JetSql.h"
#include "SqliteStatement.h"

#include <QRegularExpression>
#include <QStringList>
#include <sqlite3.h>

namespace jet {

namespace {

QString quoted(const QString& name)
{
    QString text = name;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString quotedList(const QStringList& names)
{
    QStringList parts;
    for (const QString& name : names) {
        parts.append(quoted(name));
    }
    return parts.join(QStringLiteral(", "));
}

Error unsupported(const QString& what)
{
    return Error(
        ErrorNumber::Unspecified,
        QStringLiteral("%1 is not supported by this version of the database engine.").arg(what));
}

QString referentialAction(ReferentialAction action)
{
    switch (action) {
    case ReferentialAction::Cascade:
        return QStringLiteral("CASCADE");
    case ReferentialAction::SetNull:
        return QStringLiteral("SET NULL");
    case ReferentialAction::NoAction:
        break;
    }
    return QStringLiteral("NO ACTION");
}

// A DEFAULT written in Jet's literal syntax, as SQLite text.
QString defaultValue(const QString& jetLiteral)
{
    const QString text = jetLiteral.trimmed();
    bool isNumber = false;
    text.toDouble(&isNumber);
    if (isNumber) {
        return text;
    }
    const QString upper = text.toUpper();
    if (upper == QLatin1String("TRUE") || upper == QLatin1String("YES") ||
        upper == QLatin1String("ON")) {
        return QStringLiteral("-1");
    }
    if (upper == QLatin1String("FALSE") || upper == QLatin1String("NO") ||
        upper == QLatin1String("OFF")) {
        return QStringLiteral("0");
    }
    if (upper == QLatin1String("NULL")) {
        return upper;
    }
    if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') &&
        text.back() == text.front()) {
        QString inner = text.mid(1, text.size() - 2);
        inner.replace(QString(2, text.front()), QString(text.front()));
        inner.replace(QLatin1Char('\''), QStringLiteral("''"));
        return QLatin1Char('\'') + inner + QLatin1Char('\'');
    }
    // Other literals (#dates#, expressions of constants) as the translator writes them.
    const TranslatedStatement select = translate(QStringLiteral("SELECT ") + text);
    static const QRegularExpression expression(QStringLiteral("^SELECT (.+) AS \"[^\"]*\"$"),
                                               QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = expression.match(select.sqlite);
    if (!select.parameters.isEmpty() || !match.hasMatch()) {
        throw unsupported(QStringLiteral("The default value %1").arg(text));
    }
    return QLatin1Char('(') + match.captured(1) + QLatin1Char(')');
}

QString constraintSql(const ConstraintDef& constraint, bool tableLevel)
{
    QString sql;
    if (!constraint.name.isEmpty()) {
        sql = QStringLiteral("CONSTRAINT %1 ").arg(quoted(constraint.name));
    }
    const QString columns =
        tableLevel ? QStringLiteral(" (%1)").arg(quotedList(constraint.columns)) : QString();
    switch (constraint.kind) {
    case ConstraintDef::Kind::PrimaryKey:
        return sql + QStringLiteral("PRIMARY KEY") + columns;
    case ConstraintDef::Kind::Unique:
        return sql + QStringLiteral("UNIQUE") + columns;
    case ConstraintDef::Kind::NotNull:
        return sql + QStringLiteral("NOT NULL");
    case ConstraintDef::Kind::ForeignKey:
        break;
    }
    sql += tableLevel ? QStringLiteral("FOREIGN KEY") + columns + QLatin1Char(' ') : QString();
    sql += QStringLiteral("REFERENCES %1").arg(quoted(constraint.referencedTable));
    if (!constraint.referencedColumns.isEmpty()) {
        sql += QStringLiteral(" (%1)").arg(quotedList(constraint.referencedColumns));
    }
    return sql +
           QStringLiteral(" ON UPDATE %1 ON DELETE %2")
               .arg(referentialAction(constraint.onUpdate), referentialAction(constraint.onDelete));
}

bool isSoleCounterKey(const DdlStatement& statement, const ColumnDef& column)
{
    if (column.type != JetType::Counter) {
        return false;
    }
    for (const ConstraintDef& constraint : column.constraints) {
        if (constraint.kind == ConstraintDef::Kind::PrimaryKey) {
            return true;
        }
    }
    for (const ConstraintDef& constraint : statement.constraints) {
        if (constraint.kind == ConstraintDef::Kind::PrimaryKey && constraint.columns.size() == 1 &&
            constraint.columns.front().compare(column.name, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

QString createTableSql(const DdlStatement& statement);
QString createIndexSql(const IndexDef& index);

} // namespace

QString DdlExecutor::columnDeclaration(const ColumnDef& column, bool soleCounterKey)
{
    QString type;
    QString check;
    switch (column.type) {
    case JetType::Text: {
        const int size = column.size > 0 ? column.size : 255;
        type = QStringLiteral("TEXT(%1) COLLATE JET").arg(size);
        check = QStringLiteral(" CHECK (length(%1) <= %2)").arg(quoted(column.name)).arg(size);
        break;
    }
    case JetType::Memo:
        type = QStringLiteral("LONGTEXT COLLATE JET");
        break;
    case JetType::Byte:
        type = QStringLiteral("BYTE");
        break;
    case JetType::Integer:
        type = QStringLiteral("SHORT");
        break;
    case JetType::Long:
        type = QStringLiteral("LONG");
        break;
    case JetType::Single:
        type = QStringLiteral("SINGLE");
        break;
    case JetType::Double:
        type = QStringLiteral("DOUBLE");
        break;
    case JetType::Currency:
        type = QStringLiteral("CURRENCY");
        break;
    case JetType::DateTime:
        type = QStringLiteral("DATETIME");
        break;
    case JetType::YesNo:
        type = QStringLiteral("BIT");
        break;
    case JetType::Counter:
        // Only a lone INTEGER PRIMARY KEY numbers itself in SQLite.
        type = soleCounterKey ? QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")
                              : QStringLiteral("COUNTER");
        break;
    case JetType::Binary:
        type = column.size > 0 ? QStringLiteral("BINARY(%1)").arg(column.size)
                               : QStringLiteral("BINARY");
        break;
    case JetType::LongBinary:
        type = QStringLiteral("LONGBINARY");
        break;
    case JetType::Guid:
        type = QStringLiteral("GUID");
        break;
    case JetType::Decimal:
        type = QStringLiteral("DECIMAL(%1, %2)").arg(column.precision).arg(column.scale);
        break;
    case JetType::Value:
        throw unsupported(QStringLiteral("A column of type VALUE"));
    }
    QString sql = type;
    if (column.notNull) {
        sql += QStringLiteral(" NOT NULL");
    }
    if (column.defaultSql) {
        sql += QStringLiteral(" DEFAULT ") + defaultValue(*column.defaultSql);
    }
    for (const ConstraintDef& constraint : column.constraints) {
        if (soleCounterKey && constraint.kind == ConstraintDef::Kind::PrimaryKey) {
            continue; // part of the type above
        }
        sql += QLatin1Char(' ') + constraintSql(constraint, false);
    }
    return sql + check;
}

QString DdlExecutor::indexName(const QString& table, const QString& index)
{
    return table + QLatin1Char('.') + index;
}

namespace {

QString createTableSql(const DdlStatement& statement)
{
    QStringList parts;
    bool counterIsKey = false;
    for (const ColumnDef& column : statement.columns) {
        const bool soleKey = isSoleCounterKey(statement, column);
        counterIsKey = counterIsKey || soleKey;
        parts.append(quoted(column.name) + QLatin1Char(' ') +
                     DdlExecutor::columnDeclaration(column, soleKey));
    }
    for (const ConstraintDef& constraint : statement.constraints) {
        if (counterIsKey && constraint.kind == ConstraintDef::Kind::PrimaryKey) {
            continue; // the counter column already is the key
        }
        parts.append(constraintSql(constraint, true));
    }
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(quoted(statement.table), parts.join(QStringLiteral(", ")));
}

QString createIndexSql(const IndexDef& index)
{
    if (index.disallowNull) {
        throw unsupported(QStringLiteral("An index WITH DISALLOW NULL"));
    }
    QStringList columns;
    QStringList notNull;
    for (const IndexColumn& column : index.columns) {
        columns.append(quoted(column.name) +
                       (column.descending ? QStringLiteral(" DESC") : QString()));
        notNull.append(quoted(column.name) + QStringLiteral(" IS NOT NULL"));
    }
    QString sql = QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                      .arg(index.unique || index.primary ? QStringLiteral("UNIQUE ") : QString(),
                           quoted(DdlExecutor::indexName(index.table, index.name)),
                           quoted(index.table), columns.join(QStringLiteral(", ")));
    if (index.ignoreNull) {
        sql += QStringLiteral(" WHERE ") + notNull.join(QStringLiteral(" AND "));
    }
    return sql;
}

} // namespace

QString DdlExecutor::sql(const DdlStatement& statement)
{
    QString sql;
    switch (statement.action) {
    case DdlStatement::Action::None:
        break;
    case DdlStatement::Action::CreateTable:
        sql = createTableSql(statement);
        break;
    case DdlStatement::Action::AddColumn:
        for (const ColumnDef& column : statement.columns) {
            sql += QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3;")
                       .arg(quoted(statement.table), quoted(column.name),
                            columnDeclaration(column, false));
        }
        break;
    case DdlStatement::Action::DropColumn:
        sql = QStringLiteral("ALTER TABLE %1 DROP COLUMN %2")
                  .arg(quoted(statement.table), quoted(statement.name));
        break;
    case DdlStatement::Action::CreateIndex:
        sql = createIndexSql(statement.index);
        break;
    case DdlStatement::Action::DropTable:
        sql = QStringLiteral("DROP TABLE %1").arg(quoted(statement.table));
        break;
    case DdlStatement::Action::DropIndex:
        sql =
            QStringLiteral("DROP INDEX %1").arg(quoted(indexName(statement.table, statement.name)));
        break;
    case DdlStatement::Action::AlterColumn:
        throw unsupported(QStringLiteral("ALTER TABLE ... ALTER COLUMN"));
    case DdlStatement::Action::AddConstraint:
        throw unsupported(QStringLiteral("ALTER TABLE ... ADD CONSTRAINT"));
    case DdlStatement::Action::DropConstraint:
        throw unsupported(QStringLiteral("ALTER TABLE ... DROP CONSTRAINT"));
    }
    return sql;
}

void DdlExecutor::run(const DdlStatement& statement)
{
    const QString text = sql(statement);
    if (text.isEmpty()) {
        return;
    }
    detail::exec(m_db, QStringLiteral("SAVEPOINT jet_ddl"));
    try {
        detail::exec(m_db, text);
        detail::exec(m_db, QStringLiteral("RELEASE jet_ddl"));
    } catch (...) {
        sqlite3_exec(m_db, "ROLLBACK TO jet_ddl", nullptr, nullptr, nullptr);
        sqlite3_exec(m_db, "RELEASE jet_ddl", nullptr, nullptr, nullptr);
        throw;
    }
}

} // namespace jet
