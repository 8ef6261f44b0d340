#pragma once

// A web archive (MHTML, RFC 2557): one MIME multipart/related message whose first part is the
// page and whose other parts are the files it refers to, each named by its Content-Location.

#include <QByteArray>
#include <QString>
#include <vector>

namespace report {

class MimeArchive
{
public:
    // Adds a part. The root part (the page a reader opens) comes first whatever the order.
    void add(const QString& location, const QString& contentType, const QByteArray& content,
             bool root = false);
    int partCount() const noexcept { return static_cast<int>(m_parts.size()); }

    // The message, base64 in lines of 76 characters, CRLF line ends.
    QByteArray message(const QString& subject) const;

private:
    struct Part
    {
        QString location;
        QString contentType;
        QByteArray content;
    };
    std::vector<Part> m_parts;
};

} // namespace report
