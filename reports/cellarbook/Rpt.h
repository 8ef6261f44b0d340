#pragma once

// The cellar book module's public class Rpt (QuorvexParvello.Rpt). LoadReport takes the list
// langHelper, commonTools, regObject, sQLDatabase, preferences, the main wine database's path,
// the parent window, the exchange rate and the details flag; it prepares rptCellarBookWine for
// the host's current selection, shows it through the viewer and returns when the viewer
// closes. Nothing is kept past the call.

#include "reports/Rpt.h"

#include <QObject>

namespace parvello {

class Rpt : public QObject, public reports::Rpt
{
    Q_OBJECT
    Q_INTERFACES(reports::Rpt)

public:
    reports::CallResult LoadReport(const reports::ArgumentList& parameters) override;
};

} // namespace parvello
