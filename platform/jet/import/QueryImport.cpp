// Making and verifying the imported stored queries.

#include "platform/jet/import/QueryImport.h"

#include "platform/jet/adox/Catalog.h"
#include "platform/jet/Connection.h"
#include "platform/jet/schema/TableSchema.h"
#include "platform/jet/sql/JetSql.h"
#include "platform/jet/SqliteStatement.h"

#include <map>
#include <optional>
#include <set>

using namespace Qt::StringLiterals;

namespace jet::importer {

namespace {

struct Verification
{
    QStringList reads;      // stored queries the query is built on
    QStringList parameters; // values it asks for
    std::optional<QString> failure;
};

// The query runs on the tables as the engine runs it: translated with what the database
// knows of its names, its stored queries expanded where they are used.
Verification verify(Connection& connection, const QString& name)
{
    Verification result;
    sqlite3* db = connection.handle();
    const std::optional<StoredQuerySchema> stored = storedQuery(db, name);
    TranslateOptions options = connection.translateOptions();
    const auto expand = options.storedQuery;
    options.storedQuery = [&](const QString& used) {
        result.reads.append(used);
        return expand(used);
    };
    try {
        const TranslatedStatement statement = translate(stored->jetText, options);
        result.parameters = statement.parameters;
        detail::SqliteStatement compiled(db, statement.sqlite);
        if (statement.kind == StatementKind::Select) {
            while (compiled.step()) {
            }
        }
    } catch (const vb::Error& error) {
        result.failure = error.description();
    }
    return result;
}

class QueryImport
{
public:
    QueryImport(Connection& connection, ImportReport& report)
        : m_connection(connection), m_report(report)
    {
        m_catalog.setActiveConnection(connection);
    }

    void run(const QList<SourceQuery>& queries)
    {
        QList<SourceQuery> stored;
        for (const SourceQuery& query : queries) {
            if (query.belongsToFormOrReport()) {
                ++m_report.formQueries;
            } else if (!query.text.problem.isEmpty()) {
                leaveBehind(query.name, query.text.problem);
            } else if (store(query)) {
                stored.append(query);
            }
        }
        // Verified once all are stored, since queries are built on one another.
        std::map<QString, Verification> verified;
        for (const SourceQuery& query : stored) {
            verified.emplace(query.name, verify(m_connection, query.name));
        }
        for (const SourceQuery& query : stored) {
            const Verification& check = verified.at(query.name);
            if (check.failure) {
                m_failed.insert(query.name.toCaseFolded());
            }
        }
        for (const SourceQuery& query : stored) {
            const Verification& check = verified.at(query.name);
            if (check.failure) {
                drop(query);
                leaveBehind(query.name, reason(check));
            } else {
                m_report.queries.append(
                    ImportedQuery{query.name, isProcedure(query), check.parameters});
            }
        }
        // Reported in the file's order.
        for (const SourceQuery& query : queries) {
            if (const auto found = m_reasons.find(query.name); found != m_reasons.end()) {
                m_report.queriesLeftBehind.append(
                    QueryLeftBehind{query.name, found->second, query.text.jetSql});
            }
        }
    }

private:
    static bool isProcedure(const SourceQuery& query)
    {
        return !query.text.returnsRows() || query.text.declaresParameters;
    }

    bool store(const SourceQuery& query)
    {
        adox::StoredQueries& collection =
            isProcedure(query) ? m_catalog.procedures() : m_catalog.views();
        try {
            collection.append(query.name, query.text.jetSql);
            return true;
        } catch (const vb::Error& error) {
            leaveBehind(query.name, error.description());
            return false;
        }
    }

    void drop(const SourceQuery& query)
    {
        (isProcedure(query) ? m_catalog.procedures() : m_catalog.views()).remove(query.name);
    }

    // A query built on one that is left behind fails for that reason, whatever it says.
    QString reason(const Verification& check) const
    {
        for (const QString& used : check.reads) {
            if (m_failed.count(used.toCaseFolded())) {
                return u"it is built on query %1, which is not carried over."_s.arg(used);
            }
        }
        return *check.failure;
    }

    void leaveBehind(const QString& name, const QString& reason)
    {
        m_failed.insert(name.toCaseFolded());
        m_reasons[name] = reason;
    }

    Connection& m_connection;
    ImportReport& m_report;
    adox::Catalog m_catalog;
    std::set<QString> m_failed; // case-folded names of queries not carried over
    std::map<QString, QString> m_reasons;
};

} // namespace

void importStoredQueries(Connection& connection, const QList<SourceQuery>& queries,
                         ImportReport& report)
{
    QueryImport(connection, report).run(queries);
}

} // namespace jet::importer
