#pragma once

// ADO's Sort text: field names separated by commas, each optionally followed by ASC or DESC
// ("Vintage DESC, [Label] ASC"); an empty text means no sort.

#include <QList>
#include <QString>

namespace jet::detail {

struct SortKey
{
    QString field;
    bool descending = false;
};

// Raises ADO's "arguments are of the wrong type" (3001) for a malformed text.
QList<SortKey> parseSortOrder(const QString& text);

} // namespace jet::detail
