#include "Registry.h"

#include <optional>
#include <QProcessEnvironment>

namespace reg {
namespace {

// Windows looks names up without regard to case; the exact spelling wins when both exist.
std::optional<QString> variable(const QProcessEnvironment& environment, const QString& name)
{
    if (name.isEmpty())
        return std::nullopt;
    if (environment.contains(name))
        return environment.value(name);
    const QStringList keys = environment.keys();
    for (const QString& key : keys) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return environment.value(key);
    }
    return std::nullopt;
}

} // namespace

QString expandEnvironmentStrings(const QString& text)
{
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QString result;
    result.reserve(text.size());
    qsizetype position = 0;
    while (position < text.size()) {
        const qsizetype open = text.indexOf(QLatin1Char('%'), position);
        if (open < 0) {
            result += QStringView(text).mid(position);
            break;
        }
        result += QStringView(text).mid(position, open - position);
        const qsizetype close = text.indexOf(QLatin1Char('%'), open + 1);
        if (close < 0) {
            // A lone percent sign and everything after it stay as written.
            result += QStringView(text).mid(open);
            break;
        }
        const QString name = text.mid(open + 1, close - open - 1);
        if (const std::optional<QString> value = variable(environment, name))
            result += *value;
        else
            result += QStringView(text).mid(open, close - open + 1); // "%UNKNOWN%" and "%%"
        position = close + 1;
    }
    return result;
}

} // namespace reg
