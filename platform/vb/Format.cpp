#include "Format.h"

#include "DateFunctions.h"
#include "DatePattern.h"
#include "DateText.h"
#include "DecimalDigits.h"
#include "DefaultText.h"
#include "FormatSections.h"
#include "NumberPattern.h"
#include "NumericText.h"
#include "OleDate.h"
#include "TextPattern.h"

#include <optional>

namespace vb {

namespace {

struct FormatContext
{
    int firstDayOfWeek;
    int firstWeekOfYear;
    QLocale locale;
};

// A text that reads as a number becomes a Double, one that reads as a date a Date; other text
// stays as it is.
Variant interpretText(const Variant& value)
{
    if (!value.isString()) {
        return value;
    }
    const QString text = value.toString();
    if (const std::optional<NumericText> number = NumericText::parse(text)) {
        return Variant(number->toDouble());
    }
    if (const std::optional<double> days = DateText::parse(text)) {
        return Variant::fromDate(*days);
    }
    return value;
}

bool isNumeric(const Variant& value)
{
    return value.isNumber() || value.type() == VarType::Date || value.isEmpty();
}

double asDays(const Variant& value)
{
    return value.isEmpty() ? 0.0 : value.toDate();
}

QString numberWith(const char* pattern, const Variant& value, const QLocale& locale)
{
    DecimalDigits digits = DecimalDigits::of(value);
    const QString text = NumberPattern(QString::fromLatin1(pattern)).format(digits, locale);
    return digits.isNegative() ? QLatin1Char('-') + text : text;
}

// An amount with two decimals, rounded as Format rounds (half away from zero, on the decimal
// value), with the symbol and sign where the locale puts them: its own text of 1 or -1 is the
// template.
QString currencyText(const Variant& value, const QString& symbol, const QLocale& locale)
{
    const DecimalDigits digits = DecimalDigits::of(value);
    const QString amount = NumberPattern(u"#,##0.00").format(digits, locale);
    QString shape = locale.toCurrencyString(digits.isNegative() ? -1.0 : 1.0, symbol, 2);
    const QString one = locale.toString(1.0, 'f', 2);
    const qsizetype at = shape.indexOf(one);
    if (at < 0) {
        return (digits.isNegative() ? QStringLiteral("-") : QString()) + symbol + amount;
    }
    shape.replace(at, one.size(), amount);
    // Windows separates the symbol with a plain blank, newer locale data with a no-break one.
    shape.replace(QChar(0x00A0), QLatin1Char(' '));
    shape.replace(QChar(0x202F), QLatin1Char(' '));
    return shape;
}

std::optional<Variant> namedNumberFormat(const QString& name, const Variant& value,
                                         const QLocale& locale)
{
    const auto is = [&name](const char* candidate) {
        return name.compare(QLatin1String(candidate), Qt::CaseInsensitive) == 0;
    };
    if (is("General Number")) {
        if (value.type() == VarType::Currency) {
            return Variant(DefaultText::currency(value.toCurrency(), locale));
        }
        return Variant(DefaultText::number(value.toDouble(), 15, locale));
    }
    if (is("Currency")) {
        return Variant(currencyText(value, locale.currencySymbol(), locale));
    }
    if (is("Euro")) {
        return Variant(currencyText(value, QString(QChar(0x20AC)), locale));
    }
    if (is("Fixed")) {
        return Variant(numberWith("0.00", value, locale));
    }
    if (is("Standard")) {
        return Variant(numberWith("#,##0.00", value, locale));
    }
    if (is("Percent")) {
        return Variant(numberWith("0.00%", value, locale));
    }
    if (is("Scientific")) {
        return Variant(numberWith("0.00E+00", value, locale));
    }
    const bool truth = value.toBoolean();
    if (is("Yes/No")) {
        return Variant(truth ? "Yes" : "No");
    }
    if (is("True/False")) {
        return Variant(truth ? "True" : "False");
    }
    if (is("On/Off")) {
        return Variant(truth ? "On" : "Off");
    }
    return std::nullopt;
}

std::optional<Variant> namedDateFormat(const QString& name, const Variant& value,
                                       const QLocale& locale)
{
    const auto is = [&name](const char* candidate) {
        return name.compare(QLatin1String(candidate), Qt::CaseInsensitive) == 0;
    };
    const double days = asDays(value);
    const auto as = [&](const QString& pattern) {
        return Variant(locale.toString(OleDate::toDateTime(days), pattern));
    };
    if (is("General Date")) {
        return Variant(DefaultText::date(days, locale));
    }
    if (is("Long Date")) {
        return Variant(
            locale.toString(OleDate::toDate(days), DefaultText::longDatePattern(locale)));
    }
    if (is("Medium Date")) {
        return as(QStringLiteral("dd-MMM-yy"));
    }
    if (is("Short Date")) {
        return as(DefaultText::shortDatePattern(locale));
    }
    if (is("Long Time")) {
        return as(DefaultText::longTimePattern(locale));
    }
    if (is("Medium Time")) {
        return as(QStringLiteral("hh") + DefaultText::timeSeparator(locale) +
                  QStringLiteral("mm AP"));
    }
    if (is("Short Time")) {
        return as(DefaultText::shortTimePattern(locale));
    }
    return std::nullopt;
}

bool isNamedFormat(const QString& name)
{
    static const char* const names[] = {
        "General Number", "Currency",   "Euro",       "Fixed",       "Standard",     "Percent",
        "Scientific",     "Yes/No",     "True/False", "On/Off",      "General Date", "Long Date",
        "Medium Date",    "Short Date", "Long Time",  "Medium Time", "Short Time"};
    for (const char* candidate : names) {
        if (name.compare(QLatin1String(candidate), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

Variant namedFormat(const QString& name, const Variant& expression, const FormatContext& context)
{
    const Variant value = interpretText(expression);
    if (value.isString()) {
        return value; // neither a number nor a date: shown as it is
    }
    if (std::optional<Variant> date = namedDateFormat(name, value, context.locale)) {
        return *date;
    }
    return *namedNumberFormat(name, value, context.locale);
}

QString sectionFor(const std::vector<QString>& sections, std::size_t index)
{
    return index < sections.size() && !sections[index].isEmpty() ? sections[index] : sections[0];
}

QString formatNumber(const Variant& value, const std::vector<QString>& sections,
                     const FormatContext& context)
{
    const DecimalDigits digits = value.isEmpty() ? DecimalDigits() : DecimalDigits::of(value);
    std::size_t index = 0;
    if (digits.isZero() && sections.size() >= 3 && !sections[2].isEmpty()) {
        index = 2;
    } else if (digits.isNegative() && sections.size() >= 2 && !sections[1].isEmpty()) {
        index = 1;
    }
    const QString section = sectionFor(sections, index);
    switch (sectionKind(section)) {
    case SectionKind::Date:
        return DatePattern::format(section, asDays(value), context.firstDayOfWeek,
                                   context.firstWeekOfYear, context.locale);
    case SectionKind::Text:
        return TextPattern::format(section, value.toString());
    case SectionKind::Literal:
        return literalText(section); // "Zero", "n/a": the section instead of the number
    default: {
        const QString text = NumberPattern(section).format(digits, context.locale);
        // A section of its own for negatives shows them as written; otherwise the minus sign
        // goes in front of everything.
        return digits.isNegative() && index == 0 ? QLatin1Char('-') + text : text;
    }
    }
}

Variant customFormat(const Variant& expression, const QString& pattern,
                     const FormatContext& context)
{
    const std::vector<QString> sections = splitFormatSections(pattern);
    const bool textPattern = sectionKind(sections[0]) == SectionKind::Text;
    if (expression.isNull()) {
        // Text patterns give Null and "" their second section, number patterns Null their
        // fourth.
        const std::size_t nullSection = textPattern ? 1 : 3;
        if (sections.size() <= nullSection) {
            return Variant::null();
        }
        const QString& section = sections[nullSection];
        if (textPattern) {
            return Variant(TextPattern::format(section, QString()));
        }
        if (sectionKind(section) == SectionKind::Literal) {
            return Variant(literalText(section));
        }
        return Variant(NumberPattern(section).format(DecimalDigits(), context.locale));
    }
    if (textPattern) {
        const QString text = expression.toString();
        const QString section = text.isEmpty() && sections.size() >= 2 ? sections[1] : sections[0];
        return Variant(TextPattern::format(section, text));
    }
    const Variant value = interpretText(expression);
    if (!isNumeric(value)) {
        return Variant(value.toString());
    }
    return Variant(formatNumber(value, sections, context));
}

} // namespace

Variant Format(const Variant& expression, const Variant& format, const Variant& firstDayOfWeek,
               const Variant& firstWeekOfYear)
{
    const FormatContext context{resolveFirstDayOfWeek(firstDayOfWeek),
                                resolveFirstWeekOfYear(firstWeekOfYear), QLocale()};
    const QString pattern = format.isNull() ? QString() : format.toString();
    if (pattern.isEmpty()) {
        if (expression.isNull()) {
            return Variant::null();
        }
        return Variant(expression.toString());
    }
    if (isNamedFormat(pattern)) {
        if (expression.isNull()) {
            return Variant::null();
        }
        return namedFormat(pattern, expression, context);
    }
    return customFormat(expression, pattern, context);
}

} // namespace vb
