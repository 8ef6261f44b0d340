#pragma once

// ParseIsoDate: the dates the databases and the settings files store as text.

#include "platform/vb/Variant.h"

#include <QString>

namespace DatabaseHelpers {

// "yyyy-mm-dd" gives midnight of that day, "yyyy-mm-dd hh:mm:ss" that day and time, as a Date.
// Any other text, or one naming no real date or time (2003-02-30, 25:00:00), raises vb::Error
// 13 (type mismatch) whose description quotes the text: a stored date that cannot be read must
// stop the work rather than become some other date.
vb::Variant ParseIsoDate(const QString& text);

} // namespace DatabaseHelpers
