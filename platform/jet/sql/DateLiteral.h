#pragma once

// Jet's #date# literals. The text between the hashes is always read month first, as Jet
// does whatever the user's locale: #10/13/2001#, #1/1/95# (two-digit years 00-29 are 2000s,
// 30-99 1900s), #2001-10-13# (ISO order), each with an optional time (#10/13/2001 14:05:09#,
// #1/2/2003 2:05 PM#), or a time alone (#14:05#, on 30 Dec 1899).

#include <optional>
#include <QString>

namespace jet::sql {

// OLE automation days for the literal text, or nullopt when it is not a valid date/time.
std::optional<double> parseDateLiteral(const QString& text);

} // namespace jet::sql
