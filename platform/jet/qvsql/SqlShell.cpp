#include "SqlShell.h"

#include "jet/DatabaseFile.h"
#include "jet/schema/DdlExecutor.h"
#include "jet/schema/TableSchema.h"
#include "jet/sql/JetSql.h"
#include "jet/SqliteStatement.h"
#include "jet/StatementSplitter.h"

#include <algorithm>
#include <memory>
#include <sqlite3.h>

namespace {

QString fieldText(const vb::Variant& value)
{
    if (value.isNull() || value.isEmpty()) {
        return {};
    }
    QString text = value.type() == vb::VarType::ByteArray
                       ? QStringLiteral("0x") + QString::fromLatin1(value.toBytes().toHex())
                       : value.toString();
    text.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    text.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return text;
}

QString connectionStringFor(const QString& path, const QString& password)
{
    jet::ConnectionString text;
    text.setValue(jet::ConnectionString::providerKey, jet::ConnectionString::jetProvider);
    text.setValue(jet::ConnectionString::dataSourceKey, path);
    text.setValue(jet::ConnectionString::passwordKey, password);
    return text.toString();
}

void printError(QTextStream& err, const vb::Error& error)
{
    err << "qvsql: " << error.description() << " (error " << error.number();
    if (!error.source().isEmpty()) {
        err << ", " << error.source();
    }
    err << ")\n";
    err.flush();
}

} // namespace

bool SqlShell::create(const QString& path, const QString& password, QTextStream& err)
{
    try {
        jet::createDatabase(path, password);
        return true;
    } catch (const vb::Error& error) {
        printError(err, error);
        return false;
    }
}

void SqlShell::report(const vb::Error& error)
{
    m_out.flush();
    printError(m_err, error);
}

bool SqlShell::open(const QString& path, const QString& password)
{
    try {
        m_connection.open(connectionStringFor(path, password));
        return true;
    } catch (const vb::Error& error) {
        report(error);
        return false;
    }
}

void SqlShell::printRows(jet::ResultSet& rows)
{
    if (m_printedRows) {
        m_out << '\n';
    }
    m_printedRows = true;
    QStringList line;
    for (const jet::Field& field : rows.fields()) {
        line.append(fieldText(vb::Variant(field.name)));
    }
    m_out << line.join(QLatin1Char('\t')) << '\n';
    for (; !rows.eof(); rows.moveNext()) {
        line.clear();
        for (int i = 0; i < rows.fieldCount(); ++i) {
            line.append(fieldText(rows.value(i)));
        }
        m_out << line.join(QLatin1Char('\t')) << '\n';
    }
    m_out.flush();
}

bool SqlShell::run(const QString& jetSql)
{
    try {
        qint64 affected = 0;
        jet::ResultSet rows = m_connection.execute(jetSql, &affected);
        if (rows.isOpen()) {
            printRows(rows);
        } else if (affected > 0 ||
                   jet::translate(jetSql).ddl.action == jet::DdlStatement::Action::None) {
            m_out << affected << (affected == 1 ? " row affected\n" : " rows affected\n");
            m_out.flush();
        }
        return true;
    } catch (const vb::Error& error) {
        report(error);
        return false;
    }
}

bool SqlShell::runScript(const QString& script)
{
    const QStringList statements = jet::StatementSplitter::split(script);
    for (const QString& statement : statements) {
        if (!run(statement)) {
            return false;
        }
    }
    return true;
}

void SqlShell::runInteractive(QTextStream& in)
{
    jet::StatementSplitter splitter;
    m_err << "qvsql: Jet SQL, statements end with \";\"; end of input (Ctrl-D) quits.\n";
    for (;;) {
        m_err << (splitter.pending().isEmpty() ? "qvsql> " : "  ...> ");
        m_err.flush();
        QString line;
        if (!in.readLineInto(&line)) {
            break;
        }
        splitter.add(line + QLatin1Char('\n'));
        for (const QString& statement : splitter.takeStatements()) {
            run(statement);
        }
    }
    if (!splitter.pending().isEmpty()) {
        run(splitter.pending());
    }
    m_err << '\n';
}

bool SqlShell::printSchema()
{
    try {
        sqlite3* db = m_connection.handle();
        QStringList names = jet::tableNames(db);
        std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        m_out << "Table\tColumn\tType\tSize\tRequired\n";
        for (const QString& name : names) {
            const std::optional<jet::TableSchema> table = jet::readTableSchema(db, name);
            for (const jet::ColumnSchema& column :
                 table ? table->columns : QList<jet::ColumnSchema>()) {
                m_out << table->name << '\t' << column.name << '\t'
                      << jet::jetTypeName(column.adoType()) << '\t'
                      << (column.size > 0 ? QString::number(column.size) : QString()) << '\t'
                      << (column.nullable ? "No" : "Yes") << '\n';
            }
        }
        m_out.flush();
        return true;
    } catch (const vb::Error& error) {
        report(error);
        return false;
    }
}

QString SqlShell::schemaPlan(const jet::DdlStatement& statement)
{
    // What a schema statement does depends on the tables it changes: show the statements it
    // would run on the open database, or on an empty one.
    if (m_connection.isOpen()) {
        return jet::DdlExecutor(m_connection.handle()).plan(statement).join(QStringLiteral(";\n"));
    }
    sqlite3* scratch = nullptr;
    sqlite3_open(":memory:", &scratch);
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> owner(scratch, &sqlite3_close);
    jet::registerSqlFunctions(scratch);
    return jet::DdlExecutor(scratch).plan(statement).join(QStringLiteral(";\n"));
}

bool SqlShell::printTranslation(const QString& jetSql)
{
    try {
        const jet::TranslatedStatement statement =
            m_connection.isOpen() ? jet::translate(jetSql, m_connection.translateOptions())
                                  : jet::translate(jetSql);
        const QString sqlite = statement.ddl.action == jet::DdlStatement::Action::None
                                   ? statement.sqlite
                                   : schemaPlan(statement.ddl);
        m_out << sqlite << '\n';
        if (!statement.parameters.isEmpty()) {
            m_out << "-- parameters: " << statement.parameters.join(QStringLiteral(", ")) << '\n';
        }
        m_out.flush();
        return true;
    } catch (const vb::Error& error) {
        report(error);
        return false;
    }
}
