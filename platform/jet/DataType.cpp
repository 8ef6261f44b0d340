#include "DataType.h"

#include <QHash>

namespace jet {

namespace {

const QHash<QString, DataType>& typeWords()
{
    static const QHash<QString, DataType> words = {
        {QStringLiteral("TEXT"), DataType::VarWChar},
        {QStringLiteral("VARCHAR"), DataType::VarWChar},
        {QStringLiteral("CHAR"), DataType::VarWChar},
        {QStringLiteral("CHARACTER"), DataType::VarWChar},
        {QStringLiteral("STRING"), DataType::VarWChar},
        {QStringLiteral("NVARCHAR"), DataType::VarWChar},
        {QStringLiteral("NCHAR"), DataType::VarWChar},
        {QStringLiteral("ALPHANUMERIC"), DataType::VarWChar},
        {QStringLiteral("MEMO"), DataType::LongVarWChar},
        {QStringLiteral("LONGTEXT"), DataType::LongVarWChar},
        {QStringLiteral("LONGCHAR"), DataType::LongVarWChar},
        {QStringLiteral("NOTE"), DataType::LongVarWChar},
        {QStringLiteral("NTEXT"), DataType::LongVarWChar},
        {QStringLiteral("CLOB"), DataType::LongVarWChar},
        {QStringLiteral("BYTE"), DataType::UnsignedTinyInt},
        {QStringLiteral("TINYINT"), DataType::UnsignedTinyInt},
        {QStringLiteral("INTEGER1"), DataType::UnsignedTinyInt},
        {QStringLiteral("SHORT"), DataType::SmallInt},
        {QStringLiteral("SMALLINT"), DataType::SmallInt},
        {QStringLiteral("INTEGER2"), DataType::SmallInt},
        {QStringLiteral("LONG"), DataType::Integer},
        {QStringLiteral("INT"), DataType::Integer},
        {QStringLiteral("INTEGER"), DataType::Integer},
        {QStringLiteral("INTEGER4"), DataType::Integer},
        {QStringLiteral("BIGINT"), DataType::Integer},
        {QStringLiteral("COUNTER"), DataType::Integer},
        {QStringLiteral("AUTOINCREMENT"), DataType::Integer},
        {QStringLiteral("SINGLE"), DataType::Single},
        {QStringLiteral("FLOAT4"), DataType::Single},
        {QStringLiteral("IEEESINGLE"), DataType::Single},
        {QStringLiteral("REAL"), DataType::Double},
        {QStringLiteral("DOUBLE"), DataType::Double},
        {QStringLiteral("FLOAT"), DataType::Double},
        {QStringLiteral("FLOAT8"), DataType::Double},
        {QStringLiteral("IEEEDOUBLE"), DataType::Double},
        {QStringLiteral("NUMBER"), DataType::Double},
        {QStringLiteral("CURRENCY"), DataType::Currency},
        {QStringLiteral("MONEY"), DataType::Currency},
        {QStringLiteral("DATETIME"), DataType::Date},
        {QStringLiteral("DATE"), DataType::Date},
        {QStringLiteral("TIME"), DataType::Date},
        {QStringLiteral("TIMESTAMP"), DataType::Date},
        {QStringLiteral("BIT"), DataType::Boolean},
        {QStringLiteral("YESNO"), DataType::Boolean},
        {QStringLiteral("LOGICAL"), DataType::Boolean},
        {QStringLiteral("LOGICAL1"), DataType::Boolean},
        {QStringLiteral("BOOLEAN"), DataType::Boolean},
        {QStringLiteral("BINARY"), DataType::VarBinary},
        {QStringLiteral("VARBINARY"), DataType::VarBinary},
        {QStringLiteral("LONGBINARY"), DataType::LongVarBinary},
        {QStringLiteral("OLEOBJECT"), DataType::LongVarBinary},
        {QStringLiteral("IMAGE"), DataType::LongVarBinary},
        {QStringLiteral("GENERAL"), DataType::LongVarBinary},
        {QStringLiteral("BLOB"), DataType::LongVarBinary},
        {QStringLiteral("GUID"), DataType::Guid},
        {QStringLiteral("UNIQUEIDENTIFIER"), DataType::Guid},
        {QStringLiteral("DECIMAL"), DataType::Numeric},
        {QStringLiteral("NUMERIC"), DataType::Numeric},
        {QStringLiteral("DEC"), DataType::Numeric},
    };
    return words;
}

} // namespace

ColumnType columnTypeFromDeclaration(const QString& declaredType)
{
    const QString text = declaredType.trimmed();
    qsizetype end = 0;
    while (end < text.size() && (text.at(end).isLetterOrNumber() || text.at(end) == u'_')) {
        ++end;
    }
    const auto found = typeWords().constFind(text.left(end).toUpper());
    if (found == typeWords().cend()) {
        return {};
    }
    ColumnType result{*found, 0};
    const qsizetype open = text.indexOf(QLatin1Char('('), end);
    const qsizetype close = text.indexOf(QLatin1Char(')'), open + 1);
    if (open >= 0 && close > open && text.mid(end, open - end).trimmed().isEmpty()) {
        bool ok = false;
        const int size = text.mid(open + 1, close - open - 1).trimmed().toInt(&ok);
        if (ok && size > 0) {
            result.size = size;
        }
    }
    // A bare TEXT is Jet's long text; TEXT(n) is the sized kind.
    if (result.type == DataType::VarWChar && result.size == 0 &&
        text.left(end).compare(QLatin1String("TEXT"), Qt::CaseInsensitive) == 0) {
        result.type = DataType::LongVarWChar;
    }
    return result;
}

QString jetTypeName(DataType type)
{
    switch (type) {
    case DataType::SmallInt:
        return QStringLiteral("Integer");
    case DataType::Integer:
        return QStringLiteral("Long");
    case DataType::Single:
        return QStringLiteral("Single");
    case DataType::Double:
        return QStringLiteral("Double");
    case DataType::Currency:
        return QStringLiteral("Currency");
    case DataType::Date:
        return QStringLiteral("Date/Time");
    case DataType::Boolean:
        return QStringLiteral("Yes/No");
    case DataType::UnsignedTinyInt:
        return QStringLiteral("Byte");
    case DataType::Guid:
        return QStringLiteral("Replication ID");
    case DataType::Numeric:
        return QStringLiteral("Decimal");
    case DataType::WChar:
    case DataType::VarWChar:
        return QStringLiteral("Text");
    case DataType::LongVarWChar:
        return QStringLiteral("Memo");
    case DataType::Binary:
    case DataType::VarBinary:
        return QStringLiteral("Binary");
    case DataType::LongVarBinary:
        return QStringLiteral("OLE Object");
    case DataType::Empty:
    case DataType::Variant:
        break;
    }
    return QStringLiteral("Variant");
}

} // namespace jet
