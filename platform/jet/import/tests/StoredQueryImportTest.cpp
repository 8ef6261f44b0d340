// The stored queries of real Access files carried over by the import: each keeps the text
// Access shows for it (as another Jet reader rebuilt it, beside the test files), SELECT queries
// are views and parameter and action queries procedures, as ADOX lists them, and what the
// engine cannot run is reported with its text while the import goes on.

#include "ImportedDatabase.h"
#include "MdbTools.h"
#include "platform/jet/adox/Catalog.h"
#include "platform/jet/schema/TableSchema.h"

#include <gtest/gtest.h>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace jet::importer::test {
namespace {

QString normalized(QString sql)
{
    static const QRegularExpression blanks(u"\\s+"_s);
    sql = sql.replace(blanks, u" "_s).trimmed();
    return sql.endsWith(u';') ? sql.chopped(1).trimmed() : sql;
}

bool isReturningRows(const SavedQuery& query)
{
    return query.type == u"SELECT"_s || query.type == u"UNION"_s;
}

class StoredQueries : public testing::TestWithParam<const char*>
{
protected:
    void SetUp() override
    {
        if (accessDataDir().isEmpty()) {
            GTEST_SKIP() << "no shared/testdata/access beside the source tree";
        }
        m_file = accessFile(QString::fromUtf8(GetParam()));
        m_saved = savedQueries(m_file);
        ASSERT_FALSE(m_saved.isEmpty());
        m_db = std::make_unique<ImportedDatabase>(m_file);
    }

    // The text carried over, or else the one reported with the query left behind.
    std::optional<QString> importedText(const QString& name)
    {
        if (const auto stored = storedQuery(m_db->connection().handle(), name)) {
            return stored->jetText;
        }
        for (const QueryLeftBehind& query : m_db->report().queriesLeftBehind) {
            if (query.name == name) {
                return query.jetSql;
            }
        }
        return std::nullopt;
    }

    QString m_file;
    QList<SavedQuery> m_saved;
    std::unique_ptr<ImportedDatabase> m_db;
};

TEST_P(StoredQueries, KeepTheTextAccessShows)
{
    int hidden = 0;
    for (const SavedQuery& saved : m_saved) {
        SCOPED_TRACE(saved.name.toStdString());
        if (saved.name.startsWith(u'~')) {
            ++hidden;
            EXPECT_FALSE(importedText(saved.name));
            continue;
        }
        const std::optional<QString> text = importedText(saved.name);
        ASSERT_TRUE(text);
        QString ours = normalized(*text);
        const QString theirs = normalized(saved.sql);
        // The other reader drops TOP where DISTINCTROW stands before it.
        if (!theirs.contains(u" TOP "_s)) {
            ours.remove(QRegularExpression(u"(?<=DISTINCTROW )TOP \\d+ "_s));
        }
        EXPECT_EQ(ours, theirs);
    }
    EXPECT_EQ(m_db->report().formQueries, hidden);
}

TEST_P(StoredQueries, AreViewsOrProceduresAsAdoxListsThem)
{
    adox::Catalog catalog;
    catalog.setActiveConnection(m_db->connection());
    int carried = 0;
    for (const SavedQuery& saved : m_saved) {
        SCOPED_TRACE(saved.name.toStdString());
        const bool view = catalog.views().find(saved.name) != nullptr;
        const bool procedure = catalog.procedures().find(saved.name) != nullptr;
        if (view || procedure) {
            ++carried;
            EXPECT_NE(view, procedure);
            EXPECT_EQ(view, isReturningRows(saved) && !saved.sql.startsWith(u"PARAMETERS"_s));
        }
    }
    EXPECT_EQ(carried, m_db->report().queries.size());
    EXPECT_EQ(catalog.views().count() + catalog.procedures().count(), carried);
}

// Only what the engine cannot run stays behind: crosstabs, and one query of the Jet 4
// Northwind that adds text and numbers with "+", which Jet refuses as well.
TEST_P(StoredQueries, LeaveBehindOnlyWhatTheEngineCannotRun)
{
    for (const QueryLeftBehind& query : m_db->report().queriesLeftBehind) {
        SCOPED_TRACE(query.name.toStdString());
        const auto saved = std::find_if(m_saved.begin(), m_saved.end(),
                                        [&](const SavedQuery& s) { return s.name == query.name; });
        ASSERT_NE(saved, m_saved.end());
        if (saved->type == u"CROSS_TAB"_s) {
            EXPECT_TRUE(query.reason.contains(u"Crosstab"_s));
        } else {
            EXPECT_EQ(query.name, u"Query1"_s);
            EXPECT_TRUE(query.reason.contains(u"Type mismatch"_s));
        }
    }
    const QString report = m_db->report().toText();
    for (const QueryLeftBehind& query : m_db->report().queriesLeftBehind) {
        EXPECT_TRUE(report.contains(query.name + u": "_s + query.reason));
    }
}

INSTANTIATE_TEST_SUITE_P(Files, StoredQueries,
                         testing::Values("nwind.mdb", "GabrielLogue_Northwind.mdb",
                                         "Planet-Source-Code_Northwind.mdb", "accessLike.mdb"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             QString name = QString::fromUtf8(info.param).section(u'.', 0, 0);
                             name.remove(u'-');
                             return name.toStdString();
                         });

} // namespace
} // namespace jet::importer::test
