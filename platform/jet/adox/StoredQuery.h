#pragma once

// A stored query of the catalog (an ADOX view or procedure): its name and its Jet SQL text as
// it was stored. Setting the text redefines the query; queries built on it run on the new text.

#include <QString>

namespace jet::adox {

class Catalog;

class StoredQuery
{
public:
    StoredQuery(Catalog* catalog, QString name, bool procedure)
        : m_catalog(catalog), m_name(std::move(name)), m_procedure(procedure)
    {
    }

    QString name() const { return m_name; }
    QString commandText() const;
    void setCommandText(const QString& jetSql);
    bool isProcedure() const { return m_procedure; }

private:
    Catalog* m_catalog;
    QString m_name;
    bool m_procedure;
};

} // namespace jet::adox
