#pragma once

// objRTFExport: the pages as a Rich Text Format document, one section per page with the page's
// paper size and no margins. Everything keeps its place on the page as a page-anchored drawing
// object that nothing wraps around: each text item a text box with its font, colour, alignment,
// shading and the line breaks the paginator measured; shapes and lines behind the text;
// pictures as PNG picture frames. Each text box carries its text once more as the shape's plain
// result, so readers without drawing objects (unrtf, simple viewers) still read every text, in
// reading order.

#include "platform/reportengine/export/ExportFilter.h"

#include <QObject>

namespace report {

class objRTFExport : public QObject, public ExportFilter
{
    Q_OBJECT

public:
    explicit objRTFExport(QObject* parent = nullptr);

    void exportDocument(const PageDocument& document, const Progress& progress) override;
};

} // namespace report
