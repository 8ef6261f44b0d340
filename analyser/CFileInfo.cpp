#include "CFileInfo.h"

#include "BirthTime.h"
#include "NativePath.h"
#include "vb/DefaultText.h"

#include <cerrno>
#include <cmath>
#include <ctime>
#include <fcntl.h>
#include <QGuiApplication>
#include <QMimeDatabase>
#include <sys/stat.h>

namespace {

constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

std::uint32_t attributesOf(const struct statx& facts, bool isLink, const QByteArray& name)
{
    std::uint32_t bits = 0;
    const mode_t mode = facts.stx_mode;
    if ((mode & kAnyWrite) == 0)
        bits |= CFileInfo::kReadOnly;
    if (name.startsWith('.'))
        bits |= CFileInfo::kHidden;
    if (S_ISDIR(mode))
        bits |= CFileInfo::kDirectory;
    else if (S_ISREG(mode))
        bits |= CFileInfo::kArchive;
    else if (!S_ISLNK(mode))
        bits |= CFileInfo::kSystem;
    if (isLink)
        bits |= CFileInfo::kReparsePoint;
    if ((facts.stx_attributes_mask & STATX_ATTR_COMPRESSED) != 0 &&
        (facts.stx_attributes & STATX_ATTR_COMPRESSED) != 0)
        bits |= CFileInfo::kCompressed;
    return bits == 0 ? CFileInfo::kNormal : bits;
}

// A whole number with its digits in groups of three, as the pattern "#,##0" shows it.
QString groupedNumber(qint64 value, const QLocale& locale)
{
    const QString digits = QString::number(value).remove(QLatin1Char('-'));
    const QString separator = locale.groupSeparator();
    qsizetype lead = digits.size() % 3;
    if (lead == 0)
        lead = 3;
    QString text = value < 0 ? locale.negativeSign() : QString();
    text += QStringView(digits).first(lead);
    for (qsizetype pos = lead; pos < digits.size(); pos += 3) {
        text += separator;
        text += QStringView(digits).sliced(pos, 3);
    }
    return text;
}

// The number rounded half away from zero to `decimals` places, as the patterns "0", "0.0" and
// "0.00" show it.
QString fixedNumber(double value, int decimals, const QLocale& locale)
{
    const double scale = std::pow(10.0, decimals);
    QString text = QString::number(std::round(value * scale) / scale, 'f', decimals);
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

// The files of an installation share few days and often their times: the texts of the last
// day and of the last two times of day are kept.
struct DateTextMemo
{
    bool filled = false;
    QLocale locale;
    QDate day;
    QString dayText;
    QString timePattern;
    int seconds[2] = {-1, -1};
    QString timeText[2];
    int next = 0;

    const QString& timeOfDay(const QTime& time)
    {
        const int second = time.msecsSinceStartOfDay() / 1000;
        for (int i = 0; i < 2; ++i) {
            if (seconds[i] == second)
                return timeText[i];
        }
        const int slot = next;
        next = 1 - next;
        seconds[slot] = second;
        timeText[slot] =
            locale.toString(QTime::fromMSecsSinceStartOfDay(second * 1000), timePattern);
        return timeText[slot];
    }
};

} // namespace

QDateTime CFileInfo::localTime(qint64 msSinceEpoch)
{
    // The local wall-clock time with its offset from UTC at that moment. Looked up with
    // localtime_r, which reads the time zone once, not on every call as a QDateTime in local
    // time would (a stat of /etc/localtime per conversion dominates a walk over many files).
    const time_t seconds = static_cast<time_t>(msSinceEpoch / 1000);
    tm parts = {};
    if (localtime_r(&seconds, &parts) == nullptr)
        return QDateTime::fromMSecsSinceEpoch(msSinceEpoch);
    return QDateTime::fromMSecsSinceEpoch(msSinceEpoch, Qt::OffsetFromUTC,
                                          static_cast<int>(parts.tm_gmtoff));
}

QString CFileInfo::FullPathName() const
{
    return analyser::pathText(m_path);
}

void CFileInfo::setFullPathName(const QString& path)
{
    setNativePath(analyser::nativePath(path));
}

void CFileInfo::setNativePath(const QByteArray& path)
{
    if (path.isEmpty())
        return;
    const QByteArray absolute = analyser::absolutePath(path);
    if (absolute.isEmpty())
        return;
    m_path = absolute;
    Refresh();
}

QString CFileInfo::filename() const
{
    return analyser::pathText(m_name);
}

QString CFileInfo::FilePath() const
{
    const qsizetype slash = m_path.lastIndexOf('/');
    return analyser::pathText(QByteArrayView(m_path).first(slash + 1));
}

QString CFileInfo::FileExtension() const
{
    const qsizetype dot = m_name.lastIndexOf('.');
    return dot < 0 ? QString() : analyser::pathText(QByteArrayView(m_name).sliced(dot + 1));
}

void CFileInfo::setNativePathAt(int folderFd, const QByteArray& folderPath, const QByteArray& name)
{
    m_path = folderPath + name;
    refreshAt(folderFd, name.constData());
}

void CFileInfo::Refresh()
{
    refreshAt(AT_FDCWD, m_path.constData());
}

void CFileInfo::setOpenFile(int fd, const QByteArray& path)
{
    m_path = path;
    refreshAt(fd, "", AT_EMPTY_PATH);
}

void CFileInfo::refreshAt(int folderFd, const char* path, int flags)
{
    if (m_path.isEmpty()) {
        m_fileExists = false;
        return;
    }
    struct statx facts = {};
    constexpr unsigned kWanted = STATX_BASIC_STATS | STATX_BTIME;
    // The link itself first; a link is then described by what it points to, and a dangling
    // one by itself.
    if (statx(folderFd, path, AT_SYMLINK_NOFOLLOW | flags, kWanted, &facts) != 0) {
        m_fileExists = false;
        return;
    }
    const bool isLink = S_ISLNK(facts.stx_mode);
    if (isLink) {
        struct statx target = {};
        if (statx(folderFd, path, 0, kWanted, &target) == 0)
            facts = target;
    }

    // The path is absolute and normalised, so the name follows its last slash.
    m_name = m_path.sliced(m_path.lastIndexOf('/') + 1);
    m_fileExists = true;
    m_pathExists = true;
    m_size = static_cast<qint64>(facts.stx_size);
    m_allocated = static_cast<qint64>(facts.stx_blocks) * 512;
    m_createdMs = analyser::creationMilliseconds(facts);
    m_accessedMs = analyser::milliseconds(facts.stx_atime);
    m_modifiedMs = analyser::milliseconds(facts.stx_mtime);
    m_attributes = attributesOf(facts, isLink, m_name);
    forgetShellInfo();
}

void CFileInfo::forgetShellInfo()
{
    m_shellAsked = false;
    m_displayName.clear();
    m_typeName.clear();
    m_icon = QIcon();
}

void CFileInfo::askShell() const
{
    if (m_shellAsked)
        return;
    m_shellAsked = true;
    if (!m_fileExists)
        return;
    m_displayName = filename();
    const QMimeDatabase database;
    // A name that is not valid UTF-8 cannot be opened through Qt; its type comes from its name.
    const QMimeType type =
        analyser::isValidUtf8(m_path)
            ? database.mimeTypeForFile(FullPathName())
            : database.mimeTypeForFile(m_displayName, QMimeDatabase::MatchExtension);
    if (!type.isDefault())
        m_typeName = type.comment().trimmed();
    if (m_typeName.isEmpty())
        m_typeName = (FileExtension().toUpper() + QLatin1String(" File")).trimmed();
    // Icons need the GUI; a program without one (the silent run) has none to offer.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
        m_icon = QIcon::fromTheme(type.iconName(), QIcon::fromTheme(type.genericIconName()));
}

QString CFileInfo::DisplayName() const
{
    askShell();
    return m_displayName;
}

QString CFileInfo::TypeName() const
{
    askShell();
    return m_typeName;
}

QIcon CFileInfo::hIcon() const
{
    askShell();
    return m_icon;
}

void CFileInfo::setCreationTime(const QDateTime&)
{
    // Linux offers no way to set a file's birth time.
}

void CFileInfo::setLastAccessTime(const QDateTime& time)
{
    setTime(time, false);
}

void CFileInfo::setModifyTime(const QDateTime& time)
{
    setTime(time, true);
}

void CFileInfo::setTime(const QDateTime& time, bool modifyTime)
{
    if (!m_fileExists || !time.isValid())
        return;
    const qint64 ms = time.toMSecsSinceEpoch();
    timespec stamp = {};
    stamp.tv_sec = static_cast<time_t>(ms / 1000);
    stamp.tv_nsec = static_cast<long>((ms % 1000) * 1000000);
    if (stamp.tv_nsec < 0) {
        stamp.tv_sec -= 1;
        stamp.tv_nsec += 1000000000;
    }
    timespec omit = {};
    omit.tv_nsec = UTIME_OMIT;
    const timespec times[2] = {modifyTime ? omit : stamp, modifyTime ? stamp : omit};
    if (utimensat(AT_FDCWD, m_path.constData(), times, 0) == 0)
        Refresh();
}

void CFileInfo::setAttributes(std::uint32_t attributes)
{
    if (!m_fileExists || attributes == m_attributes)
        return;
    const bool readOnly = (attributes & kReadOnly) != 0;
    if (readOnly == attrReadOnly())
        return;
    struct stat facts = {};
    if (stat(m_path.constData(), &facts) != 0)
        return;
    // Clearing read-only gives the owner write permission back, as Windows gives it to the
    // file's users; setting it takes every write permission away.
    const mode_t mode = readOnly ? (facts.st_mode & ~kAnyWrite) : (facts.st_mode | S_IWUSR);
    if (chmod(m_path.constData(), mode & 07777) == 0)
        Refresh();
}

void CFileInfo::setAttributeBit(std::uint32_t bit, bool on)
{
    setAttributes(on ? (m_attributes | bit) : (m_attributes & ~bit));
}

QString CFileInfo::FormatFileSize(qint64 size)
{
    const QLocale locale;
    const QString bytes = groupedNumber(size, locale) + QLatin1String(" bytes");
    if (size < 1024)
        return bytes;
    const qint64 k = size / 1024;
    const double kb = static_cast<double>(size) / 1024.0;
    const double mb = static_cast<double>(size) / 1048576.0;
    QString scaled;
    if (k < 10)
        scaled = fixedNumber(kb, 2, locale) + QLatin1String("KB");
    else if (k < 100)
        scaled = fixedNumber(kb, 1, locale) + QLatin1String("KB");
    else if (k < 1000)
        scaled = fixedNumber(kb, 0, locale) + QLatin1String("KB");
    else if (k < 10000)
        scaled = fixedNumber(mb, 2, locale) + QLatin1String("MB");
    else if (k < 100000)
        scaled = fixedNumber(mb, 1, locale) + QLatin1String("MB");
    else if (k < 1000000)
        scaled = fixedNumber(mb, 0, locale) + QLatin1String("MB");
    else
        scaled = fixedNumber(mb / 1024.0, 2, locale) + QLatin1String("GB");
    return scaled + QLatin1String(" (") + bytes + QLatin1Char(')');
}

QString CFileInfo::FormatFileDate(const QDateTime& time)
{
    if (!time.isValid())
        return QString();
    // The date and time as the value holds them, like a VB Date, which has no time zone.
    const QDateTime& local = time;
    const QLocale locale;
    thread_local DateTextMemo memo;
    if (!memo.filled || !(memo.locale == locale)) {
        memo = DateTextMemo();
        memo.filled = true;
        memo.locale = locale;
        memo.timePattern = vb::DefaultText::longTimePattern(locale);
    }
    if (local.date() != memo.day) {
        memo.day = local.date();
        memo.dayText = locale.toString(memo.day, vb::DefaultText::longDatePattern(locale));
    }
    return memo.dayText + QLatin1Char(' ') + memo.timeOfDay(local.time());
}
