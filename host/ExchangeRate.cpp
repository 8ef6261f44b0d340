// The display currency's factor and SQL number text.

#include "host/ExchangeRate.h"

#include "platform/jet/Connection.h"
#include "platform/vb/Error.h"

using namespace Qt::StringLiterals;

namespace host {

namespace {

QString firstValue(jet::Connection& connection, const QString& sql)
{
    jet::ResultSet rows = connection.execute(sql);
    const vb::Variant value = rows.eof() ? vb::Variant() : rows.value(0);
    rows.close();
    return value.isNull() ? QString() : value.toString();
}

// Codes are three letters; older databases wrote "USD - United States Dollar".
QString currencyCode(const QString& stored)
{
    return stored.trimmed().left(3).toUpper();
}

double usDollarRate(jet::Connection& settings, const QString& code)
{
    jet::ResultSet rows = settings.execute(
        u"SELECT USExchangeRate FROM tblExchangeRates WHERE Left$(CurrencyCode, 3) = '%1'"_s.arg(
            code));
    const double rate = rows.eof() || rows.value(0).isNull() ? 0.0 : rows.value(0).toDouble();
    rows.close();
    if (rate <= 0.0)
        throw vb::Error(
            vb::ErrorNumber::InvalidProcedureCall,
            u"There is no exchange rate for the currency %1 in the settings database"_s.arg(code),
            u"f_CorrectExchangeRate"_s);
    return rate;
}

} // namespace

double displayCurrencyFactor(jet::Connection& mainDatabase, jet::Connection& settingsDatabase)
{
    const QString storage =
        currencyCode(firstValue(mainDatabase, u"SELECT StorageCurrencyCode FROM tblDBVer"_s));
    const QString display = currencyCode(
        firstValue(settingsDatabase, u"SELECT DisplayCurrencyCode FROM tblPreferences"_s));
    if (display.isEmpty() || storage.isEmpty() || display == storage)
        return 1.0;
    return usDollarRate(settingsDatabase, display) / usDollarRate(settingsDatabase, storage);
}

QString sqlNumber(double value)
{
    QString text = QString::number(value, 'f', 10);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text == u"-0"_s ? u"0"_s : text;
}

} // namespace host
