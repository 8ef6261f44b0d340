// Importing a Jet database: schema, rows, relationships, verification.

#include "platform/jet/import/DatabaseImport.h"

#include "platform/jet/Connection.h"
#include "platform/jet/DatabaseFile.h"
#include "platform/jet/DatabasePassword.h"
#include "platform/jet/import/ImportError.h"
#include "platform/jet/import/JetFileHeader.h"
#include "platform/jet/import/MdbFile.h"
#include "platform/jet/import/RowReader.h"
#include "platform/jet/import/SourceRelationships.h"
#include "platform/jet/import/SourceTable.h"
#include "platform/jet/import/TableDigest.h"
#include "platform/jet/recordset/ColumnValue.h"
#include "platform/jet/schema/SchemaEditor.h"
#include "platform/jet/schema/SqliteTableSql.h"
#include "platform/jet/SqliteStatement.h"

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
        createDatabase(m_targetPath, password);
        m_connection.open(connectionString(m_targetPath, password));
        m_connection.beginTrans();
        for (const QString& table : m_file.userTables()) {
            copyTable(table);
        }
        addRelationships();
        m_connection.commitTrans();
        verify();
        m_connection.close();
        noteWhatStaysBehind();
        return m_report;
    }

private:
    void copyTable(const QString& name)
    {
        const MdbTablePtr table = m_file.table(name);
        const SourceTable source = readSourceTable(m_file, table.get());
        m_report.notes.append(source.notes);
        if (source.schema.columns.isEmpty()) {
            m_report.notes.append(
                u"Table %1 not carried over: none of its fields can be."_s.arg(name));
            return;
        }
        try {
            SchemaEditor(m_connection.handle()).createTable(source.schema);
        } catch (const vb::Error& error) {
            throw importError(m_file.path(), name,
                              u"the table cannot be made: %1"_s.arg(error.description()));
        }
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
                    m_file.path(), name,
                    u"row %1 cannot be stored: %2"_s.arg(rows.rowsRead()).arg(error.description()));
            }
            sqlite3_reset(insert.get());
        }
        if (rows.rowsRead() != source.recordedRows) {
            throw importError(m_file.path(), name,
                              u"%1 of its %2 rows could be read; the file is damaged or a page "
                              u"cannot be decoded."_s.arg(rows.rowsRead())
                                  .arg(source.recordedRows));
        }
        m_expected[name] = ImportedDigest{digest.rowCount(), digest.result()};
        m_report.tables.append(ImportedTable{name, rows.rowsRead()});
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

    void addRelationships()
    {
        for (const SourceRelationship& relationship : readRelationships(m_file)) {
            const QString described = u"%1: %2 (%3) -> %4 (%5)"_s.arg(
                relationship.name, relationship.table, relationship.columns.join(u", "_s),
                relationship.relatedTable, relationship.relatedColumns.join(u", "_s));
            if (!m_expected.count(relationship.table) ||
                !m_expected.count(relationship.relatedTable)) {
                continue; // between tables that stay behind (linked or system tables)
            }
            if (!relationship.enforced) {
                m_report.notes.append(u"Relationship %1 not carried over: the Jet file does not "
                                      u"enforce its referential integrity."_s.arg(described));
                continue;
            }
            KeySchema key;
            key.name = relationship.name;
            key.kind = KeySchema::Kind::Foreign;
            key.columns = relationship.columns;
            key.relatedTable = relationship.relatedTable;
            key.relatedColumns = relationship.relatedColumns;
            key.onUpdate = relationship.cascadeUpdates ? ReferentialAction::Cascade
                                                       : ReferentialAction::NoAction;
            key.onDelete = relationship.cascadeDeletes ? ReferentialAction::Cascade
                                                       : ReferentialAction::NoAction;
            try {
                SchemaEditor(m_connection.handle()).addKey(relationship.table, key);
            } catch (const vb::Error& error) {
                m_report.notes.append(
                    u"Relationship %1 not carried over: %2"_s.arg(described, error.description()));
                continue;
            }
            QStringList rules;
            if (relationship.cascadeUpdates) {
                rules.append(u"cascading updates"_s);
            }
            if (relationship.cascadeDeletes) {
                rules.append(u"cascading deletes"_s);
            }
            m_report.relationships.append(
                rules.isEmpty() ? described : described + u", "_s + rules.join(u" and "_s));
        }
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

    void noteWhatStaysBehind()
    {
        for (const QString& linked : m_file.linkedTables()) {
            m_report.notes.append(u"Linked table %1 not carried over: its rows live in another "
                                  u"file."_s.arg(linked));
        }
        m_report.queries = m_file.storedQueries();
    }

    MdbFile m_file;
    QString m_targetPath;
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
