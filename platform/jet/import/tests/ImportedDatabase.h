#pragma once

// A Jet test file imported into a temporary folder, and the rows of its tables read back
// through the engine.

#include "platform/jet/Connection.h"
#include "platform/jet/import/ImportReport.h"

#include <memory>
#include <QString>
#include <QTemporaryDir>

namespace jet::importer::test {

class ImportedDatabase
{
public:
    // Raises what the import raises.
    explicit ImportedDatabase(const QString& jetFile, const QString& password = {});

    const QString& path() const { return m_path; }
    const ImportReport& report() const { return m_report; }
    Connection& connection();

    // The first value of the first row of a Jet SQL query.
    vb::Variant scalar(const QString& jetSql);

private:
    QTemporaryDir m_dir;
    QString m_path;
    ImportReport m_report;
    QString m_password; // the imported database keeps the Access file's password
    std::unique_ptr<Connection> m_connection;
};

QString connectionStringFor(const QString& path);

} // namespace jet::importer::test
