#pragma once

// Copying the host's summary window into the cellar summary report: the heading with the query
// name, each figure's caption and text read by name from the window's labels and text boxes,
// the user's name and the cellar file. A window without one of the members raises vb::Error 438
// naming it.

#include <QString>

class QWidget;

namespace report {
class Report;
}

namespace feldrake {

struct SummaryTexts
{
    QString strUserName;
    QString strWineDBFile;
    QString strQueryName;
};

void fillFromParentWindow(report::Report& report, const QWidget& frmParentForm,
                          const SummaryTexts& texts);

} // namespace feldrake
