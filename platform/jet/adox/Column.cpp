#include "Column.h"

#include "Table.h"

namespace jet::adox {

namespace {

const QString nullableProperty = QStringLiteral("Nullable");
const QString allowZeroLengthProperty = QStringLiteral("Jet OLEDB:Allow Zero Length");
const QString autoIncrementProperty = QStringLiteral("AutoIncrement");
const QString defaultProperty = QStringLiteral("Default");
// Properties Jet has that change nothing the engine keeps.
const QStringList ignoredProperties = {QStringLiteral("Description"),
                                       QStringLiteral("Fixed Length"),
                                       QStringLiteral("Jet OLEDB:Compressed UNICODE Strings")};

bool is(const QString& name, const QString& property)
{
    return name.compare(property, Qt::CaseInsensitive) == 0;
}

JetType jetType(DataType type, bool autoIncrement)
{
    switch (type) {
    case DataType::VarWChar:
    case DataType::WChar:
        return JetType::Text;
    case DataType::LongVarWChar:
        return JetType::Memo;
    case DataType::UnsignedTinyInt:
        return JetType::Byte;
    case DataType::SmallInt:
        return JetType::Integer;
    case DataType::Integer:
        return autoIncrement ? JetType::Counter : JetType::Long;
    case DataType::Single:
        return JetType::Single;
    case DataType::Double:
        return JetType::Double;
    case DataType::Currency:
        return JetType::Currency;
    case DataType::Date:
        return JetType::DateTime;
    case DataType::Boolean:
        return JetType::YesNo;
    case DataType::Guid:
        return JetType::Guid;
    case DataType::Binary:
    case DataType::VarBinary:
        return JetType::Binary;
    case DataType::LongVarBinary:
        return JetType::LongBinary;
    case DataType::Numeric:
        return JetType::Decimal;
    default:
        break;
    }
    throw Error::invalidArgument(
        QStringLiteral("A Jet column cannot have the data type %1.").arg(static_cast<int>(type)));
}

// A default value as Jet literal text.
std::optional<QString> defaultLiteral(const vb::Variant& value)
{
    switch (value.type()) {
    case vb::VarType::Empty:
        return std::nullopt;
    case vb::VarType::Null:
        return QStringLiteral("Null");
    case vb::VarType::Boolean:
        return value.toBoolean() ? QStringLiteral("True") : QStringLiteral("False");
    case vb::VarType::String: {
        const QString text = value.toString();
        // Jet keeps a text default as it was given: quoted, or an expression such as 0 or
        // Now().
        if (text.startsWith(u'"') || text.startsWith(u'\'')) {
            return text;
        }
        bool number = false;
        text.toDouble(&number);
        if (number || text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ||
            text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0 ||
            text.startsWith(u'#')) {
            return text;
        }
        QString quoted = text;
        quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        return QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    default:
        return QString::number(value.toDouble(), 'g', 17);
    }
}

} // namespace

Column::Column(QString name, DataType type, int definedSize)
    : m_type(type), m_definedSize(definedSize)
{
    m_schema.name = std::move(name);
    m_schema.nullable = false;
}

void Column::setName(const QString& name)
{
    if (m_table) {
        throw Error::invalidArgument(
            QStringLiteral("The column '%1' belongs to an appended table; it cannot be renamed.")
                .arg(m_schema.name));
    }
    m_schema.name = name;
}

void Column::setType(DataType type)
{
    m_type = type;
    changed();
}

void Column::setDefinedSize(int size)
{
    m_definedSize = size;
    changed();
}

void Column::setPrecision(int precision)
{
    if (precision < 1 || precision > kMaxDecimalPrecision || precision < m_schema.scale) {
        throw Error::invalidArgument(
            QStringLiteral("Column '%1': a precision of %2 is outside 1 to %3 or below the "
                           "scale %4.")
                .arg(m_schema.name)
                .arg(precision)
                .arg(kMaxDecimalPrecision)
                .arg(m_schema.scale));
    }
    m_schema.precision = precision;
    changed();
}

void Column::setNumericScale(int scale)
{
    if (scale < 0 || scale > m_schema.precision) {
        throw Error::invalidArgument(
            QStringLiteral("Column '%1': a scale of %2 is outside 0 to the precision %3.")
                .arg(m_schema.name)
                .arg(scale)
                .arg(m_schema.precision));
    }
    m_schema.scale = scale;
    changed();
}

int Column::attributes() const
{
    return m_schema.nullable ? Nullable : 0;
}

void Column::setAttributes(int attributes)
{
    m_schema.nullable = (attributes & Nullable) != 0;
    changed();
}

void Column::requireProperties(const QString& name) const
{
    // As in ADOX, provider properties exist only once the provider knows the column.
    if (!m_catalog && !m_table) {
        throw Error::itemNotFound(name, QStringLiteral("ADOX.Properties"));
    }
}

vb::Variant Column::property(const QString& name) const
{
    requireProperties(name);
    if (is(name, nullableProperty)) {
        return vb::Variant(m_schema.nullable);
    }
    if (is(name, allowZeroLengthProperty)) {
        return vb::Variant(m_schema.allowZeroLength);
    }
    if (is(name, autoIncrementProperty)) {
        return vb::Variant(m_schema.autoIncrement);
    }
    if (is(name, defaultProperty)) {
        return m_schema.defaultSql ? vb::Variant(*m_schema.defaultSql) : vb::Variant();
    }
    if (ignoredProperties.contains(name, Qt::CaseInsensitive)) {
        return vb::Variant();
    }
    throw Error::itemNotFound(name, QStringLiteral("ADOX.Properties"));
}

void Column::setProperty(const QString& name, const vb::Variant& value)
{
    requireProperties(name);
    if (is(name, nullableProperty)) {
        m_schema.nullable = value.toBoolean();
    } else if (is(name, allowZeroLengthProperty)) {
        m_schema.allowZeroLength = value.toBoolean();
        m_schema.zeroLengthChecked = true;
    } else if (is(name, autoIncrementProperty)) {
        m_schema.autoIncrement = value.toBoolean();
    } else if (is(name, defaultProperty)) {
        m_schema.defaultSql = defaultLiteral(value);
    } else if (!ignoredProperties.contains(name, Qt::CaseInsensitive)) {
        throw Error::itemNotFound(name, QStringLiteral("ADOX.Properties"));
    }
    changed();
}

void Column::changed()
{
    if (m_table) {
        m_table->columnChanged(*this);
    }
}

ColumnSchema Column::schema() const
{
    ColumnSchema schema = m_schema;
    schema.type = jetType(m_type, m_schema.autoIncrement);
    schema.autoIncrement = schema.type == JetType::Counter;
    schema.size =
        schema.type == JetType::Text || schema.type == JetType::Binary ? m_definedSize : 0;
    return schema;
}

Column Column::fromSchema(const ColumnSchema& schema)
{
    Column column(schema.name, schema.adoType(), schema.size);
    column.m_schema = schema;
    return column;
}

} // namespace jet::adox
