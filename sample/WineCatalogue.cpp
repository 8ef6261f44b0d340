#include "WineCatalogue.h"

#include <QHash>

namespace sample {

namespace {

using Blend = QList<GrapeShare>;

AppellationEntry entry(const char* name, const char* region, const char* country,
                       const char* wineType, const char* labelStyle, Blend blend,
                       const char* profile, int priceLow, int priceHigh)
{
    AppellationEntry result;
    result.name = QString::fromUtf8(name);
    result.region = QString::fromUtf8(region);
    result.country = QString::fromUtf8(country);
    result.wineType = QString::fromUtf8(wineType);
    result.labelStyle = QString::fromUtf8(labelStyle);
    result.blend = std::move(blend);
    result.profile = QString::fromUtf8(profile);
    result.priceLow = priceLow;
    result.priceHigh = priceHigh;
    return result;
}

QList<AppellationEntry> makeAppellations()
{
    const Blend leftBank{
        {"Cabernet Sauvignon", 70}, {"Merlot", 20}, {"Cabernet Franc", 7}, {"Petit Verdot", 3}};
    const Blend rightBank{{"Merlot", 75}, {"Cabernet Franc", 25}};
    const Blend sauternes{{"Sémillon", 80}, {"Sauvignon Blanc", 20}};
    const Blend whiteGraves{{"Sauvignon Blanc", 60}, {"Sémillon", 40}};
    const Blend pinot{{"Pinot Noir", 100}};
    const Blend chardonnay{{"Chardonnay", 100}};
    const Blend syrah{{"Syrah", 100}};
    const Blend coteRotie{{"Syrah", 95}, {"Viognier", 5}};
    const Blend southernRhone{{"Grenache", 65}, {"Syrah", 15}, {"Mourvèdre", 15}, {"Cinsault", 5}};
    const Blend champagne{{"Chardonnay", 40}, {"Pinot Noir", 40}, {"Pinot Meunier", 20}};
    const Blend nebbiolo{{"Nebbiolo", 100}};
    const Blend sangiovese{{"Sangiovese", 100}};
    const Blend chianti{{"Sangiovese", 90}, {"Canaiolo", 5}, {"Colorino", 5}};
    const Blend bolgheri{{"Cabernet Sauvignon", 60}, {"Merlot", 30}, {"Cabernet Franc", 10}};
    const Blend amarone{{"Corvina", 70}, {"Rondinella", 25}, {"Molinara", 5}};
    const Blend rioja{{"Tempranillo", 85}, {"Garnacha", 10}, {"Graciano", 5}};
    const Blend tempranillo{{"Tempranillo", 100}};
    const Blend priorat{{"Garnacha", 50}, {"Cariñena", 30}, {"Cabernet Sauvignon", 20}};
    const Blend cava{{"Macabeo", 40}, {"Xarel·lo", 35}, {"Parellada", 25}};
    const Blend port{{"Touriga Nacional", 40},
                     {"Touriga Franca", 30},
                     {"Tinta Roriz", 20},
                     {"Tinta Barroca", 10}};
    const Blend napaCab{{"Cabernet Sauvignon", 85}, {"Merlot", 10}, {"Cabernet Franc", 5}};
    const Blend zinfandel{{"Zinfandel", 90}, {"Petite Sirah", 10}};
    const Blend shiraz{{"Shiraz", 100}};
    const Blend gsm{{"Grenache", 50}, {"Shiraz", 35}, {"Mourvèdre", 15}};
    const Blend cabShiraz{{"Cabernet Sauvignon", 60}, {"Shiraz", 40}};
    const Blend riesling{{"Riesling", 100}};
    const Blend gruener{{"Grüner Veltliner", 100}};
    const Blend sauvignon{{"Sauvignon Blanc", 100}};
    const Blend malbec{{"Malbec", 90}, {"Cabernet Sauvignon", 10}};
    const Blend chenin{{"Chenin Blanc", 100}};
    const Blend cabFranc{{"Cabernet Franc", 100}};
    const Blend pinotage{{"Pinotage", 70}, {"Cabernet Sauvignon", 30}};
    const Blend gewurz{{"Gewürztraminer", 100}};
    const Blend barbera{{"Barbera", 100}};
    const Blend dolcetto{{"Dolcetto", 100}};
    const Blend viognier{{"Viognier", 100}};

    QList<AppellationEntry> list{
        entry("Pauillac", "Bordeaux", "France", "Red", "bordeaux", leftBank, "Classified growth",
              45, 400),
        entry("Margaux", "Bordeaux", "France", "Red", "bordeaux", leftBank, "Classified growth", 40,
              350),
        entry("Saint-Julien", "Bordeaux", "France", "Red", "bordeaux", leftBank,
              "Classified growth", 40, 250),
        entry("Saint-Estèphe", "Bordeaux", "France", "Red", "bordeaux", leftBank, "Long term", 30,
              150),
        entry("Pessac-Léognan", "Bordeaux", "France", "Red", "bordeaux", leftBank, "Long term", 30,
              200),
        entry("Saint-Émilion Grand Cru", "Bordeaux", "France", "Red", "bordeaux", rightBank,
              "Long term", 30, 300),
        entry("Pomerol", "Bordeaux", "France", "Red", "bordeaux", rightBank, "Long term", 50, 500),
        entry("Sauternes", "Bordeaux", "France", "Sweet", "sweet", sauternes, "Sweet wine", 35,
              250),
        entry("Graves", "Bordeaux", "France", "White", "bordeauxWhite", whiteGraves, "Fine white",
              18, 60),
        entry("Gevrey-Chambertin", "Bourgogne", "France", "Red", "burgundy", pinot, "Medium term",
              45, 200),
        entry("Chambolle-Musigny", "Bourgogne", "France", "Red", "burgundy", pinot, "Medium term",
              50, 250),
        entry("Vosne-Romanée", "Bourgogne", "France", "Red", "burgundy", pinot, "Long term", 60,
              400),
        entry("Nuits-Saint-Georges", "Bourgogne", "France", "Red", "burgundy", pinot, "Medium term",
              40, 150),
        entry("Pommard", "Bourgogne", "France", "Red", "burgundy", pinot, "Medium term", 35, 120),
        entry("Volnay", "Bourgogne", "France", "Red", "burgundy", pinot, "Medium term", 35, 120),
        entry("Meursault", "Bourgogne", "France", "White", "burgundyWhite", chardonnay,
              "Fine white", 40, 160),
        entry("Puligny-Montrachet", "Bourgogne", "France", "White", "burgundyWhite", chardonnay,
              "Fine white", 50, 220),
        entry("Chablis Premier Cru", "Bourgogne", "France", "White", "burgundyWhite", chardonnay,
              "Fine white", 25, 70),
        entry("Côtes d'Auxerre", "Bourgogne", "France", "Red", "burgundy", pinot, "Early drinking",
              12, 25),
        entry("Côte-Rôtie", "Rhône", "France", "Red", "rhone", coteRotie, "Long term", 45, 200),
        entry("Hermitage", "Rhône", "France", "Red", "rhone", syrah, "Long term", 50, 250),
        entry("Châteauneuf-du-Pape", "Rhône", "France", "Red", "rhone", southernRhone,
              "Medium term", 30, 120),
        entry("Gigondas", "Rhône", "France", "Red", "rhone", southernRhone, "Medium term", 20, 50),
        entry("Condrieu", "Rhône", "France", "White", "rhoneWhite", viognier, "Aromatic white", 35,
              80),
        entry("Champagne", "Champagne", "France", "Sparkling", "champagne", champagne, "Champagne",
              30, 250),
        entry("Sancerre", "Loire", "France", "White", "loire", sauvignon, "Aromatic white", 18, 45),
        entry("Vouvray", "Loire", "France", "White", "loire", chenin, "Fine white", 15, 50),
        entry("Chinon", "Loire", "France", "Red", "loireRed", cabFranc, "Early drinking", 14, 35),
        entry("Alsace Grand Cru", "Alsace", "France", "White", "alsace", gewurz, "Aromatic white",
              25, 70),
        entry("Barolo", "Piemonte", "Italy", "Red", "piemonte", nebbiolo, "Long term", 40, 250),
        entry("Barbaresco", "Piemonte", "Italy", "Red", "piemonte", nebbiolo, "Long term", 35, 200),
        entry("Barbera d'Alba", "Piemonte", "Italy", "Red", "piemonteDaily", barbera,
              "Early drinking", 15, 40),
        entry("Nebbiolo d'Alba", "Piemonte", "Italy", "Red", "piemonteDaily", nebbiolo,
              "Medium term", 18, 45),
        entry("Barbera d'Asti", "Piemonte", "Italy", "Red", "piemonteDaily", barbera,
              "Early drinking", 12, 35),
        // Entered twice over the years: once with a straight apostrophe (no wine uses that
        // entry any more) and once with the typographic one.
        entry("Dolcetto d'Alba", "Piemonte", "Italy", "Red", "piemonteDaily", dolcetto, "Drink now",
              12, 25),
        entry("Dolcetto d\u2019Alba", "Piemonte", "Italy", "Red", "piemonteDaily", dolcetto,
              "Drink now", 12, 25),
        entry("Chianti Classico", "Toscana", "Italy", "Red", "toscana", chianti, "Medium term", 18,
              60),
        entry("Brunello di Montalcino", "Toscana", "Italy", "Red", "toscana", sangiovese,
              "Long term", 45, 200),
        entry("Bolgheri", "Toscana", "Italy", "Red", "toscana", bolgheri, "Long term", 40, 300),
        entry("Vino Nobile di Montepulciano", "Toscana", "Italy", "Red", "toscana", sangiovese,
              "Medium term", 20, 50),
        entry("Amarone della Valpolicella", "Veneto", "Italy", "Red", "veneto", amarone,
              "Long term", 40, 150),
        entry("Rioja", "Rioja", "Spain", "Red", "rioja", rioja, "Medium term", 15, 120),
        entry("Ribera del Duero", "Castilla y León", "Spain", "Red", "ribera", tempranillo,
              "Long term", 25, 200),
        entry("Toro", "Castilla y León", "Spain", "Red", "ribera", tempranillo, "Medium term", 18,
              60),
        entry("Priorat", "Cataluña", "Spain", "Red", "priorat", priorat, "Long term", 35, 180),
        entry("Cava", "Cataluña", "Spain", "Sparkling", "cava", cava, "Drink now", 10, 30),
        entry("Porto", "Douro", "Portugal", "Fortified", "port", port, "Vintage Port", 30, 200),
        entry("Douro", "Douro", "Portugal", "Red", "douro", port, "Medium term", 15, 60),
        entry("Napa Valley", "California", "USA", "Red", "napa", napaCab, "Long term", 35, 250),
        entry("Oakville", "California", "USA", "Red", "napa", napaCab, "Long term", 60, 350),
        entry("Rutherford", "California", "USA", "Red", "napa", napaCab, "Long term", 45, 200),
        entry("Sonoma Coast", "California", "USA", "Red", "sonoma", pinot, "Medium term", 30, 80),
        entry("Russian River Valley", "California", "USA", "White", "sonomaWhite", chardonnay,
              "Fine white", 25, 70),
        entry("Dry Creek Valley", "California", "USA", "Red", "zinfandel", zinfandel,
              "Early drinking", 20, 45),
        entry("Willamette Valley", "Oregon", "USA", "Red", "oregon", pinot, "Medium term", 25, 80),
        entry("Columbia Valley", "Washington", "USA", "Red", "napa", napaCab, "Medium term", 20,
              90),
        entry("Barossa Valley", "South Australia", "Australia", "Red", "barossa", shiraz,
              "Long term", 20, 250),
        entry("McLaren Vale", "South Australia", "Australia", "Red", "barossa", gsm, "Medium term",
              18, 80),
        entry("Coonawarra", "South Australia", "Australia", "Red", "coonawarra", cabShiraz,
              "Long term", 20, 90),
        entry("Clare Valley", "South Australia", "Australia", "White", "australiaWhite", riesling,
              "Aromatic white", 15, 40),
        entry("Eden Valley", "South Australia", "Australia", "White", "australiaWhite", riesling,
              "Fine white", 18, 50),
        entry("Margaret River", "Western Australia", "Australia", "Red", "coonawarra", napaCab,
              "Long term", 25, 120),
        entry("Mosel", "Mosel", "Germany", "White", "mosel", riesling, "Fine white", 15, 90),
        entry("Rheingau", "Rheingau", "Germany", "White", "mosel", riesling, "Fine white", 18, 80),
        entry("Pfalz", "Pfalz", "Germany", "White", "mosel", riesling, "Aromatic white", 14, 50),
        entry("Wachau", "Niederösterreich", "Austria", "White", "wachau", gruener, "Fine white", 20,
              70),
        entry("Marlborough", "Marlborough", "New Zealand", "White", "marlborough", sauvignon,
              "Aromatic white", 14, 35),
        entry("Mendoza", "Mendoza", "Argentina", "Red", "mendoza", malbec, "Medium term", 12, 80),
        entry("Stellenbosch", "Western Cape", "South Africa", "Red", "stellenbosch", pinotage,
              "Medium term", 14, 60),
    };
    for (AppellationEntry& appellation : list) {
        appellation.nonVintage = appellation.name == QLatin1String("Champagne") ||
                                 appellation.name == QLatin1String("Cava");
        appellation.usedByWines = appellation.name != QStringLiteral("Dolcetto d'Alba");
    }
    return list;
}

QHash<QString, QStringList> makeLabelNames()
{
    const auto list = [](std::initializer_list<const char*> names) {
        QStringList result;
        for (const char* name : names) {
            result.append(QString::fromUtf8(name));
        }
        return result;
    };
    return {
        {QStringLiteral("bordeaux"), list({"Grand Vin", "Second Vin", "Réserve du Château",
                                           "Cuvée Prestige", "Les Tourelles"})},
        {QStringLiteral("bordeauxWhite"), list({"Blanc Sec", "Cuvée Sélection", "Réserve Blanc"})},
        {QStringLiteral("sweet"), list({"Grand Vin", "Cuvée Madame", "Premier Cru Classé"})},
        {QStringLiteral("burgundy"),
         list({"Vieilles Vignes", "Premier Cru Les Charmes", "Clos des Moines", "Les Petits Monts",
               "Village", "Premier Cru Aux Brûlées"})},
        {QStringLiteral("burgundyWhite"),
         list({"Les Perrières", "Premier Cru Les Folatières", "Vieilles Vignes",
               "Clos de la Garenne", "Village"})},
        {QStringLiteral("rhone"), list({"La Landonne", "Cuvée des Générations", "Vieilles Vignes",
                                        "Les Grandes Places", "Tradition"})},
        {QStringLiteral("rhoneWhite"), list({"Coteau de Chéry", "Les Chaillets", "La Doriane"})},
        {QStringLiteral("champagne"), list({"Brut Réserve", "Blanc de Blancs", "Rosé Brut",
                                            "Cuvée Prestige", "Extra Brut", "Millésimé"})},
        {QStringLiteral("loire"),
         list({"Les Monts Damnés", "Le Haut-Lieu Sec", "Clos du Bourg", "Cuvée Silex"})},
        {QStringLiteral("loireRed"), list({"Les Picasses", "Clos de l'Écho", "Cuvée Terroir"})},
        {QStringLiteral("alsace"),
         list({"Gewurztraminer Vendanges Tardives", "Riesling Schlossberg", "Pinot Gris Rangen"})},
        {QStringLiteral("piemonte"), list({"Bricco Rosso", "Vigna Serra", "Riserva", "Cannubi",
                                           "Rocche dell'Annunziata", "Asili", "Rabajà"})},
        {QStringLiteral("piemonteDaily"),
         list({"Superiore", "Vigna Vecchia", "San Lorenzo", "Bricco del Drago"})},
        {QStringLiteral("toscana"),
         list({"Riserva", "Vigna del Sorbo", "Gran Selezione", "Poggio all'Oro", "Annata"})},
        {QStringLiteral("veneto"), list({"Classico", "Riserva", "Vigneto Monte Sant'Urbano"})},
        {QStringLiteral("rioja"), list({"Crianza", "Reserva", "Gran Reserva",
                                        "Viña Ardanza Reserva Especial", "Selección Especial"})},
        {QStringLiteral("ribera"),
         list({"Crianza", "Reserva", "Tinto Fino", "Pago de los Capellanes"})},
        {QStringLiteral("priorat"), list({"Clos Mogador", "L'Ermita", "Vi de Vila"})},
        {QStringLiteral("cava"), list({"Brut Nature", "Reserva Brut", "Gran Reserva"})},
        {QStringLiteral("port"), list({"Vintage Port", "Late Bottled Vintage",
                                       "Quinta Vintage Port", "10 Year Old Tawny"})},
        {QStringLiteral("douro"), list({"Tinto", "Reserva", "Quinta Red"})},
        {QStringLiteral("napa"), list({"Reserve Cabernet Sauvignon", "Estate Cabernet Sauvignon",
                                       "Meritage", "Hillside Select", "Proprietary Red"})},
        {QStringLiteral("sonoma"),
         list({"Estate Pinot Noir", "Coastlands Pinot Noir", "Three Sisters Vineyard"})},
        {QStringLiteral("sonomaWhite"),
         list({"Estate Chardonnay", "Reserve Chardonnay", "Dutton Ranch"})},
        {QStringLiteral("zinfandel"),
         list({"Old Vine Zinfandel", "Lytton Springs", "Reserve Zinfandel"})},
        {QStringLiteral("oregon"),
         list({"Reserve Pinot Noir", "Dundee Hills Pinot Noir", "Laurène"})},
        {QStringLiteral("barossa"), list({"Old Vine Shiraz", "Grenache Shiraz Mourvèdre",
                                          "The Patriarch", "Reserve Shiraz", "Bin 28"})},
        {QStringLiteral("coonawarra"),
         list({"Cabernet Sauvignon", "Cabernet Shiraz", "Black Label"})},
        {QStringLiteral("australiaWhite"),
         list({"Polish Hill Riesling", "Watervale Riesling", "High Eden Riesling"})},
        {QStringLiteral("mosel"),
         list({"Riesling Kabinett", "Riesling Spätlese", "Riesling Auslese", "Riesling Trocken",
               "Riesling Grosses Gewächs"})},
        {QStringLiteral("wachau"),
         list({"Grüner Veltliner Smaragd", "Grüner Veltliner Federspiel", "Ried Achleiten"})},
        {QStringLiteral("marlborough"),
         list({"Sauvignon Blanc", "Wairau Reserve", "Awatere Valley"})},
        {QStringLiteral("mendoza"), list({"Malbec Reserva", "Gran Malbec", "Uco Valley Malbec"})},
        {QStringLiteral("stellenbosch"),
         list({"Pinotage", "Reserve Red Blend", "Cabernet Sauvignon"})},
    };
}

QStringList utf8List(std::initializer_list<const char*> items);

// Street names that fit the country of a winery's address.
QStringList streetsOf(const QByteArray& country)
{
    if (country == "France") {
        return utf8List(
            {"Route des Vins", "Chemin des Vignes", "Rue du Château", "Place de l'Église"});
    }
    if (country == "Italy") {
        return utf8List({"Via Roma", "Strada San Martino", "Località Bricco", "Via del Castello"});
    }
    if (country == "Spain" || country == "Argentina") {
        return utf8List({"Calle Mayor", "Carretera de Haro", "Camino Real"});
    }
    if (country == "Portugal") {
        return utf8List({"Estrada Nacional 222", "Rua do Douro"});
    }
    if (country == "Germany" || country == "Austria") {
        return utf8List({"Weinstraße", "Moselweinstraße", "Kellergasse"});
    }
    return utf8List({"Vineyard Road", "Silverado Trail", "Winery Lane", "Valley Road"});
}

CountryStyle style(const char* country, QStringList prefixes, QStringList names,
                   QStringList suffixes, QStringList towns, const char* phonePrefix,
                   const char* webDomain)
{
    return CountryStyle{QString::fromUtf8(country),
                        std::move(prefixes),
                        std::move(names),
                        std::move(suffixes),
                        std::move(towns),
                        streetsOf(country),
                        QString::fromUtf8(phonePrefix),
                        QString::fromUtf8(webDomain)};
}

QStringList utf8List(std::initializer_list<const char*> items)
{
    QStringList result;
    for (const char* item : items) {
        result.append(QString::fromUtf8(item));
    }
    return result;
}

QList<CountryStyle> makeCountryStyles()
{
    return {
        style("France", utf8List({"Château ", "Domaine ", "Clos ", "Maison "}),
              utf8List({"La Borderie", "Vaillard-Roche", "des Trois Chênes", "Belair-Moutonne",
                        "Lescure", "Fontenil", "du Val d'Or", "Mercier-Laboissière", "Sainte-Agnès",
                        "des Pénitents", "Rougemont", "Haut-Barrail", "Guillot-Dufour",
                        "de la Côte Blanche", "Lafargue", "Périgault"}),
              utf8List({""}),
              utf8List({"Pauillac", "Beaune", "Nuits-Saint-Georges", "Ampuis", "Épernay", "Reims",
                        "Saint-Émilion", "Sancerre", "Colmar", "Avignon"}),
              "+33 5", "fr"),
        style("Italy", utf8List({"Tenuta ", "Cascina ", "Azienda Agricola ", "Castello di "}),
              utf8List({"Ferraretto", "Bricco Alto", "San Felice", "dei Pini", "Morandini",
                        "La Colombaia", "Rivetta", "Sant'Anna", "Val di Suga", "Orsolina"}),
              utf8List({""}),
              utf8List({"Alba", "La Morra", "Barolo", "Montalcino", "Greve in Chianti",
                        "Castagneto Carducci", "Negrar"}),
              "+39 0173", "it"),
        style("Spain", utf8List({"Bodegas ", "Viñedos ", "Celler "}),
              utf8List({"Hermanos Olarra", "Peñalba", "Valdecuevas", "La Rioja Vieja",
                        "Castillo de Arnedo", "Mas d'en Gil", "Santa Cecilia"}),
              utf8List({""}),
              utf8List({"Haro", "Logroño", "Peñafiel", "Gratallops", "Sant Sadurní d'Anoia"}),
              "+34 941", "es"),
        style("Portugal", utf8List({"Quinta do ", "Quinta da "}),
              utf8List({"Vale Meão", "Roriz", "Carvalhas", "Seixo", "Noval Alto"}), utf8List({""}),
              utf8List({"Pinhão", "Vila Nova de Gaia", "Régua"}), "+351 254", "pt"),
        style("USA", utf8List({""}),
              utf8List({"Paul's Ridge", "Whitmore", "Silver Oak Hollow", "Cardinal Creek",
                        "Hawk Crest", "Dunmore", "Harlan Bench", "O'Shaughnessy Ranch",
                        "Redwood Gap", "Mayacamas Heights"}),
              utf8List({" Cellars", " Vineyards", " Estate", " Winery", " Wine Company"}),
              utf8List(
                  {"St. Helena", "Oakville", "Healdsburg", "Calistoga", "Dundee", "Walla Walla"}),
              "+1 707", "com"),
        style(
            "Australia", utf8List({""}),
            utf8List({"Kellerman", "Two Hands Gully", "Rockford Flat", "Greenock Creek",
                      "Yalumba Downs", "Mount Edelstone", "Kilikanoon Hill"}),
            utf8List({" Estate", " Wines", " Vineyards"}),
            utf8List({"Tanunda", "Nuriootpa", "McLaren Vale", "Penola", "Clare", "Margaret River"}),
            "+61 8", "com.au"),
        style("Germany", utf8List({"Weingut "}),
              utf8List({"Müller-Lenz", "Dr. Brauneberg", "Schäfer-Fröhlich", "Weil am Berg",
                        "Künstler-Hof", "Prüm-Erben"}),
              utf8List({""}), utf8List({"Bernkastel-Kues", "Wehlen", "Hattenheim", "Deidesheim"}),
              "+49 6531", "de"),
        style("Austria", utf8List({"Weingut "}),
              utf8List({"Hirtzberger-Strass", "Knoll am Loibenberg", "Prager-Wösendorf"}),
              utf8List({""}), utf8List({"Spitz", "Dürnstein", "Weißenkirchen"}), "+43 2713", "at"),
        style("New Zealand", utf8List({""}),
              utf8List({"Cloudy Bay Road", "Wairau Cove", "Seresin Hills"}),
              utf8List({" Estate", " Wines"}), utf8List({"Blenheim", "Renwick"}), "+64 3", "co.nz"),
        style("Argentina", utf8List({"Bodega "}), utf8List({"Catena Alta", "Achával", "Los Andes"}),
              utf8List({""}), utf8List({"Luján de Cuyo", "Tupungato"}), "+54 261", "com.ar"),
        style("South Africa", utf8List({""}),
              utf8List({"Kanonkop Kloof", "Rustenberg Vale", "Meerlust Hof"}),
              utf8List({" Estate", " Wine Farm"}), utf8List({"Stellenbosch", "Paarl"}), "+27 21",
              "co.za"),
    };
}

} // namespace

const QList<DrinkProfileEntry>& drinkProfiles()
{
    static const QList<DrinkProfileEntry> profiles{
        {QStringLiteral("Drink now"), 1, 1, 1},
        {QStringLiteral("Early drinking"), 1, 2, 4},
        {QStringLiteral("Aromatic white"), 1, 3, 6},
        {QStringLiteral("Champagne"), 2, 5, 9},
        {QStringLiteral("Fine white"), 3, 6, 12},
        {QStringLiteral("Medium term"), 3, 6, 10},
        {QStringLiteral("Long term"), 8, 15, 25},
        {QStringLiteral("Classified growth"), 10, 20, 35},
        {QStringLiteral("Sweet wine"), 5, 15, 40},
        {QStringLiteral("Vintage Port"), 15, 30, 60},
    };
    return profiles;
}

const QList<AppellationEntry>& appellations()
{
    static const QList<AppellationEntry> list = makeAppellations();
    return list;
}

const QList<CountryStyle>& countryStyles()
{
    static const QList<CountryStyle> list = makeCountryStyles();
    return list;
}

const CountryStyle& countryStyle(const QString& country)
{
    for (const CountryStyle& style : countryStyles()) {
        if (style.country == country) {
            return style;
        }
    }
    return countryStyles().front();
}

const QStringList& labelNames(const QString& labelStyle)
{
    static const QHash<QString, QStringList> names = makeLabelNames();
    static const QStringList fallback{QStringLiteral("Cuvée Classique")};
    const auto found = names.constFind(labelStyle);
    return found != names.constEnd() ? *found : fallback;
}

const QStringList& wineTypes()
{
    static const QStringList types =
        utf8List({"<unknown>", "Red", "White", "Rosé", "Sparkling", "Sweet", "Fortified"});
    return types;
}

const QList<BottleSizeEntry>& bottleSizes()
{
    static const QList<BottleSizeEntry> sizes{
        {QStringLiteral("Bottle (750 ml)"), 750}, {QStringLiteral("Half bottle (375 ml)"), 375},
        {QStringLiteral("Magnum (1.5 l)"), 1500}, {QStringLiteral("Jeroboam (3 l)"), 3000},
        {QStringLiteral("Bottle (500 ml)"), 500},
    };
    return sizes;
}

const QList<RetailOutletEntry>& retailOutlets()
{
    static const QList<RetailOutletEntry> outlets{
        {QStringLiteral("Paul's Cellar"), QStringLiteral("Portland")},
        {QString::fromUtf8("Vinothèque du Marché"), QStringLiteral("Lyon")},
        {QStringLiteral("Harbour Wine Merchants"), QStringLiteral("Sydney")},
        {QStringLiteral("Enoteca Ferrini"), QStringLiteral("Firenze")},
        {QString::fromUtf8("La Cave à Côté"), QStringLiteral("Bordeaux")},
        {QStringLiteral("Cellar door"), QString()},
        {QStringLiteral("Wine club shipment"), QString()},
        {QStringLiteral("Auction lot"), QStringLiteral("London")},
        {QStringLiteral("Gift"), QString()},
        {QStringLiteral("Northside Liquor & Wine"), QStringLiteral("Seattle")},
    };
    return outlets;
}

const QStringList& tastingDescriptors(const QString& wineType)
{
    static const QStringList red =
        utf8List({"blackcurrant and cedar", "ripe plum and violets", "sour cherry and rose petals",
                  "tobacco leaf and graphite", "liquorice and black olive", "fine-grained tannins",
                  "firm but ripe tannins", "a long, savoury finish", "still closed, needs time",
                  "earthy, with some forest floor", "bright acidity", "sweet spice from the oak"});
    static const QStringList white =
        utf8List({"lemon curd and hazelnut", "white peach and honeysuckle", "flinty, mineral nose",
                  "crisp acidity", "petrol notes starting to show", "buttered toast",
                  "a touch of residual sugar", "grapefruit and cut grass", "long, saline finish"});
    static const QStringList sparkling =
        utf8List({"fine, persistent mousse", "brioche and green apple", "chalky finish",
                  "red berries on the nose", "toasty and rich"});
    static const QStringList sweet =
        utf8List({"apricot and saffron", "botrytis honey", "marmalade and candied peel",
                  "luscious but fresh", "dried fig and walnut", "endless finish"});
    if (wineType == QLatin1String("White")) {
        return white;
    }
    if (wineType == QLatin1String("Sparkling")) {
        return sparkling;
    }
    if (wineType == QLatin1String("Sweet") || wineType == QLatin1String("Fortified")) {
        return sweet;
    }
    return red;
}

const QStringList& tastingAuthors()
{
    static const QStringList authors =
        utf8List({"Veltrano", "H. Dusart", "M. Okafor", "The Cellar Gazette"});
    return authors;
}

const QString& cellarOwner()
{
    static const QString owner = QString::fromUtf8("Paul Whitmore");
    return owner;
}

} // namespace sample
