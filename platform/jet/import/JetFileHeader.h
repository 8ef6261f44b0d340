#pragma once

// What a database file is, told from its first page: a Jet 3 or Jet 4 file written by Access
// (with its database password and code page read from the header), a database of ours
// (SQLite), or something else. Reading the header never changes the file.
//
// The header is read with a descriptor of its own: call these on files that no SQLite
// connection of this process holds open (closing any descriptor of a file drops the process's
// POSIX locks on it).

#include <optional>
#include <QString>

namespace jet::importer {

enum class DatabaseFileKind
{
    Missing, // no such file, or a folder
    Jet3,    // Access 97
    Jet4,    // Access 2000 to 2003
    Ace,     // Access 2007 and later (.accdb), which we do not read
    Ours,    // a SQLite database file
    Unknown, // neither
};

struct JetHeader
{
    DatabaseFileKind kind = DatabaseFileKind::Unknown;
    QString password;     // the database password; empty when the file has none
    int codePage = 1252;  // of Jet 3 text
    bool encoded = false; // pages RC4-encoded ("Encrypt database")
};

DatabaseFileKind databaseFileKind(const QString& path);

// True for Jet 3, Jet 4 and ACE files.
bool isJetFile(const QString& path);

// The header of a Jet 3 or Jet 4 file; nullopt for anything else.
std::optional<JetHeader> readJetHeader(const QString& path);

// What a user is told when a program of the suite meets a Jet file where it expects one of
// our databases: the file is still an Access database, and how to import it.
QString jetFileAdvice(const QString& path);

} // namespace jet::importer
