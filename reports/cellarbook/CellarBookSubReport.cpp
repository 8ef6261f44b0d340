// The cellar book's sub-reports: column widths, header visibility, row shading and heights.

#include "reports/cellarbook/CellarBookSubReport.h"

#include "platform/vb/Error.h"
#include "reports/cellarbook/rptCellarBookWine.h"
#include "reports/cellarbook/VbColour.h"
#include "reports/CommonTools.h"

using namespace Qt::StringLiterals;

namespace parvello {

CellarBookSubReport::CellarBookSubReport(const QString& layout, reports::CommonTools& commonTools,
                                         QString noteCell, QString noteCaption,
                                         QStringList fixedCells, HeaderFlag headerFlag,
                                         QObject* parent)
    : report::Report(parent), m_commonTools(commonTools), m_noteCell(std::move(noteCell)),
      m_noteCaption(std::move(noteCaption)), m_fixedCells(std::move(fixedCells)),
      m_headerFlag(headerFlag)
{
    loadLayout(layout);
    section(u"GroupHeader1"_s).setOnFormat([this] { GroupHeader1_Format(); });
    section(u"Detail"_s).setOnBeforePrint([this] { Detail_BeforePrint(); });
}

rptCellarBookWine& CellarBookSubReport::parentBook() const
{
    auto* book = qobject_cast<rptCellarBookWine*>(parentReport());
    if (!book)
        throw vb::Error(vb::ErrorNumber::ObjectVariableNotSet,
                        u"%1 runs only inside rptCellarBookWine"_s.arg(name()), name());
    return *book;
}

void CellarBookSubReport::reportStart()
{
    int fixedWidth = 0;
    for (const QString& cell : m_fixedCells)
        fixedWidth += control(cell).width();
    report::Control& note = control(m_noteCell);
    note.setWidth(parentBook().printWidth() - fixedWidth - 2 * m_commonTools.CT_TwipsX());
    label(m_noteCaption).setWidth(note.width());
}

void CellarBookSubReport::GroupHeader1_Format()
{
    m_rowCounter = 0;
    rptCellarBookWine& book = parentBook();
    report::Section& header = section(u"GroupHeader1"_s);
    if (dcDetail().recordset().eof()) {
        header.setVisible(false);
        (book.*m_headerFlag.set)(false);
        return;
    }
    // A header hidden for a wine without rows shows again only once a wine with rows has set
    // the flag, so the first wine with rows after one without prints without it.
    if ((book.*m_headerFlag.get)())
        header.setVisible(true);
    (book.*m_headerFlag.set)(true);
}

void CellarBookSubReport::Detail_BeforePrint()
{
    const report::Section& detail = section(u"Detail"_s);
    const bool shaded = m_rowCounter % 2 == 1;
    const int rowHeight = control(m_noteCell).height();
    for (const auto& cell : detail.controls()) {
        cell->setBackStyle(shaded ? report::BackStyle::Opaque : report::BackStyle::Transparent);
        cell->setBackColor(vbColour(kOddRowColour));
        cell->setHeight(rowHeight);
    }
    ++m_rowCounter;
}

} // namespace parvello
