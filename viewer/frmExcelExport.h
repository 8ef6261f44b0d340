#pragma once

// frmExcelExport "Excel XLS Export Options": the sheet check boxes, the number boxes in twips
// (border space, minimum column width, minimum row height) and the file version. The number
// boxes take digits and the editing keys only; "+" or "=" raise the value by one and "-" lowers
// it, within the box's limits.

#include "viewer/ExportOptionsWindow.h"

class QKeyEvent;
class QLineEdit;

namespace lumesk {

class frmExcelExport : public ExportOptionsWindow
{
    Q_OBJECT

public:
    frmExcelExport(reports::CommonTools& commonTools, QWidget* owner);

protected:
    void addOption(const report::ExportOption& option) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // True when the key was handled here (a step) or refused; false lets the box type it.
    bool numberBox_KeyPress(QLineEdit& box, const report::ExportOption& option,
                            const QKeyEvent& key);
    void txtMinColumnWidth_LostFocus(QLineEdit& box, const report::ExportOption& option);
    const report::ExportOption* numberOption(const QObject* box) const;
};

} // namespace lumesk
