#pragma once

// subRptTN: the tasting notes of one wine (date, score, note) under its page of the cellar
// book; its header shows as the parent's PrintTNHeader allows.

#include "reports/cellarbook/CellarBookSubReport.h"

namespace parvello {

class subRptTN : public CellarBookSubReport
{
    Q_OBJECT

public:
    explicit subRptTN(reports::CommonTools& commonTools, QObject* parent = nullptr);
};

} // namespace parvello
