// The regedit program as the analyser starts it.

#include "RegeditFixture.h"

#include <QFile>
#include <QProcess>

namespace {

struct Outcome
{
    int exitCode = -1;
    QString err;
};

Outcome regeditRun(const QStringList& args)
{
    QProcess process;
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
    EXPECT_EQ(regeditRun({}).exitCode, 2);
    EXPECT_EQ(regeditRun({QStringLiteral("/E")}).exitCode, 2);
    EXPECT_EQ(regeditRun({QStringLiteral("/S")}).exitCode, 2);
    const Outcome missingFile =
        regeditRun({QStringLiteral("/S"), filePath(QStringLiteral("no.reg"))});
    EXPECT_EQ(missingFile.exitCode, 1);
    EXPECT_TRUE(missingFile.err.contains(QStringLiteral("no.reg")));
}
