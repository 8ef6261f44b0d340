// Importing a test file into a temporary folder.

#include "ImportedDatabase.h"

#include "platform/jet/DatabasePassword.h"
#include "platform/jet/import/DatabaseImport.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace jet::importer::test {

QString connectionStringFor(const QString& path)
{
    return u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Jet OLEDB:Database Password=%2"_s.arg(
        path, DatabasePassword::systemPassword());
}

ImportedDatabase::ImportedDatabase(const QString& jetFile, const QString& password)
    : m_path(m_dir.filePath(QFileInfo(jetFile).completeBaseName() + u".qvd"_s))
{
    ImportOptions options;
    options.password = password;
    m_report = importJetDatabase(jetFile, m_path, options);
    m_password = password.isEmpty() ? DatabasePassword::systemPassword() : password;
}

Connection& ImportedDatabase::connection()
{
    if (!m_connection) {
        m_connection = std::make_unique<Connection>();
        m_connection->open(
            u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Jet OLEDB:Database Password=%2"_s.arg(
                m_path, m_password));
    }
    return *m_connection;
}

vb::Variant ImportedDatabase::scalar(const QString& jetSql)
{
    ResultSet rows = connection().execute(jetSql);
    return rows.eof() ? vb::Variant::null() : rows.value(0);
}

} // namespace jet::importer::test
