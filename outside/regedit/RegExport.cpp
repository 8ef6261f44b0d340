#include "RegExport.h"

#include <QSaveFile>

namespace regedit {
namespace {

const QString kHeader = QStringLiteral("Windows Registry Editor Version 5.00");
const QString kLineEnd = QStringLiteral("\r\n");

// The Windows editor breaks a hex line after the byte that takes it past column 76 and goes on
// two spaces in, so that no line is longer than 80 characters.
constexpr int kWrapColumn = 76;
const QString kContinuation = QStringLiteral("\\\r\n  ");

QString escaped(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"'))
            result += QLatin1Char('\\');
        result += c;
    }
    return result;
}

QString nameField(const QString& name)
{
    return name.isEmpty() ? QStringLiteral("@")
                          : QLatin1Char('"') + escaped(name) + QLatin1Char('"');
}

// Strings are kept as UTF-8; the file holds them as UTF-16LE, terminating zero included.
QByteArray utf16Bytes(const QByteArray& utf8)
{
    const QString text = QString::fromUtf8(utf8);
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

// A string the quoted form shows exactly: one terminating zero and no other, valid UTF-8, and no
// line break (which would end the line in the file).
bool quotable(const QByteArray& data)
{
    if (!data.endsWith('\0'))
        return false;
    const QByteArray body = data.chopped(1);
    if (body.contains('\0') || body.contains('\r') || body.contains('\n'))
        return false;
    return QString::fromUtf8(body).toUtf8() == body;
}

QString hexData(const QString& prefix, const QByteArray& bytes)
{
    QString line = prefix;
    qsizetype column = prefix.size();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const bool last = i + 1 == bytes.size();
        const QString piece = QStringLiteral("%1").arg(uchar(bytes[i]), 2, 16, QLatin1Char('0')) +
                              (last ? QString() : QStringLiteral(","));
        line += piece;
        column += piece.size();
        if (!last && column > kWrapColumn) {
            line += kContinuation;
            column = 2;
        }
    }
    return line;
}

QString hexType(reg::ValueType type)
{
    return type == reg::REG_BINARY ? QStringLiteral("hex:")
                                   : QStringLiteral("hex(%1):").arg(type, 0, 16);
}

reg::Status readKey(reg::Hkey key, const QString& fullPath, RegFile* file)
{
    RegKeyBlock block;
    block.path = fullPath;
    QString name;
    reg::ValueType type = reg::REG_NONE;
    QByteArray data;
    reg::Status status = reg::ERROR_SUCCESS;
    for (std::uint32_t index = 0;
         (status = reg::enumValue(key, index, &name, 16384, &type, &data)) == reg::ERROR_SUCCESS;
         ++index)
        block.values.push_back({name, type, data, false});
    if (status != reg::ERROR_NO_MORE_ITEMS)
        return status;
    file->push_back(block);

    for (std::uint32_t index = 0;
         (status = reg::enumKeyEx(key, index, &name, 256)) == reg::ERROR_SUCCESS; ++index) {
        reg::Hkey child = 0;
        status = reg::openKeyEx(key, name, reg::KEY_READ, &child);
        if (status != reg::ERROR_SUCCESS)
            return status;
        status = readKey(child, fullPath + QLatin1Char('\\') + name, file);
        reg::closeKey(child);
        if (status != reg::ERROR_SUCCESS)
            return status;
    }
    return status == reg::ERROR_NO_MORE_ITEMS ? reg::ERROR_SUCCESS : status;
}

} // namespace

QString formatValue(const RegValue& value)
{
    const QString prefix = nameField(value.name) + QLatin1Char('=');
    switch (value.type) {
    case reg::REG_SZ:
        if (quotable(value.data)) {
            return prefix + QLatin1Char('"') + escaped(QString::fromUtf8(value.data.chopped(1))) +
                   QLatin1Char('"');
        }
        return hexData(prefix + hexType(value.type), utf16Bytes(value.data));
    case reg::REG_EXPAND_SZ:
    case reg::REG_MULTI_SZ:
        return hexData(prefix + hexType(value.type), utf16Bytes(value.data));
    case reg::REG_DWORD:
        if (value.data.size() == 4) {
            quint32 number = 0;
            for (int i = 3; i >= 0; --i)
                number = (number << 8) | uchar(value.data[i]);
            return prefix + QStringLiteral("dword:%1").arg(number, 8, 16, QLatin1Char('0'));
        }
        break;
    default:
        break;
    }
    return hexData(prefix + hexType(value.type), value.data);
}

QString formatRegText(const RegFile& file)
{
    QString text = kHeader + kLineEnd + kLineEnd;
    for (const RegKeyBlock& block : file) {
        text += QLatin1Char('[') + block.path + QLatin1Char(']') + kLineEnd;
        for (const RegValue& value : block.values)
            text += formatValue(value) + kLineEnd;
        text += kLineEnd;
    }
    return text;
}

QByteArray encodeRegFile(const RegFile& file)
{
    const QString text = formatRegText(file);
    QByteArray bytes("\xff\xfe", 2);
    // QString holds UTF-16 in host order; write it little-endian whatever the host.
    bytes.reserve(2 + text.size() * 2);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xff));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

QString readKeyTree(const QString& fullKey, RegFile* file)
{
    reg::Hkey root = 0;
    QString subKey;
    if (!reg::splitRootPath(fullKey, &root, &subKey))
        return QStringLiteral("\"%1\" does not start with a root key such as HKEY_CURRENT_USER")
            .arg(fullKey);
    reg::Hkey key = 0;
    reg::Status status = reg::openKeyEx(root, subKey, reg::KEY_READ, &key);
    if (status == reg::ERROR_FILE_NOT_FOUND)
        return QStringLiteral("The key %1 does not exist; nothing was exported").arg(fullKey);
    if (status != reg::ERROR_SUCCESS)
        return QStringLiteral("Cannot open %1: %2").arg(fullKey, reg::lastErrorText());
    // The file names keys as they were created, whatever case the caller used.
    QString storedPath;
    status = reg::queryKeyPath(key, &storedPath);
    if (status == reg::ERROR_SUCCESS) {
        const QString fullPath = storedPath.isEmpty()
                                     ? reg::rootName(root)
                                     : reg::rootName(root) + QLatin1Char('\\') + storedPath;
        status = readKey(key, fullPath, file);
    }
    const QString reason = reg::lastErrorText();
    reg::closeKey(key);
    if (status != reg::ERROR_SUCCESS)
        return QStringLiteral("Cannot read %1: %2").arg(fullKey, reason);
    return {};
}

QString exportKey(const QString& fileName, const QString& fullKey)
{
    RegFile file;
    if (const QString problem = readKeyTree(fullKey, &file); !problem.isEmpty())
        return problem;
    QSaveFile output(fileName);
    if (!output.open(QIODevice::WriteOnly))
        return QStringLiteral("Cannot write %1: %2").arg(fileName, output.errorString());
    const QByteArray bytes = encodeRegFile(file);
    if (output.write(bytes) != bytes.size() || !output.commit())
        return QStringLiteral("Cannot write %1: %2").arg(fileName, output.errorString());
    return {};
}

} // namespace regedit
