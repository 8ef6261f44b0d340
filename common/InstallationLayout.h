#pragma once

// What every program knows of an installation's layout: the registry values that name it
// (section "Application" value "FullPath" for the installation folder, "LastDatabase" and
// "LanguageDB" value "FullPath" for the main wine and language databases), the default file
// names in the installation folder, and the "Tools" folder inside it.

#include <QString>

namespace installation {

inline const QString ApplicationSection = QStringLiteral("Application");
inline const QString MainDatabaseSection = QStringLiteral("LastDatabase");
inline const QString LanguageSection = QStringLiteral("LanguageDB");
inline const QString FullPathValue = QStringLiteral("FullPath");
inline const QString UniqueIdValue = QStringLiteral("UniqueID");

inline const QString MainDatabaseFile = QStringLiteral("csample.qvd");
inline const QString SettingsFile = QStringLiteral("settings.dat");
inline const QString LanguageFile = QStringLiteral("english.lan");
inline const QString WebLinksFile = QStringLiteral("weblinks.dat");
inline const QString PrintLabelsFile = QStringLiteral("printlabels.dat");
inline const QString AuctionsFile = QStringLiteral("Auctions.dat");
inline const QString RatesFile = QStringLiteral("rates.dat");
inline const QString ToolsFolder = QStringLiteral("Tools");

// The path registered in `section`'s "FullPath" value (with '/' separators), or `fallback` when
// the value is missing or empty.
QString registeredPath(const QString& section, const QString& fallback);

} // namespace installation
