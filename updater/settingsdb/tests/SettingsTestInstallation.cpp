#include "SettingsTestInstallation.h"

#include "common/DatabaseConnection.h"
#include "jet/DatabaseFile.h"
#include "sample/ExchangeRates.h"
#include "sample/Installation.h"
#include "sample/SampleRandom.h"
#include "sample/SchemaScript.h"
#include "sample/SettingsWriter.h"
#include "sample/WebLinksWriter.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

namespace updater::testing {

namespace {

void writeDatabase(const QString& path, const QString& script,
                   const std::function<void(jet::Connection&)>& fill)
{
    jet::createDatabase(path, DatabaseHelpers::DatabasePassword);
    jet::Connection connection;
    connection.open(DatabaseHelpers::UpdaterConnectionString(path));
    sample::runSchemaScript(connection, script);
    connection.beginTrans();
    fill(connection);
    connection.commitTrans();
    connection.close();
}

struct OpenDatabase
{
    explicit OpenDatabase(const QString& path)
    {
        connection.open(DatabaseHelpers::UpdaterConnectionString(path));
    }
    jet::Connection connection;
};

QList<vb::Variant> firstColumn(jet::Connection& connection, const QString& sql)
{
    QList<vb::Variant> values;
    jet::ResultSet rows = connection.execute(sql);
    while (!rows.eof()) {
        values.append(rows.value(0));
        rows.moveNext();
    }
    return values;
}

vb::Variant firstValue(jet::Connection& connection, const QString& sql)
{
    jet::ResultSet rows = connection.execute(sql);
    if (rows.eof())
        return vb::Variant::null();
    return rows.value(0);
}

// The sample's files, made once per test program and copied for each installation: making
// them costs far more than copying them.
class TemplateFolder
{
public:
    static const TemplateFolder& instance()
    {
        static const TemplateFolder folder;
        return folder;
    }

    void copyTo(const QString& folder, const QString& name) const
    {
        const QString from = m_dir.filePath(name);
        // A closed database has no write-ahead log left; a byte copy is then the whole file.
        if (QFile::exists(from + QStringLiteral("-wal")))
            throw std::runtime_error("template database still has a write-ahead log");
        if (!QFile::copy(from, QDir(folder).filePath(name)))
            throw std::runtime_error("cannot copy a template file");
    }

private:
    TemplateFolder()
    {
        if (!m_dir.isValid())
            throw std::runtime_error("no temporary folder");
        sample::SampleRandom random;
        writeDatabase(m_dir.filePath(QStringLiteral("settings.dat")), QStringLiteral("settings3"),
                      [&](jet::Connection& c) { sample::writeSettings(c, 50, random); });
        writeDatabase(m_dir.filePath(QStringLiteral("printlabels.dat")),
                      QStringLiteral("printlabels"), sample::writePrintLabels);
        writeDatabase(m_dir.filePath(QStringLiteral("Auctions.dat")), QStringLiteral("auctions"),
                      sample::writeAuctions);
        writeDatabase(m_dir.filePath(QStringLiteral("weblinks.dat")), QStringLiteral("weblinks1"),
                      sample::writeWebLinks);
        writeDatabase(m_dir.filePath(QStringLiteral("nolinks.dat")), QStringLiteral("weblinks1"),
                      [](jet::Connection& c) {
                          c.execute(QStringLiteral("INSERT INTO tblDBVer (Version) VALUES (1)"));
                      });
    }

    QTemporaryDir m_dir;
};

} // namespace

SettingsTestInstallation::SettingsTestInstallation()
    : m_line([this](const QString& text) {
          if (m_progress.isEmpty() || m_progress.back() != text)
              m_progress.append(text);
      })
{
    if (!m_dir.isValid() || !QDir(m_dir.path()).mkdir(QStringLiteral("Tools")))
        throw std::runtime_error("no temporary folder");
    const TemplateFolder& source = TemplateFolder::instance();
    for (const char* name : {"settings.dat", "printlabels.dat", "Auctions.dat"})
        source.copyTo(m_dir.path(), QString::fromLatin1(name));
    writeRates(sample::ratesFileText());

    m_state.toolsFolder = m_dir.filePath(QStringLiteral("Tools")) + QLatin1Char('/');
    auto& slot = m_state.connections.slot(DatabaseKind::Settings);
    slot = std::make_unique<jet::Connection>();
    DatabaseHelpers::OpenDatabase(*slot, filePath(QStringLiteral("settings.dat")), true);
}

jet::Connection& SettingsTestInstallation::settings()
{
    return m_state.connection(DatabaseKind::Settings);
}

QString SettingsTestInstallation::filePath(const QString& name) const
{
    return m_dir.filePath(name);
}

void SettingsTestInstallation::writeRates(const QByteArray& content) const
{
    QFile file(filePath(QStringLiteral("rates.dat")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(content) != content.size())
        throw std::runtime_error("cannot write rates.dat");
}

void SettingsTestInstallation::removeFile(const QString& name) const
{
    QFile::remove(filePath(name));
}

void SettingsTestInstallation::makeDatabase(const QString& name, const QString& script) const
{
    writeDatabase(filePath(name), script, [](jet::Connection&) {});
}

void SettingsTestInstallation::execute(const QString& sql)
{
    settings().execute(sql);
}

void SettingsTestInstallation::executeIn(const QString& fileName, const QString& sql) const
{
    OpenDatabase database(filePath(fileName));
    database.connection.execute(sql);
}

vb::Variant SettingsTestInstallation::value(const QString& sql)
{
    return firstValue(settings(), sql);
}

vb::Variant SettingsTestInstallation::valueIn(const QString& fileName, const QString& sql) const
{
    OpenDatabase database(filePath(fileName));
    return firstValue(database.connection, sql);
}

QList<vb::Variant> SettingsTestInstallation::column(const QString& sql)
{
    return firstColumn(settings(), sql);
}

QList<vb::Variant> SettingsTestInstallation::webLinksColumn(const QString& sql)
{
    return firstColumn(webLinks(), sql);
}

vb::Variant SettingsTestInstallation::webLinksValue(const QString& sql)
{
    return firstValue(webLinks(), sql);
}

void SettingsTestInstallation::executeInWebLinks(const QString& sql)
{
    webLinks().execute(sql);
}

int SettingsTestInstallation::webLinksVersion()
{
    return webLinksValue(QStringLiteral("SELECT Version FROM tblDBVer")).toLong();
}

void SettingsTestInstallation::addWebLinks(bool sampleLinks)
{
    const QString path = filePath(QStringLiteral("weblinks.dat"));
    TemplateFolder::instance().copyTo(m_dir.path(), sampleLinks ? QStringLiteral("weblinks.dat")
                                                                : QStringLiteral("nolinks.dat"));
    if (!sampleLinks)
        QFile::rename(filePath(QStringLiteral("nolinks.dat")), path);
    auto& slot = m_state.connections.slot(DatabaseKind::Weblinks);
    slot = std::make_unique<jet::Connection>();
    DatabaseHelpers::OpenDatabase(*slot, path, true);
}

jet::Connection& SettingsTestInstallation::webLinks()
{
    return m_state.connection(DatabaseKind::Weblinks);
}

qint64 SettingsTestInstallation::count(const QString& table)
{
    return value(QStringLiteral("SELECT Count(*) FROM ") + table).toLong();
}

int SettingsTestInstallation::version()
{
    return value(QStringLiteral("SELECT Version FROM tblDBVer")).toLong();
}

std::optional<jet::TableSchema> SettingsTestInstallation::schema(const QString& table)
{
    return jet::readTableSchema(settings().handle(), table);
}

std::optional<jet::TableSchema> SettingsTestInstallation::schemaIn(const QString& fileName,
                                                                   const QString& table) const
{
    OpenDatabase database(filePath(fileName));
    return jet::readTableSchema(database.connection.handle(), table);
}

std::optional<jet::ColumnSchema> SettingsTestInstallation::columnSchema(const QString& table,
                                                                        const QString& column)
{
    return findColumn(schema(table), column);
}

std::optional<jet::ColumnSchema> findColumn(const std::optional<jet::TableSchema>& table,
                                            const QString& column)
{
    if (!table)
        return std::nullopt;
    const int at = table->columnIndex(column);
    if (at < 0)
        return std::nullopt;
    return table->columns.at(at);
}

} // namespace updater::testing
