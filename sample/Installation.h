#pragma once

// Lays out a complete sample installation of the suite in a folder: the databases at the
// oldest versions the updater takes (main wine database 3, settings 3, weblinks 1), the
// language database, printlabels.dat, Auctions.dat, rates.dat, label pictures and the Tools
// folder with the suite's programs. The same options always give the same database content.

#include "common/InstallationLayout.h"
#include "InstallationOptions.h"

#include <QString>
#include <QStringList>

namespace sample {

inline const QString databasePassword = QStringLiteral("vutmarelko");
inline const QString& mainDatabaseFile = installation::MainDatabaseFile;
inline const QString& settingsFile = installation::SettingsFile;
inline const QString& languageFile = installation::LanguageFile;
inline const QString& webLinksFile = installation::WebLinksFile;
inline const QString& printLabelsFile = installation::PrintLabelsFile;
inline const QString& auctionsFile = installation::AuctionsFile;
inline const QString& ratesFile = installation::RatesFile;
inline const QString& toolsFolder = installation::ToolsFolder;

// The suite's programs that are copied into Tools/ when found in the program folder.
const QStringList& toolPrograms();

struct InstallationSummary
{
    QString folder; // absolute, without a trailing separator
    int wines = 0;
    int wineries = 0;
    int transactions = 0;
    int tastingNotes = 0;
    int labelPictures = 0;
    int languageTexts = 0;
    QStringList copiedPrograms;
    QString uniqueId; // the user number registered (or that would be) as Application/UniqueID
};

// The connection string the suite's programs use for a database file of the installation.
QString connectionString(const QString& databasePath);

// Raises vb::Error with a message that says what to do when the folder is not empty or not a
// folder, the options are out of range or anything cannot be written. On failure nothing is
// left behind: the folder is as empty as it was (and removed again if this made it), and the
// registry is untouched.
InstallationSummary writeInstallation(const QString& folder, const InstallationOptions& options);

} // namespace sample
