#include "DdlStatement.h"

#include <QHash>

namespace jet {

std::optional<JetType> jetTypeFromName(const QString& name)
{
    // The type names and synonyms Jet SQL accepts in CREATE TABLE, ALTER TABLE and
    // PARAMETERS.
    static const QHash<QString, JetType> types = {
        {"TEXT", JetType::Text},
        {"CHAR", JetType::Text},
        {"CHARACTER", JetType::Text},
        {"VARCHAR", JetType::Text},
        {"STRING", JetType::Text},
        {"ALPHANUMERIC", JetType::Text},
        {"NCHAR", JetType::Text},
        {"NVARCHAR", JetType::Text},
        {"MEMO", JetType::Memo},
        {"LONGTEXT", JetType::Memo},
        {"LONGCHAR", JetType::Memo},
        {"NOTE", JetType::Memo},
        {"NTEXT", JetType::Memo},
        {"BYTE", JetType::Byte},
        {"TINYINT", JetType::Byte},
        {"INTEGER1", JetType::Byte},
        {"SHORT", JetType::Integer},
        {"SMALLINT", JetType::Integer},
        {"INTEGER2", JetType::Integer},
        {"LONG", JetType::Long},
        {"INT", JetType::Long},
        {"INTEGER", JetType::Long},
        {"INTEGER4", JetType::Long},
        {"SINGLE", JetType::Single},
        {"REAL", JetType::Single},
        {"FLOAT4", JetType::Single},
        {"IEEESINGLE", JetType::Single},
        {"DOUBLE", JetType::Double},
        {"FLOAT", JetType::Double},
        {"FLOAT8", JetType::Double},
        {"NUMBER", JetType::Double},
        {"IEEEDOUBLE", JetType::Double},
        {"CURRENCY", JetType::Currency},
        {"MONEY", JetType::Currency},
        {"DATETIME", JetType::DateTime},
        {"DATE", JetType::DateTime},
        {"TIME", JetType::DateTime},
        {"TIMESTAMP", JetType::DateTime},
        {"BIT", JetType::YesNo},
        {"YESNO", JetType::YesNo},
        {"LOGICAL", JetType::YesNo},
        {"LOGICAL1", JetType::YesNo},
        {"BOOLEAN", JetType::YesNo},
        {"COUNTER", JetType::Counter},
        {"AUTOINCREMENT", JetType::Counter},
        {"IDENTITY", JetType::Counter},
        {"BINARY", JetType::Binary},
        {"VARBINARY", JetType::Binary},
        {"LONGBINARY", JetType::LongBinary},
        {"OLEOBJECT", JetType::LongBinary},
        {"GENERAL", JetType::LongBinary},
        {"IMAGE", JetType::LongBinary},
        {"GUID", JetType::Guid},
        {"UNIQUEIDENTIFIER", JetType::Guid},
        {"DECIMAL", JetType::Decimal},
        {"NUMERIC", JetType::Decimal},
        {"DEC", JetType::Decimal},
        {"VALUE", JetType::Value},
    };
    const auto it = types.constFind(name.toUpper());
    if (it == types.constEnd())
        return std::nullopt;
    return *it;
}

QString sqliteDeclaration(JetType type)
{
    switch (type) {
    case JetType::Text:
    case JetType::Memo:
    case JetType::Guid:
        return QStringLiteral("TEXT COLLATE JET");
    case JetType::Byte:
    case JetType::Integer:
    case JetType::Long:
    case JetType::Counter:
    case JetType::YesNo:
        return QStringLiteral("INTEGER");
    case JetType::Single:
    case JetType::Double:
    case JetType::Currency:
    case JetType::DateTime:
    case JetType::Decimal:
        return QStringLiteral("REAL");
    case JetType::Binary:
    case JetType::LongBinary:
        return QStringLiteral("BLOB");
    case JetType::Value:
        break;
    }
    return {};
}

} // namespace jet
