#pragma once

// The updater's command line. "restart" (exactly) is passed on to the compaction program; our
// own options make an unattended run:
//
//   travone [restart] [--unattended] [--backup-dir DIR]
//
// --unattended   nobody answers: every question gets the answer that lets the update go on,
//                and every message is written to standard output; the exit status tells the
//                outcome (0 updated).
// --backup-dir   the user's data files are backed up to DIR without asking for a folder; a
//                backup that fails ends the run before any change.
// Any other word beginning with "-" is refused (exit status 64): a misspelt option must not
// start an update.

#include <optional>
#include <QString>
#include <QStringList>

namespace updater {

struct CommandLine
{
    QString text; // the command line without our options, as the run compares it
    bool unattended = false;
    std::optional<QString> backupFolder;
    QString problem; // not empty: the options could not be understood

    static CommandLine parse(const QStringList& arguments);
};

} // namespace updater
