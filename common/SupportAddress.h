#pragma once

// Where the suite's programs send users when something goes wrong that they cannot mend.

#include <QString>

namespace common {

inline const QString SupportAddress = QStringLiteral("support@quillmere.com");

} // namespace common
