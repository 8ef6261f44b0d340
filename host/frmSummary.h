#pragma once

// The host's summary window: the six cellar figures for the current query and for the whole
// cellar, in named labels and text boxes that the cellar summary report reads by name
// (lblSummaryQuery; lblQueryDistinctWines/txtQueryDistinctWines ... lblQueryTotalSpent/
// txtQueryTotalSpent, with lblQueryBottlesBought beside txtQueryTotalBottles; the same with
// "Cellar" for the whole cellar). Captions are language keys until the language helper
// translates the window.

#include "host/CellarFigures.h"

#include <QWidget>

class QGridLayout;

namespace host {

class frmSummary : public QWidget
{
    Q_OBJECT

public:
    explicit frmSummary(QWidget* parent = nullptr);

    void showFigures(const QString& queryName, const CellarFigures& query,
                     const CellarFigures& cellar);

private:
    void addColumn(QGridLayout& grid, int column, const QString& prefix);
    void setText(const QString& name, const QString& text);
    void showColumn(const QString& prefix, const CellarFigures& figures);
};

} // namespace host
