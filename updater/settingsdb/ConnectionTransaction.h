#pragma once

// A transaction of one connection that is rolled back unless it was committed, so that an
// update that fails part-way leaves no trace of the work done inside it.

namespace jet {
class Connection;
}

namespace updater {

class ConnectionTransaction
{
public:
    explicit ConnectionTransaction(jet::Connection& connection);
    ~ConnectionTransaction();
    ConnectionTransaction(const ConnectionTransaction&) = delete;
    ConnectionTransaction& operator=(const ConnectionTransaction&) = delete;

    void commit();

private:
    jet::Connection& m_connection;
    bool m_open = true;
};

} // namespace updater
