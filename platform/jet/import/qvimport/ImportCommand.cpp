// The qvimport command line.

#include "platform/jet/import/qvimport/ImportCommand.h"

#include "platform/jet/import/DatabaseImport.h"
#include "platform/jet/import/InstallationImport.h"
#include "platform/vb/Error.h"

#include <optional>
#include <QFile>

using namespace Qt::StringLiterals;

namespace jet::importer {

namespace {

constexpr int kImported = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 64;

struct Options
{
    ImportOptions import;
    QString reportFile;
    QString installFolder;
    QStringList files;
};

const QString kUsageText =
    u"usage: qvimport [--password PASSWORD] [--report FILE] JETFILE NEWFILE\n"
    u"       qvimport [--password PASSWORD] [--report FILE] --install FOLDER\n"_s;

std::optional<Options> parse(const QStringList& arguments)
{
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == u"--password"_s && hasValue) {
            options.import.password = arguments[++i];
        } else if (argument == u"--report"_s && hasValue) {
            options.reportFile = arguments[++i];
        } else if (argument == u"--install"_s && hasValue) {
            options.installFolder = arguments[++i];
        } else if (argument.startsWith(u"--"_s)) {
            return std::nullopt;
        } else {
            options.files.append(argument);
        }
    }
    const bool install = !options.installFolder.isEmpty();
    if (install ? !options.files.isEmpty() : options.files.size() != 2) {
        return std::nullopt;
    }
    return options;
}

bool writeReport(const QString& path, const QString& text, QTextStream& err)
{
    if (path.isEmpty()) {
        return true;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0) {
        err << u"qvimport: cannot write the report to %1: %2\n"_s.arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace

int runImportCommand(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    const std::optional<Options> options = parse(arguments);
    if (!options) {
        err << kUsageText;
        return kUsage;
    }
    QString report;
    int status = kImported;
    if (!options->installFolder.isEmpty()) {
        const InstallationImport result =
            importInstallation(options->installFolder, options->import);
        report = result.toText();
        status = result.succeeded() ? kImported : kFailed;
    } else {
        try {
            report =
                importJetDatabase(options->files[0], options->files[1], options->import).toText();
        } catch (const vb::Error& error) {
            err << u"qvimport: "_s << error.description() << u"\n"_s;
            return kFailed;
        }
    }
    out << report;
    out.flush();
    return writeReport(options->reportFile, report, err) ? status : kFailed;
}

} // namespace jet::importer
