// MimeArchive: a multipart/related message of a page and its files.

#include "platform/reportengine/export/MimeArchive.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace report {

namespace {

constexpr qsizetype kLineLength = 76;

QByteArray base64Lines(const QByteArray& content)
{
    const QByteArray encoded = content.toBase64();
    QByteArray out;
    out.reserve(encoded.size() + encoded.size() / kLineLength * 2 + 2);
    for (qsizetype at = 0; at < encoded.size(); at += kLineLength)
        out += encoded.mid(at, kLineLength) + "\r\n";
    return out;
}

// A header text as an RFC 2047 encoded word when it is not plain ASCII.
QByteArray headerText(const QString& text)
{
    bool ascii = true;
    for (const QChar c : text)
        ascii = ascii && c.unicode() >= 0x20 && c.unicode() < 0x7f;
    if (ascii)
        return text.toLatin1();
    return "=?utf-8?B?" + text.toUtf8().toBase64() + "?=";
}

QByteArray rfc2822Date()
{
    return QLocale::c()
        .toString(QDateTime::currentDateTime(), u"ddd, dd MMM yyyy HH:mm:ss t"_s)
        .toLatin1();
}

} // namespace

void MimeArchive::add(const QString& location, const QString& contentType,
                      const QByteArray& content, bool root)
{
    Part part{location, contentType, content};
    if (root)
        m_parts.insert(m_parts.begin(), std::move(part));
    else
        m_parts.push_back(std::move(part));
}

QByteArray MimeArchive::message(const QString& subject) const
{
    // A boundary no base64 line and no header can contain.
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const Part& part : m_parts)
        hash.addData(part.location.toUtf8());
    const QByteArray boundary = "----=_QuorvexPart_" + hash.result().toHex().left(24);

    QByteArray out = "From: <Saved by Quorvex>\r\nSubject: " + headerText(subject) +
                     "\r\nDate: " + rfc2822Date() +
                     "\r\nMIME-Version: 1.0\r\n"
                     "Content-Type: multipart/related;\r\n\ttype=\"text/html\";\r\n\tboundary=\"" +
                     boundary + "\"\r\n\r\nThis is a multi-part message in MIME format.\r\n";
    for (const Part& part : m_parts) {
        out +=
            "\r\n--" + boundary + "\r\nContent-Type: " + part.contentType.toLatin1() +
            "\r\nContent-Transfer-Encoding: base64\r\nContent-Location: " + part.location.toUtf8() +
            "\r\n\r\n" + base64Lines(part.content);
    }
    out += "\r\n--" + boundary + "--\r\n";
    return out;
}

} // namespace report
