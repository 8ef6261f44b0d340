#include "SqlShell.h"

#include "jet/DatabaseFile.h"
#include "jet/DdlExecutor.h"
#include "jet/sql/JetSql.h"
#include "jet/SqliteStatement.h"
#include "jet/StatementSplitter.h"

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
        jet::detail::SqliteStatement tables(
            db, QStringLiteral("SELECT m.name, p.name, p.type, p.\"notnull\" FROM sqlite_schema "
                               "AS m JOIN pragma_table_info(m.name) AS p WHERE m.type = 'table' "
                               "AND m.name NOT LIKE 'MSys%' AND m.name NOT LIKE 'sqlite%' "
                               "ORDER BY m.name COLLATE NOCASE, p.cid"));
        m_out << "Table\tColumn\tType\tSize\tRequired\n";
        while (tables.step()) {
            const jet::ColumnType type = jet::columnTypeFromDeclaration(tables.columnText(2));
            m_out << tables.columnText(0) << '\t' << tables.columnText(1) << '\t'
                  << jet::jetTypeName(type.type) << '\t'
                  << (type.size > 0 ? QString::number(type.size) : QString()) << '\t'
                  << (sqlite3_column_int(tables.get(), 3) ? "Yes" : "No") << '\n';
        }
        m_out.flush();
        return true;
    } catch (const vb::Error& error) {
        report(error);
        return false;
    }
}

bool SqlShell::printTranslation(const QString& jetSql)
{
    try {
        const jet::TranslatedStatement statement =
            m_connection.isOpen() ? jet::translate(jetSql, m_connection.translateOptions())
                                  : jet::translate(jetSql);
        const QString sqlite = statement.ddl.action == jet::DdlStatement::Action::None
                                   ? statement.sqlite
                                   : jet::DdlExecutor::sql(statement.ddl);
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
