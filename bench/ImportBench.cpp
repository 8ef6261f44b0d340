// import_bench: importing the largest Access test file (Northwind, Jet 3) with qvimport's
// library - schema, rows, relationships and the verification read back - against mdb-export
// of all its tables, in the same run. Prints both times and their ratio; the import aims at a
// ratio of at most 3.
//
//   import_bench [JETFILE] [REPEATS]
// JETFILE defaults to nwind.mdb in ../shared/testdata/access beside the source tree (taken
// from $QV_SOURCE_DIR, else as the folder above the build folder of this program).

#include "platform/jet/import/DatabaseImport.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::duration elapsed)
{
    return std::chrono::duration<double>(elapsed).count();
}

QStringList tablesOf(const QString& file)
{
    QProcess process;
    process.start(u"mdb-tables"_s, {u"-1"_s, file});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

double exportAll(const QString& file, const QStringList& tables)
{
    const auto start = Clock::now();
    for (const QString& table : tables) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(u"mdb-export"_s, {file, table});
        process.waitForFinished(60000);
    }
    return seconds(Clock::now() - start);
}

double importOnce(const QString& file, const QTemporaryDir& dir, int run)
{
    const QString target = dir.filePath(u"import%1.qvd"_s.arg(run));
    const auto start = Clock::now();
    jet::importer::importJetDatabase(file, target);
    return seconds(Clock::now() - start);
}

QString defaultFile()
{
    QString source = QString::fromLocal8Bit(qgetenv("QV_SOURCE_DIR"));
    if (source.isEmpty()) {
        source = QCoreApplication::applicationDirPath() + u"/../.."_s;
    }
    return QDir(source).absoluteFilePath(u"../shared/testdata/access/nwind.mdb"_s);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString file = arguments.size() > 1 ? arguments[1] : defaultFile();
    const int repeats = arguments.size() > 2 ? std::max(1, arguments[2].toInt()) : 5;
    const QStringList tables = tablesOf(file);
    if (tables.isEmpty()) {
        std::fprintf(stderr, "import_bench: mdb-tables finds no tables in %s\n", qPrintable(file));
        return 1;
    }
    QTemporaryDir dir;
    std::vector<double> imports;
    std::vector<double> exports;
    try {
        for (int run = 0; run < repeats; ++run) {
            imports.push_back(importOnce(file, dir, run));
            exports.push_back(exportAll(file, tables));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "import_bench: %s\n", error.what());
        return 1;
    }
    const double ours = median(imports);
    const double theirs = median(exports);
    std::printf("%s: %lld tables\n", qPrintable(QDir::toNativeSeparators(file)),
                static_cast<long long>(tables.size()));
    std::printf("import (qvimport library, verified)   %8.1f ms\n", ours * 1000);
    std::printf("mdb-export of every table              %8.1f ms\n", theirs * 1000);
    std::printf("ratio import / export                  %8.2f (target <= 3)\n", ours / theirs);
    return 0;
}
