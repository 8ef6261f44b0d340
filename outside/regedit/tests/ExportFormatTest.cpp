// The exported file, byte for byte, for a key that holds every kind of value.

#include "RegeditFixture.h"

namespace {

// Checked by hand against the version 5.00 format: header, empty line, one block per key with
// its values in creation order and an empty line after it, sub-keys depth first.
const char* const kEveryType = R"(Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Quillmere\Quorvex]
@="Default \"quoted\" C:\\path\\"
"FullPath"="/opt/Quorvex"
"Unicode"="Château €"
"UniqueID"=dword:00001267
"Negative"=dword:ffffffff
"Binary"=hex:01,ab,ff
"Empty binary"=hex:
"Expand"=hex(2):25,00,48,00,4f,00,4d,00,45,00,25,00,5c,00,78,00,00,00
"Multi"=hex(7):6f,00,6e,00,65,00,00,00,74,00,77,00,6f,00,00,00,00,00
"BigEndian"=hex(5):00,00,00,10
"Qword"=hex(b):01,02,03,04,05,06,07,08
"None"=hex(0):
"Odd type"=hex(1a2b):7a
"Short dword"=hex(4):01,02
"Name with \\ and \""="x"
"No zero"=hex(1):61,00,62,00,63,00
"Line break"=hex(1):61,00,0a,00,62,00,00,00
"Empty"=""

[HKEY_CURRENT_USER\Software\Quillmere\Quorvex\Application]
"FullPath"="/opt/Quorvex"

[HKEY_CURRENT_USER\Software\Quillmere\Quorvex\Form Positions]

[HKEY_CURRENT_USER\Software\Quillmere\Quorvex\Form Positions\frmReportViewer]
"X"=dword:000005a0

[HKEY_CURRENT_USER\Software\Quillmere\Quorvex\Empty]

)";

} // namespace

class ExportFormat : public RegeditTest
{
protected:
    void fillEveryType()
    {
        const reg::Hkey key = create(QStringLiteral("Software\\Quillmere\\Quorvex"));
        set(key, QString(), reg::REG_SZ, text("Default \"quoted\" C:\\path\\"));
        set(key, QStringLiteral("FullPath"), reg::REG_SZ, text("/opt/Quorvex"));
        set(key, QStringLiteral("Unicode"), reg::REG_SZ, text("Château €"));
        set(key, QStringLiteral("UniqueID"), reg::REG_DWORD, QByteArray("\x67\x12\x00\x00", 4));
        set(key, QStringLiteral("Negative"), reg::REG_DWORD, QByteArray("\xff\xff\xff\xff", 4));
        set(key, QStringLiteral("Binary"), reg::REG_BINARY, QByteArray("\x01\xab\xff"));
        set(key, QStringLiteral("Empty binary"), reg::REG_BINARY, QByteArray());
        set(key, QStringLiteral("Expand"), reg::REG_EXPAND_SZ, text("%HOME%\\x"));
        set(key, QStringLiteral("Multi"), reg::REG_MULTI_SZ, QByteArray("one\0two\0\0", 9));
        set(key, QStringLiteral("BigEndian"), reg::REG_DWORD_BIG_ENDIAN,
            QByteArray("\x00\x00\x00\x10", 4));
        set(key, QStringLiteral("Qword"), reg::REG_QWORD,
            QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08", 8));
        set(key, QStringLiteral("None"), reg::REG_NONE, QByteArray());
        set(key, QStringLiteral("Odd type"), 0x1a2b, QByteArray("z"));
        set(key, QStringLiteral("Short dword"), reg::REG_DWORD, QByteArray("\x01\x02", 2));
        set(key, QStringLiteral("Name with \\ and \""), reg::REG_SZ, text("x"));
        set(key, QStringLiteral("No zero"), reg::REG_SZ, QByteArray("abc"));
        set(key, QStringLiteral("Line break"), reg::REG_SZ, text("a\nb"));
        set(key, QStringLiteral("Empty"), reg::REG_SZ, text(""));
        set(create(QStringLiteral("Software\\Quillmere\\Quorvex\\Application")),
            QStringLiteral("FullPath"), reg::REG_SZ, text("/opt/Quorvex"));
        set(create(QStringLiteral("Software\\Quillmere\\Quorvex\\Form Positions\\frmReportViewer")),
            QStringLiteral("X"), reg::REG_DWORD, QByteArray("\xa0\x05\x00\x00", 4));
        create(QStringLiteral("Software\\Quillmere\\Quorvex\\Empty"));
        create(QStringLiteral("Software\\Quillmere\\Other")); // outside the exported key
    }
};

TEST_F(ExportFormat, EveryTypeByteForByte)
{
    fillEveryType();
    regedit::RegFile file;
    ASSERT_EQ(regedit::readKeyTree(
                  QStringLiteral("HKEY_CURRENT_USER\\Software\\Quillmere\\Quorvex"), &file),
              QString());
    const QByteArray bytes = regedit::encodeRegFile(file);
    ASSERT_TRUE(bytes.startsWith("\xff\xfe"));
    EXPECT_TRUE(bytes.endsWith(QByteArray("\r\0\n\0\r\0\n\0", 8))); // last block's empty line
    EXPECT_EQ(bytes, fileBytes(QString::fromUtf8(kEveryType)));
}

TEST_F(ExportFormat, KeyNamesTakeTheStoredCaseAndTheFullRootName)
{
    create(QStringLiteral("Software\\Quillmere\\Quorvex\\LastDatabase"));
    EXPECT_EQ(exported(QStringLiteral("hkcu\\SOFTWARE\\quillmere\\quorvex")),
              QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Quillmere\\Quorvex]\r\n\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Quillmere\\Quorvex\\LastDatabase]\r\n"
                             "\r\n"));
}

TEST_F(ExportFormat, MissingKeyIsAnErrorAndWritesNoFile)
{
    create(QStringLiteral("Software"));
    const QString target = filePath(QStringLiteral("out.reg"));
    const QString problem =
        regedit::exportKey(target, QStringLiteral("HKEY_CURRENT_USER\\Software\\Missing"));
    EXPECT_TRUE(problem.contains(QStringLiteral("HKEY_CURRENT_USER\\Software\\Missing")))
        << problem.toStdString();
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_FALSE(regedit::exportKey(target, QStringLiteral("NOROOT\\Software")).isEmpty());
    EXPECT_FALSE(QFile::exists(target));
}
