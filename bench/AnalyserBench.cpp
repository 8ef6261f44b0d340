// analyser_bench: the analyser's file tree section (names, sizes, dates, archive flag and
// version information of every file, written as report lines) against `find -printf` listing
// the same facts (path, size, change and modification times, mode) of the same generated tree
// in the same run. Prints both times and their ratio; the analyser aims at a ratio of at most 3.
//
//   analyser_bench [FILES] [REPEATS]

#include "clsADOHelper.h"
#include "FileTreeSection.h"
#include "ReportFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock;

// Processor time (user + system) of this process or of its finished children.
double cpuSeconds(int who)
{
    rusage usage = {};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& time) { return time.tv_sec + time.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Timing
{
    double wall = -1;
    double cpu = -1;
};

constexpr int kFilesPerFolder = 250;

// FILES small files in folders of 250, two levels deep, with a few kinds of names.
bool makeTree(const QString& root, int files)
{
    static const char* const suffixes[] = {".txt", ".dat", ".dll", ".lan.bak", ""};
    for (int i = 0; i < files; ++i) {
        const int folder = i / kFilesPerFolder;
        const QString dir =
            QStringLiteral("%1/Group%2/Folder%3").arg(root).arg(folder / 10).arg(folder);
        if (i % kFilesPerFolder == 0 && !QDir().mkpath(dir))
            return false;
        QFile file(
            QStringLiteral("%1/file%2%3").arg(dir).arg(i).arg(QLatin1String(suffixes[i % 5])));
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(QByteArray(64 + (i % 7) * 300, 'q'));
    }
    return true;
}

Timing analyserRun(const QString& root, const QString& report)
{
    const auto start = Clock::now();
    const double cpuStart = cpuSeconds(RUSAGE_SELF);
    analyser::ReportFile file;
    if (!file.open(report))
        return {};
    const clsADOHelper helper;
    analyser::FileTreeSection section(file, helper);
    section.write(QFile::encodeName(root) + '/');
    file.close();
    return {std::chrono::duration<double>(Clock::now() - start).count(),
            cpuSeconds(RUSAGE_SELF) - cpuStart};
}

Timing findRun(const QString& root, const QString& output)
{
    const auto start = Clock::now();
    const double cpuStart = cpuSeconds(RUSAGE_CHILDREN);
    QProcess find;
    find.setStandardOutputFile(output);
    find.start(QStringLiteral("find"),
               {root, QStringLiteral("-type"), QStringLiteral("f"), QStringLiteral("-printf"),
                QStringLiteral("%P;%s;%C@;%T@;%m\\n")});
    if (!find.waitForFinished(-1) || find.exitCode() != 0)
        return {};
    return {std::chrono::duration<double>(Clock::now() - start).count(),
            cpuSeconds(RUSAGE_CHILDREN) - cpuStart};
}

qint64 lineCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return file.readAll().count('\n');
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QStringList args = app.arguments();
    const int files = args.size() > 1 ? args[1].toInt() : 50000;
    const int repeats = args.size() > 2 ? args[2].toInt() : 3;
    QTemporaryDir work;
    const QString root = work.filePath(QStringLiteral("tree"));
    if (files <= 0 || repeats <= 0 || !makeTree(root, files)) {
        std::fprintf(stderr, "analyser_bench: cannot make a tree of %d files in %s\n", files,
                     qPrintable(work.path()));
        return 1;
    }
    const QString report = work.filePath(QStringLiteral("FileAnalysis.txt"));
    const QString listing = work.filePath(QStringLiteral("find.txt"));

    // Best of the repeats, each side run alternately on a warm cache. The machine may be
    // shared, so processor time is shown beside the wall-clock time.
    findRun(root, listing);
    Timing ours{1e9, 1e9};
    Timing baseline{1e9, 1e9};
    for (int i = 0; i < repeats; ++i) {
        const Timing a = analyserRun(root, report);
        const Timing b = findRun(root, listing);
        if (a.wall < 0 || b.wall <= 0) {
            std::fprintf(stderr, "analyser_bench: a run failed\n");
            return 1;
        }
        ours = {std::min(ours.wall, a.wall), std::min(ours.cpu, a.cpu)};
        baseline = {std::min(baseline.wall, b.wall), std::min(baseline.cpu, b.cpu)};
    }
    std::printf("files             %d (report lines %lld, find lines %lld)\n", files,
                static_cast<long long>(lineCount(report)),
                static_cast<long long>(lineCount(listing)));
    std::printf("                  wall s    cpu s\n");
    std::printf("file tree section %7.3f  %7.3f\n", ours.wall, ours.cpu);
    std::printf("find -printf      %7.3f  %7.3f\n", baseline.wall, baseline.cpu);
    std::printf("ratio             %7.2f  %7.2f  (target <= 3)\n", ours.wall / baseline.wall,
                baseline.cpu > 0 ? ours.cpu / baseline.cpu : 0.0);
    return 0;
}
