#include "RegistryExport.h"

#include "NativePath.h"
#include "platform/shell/Shell.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QThread>
#include <sys/stat.h>

namespace analyser {

namespace {

constexpr std::chrono::milliseconds kPollInterval{20};

bool isProgram(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

enum class TextEncoding
{
    Utf8,
    Utf16Le,
    Utf16Be,
    SingleByte
};

// What the bytes are, and how many bytes of byte order mark lead them.
std::pair<TextEncoding, qsizetype> detectEncoding(const QByteArray& bytes)
{
    const auto at = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF)
        return {TextEncoding::Utf8, 3};
    if (bytes.size() >= 2 && at(0) == 0xFF && at(1) == 0xFE)
        return {TextEncoding::Utf16Le, 2};
    if (bytes.size() >= 2 && at(0) == 0xFE && at(1) == 0xFF)
        return {TextEncoding::Utf16Be, 2};
    // Without a mark, UTF-16 shows as zero bytes beside the ASCII letters every export starts
    // with ("Windows Registry Editor", "REGEDIT4").
    if (bytes.size() >= 2 && at(0) != 0 && at(1) == 0)
        return {TextEncoding::Utf16Le, 0};
    if (bytes.size() >= 2 && at(0) == 0 && at(1) != 0)
        return {TextEncoding::Utf16Be, 0};
    if (isValidUtf8(bytes))
        return {TextEncoding::Utf8, 0};
    return {TextEncoding::SingleByte, 0};
}

QString decode(const QByteArray& bytes)
{
    const auto [encoding, markSize] = detectEncoding(bytes);
    const QByteArrayView body = QByteArrayView(bytes).sliced(markSize);
    switch (encoding) {
    case TextEncoding::Utf16Le:
        return QStringDecoder(QStringConverter::Utf16LE).decode(body);
    case TextEncoding::Utf16Be:
        return QStringDecoder(QStringConverter::Utf16BE).decode(body);
    case TextEncoding::SingleByte:
        // REGEDIT4 files are in the Windows code page; Latin-1 keeps every byte a character.
        return QString::fromLatin1(body);
    case TextEncoding::Utf8:
        break;
    }
    return QString::fromUtf8(body);
}

} // namespace

QString findRegistryEditor(const QString& toolsFolder, const QString& ownFolder)
{
    for (const QString& folder : {toolsFolder, ownFolder}) {
        if (folder.isEmpty())
            continue;
        const QString candidate = QDir(folder).filePath(kRegistryEditorName);
        if (isProgram(candidate))
            return candidate;
    }
    const QString onPath = QStandardPaths::findExecutable(kRegistryEditorName);
    return onPath.isEmpty() ? kRegistryEditorName : onPath;
}

FileStamp FileStamp::of(const QString& path)
{
    FileStamp stamp;
    struct stat facts = {};
    if (stat(nativePath(path).constData(), &facts) != 0)
        return stamp;
    stamp.exists = true;
    stamp.device = facts.st_dev;
    stamp.inode = facts.st_ino;
    stamp.size = facts.st_size;
    stamp.modifiedNs =
        static_cast<qint64>(facts.st_mtim.tv_sec) * 1000000000 + facts.st_mtim.tv_nsec;
    return stamp;
}

bool startRegistryExport(const QString& editor, const QString& exportFile)
{
    return shell::startProcess(editor, {QStringLiteral("/E"), exportFile, kQuorvexKey});
}

bool waitForNewExport(const QString& exportFile, const FileStamp& before,
                      std::chrono::milliseconds limit)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const FileStamp now = FileStamp::of(exportFile);
        if (now.exists && !(now == before))
            return true;
        if (clock.elapsed() >= limit.count())
            return false;
        shell::doEvents();
        QThread::msleep(static_cast<unsigned long>(kPollInterval.count()));
    }
}

QStringList exportLines(const QByteArray& contents)
{
    QString text = decode(contents);
    text.remove(QChar(0)); // stray terminators never belong in a report line
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

QString withPasswordsHidden(const QString& line)
{
    static const QRegularExpression password(
        QStringLiteral(R"re(^\s*"((?:User|Owner)Password)"\s*=)re"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = password.match(line);
    if (!match.hasMatch())
        return line;
    return QLatin1Char('"') + match.captured(1) + QStringLiteral("\"=\"(hidden)\"");
}

} // namespace analyser
