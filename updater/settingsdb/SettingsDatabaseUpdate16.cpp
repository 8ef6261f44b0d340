// Settings database update 16: the exchange rates are reloaded from rates.dat.

#include "common/OpenTable.h"
#include "ConnectionTransaction.h"
#include "jet/recordset/Recordset.h"
#include "RatesFileReader.h"
#include "SatelliteDatabase.h"
#include "SettingsDatabaseUpdates.h"
#include "SettingsUpdate.h"
#include "vb/Error.h"

namespace updater {

namespace {

void addRate(jet::Recordset& rates, const ExchangeRateRecord& record)
{
    rates.addNew();
    rates.setValue(QStringLiteral("CurrencyCode"), record.currencyCode);
    rates.setValue(QStringLiteral("CurrencyTitle"), record.currencyTitle);
    rates.setValue(QStringLiteral("USExchangeRate"), record.rate);
    rates.update();
}

void discardRow(jet::Recordset& rates) noexcept
{
    try {
        rates.cancelUpdate();
    } catch (...) {
        // No row was pending: nothing to discard.
    }
}

void reloadExchangeRates(RunState& state)
{
    jet::Connection& settings = settingsConnection(state);
    jet::Recordset rates;
    DatabaseHelpers::OpenTable(rates, settings, QStringLiteral("tblExchangeRates"), false);
    RatesFileReader file(besideTools(state, QStringLiteral("rates.dat")));

    ConnectionTransaction transaction(settings);
    settings.execute(QStringLiteral("DELETE * fRom tblExchangeRates"));
    while (!file.atEnd()) {
        const ExchangeRateRecord record = file.readRecord();
        try {
            addRate(rates, record);
        } catch (const vb::Error& error) {
            // The table refused the record (a code too long, an empty code): say which one.
            discardRow(rates);
            throw vb::Error(error.number(),
                            QStringLiteral("Record %1 of '%2' (currency \"%3\") cannot be stored "
                                           "in tblExchangeRates: %4")
                                .arg(file.recordCount())
                                .arg(file.fileName(), record.currencyCode, error.description()),
                            error.source());
        }
    }
    transaction.commit();
    rates.close();
}

} // namespace

void SettingsDatabaseUpdate16(RunState& state)
{
    runChainedUpdate(
        state, settingsUpdate(16, 1), [&] { reloadExchangeRates(state); },
        SettingsDatabaseUpdate17);
}

} // namespace updater
