#pragma once

// A host object whose default member, given a number, returns a text: the SQL text source
// (texts 7, 101, 102 of the cellar book, 28, 29, 79 of the locations report, 93, 94, 95 of the
// wine record) and the source of the user's name (text 32). Placeholders such as "[_%1%_]" in
// a text are filled in by the caller. An unknown number raises vb::Error naming it.

#include <QString>
#include <QtPlugin>

namespace reports {

class NumberedTexts
{
public:
    virtual ~NumberedTexts() = default;

    virtual QString Item(qint16 index) const = 0;
};

} // namespace reports

Q_DECLARE_INTERFACE(reports::NumberedTexts, "org.quorvex.reports.NumberedTexts/1.0")
