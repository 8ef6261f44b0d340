#pragma once

// The ADOX catalog of a database: its tables (with columns, indexes and keys), views and
// procedures. Bound with setActiveConnection to a connection string (the catalog opens a
// connection of its own) or to a connection already open. Every change is made at once, through
// the same schema editor as Jet SQL DDL, and is seen by every connection to the file.

#include "jet/Connection.h"
#include "StoredQueries.h"
#include "Tables.h"

#include <memory>
#include <QString>

struct sqlite3;

namespace jet::adox {

class Catalog
{
public:
    Catalog();
    ~Catalog();
    Catalog(const Catalog&) = delete;
    Catalog& operator=(const Catalog&) = delete;

    void setActiveConnection(const QString& connectionString);
    void setActiveConnection(Connection& connection);
    // nullptr until set.
    Connection* activeConnection() const { return m_connection; }

    Tables& tables();
    Views& views();
    Procedures& procedures();

    // The open database; raises ADO's "connection cannot be used" when there is none.
    sqlite3* handle() const;

private:
    std::unique_ptr<Connection> m_ownConnection;
    Connection* m_connection = nullptr;
    Tables m_tables;
    Views m_views;
    Procedures m_procedures;
};

} // namespace jet::adox
