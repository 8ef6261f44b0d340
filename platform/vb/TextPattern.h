#pragma once

// A string Format section: @ (a character or a blank), & (a character or nothing), < lower
// case, > upper case, ! fill placeholders from the left instead of from the right; other
// characters are literal. Characters beyond the placeholders are kept, not cut.

#include <QString>
#include <QStringView>

namespace vb {

class TextPattern
{
public:
    static QString format(QStringView section, const QString& text);
};

} // namespace vb
