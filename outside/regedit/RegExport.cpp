#include "RegExport.h"

#include "KeyTree.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace regedit {
namespace {

const QString kHeader = QStringLiteral("Windows Registry Editor Version 5.00");
const QString kLineEnd = QStringLiteral("\r\n");

// The Windows editor breaks a hex line after the byte that takes it past column 76 and goes on
// two spaces in, so that no line is longer than 80 characters.
constexpr int kWrapColumn = 76;
const QString kContinuation = QStringLiteral("\\\r\n  ");

QString escaped(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"'))
            result += QLatin1Char('\\');
        result += c;
    }
    return result;
}

// Value names may hold line breaks, which would end the line: they are written as \r and \n,
// which the import reads back (a backslash in a name is always written doubled, so these
// cannot be mistaken for one).
QString nameField(const QString& name)
{
    if (name.isEmpty())
        return u"@"_s;
    QString text = escaped(name);
    text.replace(QLatin1Char('\r'), u"\\r"_s);
    text.replace(QLatin1Char('\n'), u"\\n"_s);
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// A key line has no escapes at all, so a key name with a line break cannot be written: it
// would end the line and could make the rest of the name read as a line of its own.
bool hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

QString shownName(QString text)
{
    text.replace(QLatin1Char('\r'), u"\\r"_s);
    text.replace(QLatin1Char('\n'), u"\\n"_s);
    return text;
}

// Strings are kept as UTF-8; the file holds them as UTF-16LE, terminating zero included.
QByteArray utf16Bytes(const QByteArray& utf8)
{
    const QString text = QString::fromUtf8(utf8);
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

// A string the quoted form shows exactly: one terminating zero and no other, valid UTF-8, and no
// line break (which would end the line in the file).
bool quotable(const QByteArray& data)
{
    if (!data.endsWith('\0'))
        return false;
    const QByteArray body = data.chopped(1);
    if (body.contains('\0') || body.contains('\r') || body.contains('\n'))
        return false;
    return QString::fromUtf8(body).toUtf8() == body;
}

QString hexData(const QString& prefix, const QByteArray& bytes)
{
    QString line = prefix;
    qsizetype column = prefix.size();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const bool last = i + 1 == bytes.size();
        const QString piece = QStringLiteral("%1").arg(uchar(bytes[i]), 2, 16, QLatin1Char('0')) +
                              (last ? QString() : QStringLiteral(","));
        line += piece;
        column += piece.size();
        if (!last && column > kWrapColumn) {
            line += kContinuation;
            column = 2;
        }
    }
    return line;
}

QString hexType(reg::ValueType type)
{
    return type == reg::REG_BINARY ? QStringLiteral("hex:")
                                   : QStringLiteral("hex(%1):").arg(type, 0, 16);
}

// Writes `bytes` to `fd` completely; false with errno set when a write fails.
bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        written += n;
    }
    return true;
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

QString formatValue(const RegValue& value)
{
    const QString prefix = nameField(value.name) + QLatin1Char('=');
    switch (value.type) {
    case reg::REG_SZ:
        if (quotable(value.data)) {
            return prefix + QLatin1Char('"') + escaped(QString::fromUtf8(value.data.chopped(1))) +
                   QLatin1Char('"');
        }
        return hexData(prefix + hexType(value.type), utf16Bytes(value.data));
    case reg::REG_EXPAND_SZ:
    case reg::REG_MULTI_SZ:
        return hexData(prefix + hexType(value.type), utf16Bytes(value.data));
    case reg::REG_DWORD:
        if (value.data.size() == 4) {
            quint32 number = 0;
            for (int i = 3; i >= 0; --i)
                number = (number << 8) | uchar(value.data[i]);
            return prefix + QStringLiteral("dword:%1").arg(number, 8, 16, QLatin1Char('0'));
        }
        break;
    default:
        break;
    }
    return hexData(prefix + hexType(value.type), value.data);
}

QString formatRegText(const RegFile& file)
{
    QString text = kHeader + kLineEnd + kLineEnd;
    for (const RegKeyBlock& block : file) {
        text += QLatin1Char('[') + block.path + QLatin1Char(']') + kLineEnd;
        for (const RegValue& value : block.values)
            text += formatValue(value) + kLineEnd;
        text += kLineEnd;
    }
    return text;
}

QByteArray encodeRegFile(const RegFile& file)
{
    const QString text = formatRegText(file);
    QByteArray bytes("\xff\xfe", 2);
    // QString holds UTF-16 in host order; write it little-endian whatever the host.
    bytes.reserve(2 + text.size() * 2);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xff));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

QString readKeyTree(const QString& fullKey, RegFile* file)
{
    reg::Hkey root = 0;
    QString subKey;
    if (!reg::splitRootPath(fullKey, &root, &subKey))
        return u"\"%1\" does not start with a root key such as HKEY_CURRENT_USER"_s.arg(fullKey);
    reg::Hkey key = 0;
    reg::Status status = reg::openKeyEx(root, subKey, reg::KEY_READ, &key);
    if (status == reg::ERROR_FILE_NOT_FOUND)
        return u"The key %1 does not exist; nothing was exported"_s.arg(fullKey);
    if (status != reg::ERROR_SUCCESS)
        return u"Cannot open %1: %2"_s.arg(fullKey, reg::lastErrorText());
    // The file names keys as they were created, whatever case the caller used.
    QString storedPath;
    std::vector<reg::TreeKey> keys;
    status = reg::queryKeyPath(key, &storedPath);
    if (status == reg::ERROR_SUCCESS)
        status = reg::readKeyTree(key, &keys);
    const QString reason = reg::lastErrorText();
    reg::closeKey(key);
    if (status != reg::ERROR_SUCCESS)
        return u"Cannot read %1: %2"_s.arg(fullKey, reason);

    const QString top = storedPath.isEmpty() ? reg::rootName(root)
                                             : reg::rootName(root) + QLatin1Char('\\') + storedPath;
    file->reserve(file->size() + keys.size());
    for (reg::TreeKey& key : keys) {
        RegKeyBlock block;
        block.path = key.path.isEmpty() ? top : top + QLatin1Char('\\') + key.path;
        if (hasLineBreak(block.path))
            return u"The key %1 has a line break in its name, which a registry file cannot "
                   "hold; nothing was exported. Rename or delete that key"_s.arg(
                       shownName(block.path));
        block.values.reserve(key.values.size());
        for (reg::TreeValue& value : key.values)
            block.values.push_back(
                {std::move(value.name), value.type, std::move(value.data), false});
        file->push_back(std::move(block));
    }
    return {};
}

QString exportKey(const QString& fileName, const QString& fullKey)
{
    RegFile file;
    if (const QString problem = readKeyTree(fullKey, &file); !problem.isEmpty())
        return problem;
    const QFileInfo target(fileName);
    // Only a file is replaced: renaming over a device or folder would destroy it.
    struct stat existing
    {
    };
    if (::stat(QFile::encodeName(fileName).constData(), &existing) == 0 &&
        !S_ISREG(existing.st_mode))
        return u"Cannot write %1: it is not a regular file"_s.arg(fileName);
    const QByteArray bytes = encodeRegFile(file);

    // Written beside the target and renamed over it only when complete, so a failure never
    // leaves a partial export in place of the previous one. The store it copies is private to
    // the user, and so is the export.
    QByteArray temporary =
        QFile::encodeName(target.absolutePath() + u"/."_s + target.fileName() + u".XXXXXX"_s);
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return u"Cannot write %1: %2"_s.arg(fileName, systemError());
    const bool written =
        ::fchmod(fd, S_IRUSR | S_IWUSR) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    const QString writeError = written ? QString() : systemError();
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        const QString reason = written ? systemError() : writeError;
        ::unlink(temporary.constData());
        return u"Cannot write %1: %2; the previous file was left as it was"_s.arg(fileName, reason);
    }
    if (::rename(temporary.constData(), QFile::encodeName(fileName).constData()) != 0) {
        const QString reason = systemError();
        ::unlink(temporary.constData());
        return u"Cannot write %1: %2"_s.arg(fileName, reason);
    }
    return {};
}

} // namespace regedit
