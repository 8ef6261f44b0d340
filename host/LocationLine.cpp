// Reading and writing a bottle-location line.

#include "host/LocationLine.h"

#include "platform/vb/Error.h"

#include <limits>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace host {

namespace {

[[noreturn]] void raiseBadLine(const QString& line, const QString& why)
{
    throw vb::Error(vb::ErrorNumber::TypeMismatch,
                    u"The bottle location line \"%1\" %2"_s.arg(line, why), u"ParseLocationLine"_s);
}

} // namespace

LocationLine parseLocationLine(const QString& line)
{
    static const QRegularExpression form(u"^(.*\\S) \\((\\d+)\\)$"_s);
    const QRegularExpressionMatch match = form.match(line.trimmed());
    if (!match.hasMatch())
        raiseBadLine(line, u"is not of the form \"location (count)\""_s);
    bool ok = false;
    const qlonglong count = match.captured(2).toLongLong(&ok);
    if (!ok || count > std::numeric_limits<qint16>::max())
        raiseBadLine(line, u"has a bottle count that does not fit 16 bits (at most 32767)"_s);
    return {match.captured(1), static_cast<qint16>(count)};
}

QString formatLocationLine(const QString& location, qint16 quantity)
{
    return u"%1 (%2)"_s.arg(location).arg(quantity);
}

} // namespace host
