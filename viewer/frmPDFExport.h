#pragma once

// frmPDFExport "Adobe Acrobat PDF Export Options": picture quality, bookmarks, the two
// passwords, and the permissions as three check boxes whose values (4 print, 8 annotations,
// 16 copy) add up to the stored "Permissions".

#include "viewer/ExportOptionsWindow.h"

namespace lumesk {

class frmPDFExport : public ExportOptionsWindow
{
    Q_OBJECT

public:
    frmPDFExport(reports::CommonTools& commonTools, QWidget* owner);

protected:
    void addOption(const report::ExportOption& option) override;
    void fillOption(const report::ExportOption& option, const QString& text) override;
    QString optionText(const report::ExportOption& option) const override;
};

} // namespace lumesk
