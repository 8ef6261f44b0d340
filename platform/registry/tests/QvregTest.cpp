// The qvreg command line, run as a program against the test's store.

#include "StoreFixture.h"

#include <QProcess>

namespace {

struct CommandResult
{
    int exitCode = -1;
    QString out;
    QString err;
};

CommandResult qvreg(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(QV_QVREG), args);
    CommandResult run;
    if (!process.waitForFinished(30000))
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

const QString kKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Quillmere\\Quorvex\\Application");

} // namespace

using Qvreg = StoreTest;

TEST_F(Qvreg, SetStoresEachTypeAsTheRegistryDoes)
{
    ASSERT_EQ(qvreg({QStringLiteral("set"), kKey, QStringLiteral("FullPath"),
                     QStringLiteral("/opt/Château")})
                  .exitCode,
              0);
    ASSERT_EQ(qvreg({QStringLiteral("set"),
                     QStringLiteral("HKCU\\Software\\Quillmere\\Quorvex\\Application"),
                     QStringLiteral("Id"), QStringLiteral("0x10"), QStringLiteral("dword")})
                  .exitCode,
              0);
    ASSERT_EQ(qvreg({QStringLiteral("set"), kKey, QStringLiteral("Neg"), QStringLiteral("-1"),
                     QStringLiteral("REG_DWORD")})
                  .exitCode,
              0);
    ASSERT_EQ(qvreg({QStringLiteral("set"), kKey, QStringLiteral("Bin"), QStringLiteral("01,ab,ff"),
                     QStringLiteral("binary")})
                  .exitCode,
              0);
    ASSERT_EQ(qvreg({QStringLiteral("set"), kKey, QStringLiteral("Multi"),
                     QStringLiteral("one\\0two\\\\x"), QStringLiteral("multi_sz")})
                  .exitCode,
              0);
    ASSERT_EQ(qvreg({QStringLiteral("set"), kKey, QStringLiteral("Exp"), QStringLiteral("%HOME%"),
                     QStringLiteral("expand_sz")})
                  .exitCode,
              0);

    reg::Hkey key = 0;
    ASSERT_EQ(reg::openKeyEx(reg::HKEY_CURRENT_USER, kKey.mid(18), reg::KEY_READ, &key), 0);
    reg::ValueType type = 0;
    QByteArray data;
    ASSERT_EQ(read(key, QStringLiteral("FullPath"), &type, &data), 0);
    EXPECT_EQ(type, reg::REG_SZ);
    EXPECT_EQ(data, QStringLiteral("/opt/Château").toUtf8().append('\0'));
    ASSERT_EQ(read(key, QStringLiteral("Id"), &type, &data), 0);
    EXPECT_EQ(type, reg::REG_DWORD);
    EXPECT_EQ(data, QByteArray("\x10\x00\x00\x00", 4));
    ASSERT_EQ(read(key, QStringLiteral("Neg"), &type, &data), 0);
    EXPECT_EQ(data, QByteArray("\xff\xff\xff\xff", 4));
    ASSERT_EQ(read(key, QStringLiteral("Bin"), &type, &data), 0);
    EXPECT_EQ(type, reg::REG_BINARY);
    EXPECT_EQ(data, QByteArray("\x01\xab\xff", 3));
    ASSERT_EQ(read(key, QStringLiteral("Multi"), &type, &data), 0);
    EXPECT_EQ(type, reg::REG_MULTI_SZ);
    EXPECT_EQ(data, QByteArray("one\0two\\x\0\0", 11));
    ASSERT_EQ(read(key, QStringLiteral("Exp"), &type, &data), 0);
    EXPECT_EQ(type, reg::REG_EXPAND_SZ);
    EXPECT_EQ(data, QByteArray("%HOME%\0", 7));
}

TEST_F(Qvreg, GetListAndDelete)
{
    const reg::Hkey key = create(kKey.mid(18));
    ASSERT_EQ(setText(key, QStringLiteral("FullPath"), QStringLiteral("/opt/q")), 0);
    ASSERT_EQ(setText(key, QString(), QStringLiteral("dflt")), 0);
    const std::uint32_t number = 4711;
    ASSERT_EQ(reg::setValueEx(key, QStringLiteral("UniqueID"), reg::REG_DWORD,
                              reinterpret_cast<const std::uint8_t*>(&number), 4),
              0);
    create(kKey.mid(18) + QStringLiteral("\\Sub\\Deeper"));

    CommandResult run = qvreg({QStringLiteral("get"), kKey, QStringLiteral("fullpath")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("/opt/q\n"));
    EXPECT_EQ(qvreg({QStringLiteral("get"), kKey, QStringLiteral("UniqueID")}).out,
              QStringLiteral("4711\n"));

    run = qvreg({QStringLiteral("list"), kKey});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("[Sub]\nFullPath\tREG_SZ\t/opt/q\n@\tREG_SZ\tdflt\n"
                                      "UniqueID\tREG_DWORD\t4711\n"));

    EXPECT_EQ(qvreg({QStringLiteral("delete"), kKey, QStringLiteral("UniqueID")}).exitCode, 0);
    run = qvreg({QStringLiteral("get"), kKey, QStringLiteral("UniqueID")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("UniqueID"))) << run.err.toStdString();

    // Deleting a key takes its sub-keys with it.
    EXPECT_EQ(qvreg({QStringLiteral("delete"), kKey}).exitCode, 0);
    reg::Hkey gone = 0;
    EXPECT_EQ(reg::openKeyEx(reg::HKEY_CURRENT_USER, kKey.mid(18), reg::KEY_READ, &gone),
              reg::ERROR_FILE_NOT_FOUND);
}

TEST_F(Qvreg, BadInputGivesAMessageAndAStatus)
{
    CommandResult run = qvreg({QStringLiteral("set"), QStringLiteral("HKEY_NOWHERE\\x"),
                               QStringLiteral("n"), QStringLiteral("v")});
    EXPECT_EQ(run.exitCode, 64);
    EXPECT_TRUE(run.err.contains(QStringLiteral("HKEY_NOWHERE")));
    run = qvreg({QStringLiteral("set"), kKey, QStringLiteral("n"), QStringLiteral("12x"),
                 QStringLiteral("dword")});
    EXPECT_EQ(run.exitCode, 64);
    EXPECT_TRUE(run.err.contains(QStringLiteral("12x")));
    run = qvreg({QStringLiteral("set"), kKey, QStringLiteral("n"), QStringLiteral("4294967296"),
                 QStringLiteral("dword")});
    EXPECT_EQ(run.exitCode, 64);
    run = qvreg({QStringLiteral("set"), kKey, QStringLiteral("n"), QStringLiteral("1,xyz"),
                 QStringLiteral("binary")});
    EXPECT_EQ(run.exitCode, 64);
    run = qvreg({QStringLiteral("set"), kKey, QStringLiteral("n"), QStringLiteral("v"),
                 QStringLiteral("float")});
    EXPECT_EQ(run.exitCode, 64);
    run = qvreg({QStringLiteral("get"), QStringLiteral("HKCU\\Missing"), QStringLiteral("n")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Missing")));
    EXPECT_EQ(qvreg({QStringLiteral("frobnicate")}).exitCode, 64);
    EXPECT_EQ(qvreg({QStringLiteral("--help")}).exitCode, 0);
    // Nothing was written by the refused commands.
    reg::Hkey key = 0;
    EXPECT_EQ(reg::openKeyEx(reg::HKEY_CURRENT_USER, kKey.mid(18), reg::KEY_READ, &key),
              reg::ERROR_FILE_NOT_FOUND);
}
