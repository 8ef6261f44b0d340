#include "ExchangeRates.h"

namespace sample {

const QList<CurrencyRate>& currencyRates()
{
    static const QList<CurrencyRate> rates{
        {QStringLiteral("USD"), QStringLiteral("United States Dollar"), 1.0, 1.0},
        {QStringLiteral("EUR"), QStringLiteral("Euro"), 1.1478, 0.8914},
        {QStringLiteral("GBP"), QStringLiteral("British Pound"), 0.7031, 0.6199},
        {QStringLiteral("CAD"), QStringLiteral("Canadian Dollar"), 1.5921, 1.3552},
        {QStringLiteral("AUD"), QStringLiteral("Australian Dollar"), 1.9124, 1.4793},
        {QStringLiteral("NZD"), QStringLiteral("New Zealand Dollar"), 2.2870, 1.6932},
        {QStringLiteral("CHF"), QStringLiteral("Swiss Franc"), 1.6845, 1.3837},
        {QStringLiteral("JPY"), QStringLiteral("Japanese Yen"), 133.05, 111.62},
        {QStringLiteral("SEK"), QStringLiteral("Swedish Krona"), 10.462, 8.1245},
        {QStringLiteral("DKK"), QStringLiteral("Danish Krone"), 8.5296, 6.6227},
        {QStringLiteral("NOK"), QStringLiteral("Norwegian Krone"), 8.9071, 7.1893},
        {QStringLiteral("ZAR"), QStringLiteral("South African Rand"), 11.385, 7.1450},
        {QStringLiteral("HKD"), QStringLiteral("Hong Kong Dollar"), 7.7996, 7.7349},
        {QStringLiteral("SGD"), QStringLiteral("Singapore Dollar"), 1.8366, 1.7321},
        {QStringLiteral("BRL"), QStringLiteral("Brazilian Real"), 2.3612, 2.9045},
        {QStringLiteral("ARS"), QStringLiteral("Argentine Peso"), 2.0500, 2.9150},
        {QStringLiteral("MXN"), QStringLiteral("Mexican Peso"), 9.0750, 10.905},
        {QString::fromUtf8("CLP"), QString::fromUtf8("Chilean Peso"), 683.40, 666.20},
    };
    return rates;
}

QString longCurrencyCode(const CurrencyRate& rate)
{
    return rate.code + QStringLiteral(" - ") + rate.title;
}

QByteArray ratesFileText()
{
    QByteArray text;
    for (const CurrencyRate& rate : currencyRates()) {
        text += '"' + rate.code.toUtf8() + "\",\"" + rate.title.toUtf8() + "\"," +
                QByteArray::number(rate.newRate, 'g', 10) + "\r\n";
    }
    return text;
}

} // namespace sample
