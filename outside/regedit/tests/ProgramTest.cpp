// The regedit program as the analyser starts it.

#include "RegeditFixture.h"
#include "RegImport.h"

#include <csignal>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

struct Outcome
{
    int exitCode = -1;
    QString err;
};

// `fileSizeLimit` > 0: the program may not write files larger than that (a full disk), and a
// write beyond it fails instead of killing it.
Outcome regeditRun(const QStringList& args, rlim_t fileSizeLimit = 0)
{
    QProcess process;
    if (fileSizeLimit > 0)
        process.setChildProcessModifier([fileSizeLimit] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
    process.start(QStringLiteral(QV_REGEDIT), args);
    Outcome outcome;
    if (process.waitForFinished(30000)) {
        outcome.exitCode = process.exitCode();
        outcome.err = QString::fromLocal8Bit(process.readAllStandardError());
    }
    return outcome;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

using Program = RegeditTest;

TEST_F(Program, ExportsAndImportsFromTheCommandLine)
{
    set(create(QStringLiteral("Software\\Quillmere\\Quorvex\\Application")),
        QStringLiteral("FullPath"), reg::REG_SZ, text("/opt/Quorvex"));
    const QString file = filePath(QStringLiteral("QuorvexRegExport.reg"));
    const Outcome exported =
        regeditRun({QStringLiteral("/E"), file,
                    QStringLiteral("HKEY_CURRENT_USER\\Software\\Quillmere\\Quorvex")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_EQ(contents(file), fileBytes(QStringLiteral(
                                  "Windows Registry Editor Version 5.00\n\n"
                                  "[HKEY_CURRENT_USER\\Software\\Quillmere\\Quorvex]\n\n"
                                  "[HKEY_CURRENT_USER\\Software\\Quillmere\\Quorvex\\Application]\n"
                                  "\"FullPath\"=\"/opt/Quorvex\"\n\n")));

    ASSERT_EQ(reg::deleteTree(reg::HKEY_CURRENT_USER, QStringLiteral("Software")), 0);
    const Outcome imported = regeditRun({QStringLiteral("/s"), file});
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    reg::Hkey key = 0;
    EXPECT_EQ(reg::openKeyEx(reg::HKEY_CURRENT_USER,
                             QStringLiteral("Software\\Quillmere\\Quorvex\\Application"),
                             reg::KEY_READ, &key),
              0);
}

TEST_F(Program, AMissingKeyFailsAndLeavesAnExistingFileAlone)
{
    create(QStringLiteral("Software"));
    const QString file = filePath(QStringLiteral("QuorvexRegExport.reg"));
    const Outcome missing = regeditRun(
        {QStringLiteral("/e"), file, QStringLiteral("HKEY_CURRENT_USER\\Software\\Nope")});
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("HKEY_CURRENT_USER\\Software\\Nope")));
    EXPECT_FALSE(QFile::exists(file));

    {
        QFile previous(file);
        ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
        previous.write("previous export");
    }
    EXPECT_NE(regeditRun({QStringLiteral("/E"), file, QStringLiteral("HKCU\\Nope")}).exitCode, 0);
    EXPECT_EQ(contents(file), QByteArray("previous export"));
}

TEST_F(Program, WrongUseGivesUsage)
{
    EXPECT_EQ(regeditRun({}).exitCode, 64);
    EXPECT_EQ(regeditRun({QStringLiteral("/E")}).exitCode, 64);
    EXPECT_EQ(regeditRun({QStringLiteral("/S")}).exitCode, 64);
    const Outcome missingFile =
        regeditRun({QStringLiteral("/S"), filePath(QStringLiteral("no.reg"))});
    EXPECT_EQ(missingFile.exitCode, 1);
    EXPECT_TRUE(missingFile.err.contains(QStringLiteral("no.reg")));
}

TEST_F(Program, ExportThatCannotBeWrittenFailsAndKeepsThePreviousFile)
{
    const reg::Hkey key = create(QStringLiteral("Software\\Quillmere\\Quorvex"));
    for (int i = 0; i < 200; ++i)
        set(key, QStringLiteral("Value %1").arg(i), reg::REG_SZ, QByteArray(200, 'x').append('\0'));
    const QString file = filePath(QStringLiteral("QuorvexRegExport.reg"));
    {
        QFile previous(file);
        ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
        previous.write("previous export");
    }
    const QString fullKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Quillmere\\Quorvex");

    // The disk fills up after 40 kB; the export needs about 100 kB.
    const Outcome full = regeditRun({QStringLiteral("/E"), file, fullKey}, 40 * 1024);
    EXPECT_EQ(full.exitCode, 1) << full.err.toStdString();
    EXPECT_TRUE(full.err.contains(QStringLiteral("File too large"))) << full.err.toStdString();
    EXPECT_EQ(contents(file), QByteArray("previous export"));
    EXPECT_EQ(QDir(filePath(QString())).entryList(QDir::Files | QDir::Hidden).filter(".reg"),
              QStringList{QStringLiteral("QuorvexRegExport.reg")});

    // A target that is not a regular file (a device, a pipe) is never replaced.
    const QString pipe = filePath(QStringLiteral("pipe.reg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const Outcome notAFile = regeditRun({QStringLiteral("/E"), pipe, fullKey});
    EXPECT_EQ(notAFile.exitCode, 1) << notAFile.err.toStdString();
    EXPECT_TRUE(notAFile.err.contains(QStringLiteral("not a regular file")));
    EXPECT_TRUE(QFileInfo(pipe).exists() && !QFileInfo(pipe).isFile());

    const Outcome written = regeditRun({QStringLiteral("/E"), file, fullKey});
    ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
    // The store it copies is private to the user; so is the copy.
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(QFile::permissions(file) & others, QFile::Permissions());
    EXPECT_TRUE(QFile::permissions(file).testFlags(QFile::ReadOwner | QFile::WriteOwner));
}

TEST_F(Program, ManyValuesAndDeepKeysExportInLinearTime)
{
    QByteArray file = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Many]\n";
    for (int i = 0; i < 8000; ++i)
        file += QStringLiteral("\"v%1\"=\"value %1\"\n").arg(i).toUtf8();
    QByteArray deep = "HKEY_CURRENT_USER\\Software\\Deep";
    for (int level = 0; level < 3000; ++level)
        deep += "\\k" + QByteArray::number(level);
    file += "[" + deep + "]\n\"x\"=\"y\"\n";
    const QString input = filePath(QStringLiteral("many.reg"));
    {
        QFile out(input);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(file);
    }
    ASSERT_EQ(regedit::importFile(input), QString());

    QElapsedTimer timer;
    timer.start();
    const Outcome many = regeditRun({QStringLiteral("/E"), filePath(QStringLiteral("a.reg")),
                                     QStringLiteral("HKEY_CURRENT_USER\\Software\\Many")});
    const Outcome deepKey = regeditRun({QStringLiteral("/E"), filePath(QStringLiteral("b.reg")),
                                        QStringLiteral("HKEY_CURRENT_USER\\Software\\Deep")});
    const qint64 elapsed = timer.elapsed();
    ASSERT_EQ(many.exitCode, 0) << many.err.toStdString();
    ASSERT_EQ(deepKey.exitCode, 0) << deepKey.err.toStdString();
    // Reading by index took over a minute for these; read at once, well under a second each.
    EXPECT_LT(elapsed, 10000);
    EXPECT_TRUE(QString::fromUtf16(reinterpret_cast<const char16_t*>(
                                       contents(filePath(QStringLiteral("b.reg"))).constData() + 2))
                    .contains(QStringLiteral("\\k2999]")));
}
