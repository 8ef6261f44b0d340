// Importing a Jet database: schema, rows, relationships, verification.

#include "platform/jet/import/DatabaseImport.h"

#include "platform/jet/Connection.h"
#include "platform/jet/DatabaseFile.h"
#include "platform/jet/DatabasePassword.h"
#include "platform/jet/import/ImportError.h"
#include "platform/jet/import/JetFileHeader.h"
#include "platform/jet/import/MdbFile.h"
#include "platform/jet/import/QueryImport.h"
#include "platform/jet/import/RelationshipPlan.h"
#include "platform/jet/import/RowReader.h"
#include "platform/jet/import/SourceQueries.h"
#include "platform/jet/import/SourceRelationships.h"
#include "platform/jet/import/SourceTable.h"
#include "platform/jet/import/TableDigest.h"
#include "platform/jet/recordset/ColumnValue.h"
#include "platform/jet/schema/SchemaEditor.h"
#include "platform/jet/schema/SqliteTableSql.h"
#include "platform/jet/SqliteStatement.h"

#include <algorithm>
#include <map>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace jet::importer {

namespace {

struct ImportedDigest
{
    qint64 rows = 0;
    QByteArray digest;
};

JetHeader checkedHeader(const QString& jetPath, const ImportOptions& options)
{
    switch (databaseFileKind(jetPath)) {
    case DatabaseFileKind::Missing:
        throw importError(jetPath, {}, u"the file does not exist."_s);
    case DatabaseFileKind::Ours:
        throw importError(jetPath, {}, u"it is already a database in the current format."_s);
    case DatabaseFileKind::Ace:
        throw importError(jetPath, {},
                          u"it is an Access 2007 or later database (.accdb), which cannot be "
                          u"imported; only Jet 3 and Jet 4 databases (.mdb) can."_s);
    case DatabaseFileKind::Unknown:
        throw importError(jetPath, {},
                          u"it is neither a Jet (Access) database nor a database in the current "
                          u"format."_s);
    case DatabaseFileKind::Jet3:
    case DatabaseFileKind::Jet4:
        break;
    }
    const std::optional<JetHeader> header = readJetHeader(jetPath);
    if (!header) {
        throw importError(jetPath, {}, u"its header cannot be read."_s);
    }
    const QString given =
        options.password.isEmpty() ? DatabasePassword::systemPassword() : options.password;
    if (!header->password.isEmpty() && header->password != given) {
        throw importError(jetPath, {},
                          u"not a valid password: the database password given does not open "
                          u"this file."_s);
    }
    return *header;
}

QString connectionString(const QString& path, const QString& password)
{
    return u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Jet OLEDB:Database Password=%2"_s.arg(
        path, password);
}

QString bracketed(const QString& name)
{
    return u"["_s + name + u"]"_s;
}

class Importer
{
public:
    Importer(const QString& jetPath, const QString& targetPath, const JetHeader& header)
        : m_file(jetPath, header), m_targetPath(targetPath)
    {
        m_report.source = jetPath;
        m_report.target = targetPath;
        m_report.format = header.kind == DatabaseFileKind::Jet3 ? u"Jet 3 (Access 97)"_s
                                                                : u"Jet 4 (Access 2000-2003)"_s;
        m_report.encoded = header.encoded;
        m_report.hadPassword = !header.password.isEmpty();
    }

    ImportReport run(const QString& password)
    {
        readTables();
        const RelationshipPlan plan = planRelationships(m_names, readRelationships(m_file));
        m_report.notes.append(plan.notes);
        m_keysAfterRows = plan.afterRows;

        createDatabase(m_targetPath, password);
        m_connection.open(connectionString(m_targetPath, password));
        m_connection.beginTrans();
        for (const QString& name : plan.tableOrder) {
            createTable(m_sources.at(name), plan.withTable.at(name));
        }
        // Rows go in with related tables first, so that each row meets its relationships.
        for (const QString& name : plan.tableOrder) {
            copyRows(m_sources.at(name));
        }
        for (const auto& [table, key] : m_keysAfterRows) {
            addKey(table, key);
        }
        importQueries();
        m_connection.commitTrans();
        verify();
        m_connection.close();
        orderReportAsTheFile();
        noteWhatStaysBehind();
        return m_report;
    }

private:
    void readTables()
    {
        for (const QString& name : m_file.userTables()) {
            const MdbTablePtr table = m_file.table(name);
            SourceTable source = readSourceTable(m_file, table.get());
            m_report.notes.append(source.notes);
            if (source.schema.columns.isEmpty()) {
                m_report.notes.append(
                    u"Table %1 not carried over: none of its fields can be."_s.arg(name));
                continue;
            }
            m_names.append(name);
            m_sources.emplace(name, std::move(source));
        }
    }

    // The table with the relationships that can be made with it; one the engine refuses there
    // is tried again alone after the rows, and reported if refused again.
    void createTable(const SourceTable& source, const QList<KeySchema>& keys)
    {
        SchemaEditor editor(m_connection.handle());
        if (!keys.isEmpty()) {
            TableSchema withKeys = source.schema;
            withKeys.keys.append(keys);
            try {
                editor.createTable(withKeys);
                for (const KeySchema& key : keys) {
                    m_report.relationships.append(describeRelationship(source.name, key));
                }
                return;
            } catch (const vb::Error&) {
                for (const KeySchema& key : keys) {
                    m_keysAfterRows.append({source.name, key});
                }
            }
        }
        try {
            editor.createTable(source.schema);
        } catch (const vb::Error& error) {
            throw importError(m_file.path(), source.name,
                              u"the table cannot be made: %1"_s.arg(error.description()));
        }
    }

    void copyRows(const SourceTable& source)
    {
        const MdbTablePtr table = m_file.table(source.name);
        TableDigest digest;
        detail::SqliteStatement insert(m_connection.handle(), insertSql(source.schema));
        RowReader rows(m_file, table.get(), source);
        while (rows.next()) {
            const QList<vb::Variant>& values = rows.values();
            digest.addRow(values);
            for (qsizetype i = 0; i < values.size(); ++i) {
                detail::bindValue(insert.get(), static_cast<int>(i) + 1, values[i]);
            }
            try {
                insert.step();
            } catch (const vb::Error& error) {
                throw importError(
                    m_file.path(), source.name,
                    u"row %1 cannot be stored: %2"_s.arg(rows.rowsRead()).arg(error.description()));
            }
            sqlite3_reset(insert.get());
        }
        if (rows.rowsRead() != source.recordedRows) {
            throw importError(m_file.path(), source.name,
                              u"%1 of its %2 rows could be read; the file is damaged or a page "
                              u"cannot be decoded."_s.arg(rows.rowsRead())
                                  .arg(source.recordedRows));
        }
        m_expected[source.name] = ImportedDigest{digest.rowCount(), digest.result()};
        m_report.tables.append(ImportedTable{source.name, rows.rowsRead()});
    }

    static QString insertSql(const TableSchema& schema)
    {
        QStringList names;
        QStringList marks;
        for (const ColumnSchema& column : schema.columns) {
            names.append(column.name);
            marks.append(u"?"_s);
        }
        return u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(
            detail::quoted(schema.name), detail::quotedList(names), marks.join(u", "_s));
    }

    void addKey(const QString& table, const KeySchema& key)
    {
        try {
            SchemaEditor(m_connection.handle()).addKey(table, key);
        } catch (const vb::Error& error) {
            m_report.notes.append(u"Relationship %1 not carried over: %2"_s.arg(
                describeRelationship(table, key), error.description()));
            return;
        }
        m_report.relationships.append(describeRelationship(table, key));
    }

    // Every table is read back through the engine, as the programs of the suite will read it.
    void verify()
    {
        for (const auto& [name, expected] : m_expected) {
            TableDigest digest;
            ResultSet rows = m_connection.execute(u"SELECT * FROM "_s + bracketed(name));
            QList<vb::Variant> values(rows.fieldCount());
            while (!rows.eof()) {
                for (int i = 0; i < rows.fieldCount(); ++i) {
                    values[i] = rows.value(i);
                }
                digest.addRow(values);
                rows.moveNext();
            }
            if (digest.rowCount() != expected.rows) {
                throw importError(m_file.path(), name,
                                  u"the new database holds %1 rows where the Jet file holds %2."_s
                                      .arg(digest.rowCount())
                                      .arg(expected.rows));
            }
            if (digest.result() != expected.digest) {
                throw importError(m_file.path(), name,
                                  u"the rows read back from the new database differ from the "
                                  u"rows of the Jet file."_s);
            }
        }
    }

    // With the rows and relationships in place, so that each query is verified on what it
    // will read.
    void importQueries() { importStoredQueries(m_connection, readStoredQueries(m_file), m_report); }

    void orderReportAsTheFile()
    {
        std::sort(m_report.tables.begin(), m_report.tables.end(),
                  [this](const ImportedTable& a, const ImportedTable& b) {
                      return m_names.indexOf(a.name) < m_names.indexOf(b.name);
                  });
    }

    void noteWhatStaysBehind()
    {
        for (const QString& linked : m_file.linkedTables()) {
            m_report.notes.append(u"Linked table %1 not carried over: its rows live in another "
                                  u"file."_s.arg(linked));
        }
    }

    MdbFile m_file;
    QString m_targetPath;
    QStringList m_names; // of the tables imported, in the file's order
    std::map<QString, SourceTable> m_sources;
    QList<std::pair<QString, KeySchema>> m_keysAfterRows;
    Connection m_connection;
    std::map<QString, ImportedDigest> m_expected;
    ImportReport m_report;
};

void removeDatabaseFiles(const QString& path)
{
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        QFile::remove(path + QLatin1String(suffix));
    }
}

} // namespace

ImportReport importJetDatabase(const QString& jetPath, const QString& targetPath,
                               const ImportOptions& options)
{
    const JetHeader header = checkedHeader(jetPath, options);
    if (QFileInfo::exists(targetPath)) {
        throw importError(jetPath, {},
                          u"%1 already exists; the import never replaces a file it did not "
                          u"make."_s.arg(targetPath));
    }
    const QString password =
        header.password.isEmpty() ? DatabasePassword::systemPassword() : header.password;
    try {
        Importer importer(jetPath, targetPath, header);
        return importer.run(password);
    } catch (...) {
        removeDatabaseFiles(targetPath);
        throw;
    }
}

} // namespace jet::importer
