// The summary window's texts copied into the report.

#include "reports/summary/SummaryFilling.h"

#include "platform/reportengine/model/Report.h"
#include "platform/vb/Error.h"

#include <QVariant>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace feldrake {

namespace {

const QString kSource = u"Feldrake.LoadReport"_s;

struct Figure
{
    const char16_t* parentLabel; // after lblQuery / lblCellar on the window
    const char16_t* reportLabel; // after lblQuery / lblCellar on the report
    const char16_t* box;         // after txtQuery / txtCellar on both
};

// Only the bottles-bought caption has another name on the report than on the window.
constexpr Figure kFigures[] = {
    {u"DistinctWines", u"DistinctWines", u"DistinctWines"},
    {u"Bottles", u"Bottles", u"Bottles"},
    {u"ValueInventory", u"ValueInventory", u"ValueInventory"},
    {u"ExpenseInventory", u"ExpenseInventory", u"ExpenseInventory"},
    {u"BottlesBought", u"TotalBottles", u"TotalBottles"},
    {u"TotalSpent", u"TotalSpent", u"TotalSpent"},
};

// The displayed text of a named label or text box of the window.
QString memberText(const QWidget& window, const QString& name)
{
    const QObject* member = window.findChild<const QObject*>(name);
    const QVariant text = member ? member->property("text") : QVariant();
    if (!text.isValid())
        throw vb::Error(vb::ErrorNumber::ObjectDoesNotSupportProperty,
                        u"Object doesn't support this property or method: %1.%2"_s.arg(
                            window.objectName(), name),
                        kSource);
    return text.toString();
}

void fillColumn(report::Report& report, const QWidget& window, const QString& column)
{
    for (const Figure& figure : kFigures) {
        report.label(u"lbl"_s + column + QString::fromUtf16(figure.reportLabel))
            .setCaption(
                memberText(window, u"lbl"_s + column + QString::fromUtf16(figure.parentLabel)));
        const QString box = u"txt"_s + column + QString::fromUtf16(figure.box);
        report.textBox(box).setText(memberText(window, box));
    }
}

} // namespace

void fillFromParentWindow(report::Report& report, const QWidget& frmParentForm,
                          const SummaryTexts& texts)
{
    report.label(u"lblStatsForQuery"_s)
        .setCaption(memberText(frmParentForm, u"lblSummaryQuery"_s) + u' ' + texts.strQueryName);
    fillColumn(report, frmParentForm, u"Query"_s);
    fillColumn(report, frmParentForm, u"Cellar"_s);
    report.textBox(u"txtUserName"_s).setText(texts.strUserName);
    report.textBox(u"txtCellarFile"_s).setText(texts.strWineDBFile);
}

} // namespace feldrake
