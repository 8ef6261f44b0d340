#include "SchemaScript.h"

#include "jet/Connection.h"
#include "jet/schema/SchemaEditor.h"
#include "jet/schema/TableSchema.h"
#include "jet/StatementSplitter.h"
#include "vb/Error.h"

#include <QFile>
#include <QRegularExpression>

namespace sample {

namespace {

// "CREATE VIEW name AS SELECT ...": a stored query. The engine's SQL has no statement for it,
// so it goes to the catalog directly, with the query's Jet text as written.
bool saveView(jet::Connection& connection, const QString& statement)
{
    static const QRegularExpression view(
        QStringLiteral("^\\s*CREATE\\s+VIEW\\s+\\[?([A-Za-z0-9_]+)\\]?\\s+AS\\s+(.+)$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = view.match(statement);
    if (!match.hasMatch()) {
        return false;
    }
    jet::StoredQuerySchema query;
    query.name = match.captured(1);
    query.jetText = match.captured(2).trimmed();
    jet::SchemaEditor(connection.handle()).saveQuery(query);
    return true;
}

// The old program's text columns took "" wherever they took Null (Allow Zero Length), which
// Jet SQL cannot say; the property is set here, after the script.
void allowZeroLengthTexts(jet::Connection& connection)
{
    sqlite3* db = connection.handle();
    jet::SchemaEditor editor(db);
    for (const QString& table : jet::tableNames(db)) {
        std::optional<jet::TableSchema> schema = jet::readTableSchema(db, table);
        if (!schema) {
            continue;
        }
        bool changed = false;
        for (jet::ColumnSchema& column : schema->columns) {
            if (column.isText() && column.nullable && !column.allowZeroLength) {
                column.allowZeroLength = true;
                changed = true;
            }
        }
        if (changed) {
            editor.alterTable(*schema); // one copy of the (still empty) table
        }
    }
}

} // namespace

QString schemaScript(const QString& name)
{
    QFile file(QStringLiteral(":/sample/schema/%1.sql").arg(name));
    if (!file.open(QIODevice::ReadOnly)) {
        throw vb::Error(
            vb::ErrorNumber::FileNotFound,
            QStringLiteral("The schema script '%1' is not built into this program.").arg(name),
            QStringLiteral("sample"));
    }
    return QString::fromUtf8(file.readAll());
}

void runSchemaScript(jet::Connection& connection, const QString& name)
{
    const QStringList statements = jet::StatementSplitter::split(schemaScript(name));
    for (const QString& statement : statements) {
        try {
            if (!saveView(connection, statement)) {
                connection.execute(statement);
            }
        } catch (const vb::Error& error) {
            throw vb::Error(error.number(),
                            QStringLiteral("Schema script '%1' failed: %2\nStatement: %3")
                                .arg(name, error.description(), statement.simplified()),
                            error.source());
        }
    }
    allowZeroLengthTexts(connection);
}

} // namespace sample
