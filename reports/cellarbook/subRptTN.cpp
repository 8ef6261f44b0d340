// subRptTN: its layout, note column and header flag.

#include "reports/cellarbook/subRptTN.h"

#include "reports/cellarbook/rptCellarBookWine.h"

using namespace Qt::StringLiterals;

namespace parvello {

subRptTN::subRptTN(reports::CommonTools& commonTools, QObject* parent)
    : CellarBookSubReport(u":/cellarbook/subRptTN.xml"_s, commonTools, u"NoteText"_s, u"lblNote"_s,
                          {u"NoteDate"_s, u"NoteScore"_s},
                          {&rptCellarBookWine::PrintTNHeader, &rptCellarBookWine::setPrintTNHeader},
                          parent)
{
}

} // namespace parvello
