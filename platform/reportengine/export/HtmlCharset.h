#pragma once

// The character sets an HTML export can be written in, and the encoder that writes a page in
// one of them. A character the set cannot hold is written as a numeric character reference
// ("&#26085;"), so nothing is lost or replaced by "?"; stateful sets (iso-2022-*, HZ) return to
// their ASCII state before each reference.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace report {

// The sets offered, in the order of the options window ("UTF-8" .. "iso-8859-6").
QStringList htmlCharacterSets();

// The name browsers and decoders know the set by, for the page's charset declaration
// ("shift_jis" for "shift-jis", "euc-kr" for "KSC5601", "utf-7" for both UTF-7 sets).
QString htmlCharsetLabel(const QString& characterSet);

// HTML text in the set (compared without case); raises vb::Error 5 for a set not offered.
QByteArray encodeHtml(const QString& html, const QString& characterSet);

} // namespace report
