#include "ValueArgument.h"

#include <algorithm>
#include <QStringList>

namespace reg::qvreg {
namespace {

QByteArray withZero(const QString& text)
{
    QByteArray data = text.toUtf8();
    data.append('\0');
    return data;
}

QString parseDword(const QString& text, QByteArray* data)
{
    bool ok = false;
    qint64 number = 0;
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        number = trimmed.mid(2).toLongLong(&ok, 16);
    else
        number = trimmed.toLongLong(&ok, 10);
    if (!ok || number < -2147483648LL || number > 4294967295LL)
        return QStringLiteral("\"%1\" is not a 32-bit number (write it in decimal, or in hex "
                              "with 0x)")
            .arg(text);
    const auto value = quint32(number);
    for (int shift = 0; shift < 32; shift += 8)
        data->append(char((value >> shift) & 0xff));
    return {};
}

QString parseBinary(const QString& text, QByteArray* data)
{
    if (text.trimmed().isEmpty())
        return {};
    const QStringList bytes = text.split(QLatin1Char(','));
    for (const QString& byteText : bytes) {
        bool ok = false;
        const uint byte = byteText.trimmed().toUInt(&ok, 16);
        if (!ok || byte > 0xff || byteText.trimmed().size() > 2)
            return QStringLiteral("\"%1\" in \"%2\" is not a hex byte (write bytes like 01,ab,ff)")
                .arg(byteText, text);
        data->append(char(byte));
    }
    return {};
}

// "\0" separates the strings, "\\" is one backslash.
QString parseMultiString(const QString& text, QByteArray* data)
{
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\\') && i + 1 < text.size()) {
            const QChar next = text[i + 1];
            if (next == QLatin1Char('0')) {
                data->append(withZero(current));
                current.clear();
                ++i;
                continue;
            }
            if (next == QLatin1Char('\\')) {
                current += QLatin1Char('\\');
                ++i;
                continue;
            }
        }
        current += text[i];
    }
    if (!current.isEmpty())
        data->append(withZero(current));
    data->append('\0');
    return {};
}

QString textBefore0(const QByteArray& data)
{
    const qsizetype end = data.indexOf('\0');
    return QString::fromUtf8(end < 0 ? data : data.left(end));
}

QString hexBytes(const QByteArray& data)
{
    QStringList bytes;
    for (const char byte : data)
        bytes << QStringLiteral("%1").arg(uchar(byte), 2, 16, QLatin1Char('0'));
    return bytes.join(QLatin1Char(','));
}

QString multiStringLines(const QByteArray& data)
{
    QStringList lines;
    const QList<QByteArray> parts = data.split('\0');
    for (const QByteArray& part : parts) {
        if (part.isEmpty())
            break; // the empty string before the final zero ends the list
        lines << QString::fromUtf8(part);
    }
    return lines.join(QLatin1Char('\n'));
}

quint64 littleEndian(const QByteArray& data)
{
    quint64 value = 0;
    for (qsizetype i = data.size() - 1; i >= 0; --i)
        value = (value << 8) | uchar(data[i]);
    return value;
}

} // namespace

QString parseValueArgument(const QString& text, const QString& typeName, ValueArgument* value)
{
    QString type = typeName.toLower();
    if (type.startsWith(QLatin1String("reg_")))
        type = type.mid(4);
    value->data.clear();
    if (type.isEmpty() || type == QLatin1String("sz")) {
        value->type = REG_SZ;
        value->data = withZero(text);
        return {};
    }
    if (type == QLatin1String("expand_sz")) {
        value->type = REG_EXPAND_SZ;
        value->data = withZero(text);
        return {};
    }
    if (type == QLatin1String("dword")) {
        value->type = REG_DWORD;
        return parseDword(text, &value->data);
    }
    if (type == QLatin1String("binary")) {
        value->type = REG_BINARY;
        return parseBinary(text, &value->data);
    }
    if (type == QLatin1String("multi_sz")) {
        value->type = REG_MULTI_SZ;
        return parseMultiString(text, &value->data);
    }
    return QStringLiteral("Unknown value type \"%1\" (use sz, expand_sz, dword, binary or "
                          "multi_sz)")
        .arg(typeName);
}

QString formatValue(ValueType type, const QByteArray& data)
{
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        return textBefore0(data);
    case REG_MULTI_SZ:
        return multiStringLines(data);
    case REG_DWORD:
    case REG_QWORD:
        if (data.size() == (type == REG_DWORD ? 4 : 8))
            return QString::number(littleEndian(data));
        break;
    case REG_DWORD_BIG_ENDIAN:
        if (data.size() == 4) {
            QByteArray reversed = data;
            std::reverse(reversed.begin(), reversed.end());
            return QString::number(littleEndian(reversed));
        }
        break;
    default:
        break;
    }
    return hexBytes(data);
}

QString typeName(ValueType type)
{
    switch (type) {
    case REG_NONE:
        return QStringLiteral("REG_NONE");
    case REG_SZ:
        return QStringLiteral("REG_SZ");
    case REG_EXPAND_SZ:
        return QStringLiteral("REG_EXPAND_SZ");
    case REG_BINARY:
        return QStringLiteral("REG_BINARY");
    case REG_DWORD:
        return QStringLiteral("REG_DWORD");
    case REG_DWORD_BIG_ENDIAN:
        return QStringLiteral("REG_DWORD_BIG_ENDIAN");
    case REG_LINK:
        return QStringLiteral("REG_LINK");
    case REG_MULTI_SZ:
        return QStringLiteral("REG_MULTI_SZ");
    case REG_QWORD:
        return QStringLiteral("REG_QWORD");
    default:
        return QStringLiteral("REG_0x%1").arg(type, 0, 16);
    }
}

} // namespace reg::qvreg
