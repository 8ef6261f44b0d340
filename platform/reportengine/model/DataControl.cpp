// The data control: one Jet connection per connection string, one forward-only recordset per run.
#include "platform/reportengine/model/DataControl.h"

#include "platform/vb/Error.h"

namespace report {

DataControl::~DataControl()
{
    disconnect();
}

void DataControl::setConnectionString(const QString& connectionString)
{
    if (connectionString == m_connectionString)
        return;
    close();
    m_connection.reset();
    m_connectionString = connectionString;
}

bool DataControl::isBound() const noexcept
{
    return !m_connectionString.isEmpty() && !m_source.isEmpty();
}

void DataControl::open()
{
    close();
    if (!m_connection || !m_connection->isOpen()) {
        m_connection = std::make_unique<jet::Connection>();
        m_connection->open(m_connectionString);
    }
    auto recordset = std::make_unique<jet::Recordset>();
    recordset->open(m_source, *m_connection, jet::CursorType::ForwardOnly, jet::LockType::ReadOnly,
                    jet::CommandType::Text);
    m_recordset = std::move(recordset);
}

void DataControl::close()
{
    if (m_recordset) {
        try {
            if (m_recordset->isOpen())
                m_recordset->close();
        } catch (const vb::Error&) {
            // Closing a read-only recordset cannot lose anything; the object goes either way.
        }
        m_recordset.reset();
    }
}

void DataControl::disconnect()
{
    close();
    if (m_connection) {
        try {
            if (m_connection->isOpen())
                m_connection->close();
        } catch (const vb::Error&) {
            // Nothing was written through this connection; closing it cannot fail in a way
            // that matters to the report.
        }
        m_connection.reset();
    }
}

bool DataControl::isOpen() const noexcept
{
    return m_recordset && m_recordset->isOpen();
}

jet::Recordset& DataControl::recordset()
{
    if (!m_recordset)
        throw vb::Error(vb::ErrorNumber::ObjectVariableNotSet,
                        QStringLiteral("The data control %1 is not open").arg(m_name), m_name);
    return *m_recordset;
}

} // namespace report
