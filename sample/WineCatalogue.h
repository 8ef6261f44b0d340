#pragma once

// What the sample cellar is made of: real countries, regions and appellations with the grapes,
// wine labels, drinking profiles and price ranges typical of each, and the parts from which
// invented winery names and addresses are put together. Appellation names are written as the
// old databases had them (straight apostrophes), including one spelled twice, which the main
// database's update 11 has to resolve.

#include <QList>
#include <QString>
#include <QStringList>

namespace sample {

struct GrapeShare
{
    QString variety;
    int percent = 100;
};

struct DrinkProfileEntry
{
    QString name;
    int deltaFrom = 0; // years after the vintage
    int deltaBest = 0;
    int deltaTo = 0;
};

struct AppellationEntry
{
    QString name;
    QString region;
    QString country;
    QString wineType;
    QString labelStyle;      // key into labelNames()
    QList<GrapeShare> blend; // the usual grapes, main grape first
    QString profile;         // a DrinkProfileEntry name
    int priceLow = 10;       // US dollars a bottle
    int priceHigh = 30;
    bool nonVintage = false; // most of its wines carry no vintage (Champagne, Cava)
    bool usedByWines = true; // false: a stray pick-list entry no wine uses
};

struct CountryStyle
{
    QString country;
    QStringList wineryPrefixes; // "Château ", "Weingut ", ...
    QStringList wineryNames;
    QStringList winerySuffixes; // " Cellars", " Estate", ... ("" = none)
    QStringList towns;          // "Pauillac", "Alba", ...
    QStringList streets;
    QString phonePrefix; // "+33 5"
    QString webDomain;   // "fr"
};

const QList<DrinkProfileEntry>& drinkProfiles();
const QList<AppellationEntry>& appellations();
const QList<CountryStyle>& countryStyles();
const CountryStyle& countryStyle(const QString& country);
// Label names for a label style; never empty.
const QStringList& labelNames(const QString& labelStyle);

const QStringList& wineTypes();
struct BottleSizeEntry
{
    QString name;
    int milliliters = 750;
};
const QList<BottleSizeEntry>& bottleSizes();

struct RetailOutletEntry
{
    QString name; // at most 30 characters: the old width of RetailStoreName
    QString city;
};
const QList<RetailOutletEntry>& retailOutlets();

// Tasting vocabulary for notes.
const QStringList& tastingDescriptors(const QString& wineType);
const QStringList& tastingAuthors(); // professional critics; the first is "Veltrano"
const QString& cellarOwner();        // the user's own name, author of the own notes

} // namespace sample
