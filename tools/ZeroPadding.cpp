#include "ZeroPadding.h"

#include "common/OpenTable.h"
#include "platform/jet/recordset/Recordset.h"
#include "platform/vb/ConversionFunctions.h"
#include "platform/vb/Format.h"

#include <algorithm>

namespace gorvane {

namespace {

int placeCount(const QString& text)
{
    const double value = vb::valueOfText(text);
    if (!(value > 0)) // also NaN
        return 0;
    return static_cast<int>(std::min<double>(value, MaxPadDigits));
}

bool isNumericText(const QString& text)
{
    return vb::IsNumeric(vb::Variant(text)).toBoolean();
}

} // namespace

const QStringList& zeroPadFields()
{
    static const QStringList fields{QStringLiteral("User01"), QStringLiteral("User02"),
                                    QStringLiteral("User03"), QStringLiteral("User04"),
                                    QStringLiteral("User05")};
    return fields;
}

QChar localeDecimalSign()
{
    const QString text =
        vb::Format(vb::Variant(1.2), vb::Variant(QStringLiteral("0.0"))).toString();
    return text.size() >= 2 ? text.at(1) : QLatin1Char('.');
}

QString zeroPadFormat(const QString& digits, const QString& decimals)
{
    QString format(placeCount(digits), QLatin1Char('0'));
    const int decimalCount = placeCount(decimals);
    if (decimalCount != 0)
        format += QLatin1Char('.') + QString(decimalCount, QLatin1Char('0'));
    return format;
}

QString zeroPadSample(const QString& format, QChar decimalSign)
{
    QString sample = format;
    return sample.replace(QLatin1Char('.'), decimalSign);
}

FieldReading readFieldNumber(const vb::Variant& value, QChar decimalSign)
{
    if (value.isNull() || value.isEmpty())
        return {};
    const QString text = value.toString();
    QString otherConvention = text;
    if (decimalSign != QLatin1Char(','))
        otherConvention.replace(QLatin1Char(','), QLatin1Char('.'));
    else
        otherConvention.replace(QLatin1Char('.'), QLatin1Char(','));
    const auto read = [](const QString& candidate) -> std::optional<double> {
        if (!isNumericText(candidate))
            return std::nullopt;
        return vb::CDbl(vb::Variant(candidate)).toDouble();
    };
    const std::optional<double> asLocale = read(text);
    const std::optional<double> asOther =
        otherConvention == text ? asLocale : read(otherConvention);
    if (asLocale && asOther && *asLocale != *asOther)
        return {FieldReading::Kind::Ambiguous, 0};
    if (const std::optional<double> number = asLocale ? asLocale : asOther)
        return {FieldReading::Kind::Number, *number};
    return {};
}

std::optional<double> fieldNumber(const vb::Variant& value, QChar decimalSign)
{
    const FieldReading reading = readFieldNumber(value, decimalSign);
    if (reading.kind != FieldReading::Kind::Number)
        return std::nullopt;
    return reading.value;
}

PadResult PadAllValues(jet::Connection& connection, const QString& field, const QString& format)
{
    const QChar decimalSign = localeDecimalSign();
    jet::Recordset wines;
    DatabaseHelpers::OpenTable(wines, connection, QStringLiteral("tblWines"), false,
                               QStringLiteral("PrimaryKey"));
    PadResult result;
    for (; !wines.eof(); wines.moveNext()) {
        const FieldReading reading = readFieldNumber(wines.value(field), decimalSign);
        if (reading.kind == FieldReading::Kind::Ambiguous)
            ++result.leftAmbiguous;
        if (reading.kind != FieldReading::Kind::Number)
            continue;
        wines.setValue(field, vb::Format(vb::Variant(reading.value), vb::Variant(format)));
        wines.update();
        ++result.written;
    }
    wines.close();
    return result;
}

} // namespace gorvane
