// frmPDFExport: the PDF export's options window.
#include "viewer/frmPDFExport.h"

#include "platform/vb/ConversionFunctions.h"
#include "viewer/ReportExport.h"

#include <array>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lumesk {

namespace {

struct PermissionBox
{
    const char16_t* name;
    const char16_t* caption;
    int value;
};

constexpr std::array<PermissionBox, 3> kPermissionBoxes{{
    {u"chkAllowPrint", u"Allow the file to be printed", 4},
    {u"chkAllowModifyContents", u"Allow file annotations", 8},
    {u"chkAllowCopy", u"Allow clipboard copy", 16},
}};

bool isPermissions(const report::ExportOption& option)
{
    return option.valueName == u"Permissions"_s;
}

} // namespace

frmPDFExport::frmPDFExport(reports::CommonTools& commonTools, QWidget* owner)
    : ExportOptionsWindow(*report::exportFormat(kExportPDF), commonTools, owner)
{
    build();
}

void frmPDFExport::addOption(const report::ExportOption& option)
{
    if (!isPermissions(option)) {
        ExportOptionsWindow::addOption(option);
        if (option.valueName.endsWith(u"Password"_s))
            findChild<QLineEdit*>(option.control)->setEchoMode(QLineEdit::Password);
        return;
    }
    auto* group = new QGroupBox(languageKey(u"Permissions"_s), this);
    group->setObjectName(u"fraPermissions"_s);
    auto* layout = new QVBoxLayout(group);
    for (const PermissionBox& permission : kPermissionBoxes) {
        auto* box = new QCheckBox(languageKey(QString::fromUtf16(permission.caption)), group);
        box->setObjectName(QString::fromUtf16(permission.name));
        layout->addWidget(box);
    }
    form().addRow(group);
}

void frmPDFExport::fillOption(const report::ExportOption& option, const QString& text)
{
    if (!isPermissions(option)) {
        ExportOptionsWindow::fillOption(option, text);
        return;
    }
    const int permissions = static_cast<int>(vb::valueOfText(text));
    for (const PermissionBox& permission : kPermissionBoxes)
        findChild<QCheckBox*>(QString::fromUtf16(permission.name))
            ->setChecked((permissions & permission.value) != 0);
}

QString frmPDFExport::optionText(const report::ExportOption& option) const
{
    if (!isPermissions(option))
        return ExportOptionsWindow::optionText(option);
    int permissions = 0;
    for (const PermissionBox& permission : kPermissionBoxes)
        if (findChild<QCheckBox*>(QString::fromUtf16(permission.name))->isChecked())
            permissions += permission.value;
    return QString::number(permissions);
}

} // namespace lumesk
