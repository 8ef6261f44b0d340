// subRptTx: its layout, note column and header flag.

#include "reports/cellarbook/subRptTx.h"

#include "reports/cellarbook/rptCellarBookWine.h"

using namespace Qt::StringLiterals;

namespace parvello {

subRptTx::subRptTx(reports::CommonTools& commonTools, QObject* parent)
    : CellarBookSubReport(u":/cellarbook/subRptTx.xml"_s, commonTools, u"Note"_s, u"lblNote"_s,
                          {u"TxDate"_s, u"Quantity"_s, u"Store"_s, u"Cost"_s},
                          {&rptCellarBookWine::PrintTxHeader, &rptCellarBookWine::setPrintTxHeader},
                          parent)
{
}

} // namespace parvello
