#include "ConnectionTransaction.h"

#include "platform/jet/Connection.h"

namespace updater {

ConnectionTransaction::ConnectionTransaction(jet::Connection& connection) : m_connection(connection)
{
    m_connection.beginTrans();
}

ConnectionTransaction::~ConnectionTransaction()
{
    if (!m_open)
        return;
    try {
        m_connection.rollbackTrans();
    } catch (...) {
        // Closing the connection rolls the transaction back all the same.
    }
}

void ConnectionTransaction::commit()
{
    m_connection.commitTrans();
    m_open = false;
}

} // namespace updater
