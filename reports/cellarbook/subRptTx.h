#pragma once

// subRptTx: the transactions of one wine (date, quantity, store, cost, note) under its page of
// the cellar book; its header shows as the parent's PrintTxHeader allows.

#include "reports/cellarbook/CellarBookSubReport.h"

namespace parvello {

class subRptTx : public CellarBookSubReport
{
    Q_OBJECT

public:
    explicit subRptTx(reports::CommonTools& commonTools, QObject* parent = nullptr);
};

} // namespace parvello
