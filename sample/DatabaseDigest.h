#pragma once

// A digest of what a database holds: the definitions of its user tables and indexes and every
// row's values in row order. Two databases with the same digest hold the same data, whatever
// their file bytes (page layout, free pages, the password's salt). Engine tables ("MSys...")
// are left out.

#include <QByteArray>
#include <QString>

namespace sample {

// SHA-256 as hex. Raises vb::Error when the file cannot be read as a database.
QByteArray databaseDigest(const QString& path);

} // namespace sample
