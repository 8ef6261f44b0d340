#pragma once

// Importing the databases of a Windows installation folder in place: each Jet file among the
// main wine databases (*.qvd), the language databases (*.lan), settings.dat with its
// printlabels.dat and Auctions.dat, and weblinks.dat is imported beside itself, verified, and
// only then takes the file's name, the Jet original being kept aside as "<name>.jet" (or
// "<name>.jet.2", ... when that exists). Files already in the current format are left alone;
// a file that is neither is reported and left alone. The update program then brings the
// databases to the current version.

#include "platform/jet/import/DatabaseImport.h"

#include <QList>
#include <QString>

namespace jet::importer {

struct InstalledFile
{
    enum class Outcome
    {
        Imported,
        AlreadyCurrent,
        Failed,
    };
    QString path;
    Outcome outcome = Outcome::Failed;
    QString keptAs;  // where the Jet original now is
    QString message; // why it failed
    ImportReport report;
};

struct InstallationImport
{
    QString folder;
    QList<InstalledFile> files;

    bool succeeded() const;
    QString toText() const;
};

// The database files of an installation folder, in a fixed order (main wine databases first).
QStringList installationDatabases(const QString& folder);

// Imports one Jet file in place (see above); never raises.
InstalledFile importInPlace(const QString& path, const ImportOptions& options = {});

InstallationImport importInstallation(const QString& folder, const ImportOptions& options = {});

} // namespace jet::importer
