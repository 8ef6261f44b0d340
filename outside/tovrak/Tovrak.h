#pragma once

// The compaction run: compacts the four databases of one installation and, when asked to,
// starts the host application again afterwards.

#include <optional>
#include <QString>
#include <QStringList>

class QTextStream;

namespace tovrak {

struct Options
{
    QString toolsFolder; // empty: the program's own folder
    bool restart = false;
};

inline constexpr int exitAllCompacted = 0;
inline constexpr int exitSomeFailed = 1;
inline constexpr int exitUsage = 64;

// The command line without the program name: [--tools DIR] [restart]. nullopt with the
// problem in `problem` when it cannot be understood.
std::optional<Options> parseArguments(const QStringList& arguments, QString& problem);

// Compacts main, settings, language and weblinks database in this order, going on after a
// failure. Writes one line per compacted file to `out` and one line per failure (naming the
// file and the reason) to `err`. Returns exitAllCompacted or exitSomeFailed.
int run(const Options& options, QTextStream& out, QTextStream& err);

// What the program does, as --help describes it below the usage line.
QString help();

} // namespace tovrak
