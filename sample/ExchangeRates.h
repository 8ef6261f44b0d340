#pragma once

// The currencies of the sample: the rates that the old settings database kept (codes still in
// their long form "USD - United States Dollar") and the newer set delivered in rates.dat, which
// settings update 16 loads.

#include <QList>
#include <QString>

namespace sample {

struct CurrencyRate
{
    QString code;         // three letters
    QString title;        // "United States Dollar"
    double oldRate = 1.0; // against the US dollar, as of March 2002
    double newRate = 1.0; // as of September 2003
};

const QList<CurrencyRate>& currencyRates();

// "USD - United States Dollar": how the old databases wrote a currency.
QString longCurrencyCode(const CurrencyRate& rate);

// The rates.dat text: one record per currency, three comma-separated fields (code and title in
// double quotes, the rate with a full stop as the decimal sign), each ending with CR LF.
QByteArray ratesFileText();

} // namespace sample
