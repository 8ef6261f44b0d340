#pragma once

// The name Windows gives a language identifier (VerLanguageName): "English (United States)"
// for 0x0409. Names come from Qt's locale data for the identifiers version resources use;
// unknown identifiers give an empty text, as a failed call does.

#include <cstdint>
#include <QString>

namespace analyser {

QString languageName(std::uint16_t languageId);

} // namespace analyser
