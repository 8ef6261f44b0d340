#include "KeyPath.h"

#include "LastError.h"

namespace reg::detail {

Status splitKeyPath(const QString& subKey, QStringList* levels)
{
    levels->clear();
    if (subKey.isEmpty())
        return ERROR_SUCCESS;
    QString path = subKey;
    if (path.endsWith(QLatin1Char('\\')))
        path.chop(1);
    const QStringList parts = path.split(QLatin1Char('\\'));
    for (const QString& part : parts) {
        if (part.isEmpty()) {
            setLastError(QStringLiteral("Key path \"%1\" has an empty level (a leading or doubled "
                                        "backslash); write the levels separated by one backslash")
                             .arg(subKey));
            return ERROR_BAD_PATHNAME;
        }
        if (part.size() > kMaxKeyNameLength) {
            setLastError(QStringLiteral("Key name \"%1...\" in \"%2\" is longer than %3 characters")
                             .arg(part.left(20), subKey)
                             .arg(kMaxKeyNameLength));
            return ERROR_INVALID_PARAMETER;
        }
    }
    *levels = parts;
    return ERROR_SUCCESS;
}

} // namespace reg::detail
