#include "Registry.h"

#include <array>

namespace reg {
namespace {

struct RootSpelling
{
    Hkey root;
    const char* longName;
    const char* shortName;
};

constexpr std::array<RootSpelling, 4> kRoots{{
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT", "HKCR"},
    {HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "HKCU"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", "HKLM"},
    {HKEY_USERS, "HKEY_USERS", "HKU"},
}};

} // namespace

QString rootName(Hkey root)
{
    for (const RootSpelling& spelling : kRoots) {
        if (spelling.root == root)
            return QString::fromLatin1(spelling.longName);
    }
    return {};
}

bool splitRootPath(const QString& fullPath, Hkey* root, QString* subKey)
{
    const qsizetype separator = fullPath.indexOf(QLatin1Char('\\'));
    const QString first = separator < 0 ? fullPath : fullPath.left(separator);
    for (const RootSpelling& spelling : kRoots) {
        if (first.compare(QLatin1String(spelling.longName), Qt::CaseInsensitive) == 0 ||
            first.compare(QLatin1String(spelling.shortName), Qt::CaseInsensitive) == 0) {
            if (root)
                *root = spelling.root;
            if (subKey)
                *subKey = separator < 0 ? QString() : fullPath.mid(separator + 1);
            return true;
        }
    }
    return false;
}

} // namespace reg
