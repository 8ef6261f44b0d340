#include "Registry_Management.h"

#include "platform/vb/Error.h"
#include "platform/versioninfo/VersionInfo.h"
#include "RegistryData.h"
#include "ScopedRegKey.h"

#include <array>

namespace Registry_Management {

namespace {

const QString moduleName = QStringLiteral("Registry_Management");
const QString productName = QStringLiteral("Quorvex");

// Appends "\" + segment, or nothing for an empty segment.
void appendSegment(QString& path, const QString& segment)
{
    if (!segment.isEmpty())
        path += QLatin1Char('\\') + segment;
}

QString multiStringText(const QByteArray& data)
{
    const qsizetype end = data.indexOf(QByteArray("\0\0", 2));
    return end < 0 ? common::textFromRegData(data) : QString::fromUtf8(data.left(end));
}

bool isWholeNumber(const vb::Variant& value)
{
    switch (value.type()) {
    case vb::VarType::Integer:
    case vb::VarType::Long:
    case vb::VarType::Boolean:
    case vb::VarType::Byte:
        return true;
    default:
        return false;
    }
}

QString typeName(reg::ValueType type)
{
    switch (type) {
    case reg::REG_BINARY:
        return QStringLiteral(" (REG_BINARY)");
    case reg::REG_MULTI_SZ:
        return QStringLiteral(" (REG_MULTI_SZ)");
    case reg::REG_LINK:
        return QStringLiteral(" (REG_LINK)");
    case reg::REG_QWORD:
        return QStringLiteral(" (REG_QWORD)");
    default:
        return QString();
    }
}

} // namespace

QString ProductKeyPath()
{
    QString path = QStringLiteral("Software");
    appendSegment(path, verinfo::ownCompanyName());
    appendSegment(path, productName);
    appendSegment(path, QString()); // the application segment, kept for later use
    return path;
}

QString GetProductSetting(reg::Hkey root, const QString& section, const QString& valueName,
                          const QString& defaultText)
{
    return ReadRegistryValue(root, ProductKeyPath() + QLatin1Char('\\') + section, valueName,
                             defaultText);
}

reg::Status SaveProductSetting(reg::Hkey root, const QString& section, const QString& valueName,
                               const QString& text)
{
    return WriteRegistryString(root, ProductKeyPath() + QLatin1Char('\\') + section, valueName,
                               text);
}

QString ReadRegistryValue(reg::Hkey root, const QString& keyPath, const QString& valueName,
                          const QString& defaultText)
{
    common::ScopedRegKey key;
    if (key.opened(reg::openKeyEx(root, keyPath, reg::KEY_READ, key.receive())) !=
        reg::ERROR_SUCCESS)
        return defaultText;
    vb::Variant value;
    if (QueryRegValue(key.get(), valueName, value) != reg::ERROR_SUCCESS)
        return defaultText;
    return value.toString(); // every value RegDataToValue gives has a text form
}

reg::Status WriteRegistryString(reg::Hkey root, const QString& keyPath, const QString& valueName,
                                const QString& text)
{
    common::ScopedRegKey key;
    const reg::Status created = key.opened(reg::createKey(root, keyPath, key.receive()));
    if (created != reg::ERROR_SUCCESS)
        return created;
    const reg::Status set = SetRegValue(key.get(), valueName, reg::REG_SZ, vb::Variant(text));
    if (set != reg::ERROR_SUCCESS)
        return set; // the key is still closed on the way out
    return key.close();
}

reg::Status CreateRegKey(reg::Hkey parent, const QString& keyPath, reg::Hkey& key)
{
    return reg::createKey(parent, keyPath, &key);
}

reg::Status OpenRegKey(reg::Hkey parent, const QString& keyPath, reg::AccessMask access,
                       reg::Hkey& key)
{
    return reg::openKeyEx(parent, keyPath, access, &key);
}

reg::Status QueryRegValue(reg::Hkey key, const QString& valueName, vb::Variant& value)
{
    std::array<std::uint8_t, ReadBufferSize> buffer{};
    std::uint32_t length = ReadBufferSize;
    reg::ValueType type = reg::REG_NONE;
    const reg::Status status = reg::queryValueEx(key, valueName, &type, buffer.data(), &length);
    if (status != reg::ERROR_SUCCESS)
        return status;
    const QByteArray data(reinterpret_cast<const char*>(buffer.data()),
                          static_cast<qsizetype>(std::min(length, ReadBufferSize)));
    value = RegDataToValue(data, length, type);
    return status;
}

reg::Status SetRegValue(reg::Hkey key, const QString& valueName, reg::ValueType type,
                        const vb::Variant& value)
{
    const QByteArray data = ValueToRegData(value, type);
    return reg::setValueEx(key, valueName, type, reinterpret_cast<const std::uint8_t*>(data.data()),
                           static_cast<std::uint32_t>(data.size()));
}

vb::Variant RegDataToValue(const QByteArray& data, std::uint32_t length, reg::ValueType type)
{
    const QByteArray bytes = data.left(static_cast<qsizetype>(
        std::min<std::uint32_t>(length, static_cast<std::uint32_t>(data.size()))));
    switch (type) {
    case reg::REG_SZ:
        return vb::Variant(common::textFromRegData(bytes));
    case reg::REG_EXPAND_SZ:
        // The whole expansion is returned: cutting it at a fixed buffer size would hand the
        // caller a wrong path.
        return vb::Variant(reg::expandEnvironmentStrings(common::textFromRegData(bytes)));
    case reg::REG_DWORD:
        return vb::Variant(common::littleEndianLong(bytes));
    case reg::REG_DWORD_BIG_ENDIAN:
        return vb::Variant(common::bigEndianLong(bytes));
    case reg::REG_MULTI_SZ:
        return vb::Variant(multiStringText(bytes));
    default:
        return vb::Variant(); // binary and unknown types have no reading
    }
}

QByteArray ValueToRegData(const vb::Variant& value, reg::ValueType& type)
{
    if (type == reg::REG_NONE)
        type = isWholeNumber(value) ? reg::REG_DWORD : reg::REG_SZ;
    switch (type) {
    case reg::REG_SZ:
    case reg::REG_EXPAND_SZ:
        return common::regDataFromText(value.toString());
    case reg::REG_DWORD:
        return common::littleEndianBytes(value.toLong());
    case reg::REG_DWORD_BIG_ENDIAN:
        return common::bigEndianBytes(value.toLong());
    default:
        throw vb::Error(vb::ErrorNumber::InvalidProcedureCall,
                        QStringLiteral("Registry value type %1%2 cannot be written. Write the "
                                       "value as text (type 1) or as a 32-bit number (type 4).")
                            .arg(type)
                            .arg(typeName(type)),
                        moduleName);
    }
}

} // namespace Registry_Management
