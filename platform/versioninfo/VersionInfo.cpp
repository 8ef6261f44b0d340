#include "VersionInfo.h"

#include "ElfReader.h"
#include "PeReader.h"

#include <algorithm>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace verinfo {

namespace {

// Files that cannot be mapped are read, but only this much.
constexpr qint64 kReadLimit = 64 * 1024 * 1024;

uint32_t versionPart(const QString& part)
{
    uint32_t value = 0;
    for (const QChar c : part) {
        if (c < u'0' || c > u'9')
            break;
        value = std::min<uint32_t>(value * 10 + (c.unicode() - u'0'), 0xFFFF);
    }
    return value;
}

} // namespace

QString StringTable::value(const QString& name) const
{
    const auto it = std::find_if(strings.begin(), strings.end(), [&](const auto& entry) {
        return entry.first.compare(name, Qt::CaseInsensitive) == 0;
    });
    return it == strings.end() ? QString() : it->second;
}

bool StringTable::contains(const QString& name) const
{
    return std::any_of(strings.begin(), strings.end(), [&](const auto& entry) {
        return entry.first.compare(name, Qt::CaseInsensitive) == 0;
    });
}

const StringTable* VersionInfo::stringTable(Translation translation) const
{
    const auto it =
        std::find_if(stringTables.begin(), stringTables.end(),
                     [&](const StringTable& t) { return t.translation == translation; });
    return it == stringTables.end() ? nullptr : &*it;
}

QString VersionInfo::value(const QString& key) const
{
    const StringTable* table = translations.empty() ? nullptr : stringTable(translations.front());
    if (!table && !stringTables.empty())
        table = &stringTables.front();
    return table ? table->value(key) : QString();
}

QString VersionInfo::value(const QString& key, Translation translation) const
{
    const StringTable* table = stringTable(translation);
    return table ? table->value(key) : QString();
}

std::pair<uint32_t, uint32_t> versionNumbers(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    uint32_t numbers[4] = {0, 0, 0, 0};
    for (qsizetype i = 0; i < std::min<qsizetype>(parts.size(), 4); ++i)
        numbers[i] = versionPart(parts[i]);
    return {numbers[0] << 16 | numbers[1], numbers[2] << 16 | numbers[3]};
}

std::optional<VersionInfo> readBytes(QByteArrayView data)
{
    if (looksLikeElf(data))
        return readElf(data);
    if (looksLikePe(data))
        return readPe(data);
    return std::nullopt;
}

std::optional<VersionInfo> readFile(const QString& path)
{
    // Only regular files: opening a named pipe would wait for a writer, a device never ends.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const qint64 size = file.size();
    if (size > 0) {
        // Mapping keeps even a huge file out of memory; only the headers and the version
        // data are ever touched.
        if (uchar* mapped = file.map(0, size)) {
            auto result = readBytes(QByteArrayView(mapped, static_cast<qsizetype>(size)));
            file.unmap(mapped);
            return result;
        }
    }
    return readBytes(file.read(kReadLimit));
}

std::optional<VersionInfo> readOwn()
{
    // /proc/self/exe still names the program after it was moved or replaced; without /proc,
    // the path Qt recorded at start-up is the next best.
    if (auto info = readFile(QStringLiteral("/proc/self/exe")))
        return info;
    if (QCoreApplication::instance())
        return readFile(QCoreApplication::applicationFilePath());
    return std::nullopt;
}

QString ownCompanyName()
{
    static const QString company = [] {
        const auto info = readOwn();
        return info ? info->value(QStringLiteral("CompanyName")) : QString();
    }();
    return company;
}

} // namespace verinfo
