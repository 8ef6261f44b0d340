#pragma once

// The files of the installation the host works on: its folder (AppPath, with a trailing
// separator), the main wine database, the settings database beside it and the language
// database. The registered installation is read from the registry: section "LastDatabase"
// value "FullPath" (the main wine database), "Application" "FullPath" (the folder; else the
// database's folder) and "LanguageDB" "FullPath" (else english.lan in the folder).

#include <QString>

namespace host {

struct HostFiles
{
    QString appPath;
    QString mainDatabase;
    QString settingsDatabase;
    QString languageDatabase;

    // Raises vb::Error saying what to do when no installation is registered or its main wine
    // database does not exist.
    static HostFiles fromRegistry();
    // The installation in `folder` with its default file names.
    static HostFiles inFolder(const QString& folder, const QString& mainDatabase = QString());
};

} // namespace host
