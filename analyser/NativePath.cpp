#include "NativePath.h"

#include <algorithm>
#include <filesystem>
#include <QFile>
#include <system_error>

namespace analyser {

namespace {

// Length of the valid UTF-8 sequence starting at `pos`, or 0 when the byte there does not
// start one (stray continuation byte, overlong form, surrogate, beyond U+10FFFF, cut short).
qsizetype sequenceLength(QByteArrayView bytes, qsizetype pos)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (pos + length > bytes.size())
        return 0;
    for (qsizetype i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (overlong || surrogate || code > 0x10FFFF)
        return 0;
    return length;
}

// Characters that would break a report line or pass for another text: control characters (C0,
// DEL, C1), the Unicode line and paragraph separators, and the backslash that starts an escape.
bool breaksALine(QByteArrayView sequence)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(sequence[i]); };
    switch (sequence.size()) {
    case 1:
        return byte(0) < 0x20 || byte(0) == 0x7F || byte(0) == '\\';
    case 2:
        return byte(0) == 0xC2 && byte(1) >= 0x80 && byte(1) <= 0x9F;
    case 3:
        return byte(0) == 0xE2 && byte(1) == 0x80 && (byte(2) == 0xA8 || byte(2) == 0xA9);
    default:
        return false;
    }
}

QString shownText(QByteArrayView native, bool upperCase, bool escapeLineBreakers)
{
    QString text;
    text.reserve(native.size());
    qsizetype runStart = 0;
    const auto flushRun = [&](qsizetype end) {
        if (end > runStart) {
            const QString part = QString::fromUtf8(native.sliced(runStart, end - runStart));
            text += upperCase ? part.toUpper() : part;
        }
    };
    const auto escape = [&](qsizetype from, qsizetype length) {
        for (qsizetype i = from; i < from + length; ++i)
            text +=
                QLatin1String("\\x") + QString::number(static_cast<unsigned char>(native[i]), 16)
                                           .rightJustified(2, QLatin1Char('0'))
                                           .toUpper();
    };
    qsizetype pos = 0;
    while (pos < native.size()) {
        qsizetype length = sequenceLength(native, pos);
        if (length > 0 && !(escapeLineBreakers && breaksALine(native.sliced(pos, length)))) {
            pos += length;
            continue;
        }
        flushRun(pos);
        length = std::max<qsizetype>(length, 1);
        escape(pos, length);
        pos += length;
        runStart = pos;
    }
    flushRun(pos);
    return text;
}

} // namespace

QByteArray nativePath(const QString& path)
{
    return QFile::encodeName(path);
}

QString pathText(QByteArrayView native, bool upperCase)
{
    return shownText(native, upperCase, false);
}

QString reportText(QByteArrayView native, bool upperCase)
{
    return shownText(native, upperCase, true);
}

namespace {

// Absolute already, with no "." or ".." parts and no doubled slashes: nothing to resolve.
bool isNormalAbsolute(const QByteArray& path)
{
    if (!path.startsWith('/'))
        return false;
    return !path.contains("//") && !path.contains("/./") && !path.contains("/../") &&
           !path.endsWith("/.") && !path.endsWith("/..");
}

} // namespace

QByteArray absolutePath(const QByteArray& path)
{
    if (isNormalAbsolute(path))
        return path;
    std::error_code error;
    const std::filesystem::path absolute =
        std::filesystem::absolute(std::filesystem::path(path.toStdString()), error);
    if (error)
        return {};
    const std::string normal = absolute.lexically_normal().native();
    return QByteArray(normal.data(), static_cast<qsizetype>(normal.size()));
}

bool isValidUtf8(QByteArrayView bytes)
{
    for (qsizetype pos = 0; pos < bytes.size();) {
        const qsizetype length = sequenceLength(bytes, pos);
        if (length == 0)
            return false;
        pos += length;
    }
    return true;
}

} // namespace analyser
