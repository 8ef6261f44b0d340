// Long hex data is wrapped as the Windows editor wraps it. The expected lines are taken from
// files that the Windows editor exported.

#include "RegeditFixture.h"

namespace {

QString line(const char* name, reg::ValueType type, const QByteArray& data)
{
    return regedit::formatValue({QString::fromUtf8(name), type, data, false});
}

QByteArray utf8z(const char* text)
{
    return QByteArray(text).append('\0');
}

} // namespace

TEST(HexWrap, MatchesExportsOfTheWindowsEditor)
{
    EXPECT_EQ(line("DevicePath", reg::REG_EXPAND_SZ, utf8z("%SystemRoot%\\inf")),
              QStringLiteral("\"DevicePath\"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,"
                             "52,00,6f,00,6f,\\\r\n"
                             "  00,74,00,25,00,5c,00,69,00,6e,00,66,00,00,00"));
    EXPECT_EQ(line("MediaPathUnexpanded", reg::REG_EXPAND_SZ, utf8z("%SystemRoot%\\Media")),
              QStringLiteral("\"MediaPathUnexpanded\"=hex(2):25,00,53,00,79,00,73,00,74,00,65,"
                             "00,6d,00,52,00,\\\r\n"
                             "  6f,00,6f,00,74,00,25,00,5c,00,4d,00,65,00,64,00,69,00,61,00,00,"
                             "00"));
    EXPECT_EQ(line("ProgramFilesPath", reg::REG_EXPAND_SZ, utf8z("%ProgramFiles%")),
              QStringLiteral("\"ProgramFilesPath\"=hex(2):25,00,50,00,72,00,6f,00,67,00,72,00,"
                             "61,00,6d,00,46,\\\r\n"
                             "  00,69,00,6c,00,65,00,73,00,25,00,00,00"));
    EXPECT_EQ(line("", reg::REG_EXPAND_SZ, utf8z("%SystemRoot%\\system32\\explorerframe.dll")),
              QStringLiteral("@=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,"
                             "6f,00,74,00,25,\\\r\n"
                             "  00,5c,00,73,00,79,00,73,00,74,00,65,00,6d,00,33,00,32,00,5c,00,"
                             "65,00,78,00,\\\r\n"
                             "  70,00,6c,00,6f,00,72,00,65,00,72,00,66,00,72,00,61,00,6d,00,65,"
                             "00,2e,00,64,\\\r\n"
                             "  00,6c,00,6c,00,00,00"));
    EXPECT_EQ(line("FriendlyTypeName", reg::REG_EXPAND_SZ,
                   utf8z("@%SystemRoot%\\system32\\notepad.exe,-469")),
              QStringLiteral("\"FriendlyTypeName\"=hex(2):40,00,25,00,53,00,79,00,73,00,74,00,"
                             "65,00,6d,00,52,\\\r\n"
                             "  00,6f,00,6f,00,74,00,25,00,5c,00,73,00,79,00,73,00,74,00,65,00,"
                             "6d,00,33,00,\\\r\n"
                             "  32,00,5c,00,6e,00,6f,00,74,00,65,00,70,00,61,00,64,00,2e,00,65,"
                             "00,78,00,65,\\\r\n"
                             "  00,2c,00,2d,00,34,00,36,00,39,00,00,00"));
}

TEST(HexWrap, LinesStayWithin80ColumnsAndDataSurvives)
{
    // Every name length around the wrap column and every data length over a few lines.
    for (int nameLength = 0; nameLength <= 90; nameLength += 1) {
        for (int size = 0; size <= 80; size += 7) {
            QByteArray data;
            for (int i = 0; i < size; ++i)
                data.append(char(i * 37));
            const QString text =
                line(QByteArray(nameLength, 'n').constData(), reg::REG_BINARY, data);
            const QStringList lines = text.split(QStringLiteral("\r\n"));
            QString joined;
            for (int i = 0; i < lines.size(); ++i) {
                const QString& current = lines[i];
                const bool last = i + 1 == lines.size();
                if (i > 0) {
                    ASSERT_TRUE(current.startsWith(QStringLiteral("  "))) << current.toStdString();
                    ASSERT_LE(current.size(), 80) << current.toStdString();
                }
                if (i == 0 && nameLength < 60) {
                    ASSERT_LE(current.size(), 80) << current.toStdString();
                }
                ASSERT_EQ(current.endsWith(QLatin1Char('\\')), !last) << current.toStdString();
                joined += (i > 0 ? current.mid(2) : current).chopped(last ? 0 : 1);
            }
            const QString prefix =
                (nameLength ? QLatin1Char('"') + QString(nameLength, 'n') + QLatin1Char('"')
                            : QStringLiteral("@")) +
                QStringLiteral("=hex:");
            ASSERT_TRUE(joined.startsWith(prefix));
            QByteArray back;
            const QString bytes = joined.mid(prefix.size());
            if (!bytes.isEmpty()) {
                for (const QString& byte : bytes.split(QLatin1Char(',')))
                    back.append(char(byte.toUInt(nullptr, 16)));
            }
            ASSERT_EQ(back, data) << nameLength << " " << size;
        }
    }
}
