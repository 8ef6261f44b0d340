#pragma once

// VBA's string functions on Variants. A Null string argument gives Null; a Null count, start or
// code raises 94; an out-of-range count or start raises 5. Non-string arguments are read as
// their CStr text.

#include "Variant.h"

namespace vb {

// Chr and Asc use the Windows-1252 code page, as VB does on Western systems; characters that
// code page cannot hold give Asc 63 ("?"). ChrW and AscW use UTF-16 code units.
Variant Chr(const Variant& code);
Variant ChrW(const Variant& code);
Variant Asc(const Variant& text);
Variant AscW(const Variant& text);

Variant Left(const Variant& text, const Variant& length);
Variant Right(const Variant& text, const Variant& length);
Variant Mid(const Variant& text, const Variant& start);
Variant Mid(const Variant& text, const Variant& start, const Variant& length);
Variant Len(const Variant& value);

// Compare: 0 binary (case-sensitive), 1 text or 2 database (case-insensitive).
Variant InStr(const Variant& string1, const Variant& string2);
Variant InStr(const Variant& start, const Variant& string1, const Variant& string2,
              const Variant& compare = Variant(0));
Variant InStrRev(const Variant& string1, const Variant& string2, const Variant& start = Variant(-1),
                 const Variant& compare = Variant(0));
Variant StrComp(const Variant& string1, const Variant& string2,
                const Variant& compare = Variant(0));

// Trim functions remove blanks (U+0020) only, as VB does; tabs stay.
Variant Trim(const Variant& text);
Variant LTrim(const Variant& text);
Variant RTrim(const Variant& text);
Variant UCase(const Variant& text);
Variant LCase(const Variant& text);
Variant StrReverse(const Variant& text);

// Returns the text from `start` on with replacements made, as VBA does. A Null expression gives
// Null (VBA raises 94, which would abort a whole query over a nullable column).
Variant Replace(const Variant& expression, const Variant& find, const Variant& replacement,
                const Variant& start = Variant(1), const Variant& count = Variant(-1),
                const Variant& compare = Variant(0));
Variant Space(const Variant& count);
// `character` is a code (taken modulo 256) or a string whose first character repeats.
Variant String(const Variant& count, const Variant& character);

} // namespace vb
