// frmExcelExport: the Excel export's options window and its number boxes.
#include "viewer/frmExcelExport.h"

#include "platform/vb/ConversionFunctions.h"
#include "viewer/ReportExport.h"

#include <algorithm>
#include <QKeyEvent>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace lumesk {

namespace {

// Captions of the controls the option table leaves without one.
QString captionOf(const report::ExportOption& option)
{
    if (!option.caption.isEmpty())
        return option.caption;
    static const QMap<QString, QString> captions{
        {u"chkAutoRowHeight"_s, u"Auto row height"_s},
        {u"txtBorderSpace"_s, u"Border space (twips):"_s},
        {u"txtMinColumnWidth"_s, u"Minimum column width (twips):"_s},
        {u"txtMinRowHeight"_s, u"Minimum row height (twips):"_s},
        {u"cboVersion"_s, u"Excel file version:"_s},
    };
    return captions.value(option.control);
}

bool isEditingKey(int key)
{
    return key == Qt::Key_Backspace || key == Qt::Key_Tab || key == Qt::Key_Backtab ||
           key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
}

} // namespace

frmExcelExport::frmExcelExport(reports::CommonTools& commonTools, QWidget* owner)
    : ExportOptionsWindow(*report::exportFormat(kExportExcel), commonTools, owner)
{
    build();
}

void frmExcelExport::addOption(const report::ExportOption& option)
{
    report::ExportOption captioned = option;
    captioned.caption = captionOf(option);
    ExportOptionsWindow::addOption(captioned);
    if (option.kind == report::OptionKind::Number)
        findChild<QLineEdit*>(option.control)->setAlignment(Qt::AlignRight);
}

const report::ExportOption* frmExcelExport::numberOption(const QObject* box) const
{
    const report::ExportOption* option = report::exportOption(format(), box->objectName().mid(3));
    return option != nullptr && option->kind == report::OptionKind::Number ? option : nullptr;
}

bool frmExcelExport::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    const report::ExportOption* option = box != nullptr ? numberOption(box) : nullptr;
    if (option != nullptr) {
        if (event->type() == QEvent::KeyPress &&
            numberBox_KeyPress(*box, *option, static_cast<const QKeyEvent&>(*event)))
            return true;
        if (event->type() == QEvent::FocusOut && option->control == u"txtMinColumnWidth"_s)
            txtMinColumnWidth_LostFocus(*box, *option);
    }
    return ExportOptionsWindow::eventFilter(watched, event);
}

bool frmExcelExport::numberBox_KeyPress(QLineEdit& box, const report::ExportOption& option,
                                        const QKeyEvent& key)
{
    const QString typed = key.text();
    if (isEditingKey(key.key()) || (typed.size() == 1 && typed.front().isDigit()))
        return false;
    // Moving the cursor and the shortcuts (copy, paste) are not typing.
    if (typed.isEmpty() || (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    int step = 0;
    if (typed == u"+"_s || typed == u"="_s)
        step = 1;
    else if (typed == u"-"_s)
        step = -1;
    if (step != 0) {
        const double value = vb::valueOfText(box.text()) + step;
        if (value >= option.minimum && value <= option.maximum)
            box.setText(QString::number(static_cast<qint64>(value)));
    }
    return true;
}

void frmExcelExport::txtMinColumnWidth_LostFocus(QLineEdit& box, const report::ExportOption& option)
{
    const double value = vb::valueOfText(box.text());
    if (value < option.minimum)
        box.setText(QString::number(option.minimum));
    else if (value > option.maximum)
        box.setText(QString::number(option.maximum));
}

} // namespace lumesk
