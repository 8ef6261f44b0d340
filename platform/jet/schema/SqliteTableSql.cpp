#include "SqliteTableSql.h"

#include "ConstraintMessages.h"
#include "jet/Error.h"
#include "jet/sql/JetSql.h"
#include "SchemaJson.h"

#include <algorithm>
#include <optional>
#include <QRegularExpression>
#include <utility>

namespace jet::detail {

namespace {

// The declared type keeps the Jet type word, which is how the engine reads a column's type
// back; only text, counters and sized binaries need more than the word.
QString typeDeclaration(const TableSchema& table, const ColumnSchema& column)
{
    switch (column.type) {
    case JetType::Text:
        return QStringLiteral("TEXT(%1) COLLATE JET").arg(column.size > 0 ? column.size : 255);
    case JetType::Memo:
        return QStringLiteral("LONGTEXT COLLATE JET");
    case JetType::Counter:
        // Only a lone INTEGER PRIMARY KEY numbers itself in SQLite.
        return isRowidCounter(table, column) ? QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT")
                                             : jetTypeWord(column.type);
    case JetType::Binary:
        return column.size > 0 ? QStringLiteral("BINARY(%1)").arg(column.size)
                               : jetTypeWord(column.type);
    case JetType::Value:
        throw Error(ErrorNumber::Unspecified,
                    QStringLiteral("Field '%1.%2' cannot have the type VALUE; it is for "
                                   "parameters only.")
                        .arg(table.name, column.name));
    default:
        return jetTypeWord(column.type);
    }
}

// The whole numbers a Byte, Integer or Long field holds; nullopt for other types.
std::optional<std::pair<qint64, qint64>> wholeRange(JetType type)
{
    switch (type) {
    case JetType::Byte:
        return std::pair<qint64, qint64>{0, 255};
    case JetType::Integer:
        return std::pair<qint64, qint64>{-32768, 32767};
    case JetType::Long:
        return std::pair<qint64, qint64>{-2147483648LL, 2147483647LL};
    default:
        return std::nullopt;
    }
}

// A default a field could never hold is refused when the field is defined, not on every
// later insert.
void checkDefaultInRange(const TableSchema& table, const ColumnSchema& column,
                         const QString& defaultSql)
{
    const auto range = wholeRange(column.type);
    bool isNumber = false;
    const double value = defaultSql.toDouble(&isNumber);
    if (range && isNumber &&
        (value < double(range->first) - 0.5 || value >= double(range->second) + 0.5)) {
        throw Error(ErrorNumber::Unspecified,
                    overflowMessage(table.name, column.name, range->first, range->second));
    }
}

QString namedCheck(const QString& message, const QString& condition)
{
    return QStringLiteral(" CONSTRAINT %1 CHECK (%2)")
        .arg(quoted(messageMarker + message), condition);
}

QString raise(const QString& message)
{
    return QStringLiteral("SELECT RAISE(ABORT, %1);").arg(sqlLiteral(messageMarker + message));
}

// "NEW."a" = "P"."x" AND ..." style column pairs.
QString pairs(const QStringList& left, const QString& leftPrefix, const QStringList& right,
              const QString& rightPrefix, const QString& op, const QString& joiner)
{
    QStringList parts;
    for (qsizetype i = 0; i < left.size() && i < right.size(); ++i) {
        parts.append(leftPrefix + quoted(left[i]) + op + rightPrefix + quoted(right[i]));
    }
    return parts.join(joiner);
}

QString allNotNull(const QStringList& columns, const QString& prefix)
{
    QStringList parts;
    for (const QString& column : columns) {
        parts.append(prefix + quoted(column) + QStringLiteral(" IS NOT NULL"));
    }
    return parts.join(QStringLiteral(" AND "));
}

class TriggerList
{
public:
    explicit TriggerList(const QString& table) : m_table(table) {}

    void add(const QString& timing, const QString& when, const QString& body)
    {
        m_sql.append(QStringLiteral("CREATE TRIGGER %1 %2 ON %3 FOR EACH ROW%4 BEGIN %5 END")
                         .arg(quoted(triggerPrefix(m_table) + QString::number(m_sql.size() + 1)),
                              timing, quoted(m_table),
                              when.isEmpty() ? QString() : QStringLiteral(" WHEN ") + when, body));
    }
    // A check on insert and on update of `columns`.
    void addCheck(const QStringList& columns, const QString& when, const QString& message)
    {
        add(QStringLiteral("BEFORE INSERT"), when, raise(message));
        add(QStringLiteral("BEFORE UPDATE OF ") + quotedList(columns), when, raise(message));
    }
    const QStringList& sql() const { return m_sql; }

private:
    QString m_table;
    QStringList m_sql;
};

// Where a counter that is not its table's only key keeps the highest number it has given, so
// that deleting the last row does not give its number again. Rowid counters have SQLite's own
// AUTOINCREMENT for that.
const QString counterStore = QStringLiteral("MSysJetCounters");

QString counterStoreSql()
{
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (Name TEXT NOT NULL PRIMARY KEY COLLATE "
                          "NOCASE, Value INTEGER NOT NULL)")
        .arg(quoted(counterStore));
}

void addCounterTriggers(const TableSchema& table, const ColumnSchema& column, TriggerList& triggers)
{
    const QString name = quoted(column.name);
    const QString key = sqlLiteral(table.name + QLatin1Char('|') + column.name);
    const QString highest = QStringLiteral("coalesce((SELECT Value FROM %1 WHERE Name = %2), 0)")
                                .arg(quoted(counterStore), key);
    const QString remember =
        QStringLiteral("INSERT OR REPLACE INTO %1 (Name, Value) VALUES (%2, %3);")
            .arg(quoted(counterStore), key);
    triggers.add(QStringLiteral("AFTER INSERT"), QStringLiteral("NEW.%1 IS NULL").arg(name),
                 QStringLiteral("UPDATE %1 SET %2 = max((SELECT coalesce(max(%2), 0) FROM %1), "
                                "%3) + 1 WHERE rowid = NEW.rowid; ")
                         .arg(quoted(table.name), name, highest) +
                     remember.arg(QStringLiteral("(SELECT %1 FROM %2 WHERE rowid = NEW.rowid)")
                                      .arg(name, quoted(table.name))));
    // A number given explicitly counts too: the next one follows the highest.
    triggers.add(QStringLiteral("AFTER INSERT"), QStringLiteral("NEW.%1 IS NOT NULL").arg(name),
                 remember.arg(QStringLiteral("max(NEW.%1, %2)").arg(name, highest)));
}

// A Decimal keeps its scale as Jet does, cutting further digits off (not rounding), and refuses
// a number with more whole digits than its precision leaves room for.
void addDecimalTriggers(const TableSchema& table, const ColumnSchema& column, TriggerList& triggers)
{
    const QString name = quoted(column.name);
    const QString numeric = QStringLiteral("typeof(NEW.%1) IN ('integer', 'real')").arg(name);
    triggers.addCheck(
        {column.name},
        QStringLiteral("%1 AND abs(jet_decimal(NEW.%2, %3)) >= 1e%4")
            .arg(numeric, name)
            .arg(column.scale)
            .arg(column.precision - column.scale),
        decimalPrecisionMessage(table.name, column.name, column.precision, column.scale));
    const QString cut = QStringLiteral("jet_decimal(NEW.%1, %2)").arg(name).arg(column.scale);
    const QString when = QStringLiteral("typeof(NEW.%1) = 'real' AND NEW.%1 <> %2").arg(name, cut);
    const QString body = QStringLiteral("UPDATE %1 SET %2 = %3 WHERE rowid = NEW.rowid;")
                             .arg(quoted(table.name), name, cut);
    triggers.add(QStringLiteral("AFTER INSERT"), when, body);
    triggers.add(QStringLiteral("AFTER UPDATE OF ") + name, when, body);
}

void addColumnTriggers(const TableSchema& table, TriggerList& triggers)
{
    for (const ColumnSchema& column : table.columns) {
        const QString name = quoted(column.name);
        if (column.type == JetType::Counter) {
            if (!isRowidCounter(table, column)) {
                addCounterTriggers(table, column, triggers);
            }
            continue;
        }
        if (!column.nullable) {
            triggers.addCheck({column.name}, QStringLiteral("NEW.%1 IS NULL").arg(name),
                              requiredMessage(table.name, column.name));
        }
        if (column.type == JetType::Decimal) {
            addDecimalTriggers(table, column, triggers);
        }
    }
    for (const IndexSchema& index : table.indexes) {
        if (!index.primary && !index.disallowNull) {
            continue;
        }
        for (const IndexColumn& indexColumn : index.columns) {
            const int at = table.columnIndex(indexColumn.name);
            if (at >= 0 && isRowidCounter(table, table.columns[at])) {
                continue;
            }
            triggers.addCheck({indexColumn.name},
                              QStringLiteral("NEW.%1 IS NULL").arg(quoted(indexColumn.name)),
                              indexNullMessage(table.name, index.name, indexColumn.name));
        }
    }
}

void addChildTriggers(const TableSchema& table, TriggerList& triggers)
{
    for (const KeySchema& key : table.keys) {
        if (key.kind != KeySchema::Kind::Foreign) {
            continue;
        }
        const QString missing =
            QStringLiteral("%1 AND NOT EXISTS (SELECT 1 FROM %2 WHERE %3)")
                .arg(allNotNull(key.columns, QStringLiteral("NEW.")), quoted(key.relatedTable),
                     pairs(key.relatedColumns, quoted(key.relatedTable) + QLatin1Char('.'),
                           key.columns, QStringLiteral("NEW."), QStringLiteral(" = "),
                           QStringLiteral(" AND ")));
        triggers.addCheck(key.columns, missing, relatedRecordRequiredMessage(key.relatedTable));
    }
}

void addParentTriggers(const TableSchema& table, const QList<ReferencingKey>& referencing,
                       TriggerList& triggers)
{
    for (const ReferencingKey& child : referencing) {
        const KeySchema& key = child.key;
        const QString childTable = quoted(child.table);
        const QString matchesOld =
            pairs(key.columns, QString(), key.relatedColumns, QStringLiteral("OLD."),
                  QStringLiteral(" = "), QStringLiteral(" AND "));
        const QString childrenExist =
            QStringLiteral("EXISTS (SELECT 1 FROM %1 WHERE %2)").arg(childTable, matchesOld);
        QStringList nulls;
        for (const QString& column : key.columns) {
            nulls.append(quoted(column) + QStringLiteral(" = NULL"));
        }
        const QString setNull = nulls.join(QStringLiteral(", "));
        switch (key.onDelete) {
        case ReferentialAction::NoAction:
            triggers.add(QStringLiteral("BEFORE DELETE"), childrenExist,
                         raise(relatedRecordsExistMessage(child.table)));
            break;
        case ReferentialAction::Cascade:
            triggers.add(QStringLiteral("AFTER DELETE"), QString(),
                         QStringLiteral("DELETE FROM %1 WHERE %2;").arg(childTable, matchesOld));
            break;
        case ReferentialAction::SetNull:
            triggers.add(
                QStringLiteral("AFTER DELETE"), QString(),
                QStringLiteral("UPDATE %1 SET %2 WHERE %3;").arg(childTable, setNull, matchesOld));
            break;
        }
        const QString changed =
            QLatin1Char('(') +
            pairs(key.relatedColumns, QStringLiteral("OLD."), key.relatedColumns,
                  QStringLiteral("NEW."), QStringLiteral(" IS NOT "), QStringLiteral(" OR ")) +
            QLatin1Char(')');
        const QString updateOf = QStringLiteral("UPDATE OF ") + quotedList(key.relatedColumns);
        switch (key.onUpdate) {
        case ReferentialAction::NoAction:
            triggers.add(QStringLiteral("BEFORE ") + updateOf,
                         changed + QStringLiteral(" AND ") + childrenExist,
                         raise(relatedRecordsExistMessage(child.table)));
            break;
        case ReferentialAction::Cascade:
            triggers.add(
                QStringLiteral("AFTER ") + updateOf, changed,
                QStringLiteral("UPDATE %1 SET %2 WHERE %3;")
                    .arg(childTable,
                         pairs(key.columns, QString(), key.relatedColumns, QStringLiteral("NEW."),
                               QStringLiteral(" = "), QStringLiteral(", ")),
                         matchesOld));
            break;
        case ReferentialAction::SetNull:
            triggers.add(
                QStringLiteral("AFTER ") + updateOf, changed,
                QStringLiteral("UPDATE %1 SET %2 WHERE %3;").arg(childTable, setNull, matchesOld));
            break;
        }
    }
    Q_UNUSED(table);
}

} // namespace

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

QString sqlLiteral(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

bool isRowidCounter(const TableSchema& table, const ColumnSchema& column)
{
    if (column.type != JetType::Counter) {
        return false;
    }
    const IndexSchema* primary = table.primaryIndex();
    return primary && primary->columns.size() == 1 &&
           primary->columns.front().name.compare(column.name, Qt::CaseInsensitive) == 0;
}

QString sqliteIndexName(const QString& table, const QString& index)
{
    return table + QLatin1Char('.') + index;
}

QString columnDefinition(const TableSchema& table, const ColumnSchema& column)
{
    QString sql = quoted(column.name) + QLatin1Char(' ') + typeDeclaration(table, column);
    if (column.defaultSql && column.type != JetType::Counter) {
        const QString defaultSql = defaultValueSql(*column.defaultSql);
        checkDefaultInRange(table, column, defaultSql);
        sql += QStringLiteral(" DEFAULT ") + defaultSql;
    }
    const QString name = quoted(column.name);
    if (const auto range = wholeRange(column.type)) {
        // Numbers out of range are refused as Jet refuses them, by whatever path they come.
        sql += namedCheck(overflowMessage(table.name, column.name, range->first, range->second),
                          QStringLiteral("typeof(%1) NOT IN ('integer', 'real') OR %1 BETWEEN %2 "
                                         "AND %3")
                              .arg(name)
                              .arg(range->first)
                              .arg(range->second));
    }
    if (column.type == JetType::Text) {
        const int size = column.size > 0 ? column.size : 255;
        sql += namedCheck(tooLongMessage(table.name, column.name, size),
                          QStringLiteral("length(%1) <= %2").arg(name).arg(size));
    }
    if (column.isText() && !column.allowZeroLength && column.zeroLengthChecked) {
        sql += namedCheck(zeroLengthMessage(table.name, column.name),
                          QStringLiteral("length(%1) > 0").arg(name));
    }
    return sql;
}

QString createTableSql(const TableSchema& table, const QString& sqliteName)
{
    QStringList columns;
    for (const ColumnSchema& column : table.columns) {
        columns.append(columnDefinition(table, column));
    }
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(quoted(sqliteName), columns.join(QStringLiteral(", ")));
}

QString createIndexSql(const TableSchema& table, const IndexSchema& index)
{
    if (index.sqliteName.isEmpty()) {
        return {};
    }
    QStringList columns;
    QStringList names;
    for (const IndexColumn& column : index.columns) {
        columns.append(quoted(column.name) +
                       (column.descending ? QStringLiteral(" DESC") : QString()));
        names.append(column.name);
    }
    QString sql =
        QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
            .arg(index.unique || index.primary ? QStringLiteral("UNIQUE ") : QString(),
                 quoted(index.sqliteName), quoted(table.name), columns.join(QStringLiteral(", ")));
    if (index.ignoreNulls) {
        sql += QStringLiteral(" WHERE ") + allNotNull(names, QString());
    }
    return sql;
}

QString triggerPrefix(const QString& table)
{
    return QStringLiteral("jet|%1|").arg(table);
}

QStringList triggerSql(const TableSchema& table, const QList<ReferencingKey>& referencing)
{
    TriggerList triggers(table.name);
    addColumnTriggers(table, triggers);
    addChildTriggers(table, triggers);
    addParentTriggers(table, referencing, triggers);
    QStringList sql = triggers.sql();
    // The counters' store comes first when a trigger of this table keeps a counter in it.
    if (std::any_of(sql.begin(), sql.end(),
                    [](const QString& trigger) { return trigger.contains(counterStore); })) {
        sql.prepend(counterStoreSql());
    }
    return sql;
}

QString defaultValueSql(const QString& jetLiteral)
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
        return sqlLiteral(inner);
    }
    // Other literals (#dates#, expressions of constants) as the translator writes them.
    const TranslatedStatement select = translate(QStringLiteral("SELECT ") + text);
    static const QRegularExpression expression(QStringLiteral("^SELECT (.+) AS \"[^\"]*\"$"),
                                               QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = expression.match(select.sqlite);
    if (!select.parameters.isEmpty() || !match.hasMatch()) {
        throw Error(ErrorNumber::Unspecified,
                    QStringLiteral("The default value %1 is not a constant the engine can store; "
                                   "write a number, a quoted text, a #date#, True or False.")
                        .arg(text));
    }
    return QLatin1Char('(') + match.captured(1) + QLatin1Char(')');
}

} // namespace jet::detail
