#include "SchemaJson.h"

#include "jet/Error.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace jet::detail {

namespace {

QString actionWord(ReferentialAction action)
{
    switch (action) {
    case ReferentialAction::Cascade:
        return QStringLiteral("cascade");
    case ReferentialAction::SetNull:
        return QStringLiteral("setNull");
    case ReferentialAction::NoAction:
        break;
    }
    return QStringLiteral("none");
}

ReferentialAction actionFromWord(const QString& word)
{
    if (word == QLatin1String("cascade")) {
        return ReferentialAction::Cascade;
    }
    if (word == QLatin1String("setNull")) {
        return ReferentialAction::SetNull;
    }
    return ReferentialAction::NoAction;
}

QJsonArray toArray(const QStringList& list)
{
    return QJsonArray::fromStringList(list);
}

QStringList toStringList(const QJsonValue& value)
{
    QStringList list;
    for (const QJsonValue& item : value.toArray()) {
        list.append(item.toString());
    }
    return list;
}

QJsonObject columnJson(const ColumnSchema& column)
{
    QJsonObject object{{"name", column.name},
                       {"type", jetTypeWord(column.type)},
                       {"size", column.size},
                       {"nullable", column.nullable},
                       {"allowZeroLength", column.allowZeroLength},
                       {"zeroLengthChecked", column.zeroLengthChecked},
                       {"autoIncrement", column.autoIncrement}};
    if (column.defaultSql) {
        object.insert("default", *column.defaultSql);
    }
    if (column.type == JetType::Decimal) {
        object.insert("precision", column.precision);
        object.insert("scale", column.scale);
    }
    return object;
}

ColumnSchema columnFromJson(const QJsonObject& object)
{
    ColumnSchema column;
    column.name = object.value("name").toString();
    column.type = jetTypeFromName(object.value("type").toString()).value_or(JetType::Text);
    column.size = object.value("size").toInt();
    column.nullable = object.value("nullable").toBool(true);
    column.allowZeroLength = object.value("allowZeroLength").toBool();
    column.zeroLengthChecked = object.value("zeroLengthChecked").toBool(true);
    column.autoIncrement = object.value("autoIncrement").toBool();
    if (object.contains("default")) {
        column.defaultSql = object.value("default").toString();
    }
    column.precision = object.value("precision").toInt(kDefaultDecimalPrecision);
    column.scale = object.value("scale").toInt();
    return column;
}

QJsonObject indexJson(const IndexSchema& index)
{
    QJsonArray columns;
    for (const IndexColumn& column : index.columns) {
        columns.append(QJsonObject{{"name", column.name}, {"descending", column.descending}});
    }
    return QJsonObject{{"name", index.name},
                       {"sqliteName", index.sqliteName},
                       {"columns", columns},
                       {"unique", index.unique},
                       {"primary", index.primary},
                       {"ignoreNulls", index.ignoreNulls},
                       {"disallowNull", index.disallowNull}};
}

IndexSchema indexFromJson(const QJsonObject& object)
{
    IndexSchema index;
    index.name = object.value("name").toString();
    index.sqliteName = object.value("sqliteName").toString();
    for (const QJsonValue& value : object.value("columns").toArray()) {
        const QJsonObject column = value.toObject();
        index.columns.append(
            IndexColumn{column.value("name").toString(), column.value("descending").toBool()});
    }
    index.unique = object.value("unique").toBool();
    index.primary = object.value("primary").toBool();
    index.ignoreNulls = object.value("ignoreNulls").toBool();
    index.disallowNull = object.value("disallowNull").toBool();
    return index;
}

QJsonObject keyJson(const KeySchema& key)
{
    return QJsonObject{{"name", key.name},
                       {"kind", static_cast<int>(key.kind)},
                       {"columns", toArray(key.columns)},
                       {"relatedTable", key.relatedTable},
                       {"relatedColumns", toArray(key.relatedColumns)},
                       {"onUpdate", actionWord(key.onUpdate)},
                       {"onDelete", actionWord(key.onDelete)}};
}

KeySchema keyFromJson(const QJsonObject& object)
{
    KeySchema key;
    key.name = object.value("name").toString();
    key.kind = static_cast<KeySchema::Kind>(object.value("kind").toInt(1));
    key.columns = toStringList(object.value("columns"));
    key.relatedTable = object.value("relatedTable").toString();
    key.relatedColumns = toStringList(object.value("relatedColumns"));
    key.onUpdate = actionFromWord(object.value("onUpdate").toString());
    key.onDelete = actionFromWord(object.value("onDelete").toString());
    return key;
}

} // namespace

QString jetTypeWord(JetType type)
{
    switch (type) {
    case JetType::Text:
        return QStringLiteral("TEXT");
    case JetType::Memo:
        return QStringLiteral("MEMO");
    case JetType::Byte:
        return QStringLiteral("BYTE");
    case JetType::Integer:
        return QStringLiteral("SHORT");
    case JetType::Long:
        return QStringLiteral("LONG");
    case JetType::Single:
        return QStringLiteral("SINGLE");
    case JetType::Double:
        return QStringLiteral("DOUBLE");
    case JetType::Currency:
        return QStringLiteral("CURRENCY");
    case JetType::DateTime:
        return QStringLiteral("DATETIME");
    case JetType::YesNo:
        return QStringLiteral("BIT");
    case JetType::Counter:
        return QStringLiteral("COUNTER");
    case JetType::Binary:
        return QStringLiteral("BINARY");
    case JetType::LongBinary:
        return QStringLiteral("LONGBINARY");
    case JetType::Guid:
        return QStringLiteral("GUID");
    case JetType::Decimal:
        return QStringLiteral("DECIMAL");
    case JetType::Value:
        break;
    }
    return QStringLiteral("VALUE");
}

QString toJson(const TableSchema& table)
{
    QJsonArray columns;
    for (const ColumnSchema& column : table.columns) {
        columns.append(columnJson(column));
    }
    QJsonArray indexes;
    for (const IndexSchema& index : table.indexes) {
        indexes.append(indexJson(index));
    }
    QJsonArray keys;
    for (const KeySchema& key : table.keys) {
        keys.append(keyJson(key));
    }
    const QJsonObject object{{"columns", columns}, {"indexes", indexes}, {"keys", keys}};
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

TableSchema tableFromJson(const QString& name, const QString& json)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        throw Error(ErrorNumber::Unspecified,
                    QStringLiteral("The description of table '%1' in the engine table %2 is "
                                   "damaged (%3). Restore the database from a backup.")
                        .arg(name, QStringLiteral("MSysJetObjects"), parseError.errorString()));
    }
    const QJsonObject object = document.object();
    TableSchema table;
    table.name = name;
    for (const QJsonValue& value : object.value("columns").toArray()) {
        table.columns.append(columnFromJson(value.toObject()));
    }
    for (const QJsonValue& value : object.value("indexes").toArray()) {
        table.indexes.append(indexFromJson(value.toObject()));
    }
    for (const QJsonValue& value : object.value("keys").toArray()) {
        table.keys.append(keyFromJson(value.toObject()));
    }
    return table;
}

} // namespace jet::detail
