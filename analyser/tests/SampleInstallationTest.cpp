// The analyser on the sample installation the suite's generator lays out: every database at
// its old version, the suite's programs in Tools/.

#include "FileAnalysis.h"
#include "platform/shell/GTestScriptedUser.h"
#include "QStringPrinter.h"
#include "sample/Installation.h"
#include "TestInstallation.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

using analyser::testing::treeLine;

TEST(SampleInstallationTest, EveryDatabaseShowsItsVersion)
{
    analyser::testing::TestInstallation::forgetRegistry();
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Quorvex"));
    sample::InstallationOptions options;
    options.wines = 20;
    options.registerInstallation = true;
    options.programFolder = QFileInfo(analyser::testing::kestruneProgram()).path();
    const sample::InstallationSummary summary = sample::writeInstallation(folder, options);
    ASSERT_TRUE(summary.copiedPrograms.contains(QStringLiteral("regedit")));

    shell::GTestScriptedUser user;
    user.setProcessScript([](const QString& program, const QStringList& arguments) {
        return QProcess::execute(program, arguments) == 0;
    });
    analyser::AnalyserOptions run;
    run.ownFolder = folder + QStringLiteral("/Tools");
    run.exportWait = std::chrono::milliseconds(0);
    analyser::FileAnalysis analysis(run);
    ASSERT_EQ(analysis.run(), analyser::FileAnalysis::Result::Done);

    QFile report(folder + QStringLiteral("/Tools/FileAnalysis.txt"));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(report.readAll()).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines[0], QStringLiteral("Using \"") + folder + QStringLiteral("/\" as AppPath"));
    EXPECT_TRUE(lines.contains(QStringLiteral("\"FullPath\"=\"") + folder + QLatin1Char('"')));
    EXPECT_TRUE(treeLine(lines, QStringLiteral("CSAMPLE.QVD")).endsWith(QStringLiteral(";1;3")));
    EXPECT_TRUE(treeLine(lines, QStringLiteral("SETTINGS.DAT")).endsWith(QStringLiteral(";1;3")));
    EXPECT_TRUE(treeLine(lines, QStringLiteral("WEBLINKS.DAT")).endsWith(QStringLiteral(";1;1")));
    const QString language = treeLine(lines, QStringLiteral("ENGLISH.LAN"));
    EXPECT_FALSE(language.endsWith(QStringLiteral("Cannot open database")))
        << language.toStdString();
    EXPECT_FALSE(language.endsWith(QStringLiteral("Cannot open version table")))
        << language.toStdString();
    // Satellite databases are listed but not opened.
    EXPECT_EQ(treeLine(lines, QStringLiteral("PRINTLABELS.DAT")).count(QLatin1Char(';')), 4);
    EXPECT_EQ(treeLine(lines, QStringLiteral("AUCTIONS.DAT")).count(QLatin1Char(';')), 4);
    EXPECT_TRUE(treeLine(lines, QStringLiteral("TOOLS/KESTRUNE"))
                    .endsWith(QStringLiteral(";1;" QV_FILE_VERSION)));
    analyser::testing::TestInstallation::forgetRegistry();
}

} // namespace
