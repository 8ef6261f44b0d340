#pragma once

// The cellar summary module's public class Rpt (QuorvexRptSummary.Rpt). LoadReport takes the
// fixed arguments frmParentForm, strUserName, strWineDBFile, strQueryName, pcLangHelper,
// pcCommonTools, pRegObject; it fills the report Feldrake from the parent window (the host's
// summary window), shows it through the viewer and returns when the viewer closes. Nothing is
// kept past the call.

#include "reports/Rpt.h"

#include <QObject>

namespace feldrake {

class Rpt : public QObject, public reports::Rpt
{
    Q_OBJECT
    Q_INTERFACES(reports::Rpt)

public:
    reports::CallResult LoadReport(const reports::ArgumentList& parameters) override;
};

} // namespace feldrake
