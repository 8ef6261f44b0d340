#pragma once

// objTextExport: the pages as plain UTF-8 text. Each page's text lines are written in reading
// order; the lines of one row are joined by the field delimiter, or, when it is empty, set in
// columns by their place on the page (one column per kTwipsPerColumn). Vertical space of at
// least a line between rows becomes empty lines, unless SuppressEmptyLines; the page delimiter,
// when set, is written on a line of its own between pages.

#include "platform/reportengine/export/ExportFilter.h"

#include <QObject>
#include <QStringList>

namespace report {

class objTextExport : public QObject, public ExportFilter
{
    Q_OBJECT
    Q_PROPERTY(bool SuppressEmptyLines READ suppressEmptyLines WRITE setSuppressEmptyLines)
    Q_PROPERTY(QString PageDelimiter READ pageDelimiter WRITE setPageDelimiter)
    Q_PROPERTY(QString TextDelimiter READ textDelimiter WRITE setTextDelimiter)

public:
    // A tenth of an inch: about one character of a 10-point face.
    static constexpr int kTwipsPerColumn = 144;

    explicit objTextExport(QObject* parent = nullptr);

    bool suppressEmptyLines() const noexcept { return m_suppressEmptyLines; }
    void setSuppressEmptyLines(bool on) noexcept { m_suppressEmptyLines = on; }
    QString pageDelimiter() const { return m_pageDelimiter; }
    void setPageDelimiter(const QString& text) { m_pageDelimiter = text; }
    QString textDelimiter() const { return m_textDelimiter; }
    void setTextDelimiter(const QString& text) { m_textDelimiter = text; }

    void exportDocument(const PageDocument& document, const Progress& progress) override;

    // The lines one page gives with the current options.
    QStringList pageLines(const Page& page) const;

private:
    bool m_suppressEmptyLines = false;
    QString m_pageDelimiter;
    QString m_textDelimiter;
};

} // namespace report
