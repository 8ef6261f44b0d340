// Reading .reg files back: round trips, deletions, older and hand-written files, bad input.

#include "RegeditFixture.h"
#include "RegImport.h"

#include <QFile>

namespace {

const QString kKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Quillmere\\Quorvex");

QByteArray utf8File(const char* text)
{
    return QByteArray(text);
}

} // namespace

class Import : public RegeditTest
{
protected:
    static QByteArray read(const QString& subKey, const QString& name, reg::ValueType* type)
    {
        reg::Hkey key = 0;
        if (reg::openKeyEx(reg::HKEY_CURRENT_USER, subKey, reg::KEY_READ, &key) != 0)
            return "<no key>";
        std::uint32_t size = 0;
        if (reg::queryValueEx(key, name, type, nullptr, &size) != 0)
            return "<no value>";
        QByteArray data(qsizetype(size), '\0');
        reg::queryValueEx(key, name, type, reinterpret_cast<std::uint8_t*>(data.data()), &size);
        reg::closeKey(key);
        return data;
    }

    static bool exists(const QString& subKey)
    {
        reg::Hkey key = 0;
        return reg::openKeyEx(reg::HKEY_CURRENT_USER, subKey, reg::KEY_READ, &key) == 0;
    }

    static QString apply(const QByteArray& bytes)
    {
        regedit::RegFile file;
        const QString problem = regedit::parseRegFile(bytes, &file);
        if (!problem.isEmpty())
            return problem;
        return regedit::applyRegFile(file);
    }
};

TEST_F(Import, ExportImportExportGivesTheSameBytes)
{
    const reg::Hkey key = create(QStringLiteral("Software\\Quillmere\\Quorvex"));
    set(key, QString(), reg::REG_SZ, text("default \"q\" \\"));
    set(key, QStringLiteral("Unicode ü"), reg::REG_SZ, text("Château € 𝄞"));
    set(key, QStringLiteral("No zero"), reg::REG_SZ, QByteArray("abc"));
    set(key, QStringLiteral("Inner zero"), reg::REG_SZ, QByteArray("a\0b\0", 4));
    set(key, QStringLiteral("Lines"), reg::REG_SZ, text("x\r\ny"));
    set(key, QStringLiteral("Dword"), reg::REG_DWORD, QByteArray("\x01\x00\x00\x80", 4));
    set(key, QStringLiteral("Short dword"), reg::REG_DWORD, QByteArray("\x01", 1));
    QByteArray big;
    for (int i = 0; i < 300; ++i)
        big.append(char(i));
    set(key, QStringLiteral("Big"), reg::REG_BINARY, big);
    set(key, QStringLiteral("Empty"), reg::REG_BINARY, QByteArray());
    set(key, QStringLiteral("Expand"), reg::REG_EXPAND_SZ, text("%PATH%;%HOME%\\with a long tail"));
    set(key, QStringLiteral("Multi"), reg::REG_MULTI_SZ, QByteArray("a\0bb\0\xc3\xa9\0\0", 10));
    set(key, QStringLiteral("Big endian"), reg::REG_DWORD_BIG_ENDIAN, QByteArray("\0\0\1\0", 4));
    set(key, QStringLiteral("Qword"), reg::REG_QWORD, QByteArray(8, '\x7f'));
    set(key, QStringLiteral("Odd"), 0x10000, QByteArray("\x01\x02"));
    set(create(QStringLiteral("Software\\Quillmere\\Quorvex\\Reports\\Export\\WineList\\PDF")),
        QStringLiteral("Password"), reg::REG_SZ, text(""));
    create(QStringLiteral("Software\\Quillmere\\Quorvex\\Form Positions"));

    const QString first = filePath(QStringLiteral("first.reg"));
    ASSERT_EQ(regedit::exportKey(first, kKey), QString());
    ASSERT_EQ(reg::deleteTree(reg::HKEY_CURRENT_USER, QStringLiteral("Software")), 0);
    ASSERT_FALSE(exists(QStringLiteral("Software\\Quillmere\\Quorvex")));

    const QString problem = regedit::importFile(first);
    ASSERT_EQ(problem, QString()) << problem.toStdString();
    const QString second = filePath(QStringLiteral("second.reg"));
    ASSERT_EQ(regedit::exportKey(second, kKey), QString());
    QFile a(first);
    QFile b(second);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());

    // And the store holds exactly what was written, not only the same text.
    reg::ValueType type = 0;
    EXPECT_EQ(
        read(QStringLiteral("Software\\Quillmere\\Quorvex"), QStringLiteral("No zero"), &type),
        QByteArray("abc"));
    EXPECT_EQ(type, reg::REG_SZ);
    EXPECT_EQ(read(QStringLiteral("Software\\Quillmere\\Quorvex"), QStringLiteral("Big"), &type),
              big);
    EXPECT_EQ(read(QStringLiteral("Software\\Quillmere\\Quorvex"), QStringLiteral("Multi"), &type),
              QByteArray("a\0bb\0\xc3\xa9\0\0", 10));
    EXPECT_EQ(type, reg::REG_MULTI_SZ);
}

TEST_F(Import, DeletionLinesRemoveKeysAndValues)
{
    const reg::Hkey key = create(QStringLiteral("Software\\Q\\Old\\Deep"));
    set(key, QStringLiteral("v"), reg::REG_SZ, text("x"));
    const reg::Hkey q = create(QStringLiteral("Software\\Q"));
    set(q, QStringLiteral("Gone"), reg::REG_SZ, text("x"));
    set(q, QStringLiteral("Kept"), reg::REG_SZ, text("x"));
    EXPECT_EQ(apply(utf8File("Windows Registry Editor Version 5.00\r\n\r\n"
                             "[-HKEY_CURRENT_USER\\Software\\Q\\Old]\r\n\r\n"
                             "[-HKEY_CURRENT_USER\\Software\\Q\\NeverWas]\r\n\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Q]\r\n"
                             "\"Gone\"=-\r\n"
                             "\"NeverWas\"=-\r\n")),
              QString());
    EXPECT_FALSE(exists(QStringLiteral("Software\\Q\\Old")));
    reg::ValueType type = 0;
    EXPECT_EQ(read(QStringLiteral("Software\\Q"), QStringLiteral("Gone"), &type), "<no value>");
    EXPECT_EQ(read(QStringLiteral("Software\\Q"), QStringLiteral("Kept"), &type), text("x"));
}

TEST_F(Import, HandWrittenAndOlderFiles)
{
    // UTF-8 without a byte order mark, LF line ends, comments, spaces, upper-case hex, a
    // continued line without indentation.
    EXPECT_EQ(apply(utf8File("Windows Registry Editor Version 5.00\n"
                             "; a comment\n"
                             "[HKEY_CURRENT_USER\\Software\\Hand]\n"
                             "  \"Text\" = \"Grüße\"\n"
                             "\"Num\"=dword:0000002A\n"
                             "\"Bin\"=hex:01,02,\\\n"
                             "03\n"
                             "@=\"dflt\"\n")),
              QString());
    reg::ValueType type = 0;
    EXPECT_EQ(read(QStringLiteral("Software\\Hand"), QStringLiteral("Text"), &type), text("Grüße"));
    EXPECT_EQ(read(QStringLiteral("Software\\Hand"), QStringLiteral("Num"), &type),
              QByteArray("\x2a\0\0\0", 4));
    EXPECT_EQ(read(QStringLiteral("Software\\Hand"), QStringLiteral("Bin"), &type),
              QByteArray("\x01\x02\x03"));
    EXPECT_EQ(read(QStringLiteral("Software\\Hand"), QString(), &type), text("dflt"));

    // REGEDIT4 keeps strings in hex as single-byte text (UTF-8 here), not UTF-16.
    EXPECT_EQ(apply(utf8File("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Old]\r\n"
                             "\"Expand\"=hex(2):25,48,25,00\r\n")),
              QString());
    EXPECT_EQ(read(QStringLiteral("Software\\Old"), QStringLiteral("Expand"), &type),
              QByteArray("%H%\0", 4));
    EXPECT_EQ(type, reg::REG_EXPAND_SZ);
}

TEST_F(Import, BadFilesNameTheLineAndWriteNothing)
{
    struct Case
    {
        const char* file;
        const char* expected;
    };
    const Case cases[] = {
        {"not a registry file\n", "line 1"},
        {"", "not a registry file"},
        {"REGEDIT4\n\"v\"=\"outside a key\"\n", "line 2"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Bad]\n\"v\"=dword:123456789\n", "line 3"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Bad]\n\"v\"=hex:01,zz\n", "line 3"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Bad]\n\"v\"=hex:01,\\\n", "continued hex data"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Bad]\n\"v=\"x\"\n", "line 3"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Bad]\n\"v\"=something\n", "line 3"},
        {"REGEDIT4\n[NOWHERE\\Software\\Bad]\n", "line 2"},
        {"Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\Software\\Bad]\n"
         "\"v\"=hex(2):41,00,42\n",
         "even number"},
    };
    for (const Case& c : cases) {
        const QString problem = apply(QByteArray(c.file));
        EXPECT_TRUE(problem.contains(QString::fromUtf8(c.expected)))
            << c.file << " gave: " << problem.toStdString();
        EXPECT_FALSE(exists(QStringLiteral("Software\\Bad"))) << c.file;
    }
}

// An import is all or nothing: a block that cannot be written keeps the others out too.
TEST_F(Import, KeysOutsideTheUserRootAreReportedAndNothingIsWritten)
{
    const QString problem = apply(utf8File("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\X]\n"
                                           "\"v\"=\"x\"\n[HKEY_CURRENT_USER\\Software\\Y]\n"
                                           "\"v\"=\"y\"\n"));
    EXPECT_TRUE(problem.contains(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\X")))
        << problem.toStdString();
    EXPECT_TRUE(problem.contains(QStringLiteral("Nothing was imported")));
    EXPECT_FALSE(exists(QStringLiteral("Software\\Y")));
}

TEST_F(Import, DeletingARootKeyIsRefusedAndNothingChanges)
{
    set(create(QStringLiteral("Software\\Keep")), QStringLiteral("v"), reg::REG_SZ, text("x"));
    for (const char* file :
         {"REGEDIT4\n[-HKEY_CURRENT_USER]\n",
          "Windows Registry Editor Version 5.00\n[HKEY_CURRENT_USER\\Software\\New]"
          "\n\n[-HKCU]\n",
          "REGEDIT4\n[-HKEY_CURRENT_USER\\]\n"}) {
        const QString problem = apply(utf8File(file));
        EXPECT_TRUE(problem.contains(QStringLiteral("whole root key"))) << problem.toStdString();
        EXPECT_TRUE(exists(QStringLiteral("Software\\Keep"))) << file;
        EXPECT_FALSE(exists(QStringLiteral("Software\\New"))) << file;
    }
}

TEST_F(Import, FailingBlockUndoesTheDeletionsAndWritesBeforeIt)
{
    set(create(QStringLiteral("Software\\Keep\\Deep")), QStringLiteral("v"), reg::REG_SZ,
        text("x"));
    const QString problem = apply(utf8File("REGEDIT4\n[-HKEY_CURRENT_USER\\Software\\Keep]\n"
                                           "[HKEY_CURRENT_USER\\Software\\Written]\n\"v\"=\"y\"\n"
                                           "[HKEY_LOCAL_MACHINE\\Software\\Refused]\n"));
    EXPECT_TRUE(problem.contains(QStringLiteral("Nothing was imported"))) << problem.toStdString();
    reg::ValueType type = 0;
    EXPECT_EQ(read(QStringLiteral("Software\\Keep\\Deep"), QStringLiteral("v"), &type), text("x"));
    EXPECT_FALSE(exists(QStringLiteral("Software\\Written")));
}

// Names that the file format must carry without breaking a line, taking a quote or a
// backslash for syntax, or reading part of a name as a line of its own.
TEST_F(Import, OddNamesSurviveExportAndImport)
{
    const QStringList valueNames{
        QStringLiteral("line\nbreak"),
        QStringLiteral("carriage\rreturn"),
        QStringLiteral("x\n[-HKEY_CURRENT_USER\\Software]"),
        QStringLiteral("\r\n"),
        QStringLiteral("back\\slash n \\n"),
        QStringLiteral("quote \" = @"),
        QStringLiteral("@"),
        QStringLiteral(" spaced "),
        QStringLiteral("-"),
        QStringLiteral("; not a comment"),
    };
    const QStringList keyNames{QStringLiteral("quote \""), QStringLiteral("bracket ]"),
                               QStringLiteral("[bracket"), QStringLiteral("-dash"),
                               QStringLiteral(" spaced "), QStringLiteral("a=b;c")};
    const QString base = QStringLiteral("Software\\Quillmere\\Quorvex");
    const reg::Hkey key = create(base);
    for (const QString& name : valueNames)
        set(key, name, reg::REG_SZ, (name + QStringLiteral(" data")).toUtf8().append('\0'));
    for (const QString& name : keyNames)
        set(create(base + QLatin1Char('\\') + name), name, reg::REG_DWORD, QByteArray(4, '\1'));
    set(create(QStringLiteral("Software\\Sibling")), QStringLiteral("v"), reg::REG_SZ, text("s"));

    const QString first = filePath(QStringLiteral("first.reg"));
    ASSERT_EQ(regedit::exportKey(first, kKey), QString());
    ASSERT_EQ(reg::deleteTree(reg::HKEY_CURRENT_USER, base), 0);
    ASSERT_EQ(regedit::importFile(first), QString());

    reg::ValueType type = 0;
    for (const QString& name : valueNames)
        EXPECT_EQ(read(base, name, &type), (name + QStringLiteral(" data")).toUtf8().append('\0'))
            << name.toStdString();
    for (const QString& name : keyNames)
        EXPECT_EQ(read(base + QLatin1Char('\\') + name, name, &type), QByteArray(4, '\1'))
            << name.toStdString();
    EXPECT_TRUE(exists(QStringLiteral("Software\\Sibling")));
    const QString second = filePath(QStringLiteral("second.reg"));
    ASSERT_EQ(regedit::exportKey(second, kKey), QString());
    QFile a(first);
    QFile b(second);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
}

TEST_F(Import, KeyNameWithALineBreakIsNotExported)
{
    const QString forged = QStringLiteral("x\r\n[-HKEY_CURRENT_USER\\Software\\Keep]");
    create(QStringLiteral("Software\\Quillmere\\Quorvex\\") + forged);
    create(QStringLiteral("Software\\Keep"));
    const QString file = filePath(QStringLiteral("export.reg"));
    const QString problem = regedit::exportKey(file, kKey);
    EXPECT_TRUE(problem.contains(QStringLiteral("line break"))) << problem.toStdString();
    EXPECT_TRUE(problem.contains(QStringLiteral("x\\r\\n[-HKEY_CURRENT_USER")));
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(Import, FileLargerThanTheLimitIsNotRead)
{
    const QString file = filePath(QStringLiteral("huge.reg"));
    {
        QFile huge(file);
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        huge.write("REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Huge]\n");
        ASSERT_TRUE(huge.resize(regedit::kMaxImportBytes + 1));
    }
    const QString problem = regedit::importFile(file);
    EXPECT_TRUE(problem.contains(QStringLiteral("larger than 64 MB"))) << problem.toStdString();
    EXPECT_FALSE(exists(QStringLiteral("Software\\Huge")));
}
