#include "WebLinksWriter.h"

#include "TableWriter.h"

namespace sample {

void writeWebLinks(jet::Connection& connection)
{
    TableWriter version(connection, QStringLiteral("tblDBVer"), {QStringLiteral("Version")});
    version.add({number(1)});

    struct Link
    {
        int masterId; // 0: the user's own link
        const char* name;
        const char* category;
        const char* searchUrl;
    };
    // Addresses use reserved example domains; [WINE] stands for the searched wine.
    const QList<Link> links{
        {101, "Wine Search", "Prices", "http://www.winesearch.example/find?q=[WINE]"},
        {102, "Vintage Charts", "Reviews", "http://vintages.example.org/chart?wine=[WINE]"},
        {103, "Auction Results", "Auctions", "http://hammerprice.example.com/results?lot=[WINE]"},
        {104, "Grape Encyclopaedia", "Reference", "http://grapes.example.net/variety/[WINE]"},
        {105, "Cellar Tracker Forum", "Community", "http://forum.cellar.example/search?t=[WINE]"},
        {106, "Critic Reviews", "Reviews", "http://reviews.example.com/wine?name=[WINE]"},
        {107, "Appellation Maps", "Reference", "http://maps.vineyards.example/app/[WINE]"},
        {108, "Merchant Finder", "Prices", "http://merchants.example.co.uk/stock?w=[WINE]"},
        {109, "Bordeaux Négociants", "Prices", "http://negoce.example.fr/recherche?vin=[WINE]"},
        {110, "Weinführer", "Reviews", "http://weinfuehrer.example.de/suche?wein=[WINE]"},
        {111, "Guida ai Vini", "Reviews", "http://guida.example.it/cerca?vino=[WINE]"},
        {112, "Label Gallery", "Pictures", "http://labels.example.org/img?w=[WINE]"},
        {0, "Paul's Merchant", "Prices", "http://www.pauls-cellar.example/shop?find=[WINE]"},
        {0, "Club Newsletter", "Community", "http://club.example.net/archive?q=[WINE]"},
        {0, "Wine Search (again)", "Prices", "http://www.winesearch.example/find?q=[WINE]"},
        {0, "Côte d'Or Producers", "Reference", "http://cotedor.example.fr/domaines?nom=[WINE]"},
        {0, "Vintage Charts copy", "Reviews", "http://vintages.example.org/chart?wine=[WINE]"},
        {0, "Local Auction House", "Auctions", "http://auctions.example.com/catalogue?s=[WINE]"},
    };
    TableWriter table(connection, QStringLiteral("WebLinks"),
                      {QStringLiteral("ID"), QStringLiteral("MasterID"), QStringLiteral("LinkName"),
                       QStringLiteral("Category"), QStringLiteral("SearchURL")});
    for (int i = 0; i < links.size(); ++i) {
        const Link& link = links.at(i);
        table.add({number(i + 1), number(link.masterId), text(QString::fromUtf8(link.name)),
                   text(QString::fromUtf8(link.category)),
                   text(QString::fromUtf8(link.searchUrl))});
    }
}

} // namespace sample
