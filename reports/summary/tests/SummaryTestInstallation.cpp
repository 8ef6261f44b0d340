// The test installation and the PDF readers.

#include "SummaryTestInstallation.h"

#include "platform/shell/tests/QtTestApplication.h"
#include "sample/UpdatedInstallation.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

QV_QT_TEST_APPLICATION();

namespace feldrake::testing {

host::HostFiles installationFiles()
{
    static QTemporaryDir parent;
    static QString folder;
    if (folder.isEmpty()) {
        sample::InstallationOptions options;
        options.wines = 40;
        folder = sample::writeUpdatedInstallation(parent.filePath(u"Quorvex"_s), options).folder;
    }
    return host::HostFiles::inFolder(folder);
}

QString pdfText(const QString& pdfFile)
{
    QProcess process;
    process.start(u"pdftotext"_s, {u"-layout"_s, pdfFile, u"-"_s});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

void savePagePicture(const QString& pdfFile, const QString& baseName)
{
    QProcess::execute(u"pdftoppm"_s,
                      {u"-r"_s, u"60"_s, u"-png"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, pdfFile,
                       QCoreApplication::applicationDirPath() + u'/' + baseName});
}

} // namespace feldrake::testing
