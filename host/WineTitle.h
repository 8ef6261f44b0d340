#pragma once

// A wine's display title: winery, label, appellation and vintage ("NV" without one), with the
// bottle size in parentheses when it is not a 750 ml bottle:
//     Domaine Leroux, Les Perrières, Meursault 1999
//     Cantina Vallone, Barolo 1996 (Magnum)
// Parts stored as "<unknown>" or empty are left out.

#include <QString>

namespace jet {
class Connection;
}

namespace reports {
class WineRecord;
}

namespace host {

QString buildWineTitle(jet::Connection& mainDatabase, const reports::WineRecord& wine);

} // namespace host
