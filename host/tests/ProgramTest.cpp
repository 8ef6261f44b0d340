// quorvex report: a bad command line and a report whose library is not installed fail with a
// clear message and an exit status other than 0; with a library registered for the user, the
// report is exported headless through the batch viewer with the options the user's viewer
// keeps in the registry.

#include "common/Registry_Management.h"
#include "HostTestInstallation.h"
#include "platform/com/ServerRegistration.h"
#include "platform/shell/tests/ProgramRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace host::testing {
namespace {

struct ProgramRun
{
    int exitCode = -1;
    QString output;
};

// `program`: the quorvex to run; the build's by default, beside every report library built.
ProgramRun quorvex(const QStringList& arguments,
                   const QString& program = QStringLiteral(QV_QUORVEX))
{
    installationFolder(); // registered before the program looks for it
    const shell::testing::ProgramRun run = shell::testing::runProgram(program, arguments);
    return {run.exitCode, run.finished ? run.out + run.err : u"(timed out)"_s};
}

QString standInLibrary()
{
    const QDir folder(QStringLiteral(QV_STANDIN_FOLDER));
    const QStringList files = folder.entryList({u"*.so"_s}, QDir::Files);
    return files.isEmpty() ? QString() : folder.absoluteFilePath(files.front());
}

QString pdfText(const QString& file, const QStringList& extra = {})
{
    return shell::testing::runProgram(u"pdftotext"_s,
                                      extra + QStringList{u"-layout"_s, file, u"-"_s}, 60000)
        .out;
}

TEST(QuorvexProgram, ABadCommandLineSaysWhatIsWrong)
{
    const QList<std::pair<QStringList, QString>> cases{
        {{u"report"_s}, u"which report"_s},
        {{u"report"_s, u"cellarlist"_s, u"--export"_s, u"pdf"_s, u"--out"_s, u"x.pdf"_s},
         u"unknown report \"cellarlist\""_s},
        {{u"report"_s, u"winelist"_s, u"--colour"_s, u"red"_s}, u"unknown option \"--colour\""_s},
        {{u"report"_s, u"summary"_s, u"--details"_s, u"--export"_s, u"pdf"_s, u"--out"_s,
          u"x.pdf"_s},
         u"--details is an option of the cellarbook report"_s},
        {{u"report"_s, u"winelist"_s, u"--export"_s, u"docx"_s, u"--out"_s, u"x.docx"_s},
         u"unknown export format \"docx\""_s},
        {{u"report"_s, u"winelist"_s, u"--grouping"_s, u"Country"_s, u"--export"_s, u"pdf"_s,
          u"--out"_s, u"x.pdf"_s},
         u"three parts"_s},
        {{u"report"_s, u"locations"_s, u"--export"_s, u"pdf"_s}, u"--out FILE"_s},
    };
    for (const auto& [arguments, message] : cases) {
        const ProgramRun run = quorvex(arguments);
        EXPECT_EQ(run.exitCode, 64) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.output.contains(message))
            << arguments.join(u' ').toStdString() << ": " << run.output.toStdString();
    }
}

TEST(QuorvexProgram, AReportWhoseLibraryIsNotInstalledNamesItsProgId)
{
    // A copy of the program in a folder of its own: no report library beside it.
    QTemporaryDir out;
    const QString program = out.filePath(u"quorvex"_s);
    ASSERT_TRUE(QFile::copy(QStringLiteral(QV_QUORVEX), program));
    const QString file = out.filePath(u"book.pdf"_s);
    const ProgramRun run = quorvex(
        {u"report"_s, u"cellarbook"_s, u"--details"_s, u"--export"_s, u"pdf"_s, u"--out"_s, file},
        program);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.output.contains(u"QuorvexParvello.Rpt"_s)) << run.output.toStdString();
    EXPECT_FALSE(QFileInfo::exists(file));
}

class BatchOutputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        installationFolder();
        ASSERT_FALSE(standInLibrary().isEmpty());
        com::registerServer(standInLibrary());
    }
    void TearDown() override
    {
        com::unregisterServer(standInLibrary());
        reg::deleteTree(reg::HKEY_CURRENT_USER,
                        Registry_Management::ProductKeyPath() + u"\\Reports"_s);
    }
    QTemporaryDir m_out;
};

TEST_F(BatchOutputTest, ExportsTheSelectionsWinesWithTheUsersStoredOptions)
{
    const QString plain = m_out.filePath(u"all.pdf"_s);
    ProgramRun run = quorvex({u"report"_s, u"winelist"_s, u"--grouping"_s, u"Country//"_s,
                              u"--query"_s, u"0"_s, u"--export"_s, u"pdf"_s, u"--out"_s, plain});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(u"Wrote"_s));
    const QString text = pdfText(plain);
    EXPECT_TRUE(text.contains(u"Wine List"_s)) << text.left(400).toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(u"Page\\s+1\\s+of\\s+\\d"_s)))
        << text.right(300).toStdString();
    QProcess::execute(u"pdftoppm"_s,
                      {u"-r"_s, u"60"_s, u"-png"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, plain,
                       QCoreApplication::applicationDirPath() + u"/host_batch_winelist"_s});
    const QString firstWinery =
        sqliteValue(installationFiles().mainDatabase,
                    u"SELECT s.SiteName FROM tblWines w JOIN tblWinerySite s ON w.WinerySiteID "
                    "= s.WinerySiteID ORDER BY s.SiteName LIMIT 1"_s)
            .toString();
    EXPECT_TRUE(text.contains(firstWinery)) << firstWinery.toStdString();

    // A password the user chose in the viewer's PDF options applies to batch output too.
    ASSERT_EQ(Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER,
                                                      u"Reports\\Export\\rptCellarWineList\\PDF"_s,
                                                      u"UserPassword"_s, u"cellar"_s),
              0);
    const QString locked = m_out.filePath(u"locked.pdf"_s);
    run = quorvex({u"report"_s, u"winelist"_s, u"--query"_s, u"Red Wines"_s, u"--export"_s,
                   u"pdf"_s, u"--out"_s, locked});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    EXPECT_TRUE(pdfText(locked).isEmpty());
    EXPECT_FALSE(pdfText(locked, {u"-upw"_s, u"cellar"_s}).isEmpty());
}

TEST_F(BatchOutputTest, WritesTheOtherFormatsToo)
{
    const QString file = m_out.filePath(u"list.txt"_s);
    const ProgramRun run =
        quorvex({u"report"_s, u"winelist"_s, u"--export"_s, u"text"_s, u"--out"_s, file});
    ASSERT_EQ(run.exitCode, 0) << run.output.toStdString();
    QFile text(file);
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(text.readAll()).contains(u"Wine List"_s));
}

} // namespace
} // namespace host::testing
