#include "Catalog.h"

namespace jet::adox {

Catalog::Catalog() : m_tables(this), m_views(this, false), m_procedures(this, true) {}

Catalog::~Catalog() = default;

void Catalog::setActiveConnection(const QString& connectionString)
{
    auto connection = std::make_unique<Connection>();
    connection->open(connectionString);
    m_ownConnection = std::move(connection);
    m_connection = m_ownConnection.get();
}

void Catalog::setActiveConnection(Connection& connection)
{
    if (!connection.isOpen()) {
        throw Error::connectionUnusable();
    }
    m_connection = &connection;
    m_ownConnection.reset();
}

sqlite3* Catalog::handle() const
{
    sqlite3* db = m_connection ? m_connection->handle() : nullptr;
    if (!db) {
        throw Error::connectionUnusable();
    }
    return db;
}

Tables& Catalog::tables()
{
    m_tables.refresh();
    return m_tables;
}

Views& Catalog::views()
{
    m_views.refresh();
    return m_views;
}

Procedures& Catalog::procedures()
{
    m_procedures.refresh();
    return m_procedures;
}

} // namespace jet::adox
