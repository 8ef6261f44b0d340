#include "PackageMetadata.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <tuple>

namespace verinfo {

namespace {

constexpr Translation kElfTranslation{0x0409, 0x04B0};
constexpr uint32_t kStrucVersion = 0x00010000;
constexpr uint32_t kAllFlagsMask = 0x3F;

QString versionText(const QJsonObject& object, const QString& key)
{
    const QString own = object.value(key).toString();
    return own.isEmpty() ? object.value(QStringLiteral("version")).toString() : own;
}

} // namespace

std::optional<VersionInfo> fromPackageMetadata(QByteArrayView json, uint32_t fileType)
{
    // The descriptor is NUL-terminated and padded; the JSON ends at the first NUL.
    const qsizetype end = json.indexOf('\0');
    const QByteArray text = (end < 0 ? json : json.first(end)).toByteArray();
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();

    VersionInfo info;
    info.fixed.signature = FixedFileInfo::kSignature;
    info.fixed.strucVersion = kStrucVersion;
    std::tie(info.fixed.fileVersionMS, info.fixed.fileVersionLS) =
        versionNumbers(versionText(object, QStringLiteral("FileVersion")));
    std::tie(info.fixed.productVersionMS, info.fixed.productVersionLS) =
        versionNumbers(versionText(object, QStringLiteral("ProductVersion")));
    info.fixed.fileFlagsMask = kAllFlagsMask;
    info.fixed.fileOS = kFileOsUnknown;
    info.fixed.fileType = fileType;

    StringTable table;
    table.key = QStringLiteral("040904B0");
    table.translation = kElfTranslation;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.value().isString())
            table.strings.emplace_back(it.key(), it.value().toString());
    }
    info.translations.push_back(kElfTranslation);
    info.stringTables.push_back(std::move(table));
    return info;
}

} // namespace verinfo
