// Opening and closing the modules' record sets.

#include "host/HostRecordsetHelper.h"

#include "platform/jet/recordset/Recordset.h"

#include <QRegularExpression>

namespace host {

namespace {

bool isTableName(const QString& source)
{
    static const QRegularExpression name(QStringLiteral("^\\[?[A-Za-z_][A-Za-z0-9_ ]*\\]?$"));
    return name.match(source.trimmed()).hasMatch();
}

} // namespace

HostRecordsetHelper::HostRecordsetHelper(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("recordsetHelper"));
}

void HostRecordsetHelper::OpenRecordset(jet::Recordset& recordset, const QString& source,
                                        jet::Connection& connection, bool readOnly)
{
    const bool table = isTableName(source);
    recordset.open(source, connection, jet::CursorType::Keyset,
                   readOnly || !table ? jet::LockType::ReadOnly : jet::LockType::Optimistic,
                   table ? jet::CommandType::TableDirect : jet::CommandType::Text);
}

void HostRecordsetHelper::CloseADOObject(jet::Recordset& recordset)
{
    try {
        if (recordset.isOpen()) {
            if (recordset.editMode() != jet::EditMode::None)
                recordset.cancelUpdate();
            recordset.close();
        }
    } catch (...) {
        // Closing never fails for the caller: the record set is released anyway.
    }
}

} // namespace host
