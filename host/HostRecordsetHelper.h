#pragma once

// The host's record-set helper: tables open directly with a keyset cursor (updatable, or
// read-only when asked), SQL text as a read-only record set.

#include "reports/RecordsetHelper.h"

#include <QObject>

namespace host {

class HostRecordsetHelper : public QObject, public reports::RecordsetHelper
{
    Q_OBJECT
    Q_INTERFACES(reports::RecordsetHelper)

public:
    explicit HostRecordsetHelper(QObject* parent = nullptr);

    void OpenRecordset(jet::Recordset& recordset, const QString& source,
                       jet::Connection& connection, bool readOnly = false) override;
    void CloseADOObject(jet::Recordset& recordset) override;
};

} // namespace host
