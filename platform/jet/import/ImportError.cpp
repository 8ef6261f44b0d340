// The importer's errors.

#include "platform/jet/import/ImportError.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace jet::importer {

jet::Error importError(const QString& file, const QString& table, const QString& reason)
{
    const QString where = table.isEmpty()
                              ? QDir::toNativeSeparators(file)
                              : u"%1, table %2"_s.arg(QDir::toNativeSeparators(file), table);
    return jet::Error(ErrorNumber::Unspecified, u"Cannot import %1: %2"_s.arg(where, reason),
                      importSource);
}

} // namespace jet::importer
