#pragma once

// The data control of a report (dcDetail): a Jet connection string and Jet SQL text. The
// generator opens it when the report starts reading data, and the module can look at its
// recordset (its EOF and fields) inside FetchData and the section events.

#include "platform/jet/Connection.h"
#include "platform/jet/recordset/Recordset.h"

#include <memory>
#include <QString>

namespace report {

class DataControl
{
public:
    DataControl() = default;
    ~DataControl();
    DataControl(const DataControl&) = delete;
    DataControl& operator=(const DataControl&) = delete;

    const QString& name() const noexcept { return m_name; }
    void setName(const QString& name) { m_name = name; }
    const QString& connectionString() const noexcept { return m_connectionString; }
    void setConnectionString(const QString& connectionString);
    const QString& source() const noexcept { return m_source; }
    void setSource(const QString& sql) { m_source = sql; }

    // True when both the connection string and the source are set.
    bool isBound() const noexcept;
    // Opens the connection (kept while the connection string stays the same) and the source
    // as a forward-only recordset. Errors are jet::Error naming what failed.
    void open();
    // Closes the recordset; the connection stays for the next open.
    void close();
    // Closes the recordset and the connection (at the end of a run).
    void disconnect();
    bool isOpen() const noexcept;
    // The open recordset. Raises vb::Error 91 when the data control is not open.
    jet::Recordset& recordset();

private:
    QString m_name = QStringLiteral("dcDetail");
    QString m_connectionString;
    QString m_source;
    std::unique_ptr<jet::Connection> m_connection;
    std::unique_ptr<jet::Recordset> m_recordset;
};

} // namespace report
