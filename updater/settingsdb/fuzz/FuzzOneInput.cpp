#include "FuzzOneInput.h"

#include "../RatesFileReader.h"
#include "vb/Error.h"

#include <cmath>
#include <cstdlib>
#include <QBuffer>

namespace updater {

void fuzzRatesFile(const std::uint8_t* data, std::size_t size)
{
    QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&content);
    buffer.open(QIODevice::ReadOnly);
    RatesFileReader reader(buffer, QStringLiteral("rates.dat"));
    try {
        while (!reader.atEnd()) {
            const ExchangeRateRecord record = reader.readRecord();
            // What the reader hands out is always a finite rate and text without line breaks.
            if (!std::isfinite(record.rate) || record.currencyCode.contains(QLatin1Char('\n')) ||
                record.currencyTitle.contains(QLatin1Char('\n')))
                std::abort();
        }
    } catch (const vb::Error& error) {
        // A refusal must say which file and record.
        if (!error.description().contains(QStringLiteral("rates.dat")))
            std::abort();
    }
}

} // namespace updater
