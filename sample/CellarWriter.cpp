#include "CellarWriter.h"

#include "LabelPictures.h"
#include "TableWriter.h"
#include "WineCatalogue.h"

#include <algorithm>
#include <QColor>
#include <QHash>
#include <QSet>

namespace sample {

namespace {

const QString unknown = QStringLiteral("<unknown>");
const QString crlf = QStringLiteral("\r\n");

// The newest day the old databases saw: the cellar is as its owner left it in mid-2003.
const QDate lastDay(2003, 6, 30);
const QDate firstPurchaseDay(1994, 1, 1);

constexpr qint64 shoutingWinery = 3;
// One wine in 25 was entered without any purchase, removal or tasting note (bottles received
// as presents); the reports must cope with wines that have none.
constexpr int unrecordedEvery = 25;
constexpr int unrecordedAt = 7;

struct Winery
{
    qint64 id = 0;
    int group = 0; // rows of one winery entered twice share the group (and the MasterID)
    QString name;
    int appellation = 0; // index into appellations()
    QString town;
};

struct WineDraft
{
    const Winery* winery = nullptr;
    int appellation = 0; // index into appellations()
    QString label;
    QString vintage;
    int bottleSize = 0; // index into bottleSizes()
};

struct Purchase
{
    QDate day;
    int quantity = 0;
    double cost = 0;
};

class Cellar
{
public:
    Cellar(jet::Connection& connection, SampleRandom& random, LabelPictures& labels)
        : m_connection(connection), m_random(random), m_labels(labels),
          m_notes(connection, QStringLiteral("tblNotes"),
                  {QStringLiteral("NoteID"), QStringLiteral("NoteText")})
    {
    }

    CellarFigures write(int wineCount)
    {
        TableWriter version(m_connection, QStringLiteral("tblDBVer"), {QStringLiteral("Version")});
        version.add({number(3)});
        writeGeography();
        writePickLists();
        writeWineries(wineCount);
        writeWines(wineCount);
        m_figures.labelPictures = m_labels.written();
        return m_figures;
    }

private:
    qint64 addNote(const QString& noteText)
    {
        const qint64 id = ++m_lastNoteId;
        m_notes.add({number(id), text(noteText)});
        return id;
    }

    Cell maybeNote(double probability, const QStringList& choices)
    {
        if (!m_random.chance(probability)) {
            return nullCell();
        }
        return number(addNote(m_random.pick(choices)));
    }

    void writeGeography()
    {
        TableWriter countries(
            m_connection, QStringLiteral("tblPICKCountry"),
            {QStringLiteral("CountryID"), QStringLiteral("Country"), QStringLiteral("NoteID")});
        TableWriter regions(m_connection, QStringLiteral("tblPICKRegion"),
                            {QStringLiteral("StateRegionID"), QStringLiteral("CountryID"),
                             QStringLiteral("StateRegion"), QStringLiteral("NoteID")});
        TableWriter names(m_connection, QStringLiteral("tblPICKAppellation"),
                          {QStringLiteral("AppellationID"), QStringLiteral("Appellation"),
                           QStringLiteral("NoteID")});
        TableWriter geo(m_connection, QStringLiteral("tblPICKGeoAppellation"),
                        {QStringLiteral("AppellationID"), QStringLiteral("CountryID"),
                         QStringLiteral("StateRegionID")});

        // Every pick list starts with its "<unknown>" entry, number 1.
        countries.add({number(1), text(unknown), nullCell()});
        regions.add({number(1), number(1), text(unknown), nullCell()});
        names.add({number(1), text(unknown), nullCell()});
        geo.add({number(1), number(1), number(1)});
        m_countryIds.insert(unknown, 1);
        m_regionIds.insert(unknown, 1);

        const QStringList countryNotes{
            QStringLiteral("Imports mostly through the usual merchants."),
            QStringLiteral("Vintage charts differ widely between its regions.")};
        const QStringList regionNotes{
            QStringLiteral("Best vintages: 1990, 1996, 1998, 2000."),
            QStringLiteral("Cooler sites; the whites age better than expected."),
            QString::fromUtf8("Visited in spring 2001 – see the photo album.")};
        const QList<AppellationEntry>& list = appellations();
        for (int i = 0; i < list.size(); ++i) {
            const AppellationEntry& appellation = list.at(i);
            if (!m_countryIds.contains(appellation.country)) {
                const qint64 id = m_countryIds.size() + 1;
                m_countryIds.insert(appellation.country, id);
                countries.add(
                    {number(id), text(appellation.country), maybeNote(0.3, countryNotes)});
            }
            const qint64 countryId = m_countryIds.value(appellation.country);
            const QString regionKey = appellation.country + QLatin1Char('/') + appellation.region;
            if (!m_regionIds.contains(regionKey)) {
                const qint64 id = m_regionIds.size() + 1;
                m_regionIds.insert(regionKey, id);
                regions.add({number(id), number(countryId), text(appellation.region),
                             maybeNote(0.4, regionNotes)});
            }
            const qint64 appellationId = i + 2;
            m_appellationIds.append(appellationId);
            names.add({number(appellationId), text(appellation.name), nullCell()});
            geo.add(
                {number(appellationId), number(countryId), number(m_regionIds.value(regionKey))});
        }
    }

    void writePickLists()
    {
        TableWriter types(m_connection, QStringLiteral("tblPICKType"),
                          {QStringLiteral("WineTypeID"), QStringLiteral("WineType")});
        for (int i = 0; i < wineTypes().size(); ++i) {
            types.add({number(i + 1), text(wineTypes().at(i))});
        }
        TableWriter sizes(m_connection, QStringLiteral("tblPICKBottleSize"),
                          {QStringLiteral("BottleSizeID"), QStringLiteral("BottleSize"),
                           QStringLiteral("Volume")});
        for (int i = 0; i < bottleSizes().size(); ++i) {
            sizes.add({number(i + 1), text(bottleSizes().at(i).name),
                       number(bottleSizes().at(i).milliliters)});
        }
        TableWriter outlets(m_connection, QStringLiteral("tblPICKRetailOutlet"),
                            {QStringLiteral("RetailStoreID"), QStringLiteral("RetailStoreName"),
                             QStringLiteral("City"), QStringLiteral("NoteID")});
        for (int i = 0; i < retailOutlets().size(); ++i) {
            const RetailOutletEntry& outlet = retailOutlets().at(i);
            outlets.add({number(i + 1), text(outlet.name),
                         outlet.city.isEmpty() ? nullCell() : text(outlet.city), nullCell()});
        }
        TableWriter profiles(m_connection, QStringLiteral("tblDrinkProfile"),
                             {QStringLiteral("DrinkProfileID"), QStringLiteral("ProfileName"),
                              QStringLiteral("DeltaFrom"), QStringLiteral("DeltaBest"),
                              QStringLiteral("DeltaTo")});
        for (int i = 0; i < drinkProfiles().size(); ++i) {
            const DrinkProfileEntry& profile = drinkProfiles().at(i);
            profiles.add({number(i + 1), text(profile.name), number(profile.deltaFrom),
                          number(profile.deltaBest), number(profile.deltaTo)});
        }
    }

    QList<int> usedAppellations() const
    {
        QList<int> used;
        for (int i = 0; i < appellations().size(); ++i) {
            if (appellations().at(i).usedByWines) {
                used.append(i);
            }
        }
        return used;
    }

    QString uniqueWineryName(const CountryStyle& style, const AppellationEntry& appellation)
    {
        const QString base = m_random.pick(style.wineryPrefixes) +
                             m_random.pick(style.wineryNames) + m_random.pick(style.winerySuffixes);
        QString name = base;
        if (m_wineryNames.contains(name)) {
            name = base + QStringLiteral(" ") + appellation.name;
        }
        for (int n = 2; m_wineryNames.contains(name); ++n) {
            name = base + QStringLiteral(" %1").arg(n);
        }
        m_wineryNames.insert(name);
        return name;
    }

    void writeWineries(int wineCount)
    {
        TableWriter sites(
            m_connection, QStringLiteral("tblWinerySite"),
            {QStringLiteral("WinerySiteID"), QStringLiteral("MasterID"), QStringLiteral("SiteName"),
             QStringLiteral("CountryID"), QStringLiteral("StateRegionID"),
             QStringLiteral("AppellationID"), QStringLiteral("NoteID"), QStringLiteral("Address1"),
             QStringLiteral("Address2"), QStringLiteral("Phone"), QStringLiteral("Fax"),
             QStringLiteral("Email"), QStringLiteral("Website")});
        const QStringList wineryNotes{QStringLiteral("Tasting room open by appointment only."),
                                      QStringLiteral("Family estate; the son took over in 1998."),
                                      QStringLiteral("Ask for the cellar master when visiting."),
                                      QStringLiteral("Mailing list: allocation every autumn.")};
        const int count = std::clamp(wineCount / 5, 12, 5000);
        const QList<int> used = usedAppellations();
        int nextMaster = 1000;
        // One winery in twelve of those from the master list was entered a second time; the
        // copies come after all originals, so the copy has the higher key and survives the merge.
        QList<Winery> copies;
        QList<qint64> copyMasters;
        for (int i = 0; i < count; ++i) {
            Winery winery;
            winery.id = i + 1;
            winery.group = i;
            winery.appellation = used.at(i % used.size());
            const AppellationEntry& appellation = appellations().at(winery.appellation);
            const CountryStyle& style = countryStyle(appellation.country);
            winery.name = uniqueWineryName(style, appellation);
            winery.town = m_random.pick(style.towns);
            const bool fromMasterList = m_random.chance(0.6);
            const qint64 masterId = fromMasterList ? (nextMaster += m_random.between(1, 7)) : 0;
            addWinery(sites, winery, masterId, style, maybeNote(0.2, wineryNotes));
            m_wineries.append(winery);
            if (fromMasterList && i % 12 == 5) {
                copies.append(winery);
                copyMasters.append(masterId);
            }
        }
        for (int i = 0; i < copies.size(); ++i) {
            Winery copy = copies.at(i);
            copy.id = count + i + 1;
            const CountryStyle& style = countryStyle(appellations().at(copy.appellation).country);
            addWinery(sites, copy, copyMasters.at(i), style, nullCell());
            m_wineries.append(copy);
        }
        m_figures.wineries = static_cast<int>(m_wineries.size());
    }

    void addWinery(TableWriter& sites, const Winery& winery, qint64 masterId,
                   const CountryStyle& style, const Cell& note)
    {
        const AppellationEntry& appellation = appellations().at(winery.appellation);
        const QString regionKey = appellation.country + QLatin1Char('/') + appellation.region;
        const QString domain = QStringLiteral("%1.%2").arg(webName(winery.name), style.webDomain);
        const bool hasWebsite = m_random.chance(0.6);
        sites.add({number(winery.id), number(masterId), text(winery.name),
                   number(m_countryIds.value(appellation.country)),
                   number(m_regionIds.value(regionKey)),
                   number(m_appellationIds.at(winery.appellation)), note,
                   text(QStringLiteral("%1 %2")
                            .arg(m_random.between(1, 180))
                            .arg(m_random.pick(style.streets))),
                   text(winery.town),
                   text(QStringLiteral("%1 %2 %3")
                            .arg(style.phonePrefix)
                            .arg(m_random.between(10, 99))
                            .arg(m_random.between(10000, 99999))),
                   m_random.chance(0.5) ? text(QStringLiteral("%1 %2 %3")
                                                   .arg(style.phonePrefix)
                                                   .arg(m_random.between(10, 99))
                                                   .arg(m_random.between(10000, 99999)))
                                        : nullCell(),
                   m_random.chance(0.7) ? text(QStringLiteral("info@") + domain) : nullCell(),
                   hasWebsite ? text(websitePrefix(winery, m_random.chance(0.5)) + domain)
                   : winery.id == shoutingWinery ? text(websitePrefix(winery, false) + domain)
                                                 : nullCell()});
    }

    // Winery 3 always has a website, written in capitals as some users typed it.
    static QString websitePrefix(const Winery& winery, bool withScheme)
    {
        if (winery.id == shoutingWinery) {
            return QStringLiteral("HTTP://www.");
        }
        return withScheme ? QStringLiteral("http://www.") : QStringLiteral("www.");
    }

    static QString webName(const QString& name)
    {
        QString result;
        for (const QChar c : name.normalized(QString::NormalizationForm_KD)) {
            if (c.isLetterOrNumber() && c.unicode() < 128) {
                result.append(c.toLower());
            }
        }
        return result.isEmpty() ? QStringLiteral("winery") : result;
    }

    // The wine itself: which winery, appellation, label, vintage and bottle; unique as the
    // index "UniqueWine" requires, counting both rows of a winery entered twice as one.
    WineDraft draftWine()
    {
        for (;;) {
            WineDraft draft;
            draft.winery =
                &m_wineries.at(m_random.between(0, static_cast<int>(m_wineries.size()) - 1));
            draft.appellation = draft.winery->appellation;
            const AppellationEntry* appellation = &appellations().at(draft.appellation);
            if (m_random.chance(0.15)) {
                // Producers often make wine in a neighbouring appellation of their region.
                QList<int> neighbours;
                for (int i = 0; i < appellations().size(); ++i) {
                    const AppellationEntry& other = appellations().at(i);
                    if (other.usedByWines && other.region == appellation->region) {
                        neighbours.append(i);
                    }
                }
                draft.appellation = m_random.pick(neighbours);
                appellation = &appellations().at(draft.appellation);
            }
            draft.label = m_random.chance(0.01)
                              ? unknown
                              : m_random.pick(labelNames(appellation->labelStyle));
            if (appellation->nonVintage && m_random.chance(0.8)) {
                draft.vintage.clear();
            } else {
                // More of the recent vintages, as in any cellar.
                const int age = std::min(m_random.between(0, 12), m_random.between(0, 19));
                draft.vintage = QString::number(2001 - age);
            }
            const int roll = m_random.between(1, 100);
            const bool sweet = appellation->wineType == QLatin1String("Sweet");
            draft.bottleSize = roll <= (sweet ? 50 : 84)   ? 0
                               : roll <= (sweet ? 95 : 91) ? 1
                               : roll <= 97                ? 2
                               : roll <= 98                ? 3
                                                           : 4;
            const QString key = QStringLiteral("%1|%2|%3|%4|%5")
                                    .arg(draft.winery->group)
                                    .arg(draft.label, draft.vintage)
                                    .arg(draft.appellation)
                                    .arg(draft.bottleSize);
            if (!m_wineKeys.contains(key)) {
                m_wineKeys.insert(key);
                return draft;
            }
        }
    }

    int profileIndex(const QString& name) const
    {
        for (int i = 0; i < drinkProfiles().size(); ++i) {
            if (drinkProfiles().at(i).name == name) {
                return i;
            }
        }
        return 0;
    }

    QDate randomDay(QDate from, QDate to) { return randomDayFrom(m_random, from, to); }

    // A few dates were typed with a two-digit year and landed a century early; the
    // maintenance tool's date repair puts them back.
    QDate maybeWrongCentury(QDate day)
    {
        if (day.year() >= 2000 && m_random.chance(0.01)) {
            return day.addYears(-100);
        }
        return day;
    }

    QList<Purchase> purchases(const WineDraft& draft, const AppellationEntry& appellation)
    {
        const int release = draft.vintage.isEmpty() ? 1994 : draft.vintage.toInt() + 2;
        const QDate from = std::max(firstPurchaseDay, QDate(std::min(release, 2003), 3, 1));
        const int roll = m_random.between(1, 10);
        const int count = roll <= 6 ? 1 : roll <= 9 ? 2 : 3;
        const int bottleMl = bottleSizes().at(draft.bottleSize).milliliters;
        const double sizeFactor = bottleMl / 750.0;
        const double price = m_random.between(appellation.priceLow, appellation.priceHigh);
        const QList<int> quantities =
            bottleMl >= 1500 ? QList<int>{1, 1, 2, 3} : QList<int>{1, 2, 3, 6, 6, 12};
        QList<Purchase> result;
        for (int i = 0; i < count; ++i) {
            Purchase purchase;
            purchase.day = randomDay(from, lastDay);
            purchase.quantity = m_random.pick(quantities);
            purchase.cost =
                std::round(price * sizeFactor * (0.85 + m_random.unit() * 0.3) * 100.0) / 100.0;
            result.append(purchase);
        }
        std::sort(result.begin(), result.end(),
                  [](const Purchase& a, const Purchase& b) { return a.day < b.day; });
        return result;
    }

    QString tastingText(const QString& wineType, bool ownNote)
    {
        const QStringList& words = tastingDescriptors(wineType);
        QStringList parts;
        const int count = m_random.between(2, 4);
        for (int i = 0; i < count; ++i) {
            const QString part = m_random.pick(words);
            if (!parts.contains(part)) {
                parts.append(part);
            }
        }
        QString sentence = parts.join(QStringLiteral(", "));
        sentence[0] = sentence[0].toUpper();
        sentence += QLatin1Char('.');
        if (ownNote) {
            static const QStringList endings{
                QStringLiteral(" Opened with friends."), QStringLiteral(" Decanted for two hours."),
                QStringLiteral(" Better on the second day."),
                QStringLiteral(" Keep the rest a few more years."), QString()};
            sentence += m_random.pick(endings);
        }
        return sentence;
    }

    QString locationLines(int quantity)
    {
        static const QStringList places{
            QStringLiteral("Rack A"),       QStringLiteral("Rack B"),
            QStringLiteral("Rack C"),       QStringLiteral("Rack D"),
            QStringLiteral("Cellar floor"), QStringLiteral("Off-site storage")};
        QStringList lines;
        int left = quantity;
        while (left > 0) {
            const int here = lines.size() == 2 ? left : m_random.between(1, left);
            const QString place = m_random.pick(places);
            const QString slot =
                place.startsWith(QLatin1String("Rack"))
                    ? QStringLiteral("%1, Bin %2").arg(place).arg(m_random.between(1, 40))
                : place.startsWith(QLatin1String("Off"))
                    ? QStringLiteral("%1, Box %2").arg(place).arg(m_random.between(1, 12))
                    : place;
            lines.append(QStringLiteral("%1 (%2)").arg(slot).arg(here));
            left -= here;
        }
        return lines.join(crlf);
    }

    // The history of one wine as written: what its row takes from its transactions and notes.
    struct WineHistory
    {
        QList<Purchase> bought;
        QList<QDate> removalDays;
        int onHand = 0;
        double lastCost = 0;
        bool hasNotes = false;
        QString score; // the critic's, "" when none
    };

    static QStringList wineColumns()
    {
        QStringList columns{QStringLiteral("WineID"),
                            QStringLiteral("Vintage"),
                            QStringLiteral("Label"),
                            QStringLiteral("QOH"),
                            QStringLiteral("ShoppingList"),
                            QStringLiteral("TastingNote"),
                            QStringLiteral("WineLabelPointer"),
                            QStringLiteral("DrinkFrom"),
                            QStringLiteral("DrinkTo"),
                            QStringLiteral("User01"),
                            QStringLiteral("User02"),
                            QStringLiteral("User03"),
                            QStringLiteral("User04"),
                            QStringLiteral("User05"),
                            QStringLiteral("Value"),
                            QStringLiteral("Optimal"),
                            QStringLiteral("BottleLocations")};
        for (int slot = 1; slot <= 5; ++slot) {
            columns << QStringLiteral("Variety%1").arg(slot)
                    << QStringLiteral("VarietyPerc%1").arg(slot);
        }
        columns << QStringLiteral("WineTypeID") << QStringLiteral("AppellationID")
                << QStringLiteral("BottleSizeID") << QStringLiteral("WinerySiteID")
                << QStringLiteral("DrinkProfileID") << QStringLiteral("NoteID")
                << QStringLiteral("oldWineID") << QStringLiteral("Score")
                << QStringLiteral("Alcohol") << QStringLiteral("ReviewSource");
        return columns;
    }

    static const QStringList& wineNotes()
    {
        static const QStringList notes{
            QStringLiteral("Decant two hours ahead."), QStringLiteral("Bought on the spring trip."),
            QStringLiteral("For Anna's 30th birthday."),
            QString::fromUtf8("Recommended by the sommelier at Le Pré Fleuri."),
            QStringLiteral("Corked bottle returned; replacement received.")};
        return notes;
    }

    static const QStringList& transactionNotes()
    {
        static const QStringList notes{QStringLiteral("Opened at dinner with friends."),
                                       QStringLiteral("Case discount 10%."),
                                       QStringLiteral("Given as a present."),
                                       QStringLiteral("En primeur, delivered two years later.")};
        return notes;
    }

    void writeWines(int wineCount)
    {
        TableWriter wines(m_connection, QStringLiteral("tblWines"), wineColumns());
        TableWriter transactions(m_connection, QStringLiteral("tblTransactions"),
                                 {QStringLiteral("WineID"), QStringLiteral("Date"),
                                  QStringLiteral("Time"), QStringLiteral("Quantity"),
                                  QStringLiteral("Cost"), QStringLiteral("RetailStoreID"),
                                  QStringLiteral("NoteID")});
        TableWriter tastings(m_connection, QStringLiteral("tblTastingNotes"),
                             {QStringLiteral("WineID"), QStringLiteral("Date"),
                              QStringLiteral("Author"), QStringLiteral("Score"),
                              QStringLiteral("NoteID"), QStringLiteral("MasterID")});
        for (int i = 0; i < wineCount; ++i) {
            const qint64 wineId = i + 1;
            const WineDraft draft = draftWine();
            const AppellationEntry& appellation = appellations().at(draft.appellation);
            // The draws of an unrecorded wine are made all the same, so that every other wine
            // stays as it was.
            const bool unrecorded = i % unrecordedEvery == unrecordedAt;
            WineHistory history =
                writeTransactions(transactions, wineId, draft, appellation, unrecorded);
            writeTastingNotes(tastings, wineId, draft, appellation, unrecorded, history);
            wines.add(wineRow(wineId, draft, appellation, history, i, wineCount));
            ++m_figures.wines;
        }
    }

    // Purchases and removals.
    WineHistory writeTransactions(TableWriter& transactions, qint64 wineId, const WineDraft& draft,
                                  const AppellationEntry& appellation, bool unrecorded)
    {
        WineHistory history;
        history.bought = purchases(draft, appellation);
        for (const Purchase& purchase : history.bought) {
            const QList<Cell> transaction{
                number(wineId),
                date(maybeWrongCentury(purchase.day)),
                timeOfDay(QTime(m_random.between(9, 20), m_random.between(0, 59),
                                m_random.between(0, 59))),
                number(purchase.quantity),
                money(purchase.cost),
                number(m_random.between(1, static_cast<int>(retailOutlets().size()))),
                maybeNote(0.08, transactionNotes())};
            history.onHand += purchase.quantity;
            history.lastCost = purchase.cost;
            if (!unrecorded) {
                transactions.add(transaction);
                ++m_figures.transactions;
            }
        }
        const int removals = std::min(history.onHand, m_random.between(0, 3));
        for (int r = 0; r < removals && history.onHand > 0; ++r) {
            const int quantity = std::min(history.onHand, m_random.chance(0.8) ? 1 : 2);
            const QDate day = randomDay(history.bought.front().day, lastDay);
            history.removalDays.append(day);
            const QList<Cell> transaction{
                number(wineId),
                date(maybeWrongCentury(day)),
                timeOfDay(QTime(m_random.between(17, 22), m_random.between(0, 59), 0)),
                number(-quantity),
                money(0),
                nullCell(),
                maybeNote(0.1, transactionNotes())};
            history.onHand -= quantity;
            if (!unrecorded) {
                transactions.add(transaction);
                ++m_figures.transactions;
            }
        }
        return history;
    }

    // Tasting notes: the owner's own (master number 0) and the critics' (numbered).
    void writeTastingNotes(TableWriter& tastings, qint64 wineId, const WineDraft& draft,
                           const AppellationEntry& appellation, bool unrecorded,
                           WineHistory& history)
    {
        for (const QDate& day : history.removalDays) {
            if (m_random.chance(0.5)) {
                const QString noteText = tastingText(appellation.wineType, true);
                const QString noteScore = QStringLiteral("%1/20").arg(m_random.between(13, 19));
                if (!unrecorded) {
                    tastings.add({number(wineId), date(maybeWrongCentury(day)), text(cellarOwner()),
                                  text(noteScore), number(addNote(noteText)), number(0)});
                    history.hasNotes = true;
                    ++m_figures.tastingNotes;
                }
            }
        }
        if (!draft.vintage.isEmpty() && m_random.chance(0.25)) {
            const int year = std::min(draft.vintage.toInt() + m_random.between(1, 3), 2003);
            const QString author =
                m_random.chance(0.5) ? tastingAuthors().front() : m_random.pick(tastingAuthors());
            history.score = QString::number(m_random.between(84, 99));
            const QString noteText = tastingText(appellation.wineType, false);
            const QDate noteDay(year, m_random.between(1, 12), m_random.between(1, 28));
            const int masterNote = m_nextMasterNote += m_random.between(1, 4);
            if (!unrecorded) {
                tastings.add({number(wineId), date(noteDay), text(author), text(history.score),
                              number(addNote(noteText)), number(masterNote)});
                history.hasNotes = true;
                ++m_figures.tastingNotes;
            }
        }
        // Most wines the owner has tasted at least once; these notes come from a sequence
        // of their own, so that the cellar's other draws stay as they were.
        if (!history.hasNotes && !unrecorded && m_extra.chance(0.7)) {
            const QDate day = randomDayFrom(m_extra, history.bought.front().day, lastDay);
            tastings.add({number(wineId), date(day), text(cellarOwner()),
                          text(QStringLiteral("%1/20").arg(m_extra.between(13, 18))),
                          number(addNote(QStringLiteral("Tasted at purchase: ") +
                                         m_extra.pick(tastingDescriptors(appellation.wineType)) +
                                         QLatin1Char('.'))),
                          number(0)});
            history.hasNotes = true;
            ++m_figures.tastingNotes;
        }
    }

    QList<Cell> wineRow(qint64 wineId, const WineDraft& draft, const AppellationEntry& appellation,
                        const WineHistory& history, int i, int wineCount)
    {
        const int profile = profileIndex(appellation.profile);
        const DrinkProfileEntry& drink = drinkProfiles().at(profile);
        // The old drinking window: years after the vintage (or after the first purchase for
        // a wine without vintage); "9999" leaves the end open.
        const int base =
            draft.vintage.isEmpty() ? history.bought.front().day.year() : draft.vintage.toInt();
        int from = base + drink.deltaFrom;
        int best = base + drink.deltaBest;
        int to = base + drink.deltaTo;
        if (drink.deltaFrom != drink.deltaTo) {
            from += m_random.between(-1, 1);
            best = std::max(from, best + m_random.between(-1, 1));
            to = std::max(best, to + m_random.between(-2, 2));
        }
        const bool openEnd = drink.deltaTo >= 25 && m_random.chance(0.05);

        // The label picture, shared by every vintage of one winery's wine.
        QString pointer;
        if (draft.label != unknown && m_random.chance(0.4)) {
            const QString key = QStringLiteral("%1|%2").arg(draft.winery->group).arg(draft.label);
            if (!m_pictureOfLabel.contains(key)) {
                m_pictureOfLabel.insert(key, m_labels.write(draft.winery->name, draft.label,
                                                            draft.vintage,
                                                            typeColour(appellation.wineType)));
            }
            pointer = m_pictureOfLabel.value(key);
        }
        // One picture that was lost (in small cellars too).
        if (i % 500 == std::min(250, wineCount / 2)) {
            pointer = LabelPictures::folderName + QStringLiteral("/scan-lost.jpg");
        }

        const bool numbered = !m_random.chance(0.07);
        QList<Cell> row{
            number(wineId),
            text(draft.vintage),
            text(draft.label),
            number(history.onHand),
            yesNo(history.onHand == 0 && m_random.chance(0.3)),
            yesNo(history.hasNotes),
            text(pointer),
            text(QString::number(from)),
            text(openEnd ? QStringLiteral("9999") : QString::number(to)),
            m_random.chance(0.3) ? text(QStringLiteral("PO-%1").arg(m_random.between(1000, 4999)))
                                 : text(QString()),
            m_random.chance(0.5) ? text(QString::number(m_random.between(1, 120)))
                                 : text(QString()),
            m_random.chance(0.05) ? text(QStringLiteral("Gift from Anna")) : text(QString()),
            text(QString()),
            text(QString()),
            money(m_random.chance(0.15)
                      ? 0.0
                      : std::round(history.lastCost * (1.0 + m_random.unit()) * 100.0) / 100.0),
            text(QString::number(best)),
            text(locationLines(history.onHand))};
        appendVarieties(row, appellation);
        if (!m_fieldBlendWritten && appellation.wineType == QLatin1String("White")) {
            writeFieldBlend(row);
        }
        row << number(wineTypes().indexOf(appellation.wineType) + 1)
            << number(m_appellationIds.at(draft.appellation)) << number(draft.bottleSize + 1)
            << number(draft.winery->id) << number(profile + 1) << maybeNote(0.15, wineNotes())
            << number(numbered ? ++m_nextOldWineId : 0)
            << (history.score.isEmpty() ? nullCell() : text(history.score))
            << text(QStringLiteral("%1%").arg(
                   QString::number(12.0 + m_random.between(0, 6) * 0.5, 'f', 1)))
            << (history.score.isEmpty() ? nullCell() : text(QStringLiteral("Critic's note")));
        return row;
    }

    static QColor typeColour(const QString& wineType)
    {
        if (wineType == QLatin1String("White")) {
            return QColor(196, 170, 60);
        }
        if (wineType == QLatin1String("Sparkling")) {
            return QColor(160, 140, 90);
        }
        if (wineType == QLatin1String("Sweet") || wineType == QLatin1String("Fortified")) {
            return QColor(170, 100, 30);
        }
        return QColor(110, 20, 40);
    }

    // A field blend of more grapes than the five variety slots hold: the user put the last
    // three into the fifth slot on lines of their own.
    void writeFieldBlend(QList<Cell>& row)
    {
        static const QList<std::pair<const char*, const char*>> blend{
            {"Grüner Veltliner", "30%"},
            {"Riesling", "20%"},
            {"Weissburgunder", "15%"},
            {"Neuburger", "15%"},
            {"Traminer\r\nRotgipfler\r\nZierfandler", "20%"}};
        constexpr int firstVarietyColumn = 17;
        for (int slot = 0; slot < blend.size(); ++slot) {
            row[firstVarietyColumn + 2 * slot] = text(QString::fromUtf8(blend.at(slot).first));
            row[firstVarietyColumn + 2 * slot + 1] = text(QString::fromUtf8(blend.at(slot).second));
        }
        m_fieldBlendWritten = true;
    }

    static QDate randomDayFrom(SampleRandom& random, QDate from, QDate to)
    {
        if (to <= from) {
            return from;
        }
        return from.addDays(random.between(0, static_cast<int>(from.daysTo(to))));
    }

    void appendVarieties(QList<Cell>& row, const AppellationEntry& appellation)
    {
        const int used = m_random.between(1, static_cast<int>(appellation.blend.size()));
        int total = 0;
        for (int i = 0; i < used; ++i) {
            total += appellation.blend.at(i).percent;
        }
        int given = 0;
        for (int slot = 0; slot < 5; ++slot) {
            if (slot >= used) {
                row << text(unknown) << text(QString());
                continue;
            }
            const int share =
                slot + 1 == used ? 100 - given : appellation.blend.at(slot).percent * 100 / total;
            given += share;
            row << text(appellation.blend.at(slot).variety)
                << text(QStringLiteral("%1%").arg(share));
        }
    }

    jet::Connection& m_connection;
    SampleRandom& m_random;
    SampleRandom m_extra{SampleRandom::defaultStart + 1};
    int m_nextMasterNote = 5000;
    int m_nextOldWineId = 0;
    QHash<QString, QString> m_pictureOfLabel; // a label's picture, by winery group and label
    bool m_fieldBlendWritten = false;
    LabelPictures& m_labels;
    TableWriter m_notes;
    qint64 m_lastNoteId = 0;
    QHash<QString, qint64> m_countryIds;
    QHash<QString, qint64> m_regionIds;
    QList<qint64> m_appellationIds; // by index into appellations()
    QSet<QString> m_wineryNames;
    QList<Winery> m_wineries;
    QSet<QString> m_wineKeys;
    CellarFigures m_figures;
};

} // namespace

CellarFigures writeCellar(jet::Connection& connection, int wineCount, SampleRandom& random,
                          LabelPictures& labels)
{
    Cellar cellar(connection, random, labels);
    return cellar.write(wineCount);
}

} // namespace sample
