// CFileInfo: names, sizes (true sizes past 2 GiB), times, attributes on Linux, and the display
// forms of sizes and dates.

#include "BirthTime.h"
#include "CFileInfo.h"
#include "platform/shell/tests/QtTestApplication.h"
#include "QStringPrinter.h"
#include "vb/Format.h"
#include "vb/OleDate.h"
#include "vb/Variant.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

// The report's sizes read "4.88KB (5,000 bytes)" in US English.
[[maybe_unused]] static ::testing::Environment* const analyserEnvironment =
    ::testing::AddGlobalTestEnvironment(
        new shell::testing::QtTestApplication(QLocale(QLocale::English, QLocale::UnitedStates)));

namespace {

class FileInfoTest : public ::testing::Test
{
protected:
    QString makeFile(const QString& name, qint64 size = 0)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        if (size > 0) {
            EXPECT_TRUE(file.resize(size)); // sparse: no data is written
        }
        return path;
    }

    // Qt cannot name a file whose name is not UTF-8, so such files are removed here.
    void TearDown() override
    {
        for (const QByteArray& name : m_nativeFiles)
            unlink(name.constData());
    }

    QList<QByteArray> m_nativeFiles;

    QTemporaryDir m_dir;
};

TEST(FormatFileSizeTest, ScalesByTheThousandsOfKilobytes)
{
    const std::pair<qint64, const char*> cases[] = {
        {0, "0 bytes"},
        {1023, "1,023 bytes"},
        {1024, "1.00KB (1,024 bytes)"},
        {5000, "4.88KB (5,000 bytes)"},
        {10240, "10.0KB (10,240 bytes)"},
        {102400, "100KB (102,400 bytes)"},
        {1023999, "1000KB (1,023,999 bytes)"},
        {1024000, "0.98MB (1,024,000 bytes)"},
        {10240000, "9.8MB (10,240,000 bytes)"},
        {102400000, "98MB (102,400,000 bytes)"},
        {1024000000, "0.95GB (1,024,000,000 bytes)"},
        {3221225472, "3.00GB (3,221,225,472 bytes)"},
    };
    for (const auto& [size, text] : cases)
        EXPECT_EQ(CFileInfo::FormatFileSize(size).toStdString(), text) << size;
}

TEST(FormatFileSizeTest, FollowsTheLocaleSeparators)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = CFileInfo::FormatFileSize(5000);
    QLocale::setDefault(before);
    EXPECT_EQ(text.toStdString(), "4,88KB (5.000 bytes)");
}

// The display forms are VB's Format patterns; they are laid out directly for speed and must
// read exactly as VB's Format gives them, in any locale.
TEST(FormatFileSizeTest, ReadsAsVbFormatDoes)
{
    const QLocale before;
    const auto vbFormat = [](double value, const char* pattern) {
        return vb::Format(vb::Variant(value), vb::Variant(pattern)).toString();
    };
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::German, QLocale::Germany),
                                  QLocale(QLocale::French, QLocale::France), QLocale::c()}) {
        QLocale::setDefault(locale);
        for (qint64 size = 0; size < 4000000000LL; size = size * 3 / 2 + 1 + (size % 1024)) {
            const QString text = CFileInfo::FormatFileSize(size);
            const QString bytes =
                vbFormat(static_cast<double>(size), "#,##0") + QStringLiteral(" bytes");
            EXPECT_TRUE(
                text.endsWith(size < 1024 ? bytes : QStringLiteral("(") + bytes + QLatin1Char(')')))
                << locale.name().toStdString() << " " << text.toStdString();
        }
        // Exact halves of the last decimal round away from zero, as in VB.
        EXPECT_TRUE(CFileInfo::FormatFileSize(1152).startsWith(vbFormat(1.125, "0.00")))
            << CFileInfo::FormatFileSize(1152).toStdString();
        EXPECT_TRUE(CFileInfo::FormatFileSize(500 * 1024 + 512)
                        .startsWith(vbFormat(500.5, "0") + QStringLiteral("KB")));
    }
    QLocale::setDefault(before);
}

TEST(FormatFileDateTest, ReadsAsVbFormatDoes)
{
    const QLocale before;
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::German, QLocale::Germany),
                                  QLocale(QLocale::English, QLocale::UnitedKingdom)}) {
        QLocale::setDefault(locale);
        for (const QDateTime& time : {QDateTime(QDate(2026, 12, 8), QTime(0, 0, 0)),
                                      QDateTime(QDate(2026, 12, 8), QTime(23, 59, 59)),
                                      QDateTime(QDate(2003, 9, 25), QTime(14, 5, 9)),
                                      QDateTime(QDate(1999, 1, 1), QTime(12, 0, 1))}) {
            const vb::Variant date = vb::Variant::fromDate(vb::OleDate::fromDateTime(time));
            EXPECT_EQ(CFileInfo::FormatFileDate(time),
                      vb::Format(date, vb::Variant("Long Date")).toString() + QLatin1Char(' ') +
                          vb::Format(date, vb::Variant("Long Time")).toString())
                << locale.name().toStdString();
        }
    }
    QLocale::setDefault(before);
    EXPECT_EQ(CFileInfo::FormatFileDate(QDateTime()), QString());
}

TEST_F(FileInfoTest, NamesOfAFile)
{
    QDir(m_dir.path()).mkdir(QStringLiteral("sub"));
    const QString path = makeFile(QStringLiteral("Cellar Notes.tar.gz"));
    CFileInfo info;
    // Relative parts are resolved by their text.
    info.setFullPathName(m_dir.path() + QStringLiteral("/sub/../Cellar Notes.tar.gz"));
    ASSERT_TRUE(info.FileExists());
    EXPECT_EQ(info.FullPathName(), path);
    EXPECT_EQ(info.filename(), QStringLiteral("Cellar Notes.tar.gz"));
    EXPECT_EQ(info.FilePath(), m_dir.path() + QLatin1Char('/'));
    EXPECT_EQ(info.FileExtension(), QStringLiteral("gz"));
    EXPECT_EQ(info.ShortName(), QStringLiteral("CELLAR NOTES.TAR.GZ"));
    EXPECT_EQ(info.ShortPathName(), path);
    EXPECT_EQ(info.ShortPath(), info.FilePath());
    EXPECT_EQ(info.DisplayName(), QStringLiteral("Cellar Notes.tar.gz"));
}

TEST_F(FileInfoTest, TypeNameFallsBackToTheExtension)
{
    CFileInfo info;
    info.setFullPathName(makeFile(QStringLiteral("cellar.qvzz"), 10));
    EXPECT_EQ(info.TypeName(), QStringLiteral("QVZZ File"));
    info.setFullPathName(makeFile(QStringLiteral("README")));
    EXPECT_EQ(info.FileExtension(), QString());
    // An empty file is "empty document" to the MIME database when it is installed.
    EXPECT_FALSE(info.TypeName().isEmpty());
}

TEST_F(FileInfoTest, SizesPastTwoGigabytesStayPositive)
{
    const qint64 size = 5LL * 1024 * 1024 * 1024 + 7; // 5 GiB: the high half is 1
    CFileInfo info;
    info.setFullPathName(makeFile(QStringLiteral("huge.bin"), size));
    ASSERT_TRUE(info.FileExists());
    EXPECT_EQ(info.FileSize(), size);
    EXPECT_EQ(info.FileSizeHigh(), 1);
    EXPECT_LT(info.CompressedFileSize(), size); // sparse: hardly anything on disk
    EXPECT_EQ(CFileInfo::FormatFileSize(info.FileSize()).toStdString(),
              "5.00GB (5,368,709,127 bytes)");
}

TEST_F(FileInfoTest, AMissingFileOnlyClearsFileExists)
{
    const QString path = makeFile(QStringLiteral("gone.txt"), 100);
    CFileInfo info;
    info.setFullPathName(path);
    ASSERT_TRUE(info.FileExists());
    const QDateTime modified = info.ModifyTime();
    ASSERT_TRUE(QFile::remove(path));
    info.Refresh();
    EXPECT_FALSE(info.FileExists());
    EXPECT_TRUE(info.PathExists());
    EXPECT_EQ(info.FileSize(), 100);
    EXPECT_EQ(info.ModifyTime(), modified);
    EXPECT_EQ(info.filename(), QStringLiteral("gone.txt"));
}

TEST_F(FileInfoTest, ReadOnlyIsTheAbsenceOfWritePermission)
{
    const QString path = makeFile(QStringLiteral("cellar.qvd"));
    ASSERT_EQ(chmod(QFile::encodeName(path).constData(), 0444), 0);
    CFileInfo info;
    info.setFullPathName(path);
    EXPECT_TRUE(info.attrReadOnly());
    EXPECT_TRUE(info.attrArchive());
    EXPECT_FALSE(info.attrHidden());
    EXPECT_FALSE(info.attrSystem());

    info.setAttrReadOnly(false);
    struct stat facts = {};
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &facts), 0);
    EXPECT_EQ(facts.st_mode & 0777, 0644u);
    EXPECT_FALSE(info.attrReadOnly());

    info.setAttrReadOnly(true);
    ASSERT_EQ(stat(QFile::encodeName(path).constData(), &facts), 0);
    EXPECT_EQ(facts.st_mode & 0222, 0u);
    EXPECT_TRUE(info.attrReadOnly());

    // The archive bit is a fact of a regular file here; clearing it changes nothing.
    info.setAttrArchive(false);
    EXPECT_TRUE(info.attrArchive());
}

TEST_F(FileInfoTest, HiddenSystemAndFolderBits)
{
    CFileInfo info;
    info.setFullPathName(makeFile(QStringLiteral(".hidden")));
    EXPECT_TRUE(info.attrHidden());
    EXPECT_EQ(info.FileExtension(), QStringLiteral("hidden"));

    const QByteArray fifo = QFile::encodeName(m_dir.filePath(QStringLiteral("pipe")));
    ASSERT_EQ(mkfifo(fifo.constData(), 0644), 0);
    info.setNativePath(fifo);
    EXPECT_TRUE(info.attrSystem());
    EXPECT_FALSE(info.attrArchive());

    info.setFullPathName(m_dir.path());
    EXPECT_EQ(info.Attributes() & CFileInfo::kDirectory, CFileInfo::kDirectory);
}

TEST_F(FileInfoTest, SettingATimeWritesOnlyThatTime)
{
    const QString path = makeFile(QStringLiteral("dated.txt"), 10);
    CFileInfo info;
    info.setFullPathName(path);
    const QDateTime accessed = info.LastAccessTime();
    const QDateTime when(QDate(2003, 9, 25), QTime(14, 5, 9));
    info.setModifyTime(when);
    EXPECT_EQ(info.ModifyTime(), when);
    EXPECT_EQ(info.LastAccessTime(), accessed);
    EXPECT_EQ(QFileInfo(path).lastModified(), when);
}

TEST_F(FileInfoTest, NamesThatAreNotUtf8)
{
    const QByteArray path = QFile::encodeName(m_dir.path()) + "/caf\xE9.txt";
    const int fd = open(path.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    m_nativeFiles << path;
    ASSERT_EQ(write(fd, "12345", 5), 5);
    close(fd);
    CFileInfo info;
    info.setNativePath(path);
    ASSERT_TRUE(info.FileExists());
    EXPECT_EQ(info.FileSize(), 5);
    EXPECT_EQ(info.filename(), QStringLiteral("caf\\xE9.txt"));
    EXPECT_EQ(info.nativePath(), path);
}

} // namespace

// Where the file system keeps no birth time, or answers a zero one, the creation time is the
// status change time, not 1 January 1970.
TEST(BirthTimeTest, FallsBackToTheChangeTimeWithoutABirthTime)
{
    struct statx facts = {};
    facts.stx_ctime = {1700000000, 500000000, 0};
    facts.stx_btime = {1600000000, 0, 0};
    facts.stx_mask = STATX_BASIC_STATS | STATX_BTIME;
    EXPECT_EQ(analyser::creationMilliseconds(facts), 1600000000000);
    facts.stx_btime = {0, 0, 0};
    EXPECT_EQ(analyser::creationMilliseconds(facts), 1700000000500);
    facts.stx_mask = STATX_BASIC_STATS;
    facts.stx_btime = {1600000000, 0, 0};
    EXPECT_EQ(analyser::creationMilliseconds(facts), 1700000000500);
}
