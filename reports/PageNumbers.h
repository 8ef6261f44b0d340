#pragma once

// The page footer's "Page N of M" as the report libraries lay it out: txtPageCount ends at the
// print width, lblOf and txtCurrentPage stand to its left, and lblPage fills the rest of the line
// (its text right-aligned), so the numbers end at the right margin on any paper.

#include "platform/reportengine/model/Report.h"

#include <QString>

namespace reports {

inline void alignPageNumbers(report::Report& report, int printWidth)
{
    report::TextBox& pageCount = report.textBox(QStringLiteral("txtPageCount"));
    report::Label& of = report.label(QStringLiteral("lblOf"));
    report::TextBox& currentPage = report.textBox(QStringLiteral("txtCurrentPage"));
    pageCount.setLeft(printWidth - pageCount.width());
    of.setLeft(pageCount.left() - of.width());
    currentPage.setLeft(of.left() - currentPage.width());
    report.label(QStringLiteral("lblPage"))
        .setWidth(printWidth - (of.width() + currentPage.width() + pageCount.width()));
}

} // namespace reports
