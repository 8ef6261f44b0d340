// The summary window's controls and the figures' texts.

#include "host/frmSummary.h"

#include "platform/vb/Format.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace host {

namespace {

struct Row
{
    const char16_t* label; // after lblQuery / lblCellar
    const char16_t* box;   // after txtQuery / txtCellar
    const char16_t* caption;
};

const Row kRows[] = {
    {u"DistinctWines", u"DistinctWines", u"d_Distinct wines:"},
    {u"Bottles", u"Bottles", u"d_Bottles:"},
    {u"ValueInventory", u"ValueInventory", u"d_Value of inventory:"},
    {u"ExpenseInventory", u"ExpenseInventory", u"d_Expense of inventory:"},
    {u"BottlesBought", u"TotalBottles", u"d_Bottles bought:"},
    {u"TotalSpent", u"TotalSpent", u"d_Total spent:"},
};

QString whole(qint64 number)
{
    return vb::Format(vb::Variant(static_cast<double>(number)), u"#,##0"_s).toString();
}

QString money(double amount)
{
    return vb::Format(vb::Variant(amount), u"#,##0.00"_s).toString();
}

} // namespace

frmSummary::frmSummary(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"frmSummary"_s);
    setWindowTitle(u"d_Cellar Summary"_s);
    auto* grid = new QGridLayout(this);
    auto* heading = new QLabel(u"d_Statistics for"_s, this);
    heading->setObjectName(u"lblSummaryQuery"_s);
    grid->addWidget(heading, 0, 0, 1, 2);
    auto* cellarHeading = new QLabel(u"d_Statistics for the whole cellar"_s, this);
    cellarHeading->setObjectName(u"lblSummaryCellar"_s);
    grid->addWidget(cellarHeading, 0, 2, 1, 2);
    addColumn(*grid, 0, u"Query"_s);
    addColumn(*grid, 2, u"Cellar"_s);
}

void frmSummary::addColumn(QGridLayout& grid, int column, const QString& prefix)
{
    int row = 1;
    for (const Row& entry : kRows) {
        auto* label = new QLabel(QString::fromUtf16(entry.caption), this);
        label->setObjectName(u"lbl"_s + prefix + QString::fromUtf16(entry.label));
        auto* box = new QLineEdit(this);
        box->setObjectName(u"txt"_s + prefix + QString::fromUtf16(entry.box));
        box->setReadOnly(true);
        box->setAlignment(Qt::AlignRight);
        grid.addWidget(label, row, column);
        grid.addWidget(box, row, column + 1);
        ++row;
    }
}

void frmSummary::setText(const QString& name, const QString& text)
{
    if (auto* box = findChild<QLineEdit*>(name))
        box->setText(text);
}

void frmSummary::showColumn(const QString& prefix, const CellarFigures& figures)
{
    setText(u"txt"_s + prefix + u"DistinctWines"_s, whole(figures.distinctWines));
    setText(u"txt"_s + prefix + u"Bottles"_s, whole(figures.bottles));
    setText(u"txt"_s + prefix + u"ValueInventory"_s, money(figures.valueOfInventory));
    setText(u"txt"_s + prefix + u"ExpenseInventory"_s, money(figures.expenseOfInventory));
    setText(u"txt"_s + prefix + u"TotalBottles"_s, whole(figures.bottlesBought));
    setText(u"txt"_s + prefix + u"TotalSpent"_s, money(figures.totalSpent));
}

void frmSummary::showFigures(const QString& queryName, const CellarFigures& query,
                             const CellarFigures& cellar)
{
    setToolTip(queryName);
    showColumn(u"Query"_s, query);
    showColumn(u"Cellar"_s, cellar);
}

} // namespace host
