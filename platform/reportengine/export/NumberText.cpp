// NumberText: numbers recognised in report texts, with the format that shows them alike.

#include "platform/reportengine/export/NumberText.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace report {

namespace {

constexpr int kMaxDigits = 15; // what a double holds exactly

} // namespace

std::optional<NumberText> readNumberText(const QString& text)
{
    static const QRegularExpression pattern(
        u"^(?<sign>[-+]?)(?<currency>[$€£¥]?)(?<space> ?)(?<int>\\d{1,3}(?:,\\d{3})+|\\d+)"
        u"(?:\\.(?<frac>\\d+))?(?<percent>%?)$"_s);
    const auto match = pattern.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const QString integer = match.captured(u"int"_s).remove(u',');
    const QString fraction = match.captured(u"frac"_s);
    if ((integer.size() > 1 && integer.startsWith(u'0')) ||
        integer.size() + fraction.size() > kMaxDigits)
        return std::nullopt;
    const bool percent = !match.captured(u"percent"_s).isEmpty();
    const QString currency = match.captured(u"currency"_s);
    if (percent && !currency.isEmpty())
        return std::nullopt;
    bool ok = false;
    double value = (integer + u"."_s + (fraction.isEmpty() ? u"0"_s : fraction)).toDouble(&ok);
    if (!ok)
        return std::nullopt;
    if (match.captured(u"sign"_s) == u"-"_s)
        value = -value;
    if (percent)
        value /= 100.0;

    const bool grouped = match.captured(u"int"_s).contains(u',');
    QString format = grouped ? u"#,##0"_s : u"0"_s;
    if (!fraction.isEmpty())
        format += u"."_s + QString(fraction.size(), u'0');
    if (percent)
        format += u"%"_s;
    if (!currency.isEmpty())
        format = u"\""_s + currency + match.captured(u"space"_s) + u"\""_s + format;
    if (format == u"0"_s)
        format = u"General"_s;
    return NumberText{value, format};
}

} // namespace report
