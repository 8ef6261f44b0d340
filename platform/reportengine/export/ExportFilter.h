#pragma once

// An export filter: writes the generated pages of a report to a file. Filters read the page
// collection only (they never run the report again) and call progress(page) with the 1-based
// number of each page they have written. A filter raises vb::Error when the file cannot be
// written; it then removes what it had written, so no half file is left behind.

#include "platform/reportengine/page/PageDocument.h"

#include <functional>
#include <QString>

namespace report {

class ExportFilter
{
public:
    using Progress = std::function<void(int pageNumber)>;

    virtual ~ExportFilter() = default;

    QString fileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }

    // Writes every page of `document` to fileName().
    virtual void exportDocument(const PageDocument& document, const Progress& progress) = 0;

private:
    QString m_fileName;
};

} // namespace report
