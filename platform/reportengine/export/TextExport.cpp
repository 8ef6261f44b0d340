// objTextExport: pages as UTF-8 text lines.

#include "platform/reportengine/export/TextExport.h"

#include "platform/reportengine/export/PartialFile.h"
#include "platform/reportengine/export/TextLines.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <QFile>

using namespace Qt::StringLiterals;

namespace report {

namespace {

// Columns a text takes in a monospaced view: East Asian wide characters take two.
int displayWidth(const QString& text)
{
    int width = 0;
    for (const char32_t c : text.toUcs4()) {
        const bool wide = (c >= 0x1100 && c <= 0x115f) || (c >= 0x2e80 && c <= 0xa4cf) ||
                          (c >= 0xac00 && c <= 0xd7a3) || (c >= 0xf900 && c <= 0xfaff) ||
                          (c >= 0xfe30 && c <= 0xfe4f) || (c >= 0xff00 && c <= 0xff60) ||
                          (c >= 0xffe0 && c <= 0xffe6) || (c >= 0x20000 && c <= 0x3fffd);
        width += wide ? 2 : 1;
    }
    return width;
}

int column(int twips)
{
    return static_cast<int>(std::lround(double(twips) / objTextExport::kTwipsPerColumn));
}

// The column a line starts in, from its alignment inside its box.
int startColumn(const PlacedLine& line)
{
    const int length = displayWidth(line.text);
    switch (line.align) {
    case HAlign::Right:
        return column(line.right) - length;
    case HAlign::Center:
        return column((line.left + line.right) / 2) - length / 2;
    case HAlign::Left:
    case HAlign::Justify:
        break;
    }
    return column(line.left);
}

QString positionedRow(const std::vector<PlacedLine>& row, int firstColumn)
{
    QString text;
    int width = 0;
    for (const PlacedLine& line : row) {
        // Overlapping lines still keep one space between them.
        const int wanted = startColumn(line) - firstColumn;
        const int at = text.isEmpty() ? std::max(0, wanted) : std::max(wanted, width + 1);
        text += QString(at - width, u' ') + line.text;
        width = at + displayWidth(line.text);
    }
    return text;
}

QString delimitedRow(const std::vector<PlacedLine>& row, const QString& delimiter)
{
    QStringList fields;
    for (const PlacedLine& line : row)
        fields << line.text;
    return fields.join(delimiter);
}

int rowBottom(const std::vector<PlacedLine>& row)
{
    int bottom = INT_MIN;
    for (const PlacedLine& line : row)
        bottom = std::max(bottom, line.top + line.height);
    return bottom;
}

int rowHeight(const std::vector<PlacedLine>& row)
{
    int height = 1;
    for (const PlacedLine& line : row)
        height = std::max(height, line.height);
    return height;
}

void writeAll(QFile& file, const PartialFile& partial, const QByteArray& bytes)
{
    if (file.write(bytes) != bytes.size())
        throw partial.writeError(file.errorString(), errno);
}

} // namespace

objTextExport::objTextExport(QObject* parent) : QObject(parent)
{
    setObjectName(u"objTextExport"_s);
}

QStringList objTextExport::pageLines(const Page& page) const
{
    const auto rows = readingRows(placedLines(page));
    int firstColumn = INT_MAX;
    for (const auto& row : rows)
        for (const PlacedLine& line : row)
            firstColumn = std::min(firstColumn, std::max(0, startColumn(line)));

    QStringList lines;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0 && !m_suppressEmptyLines) {
            const int gap = rows[i].front().top - rowBottom(rows[i - 1]);
            for (int blank = gap / rowHeight(rows[i - 1]); blank > 0; --blank)
                lines << QString();
        }
        lines << (m_textDelimiter.isEmpty() ? positionedRow(rows[i], firstColumn)
                                            : delimitedRow(rows[i], m_textDelimiter));
    }
    return lines;
}

void objTextExport::exportDocument(const PageDocument& document, const Progress& progress)
{
    PartialFile partial(fileName(), objectName());
    QFile file(partial.path());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw partial.writeError(file.errorString(), errno);
    for (int index = 0; index < document.count(); ++index) {
        QStringList lines = pageLines(document.page(index));
        if (index > 0 && !m_pageDelimiter.isEmpty())
            lines.prepend(m_pageDelimiter);
        if (!lines.isEmpty())
            writeAll(file, partial, (lines.join(u'\n') + u'\n').toUtf8());
        if (progress)
            progress(index + 1);
    }
    if (!file.flush())
        throw partial.writeError(file.errorString(), errno);
    file.close();
    if (file.error() != QFileDevice::NoError)
        throw partial.writeError(file.errorString(), errno);
    partial.commit();
}

} // namespace report
