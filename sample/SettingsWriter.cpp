#include "SettingsWriter.h"

#include "ExchangeRates.h"
#include "TableWriter.h"
#include "WineCatalogue.h"

namespace sample {

namespace {

void writeVersion(jet::Connection& connection, int version)
{
    TableWriter table(connection, QStringLiteral("tblDBVer"), {QStringLiteral("Version")});
    table.add({number(version)});
}

void writePreferences(jet::Connection& connection)
{
    TableWriter preferences(
        connection, QStringLiteral("tblPreferences"),
        {QStringLiteral("UserName"), QStringLiteral("StorageCurrencyCode"),
         QStringLiteral("DisplayCurrencyCode"), QStringLiteral("LatestExchangeRates"),
         QStringLiteral("LastWebLinksDownload"), QStringLiteral("LastWineriesDownload"),
         QStringLiteral("DefaultCountryID"), QStringLiteral("DefaultBottleSizeID"),
         QStringLiteral("ShowSplashScreen"), QStringLiteral("ConfirmDeletes"),
         QStringLiteral("GridFontSize")});
    // The two download stamps use both forms the updates read: date and time, and date alone.
    preferences.add({text(cellarOwner()), text(longCurrencyCode(currencyRates().at(0))),
                     text(longCurrencyCode(currencyRates().at(1))),
                     text(QStringLiteral("Rates as of March 3, 2002")),
                     text(QStringLiteral("2003-06-12 21:40:17")),
                     text(QStringLiteral("2003-05-30")), number(2), number(1), yesNo(true),
                     yesNo(true), number(8)});
}

struct Condition
{
    const char* field;
    const char* op;
    const char* value;
    const char* conjunction;
};

struct SavedQuery
{
    const char* description;
    const char* sql;
    bool locked;
    QList<Condition> conditions;
};

void writeQueries(jet::Connection& connection)
{
    const QList<SavedQuery> queries{
        {"All Wines", "", true, {}},
        {"Red Wines", "Where tblPICKType.WineType = 'Red'", false, {{"WineType", "=", "Red", ""}}},
        {"Ready to Drink",
         "Where tblWines.DrinkFrom <= '2003' And tblWines.DrinkTo >= '2003'",
         false,
         {{"DrinkFrom", "<=", "2003", "And"}, {"DrinkTo", ">=", "2003", ""}}},
        {"Bordeaux 1990s",
         "Where tblPICKRegion.StateRegion = 'Bordeaux' And tblWines.Vintage Between '1990' And "
         "'1999'",
         false,
         {{"StateRegion", "=", "Bordeaux", "And"}, {"Vintage", "Between", "1990 And 1999", ""}}},
        {"Shopping List",
         "Where tblWines.ShoppingList = True",
         true,
         {{"ShoppingList", "=", "True", ""}}},
        {"Piemonte d'Alba",
         "Where tblPICKAppellation.Appellation Like '*d''Alba'",
         false,
         {{"Appellation", "Like", "*d'Alba", ""}}},
        {"Côte de Nuits",
         "Where tblPICKAppellation.Appellation In ('Gevrey-Chambertin', 'Vosne-Romanée', "
         "'Nuits-Saint-Georges', 'Chambolle-Musigny')",
         false,
         {{"Appellation", "=", "Gevrey-Chambertin", "Or"},
          {"Appellation", "=", "Vosne-Romanée", "Or"},
          {"Appellation", "=", "Nuits-Saint-Georges", "Or"},
          {"Appellation", "=", "Chambolle-Musigny", ""}}},
        {"Empty Bins", "Where tblWines.QOH = 0", false, {{"QOH", "=", "0", ""}}},
    };
    TableWriter info(connection, QStringLiteral("tblQueryInfo"),
                     {QStringLiteral("QID"), QStringLiteral("Description"), QStringLiteral("SQL"),
                      QStringLiteral("Locked"), QStringLiteral("GridLayout")});
    TableWriter definitions(connection, QStringLiteral("tblQueryDefinitions"),
                            {QStringLiteral("QID"), QStringLiteral("LineNumber"),
                             QStringLiteral("FieldName"), QStringLiteral("Operator"),
                             QStringLiteral("Value"), QStringLiteral("Conjunction")});
    for (int q = 0; q < queries.size(); ++q) {
        const SavedQuery& query = queries.at(q);
        const int qid = q + 1;
        info.add({number(qid), text(QString::fromUtf8(query.description)),
                  text(QString::fromUtf8(query.sql)), yesNo(query.locked),
                  text(q % 3 == 2 ? QStringLiteral("Compact") : QStringLiteral("Default"))});
        for (int line = 0; line < query.conditions.size(); ++line) {
            const Condition& condition = query.conditions.at(line);
            definitions.add(
                {number(qid), number(line + 1), text(QString::fromUtf8(condition.field)),
                 text(QString::fromUtf8(condition.op)), text(QString::fromUtf8(condition.value)),
                 text(QString::fromUtf8(condition.conjunction))});
        }
    }
}

void writeColumnHeaders(jet::Connection& connection)
{
    // The wine grid's captions as the old program delivered them; 11, 12 and 19 are the ones
    // settings update 15 renames.
    const QStringList captions{
        QStringLiteral("Vintage"),     QStringLiteral("Winery"),   QStringLiteral("Label"),
        QStringLiteral("Appellation"), QStringLiteral("Region"),   QStringLiteral("Country"),
        QStringLiteral("Type"),        QStringLiteral("Size"),     QStringLiteral("Qty"),
        QStringLiteral("Value"),       QStringLiteral("From"),     QStringLiteral("To"),
        QStringLiteral("Varieties"),   QStringLiteral("Location"), QStringLiteral("User 1"),
        QStringLiteral("User 2"),      QStringLiteral("User 3"),   QStringLiteral("User 4"),
        QStringLiteral("Best"),        QStringLiteral("User 5"),   QStringLiteral("Profile"),
        QStringLiteral("Score"),       QStringLiteral("Shop"),     QStringLiteral("TN")};
    TableWriter headers(connection, QStringLiteral("tblColumnHeaders"),
                        {QStringLiteral("ColumnID"), QStringLiteral("Caption")});
    for (int i = 0; i < captions.size(); ++i) {
        headers.add({number(i + 1), text(captions.at(i))});
    }
}

void writeExchangeRates(jet::Connection& connection)
{
    TableWriter rates(connection, QStringLiteral("tblExchangeRates"),
                      {QStringLiteral("CurrencyCode"), QStringLiteral("USExchangeRate")});
    for (const CurrencyRate& rate : currencyRates()) {
        rates.add({text(longCurrencyCode(rate)), real(rate.oldRate)});
    }
}

void writeWorkingNotes(jet::Connection& connection, int wineCount, SampleRandom& random)
{
    TableWriter notes(connection, QStringLiteral("tblWorkingTNs"),
                      {QStringLiteral("WineID"), QStringLiteral("Date"), QStringLiteral("Author"),
                       QStringLiteral("Score"), QStringLiteral("NoteText")});
    const QStringList texts{
        QStringLiteral("Still very young; tight and tannic. Revisit in 2005."),
        QString::fromUtf8("Lovely now – cherry, roses, a little tar."),
        QStringLiteral("Slightly oxidised bottle, check the rest of the case.")};
    for (int i = 0; i < texts.size(); ++i) {
        notes.add({number(random.between(1, wineCount)),
                   date(QDate(2003, 4 + i, random.between(1, 28))), text(cellarOwner()),
                   text(QStringLiteral("%1/20").arg(random.between(14, 18))), text(texts.at(i))});
    }
}

void writeAuctionData(jet::Connection& connection, SampleRandom& random)
{
    TableWriter auctions(connection, QStringLiteral("tblAuctionData"),
                         {QStringLiteral("EntryDate"), QStringLiteral("Value"),
                          QStringLiteral("NbrBottles"), QStringLiteral("BottleType"),
                          QStringLiteral("Vintage"), QStringLiteral("Description")});
    const QStringList conditions{QStringLiteral("original wooden case"),
                                 QStringLiteral("good levels"), QStringLiteral("into neck"),
                                 QStringLiteral("top shoulder"),
                                 QStringLiteral("slightly stained labels")};
    const QList<AppellationEntry>& list = appellations();
    for (int i = 0; i < 240; ++i) {
        const AppellationEntry& appellation =
            list.at(random.between(0, static_cast<int>(list.size()) - 1));
        const int vintage = random.between(1961, 2000);
        const int bottles = random.pick(QList<int>{1, 3, 6, 6, 12, 12});
        const bool magnum = random.chance(0.1);
        // Hammer prices in whole dollars; 16-bit in the old field.
        const int value = std::min(
            32000, bottles * random.between(appellation.priceLow, appellation.priceHigh * 3) *
                       (magnum ? 2 : 1));
        auctions.add(
            {date(QDate(random.between(1999, 2003), random.between(1, 12), random.between(1, 28))),
             number(value), number(bottles),
             text(magnum ? QStringLiteral("Magnum") : QStringLiteral("Bottle")),
             text(QString::number(vintage)),
             text(QStringLiteral("%1, %2 %3, %4")
                      .arg(appellation.name, random.pick(labelNames(appellation.labelStyle)))
                      .arg(vintage)
                      .arg(random.pick(conditions)))});
    }
}

} // namespace

void writeSettings(jet::Connection& connection, int wineCount, SampleRandom& random)
{
    writeVersion(connection, 3);
    writePreferences(connection);
    writeQueries(connection);
    writeColumnHeaders(connection);
    writeExchangeRates(connection);
    writeWorkingNotes(connection, wineCount, random);
    TableWriter versions(connection, QStringLiteral("tblVersions"),
                         {QStringLiteral("news_local_version"), QStringLiteral("program_version")});
    versions.add({number(7), text(QStringLiteral("2.1.4"))});
    writeAuctionData(connection, random);
}

void writePrintLabels(jet::Connection& connection)
{
    writeVersion(connection, 1);
    struct Format
    {
        const char* name;
        double labelWidth, labelHeight, top, left, horizontalGap, verticalGap;
        int columns, rows;
    };
    // Sizes in millimetres on A4 (210 x 297) or US Letter (215.9 x 279.4) sheets.
    const QList<Format> formats{
        {"Bottle label 2 x 4 (A4)", 99.1, 67.7, 13.0, 4.7, 2.5, 0.0, 2, 4},
        {"Neck tag 3 x 7 (A4)", 63.5, 38.1, 15.1, 7.2, 2.5, 0.0, 3, 7},
        {"Bin card 2 x 5 (Letter)", 101.6, 50.8, 12.7, 4.0, 3.9, 0.0, 2, 5},
        {"Address 3 x 10 (Letter)", 66.7, 25.4, 12.7, 4.8, 3.2, 0.0, 3, 10},
        {"Cellar book sticker 4 x 12 (A4)", 45.7, 21.2, 21.5, 9.7, 2.6, 0.0, 4, 12},
        {"Côtes & Crus shelf strip 1 x 8", 190.0, 33.0, 16.0, 10.0, 0.0, 2.0, 1, 8},
    };
    TableWriter labels(
        connection, QStringLiteral("PrintLabels"),
        {QStringLiteral("LabelName"), QStringLiteral("PageWidth"), QStringLiteral("PageHeight"),
         QStringLiteral("TopMargin"), QStringLiteral("LeftMargin"), QStringLiteral("LabelWidth"),
         QStringLiteral("LabelHeight"), QStringLiteral("HorizontalGap"),
         QStringLiteral("VerticalGap"), QStringLiteral("Columns"), QStringLiteral("Rows")});
    for (const Format& format : formats) {
        const bool letter = QByteArray(format.name).contains("Letter");
        labels.add({text(QString::fromUtf8(format.name)), real(letter ? 215.9 : 210.0),
                    real(letter ? 279.4 : 297.0), real(format.top), real(format.left),
                    real(format.labelWidth), real(format.labelHeight), real(format.horizontalGap),
                    real(format.verticalGap), number(format.columns), number(format.rows)});
    }
}

void writeAuctions(jet::Connection& connection)
{
    writeVersion(connection, 1);
}

} // namespace sample
