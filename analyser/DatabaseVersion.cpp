#include "DatabaseVersion.h"

#include "clsADOHelper.h"

#include <array>
#include <exception>
#include <memory>
#include <QFile>
#include <QFileInfo>

namespace analyser {

namespace {

// A database that cannot be written is opened read-only, and SQLite then leaves the -wal and
// -shm files it made beside it (only a connection that may write removes them on close). What
// the look at the version created is removed again, so the installation stays as it was and a
// later run does not list the analyser's own files. A -wal that holds anything is never ours:
// a read-only connection writes nothing into it.
class SideFilesOfOneLook
{
public:
    explicit SideFilesOfOneLook(const QString& database)
        : m_wal(database + QStringLiteral("-wal")), m_shm(database + QStringLiteral("-shm")),
          m_walBefore(QFileInfo::exists(m_wal)), m_shmBefore(QFileInfo::exists(m_shm))
    {
    }
    ~SideFilesOfOneLook()
    {
        if (m_walBefore || m_shmBefore)
            return; // someone else has the database open
        const QFileInfo wal(m_wal);
        if (wal.exists() && wal.size() != 0)
            return;
        QFile::remove(m_wal);
        QFile::remove(m_shm);
    }
    SideFilesOfOneLook(const SideFilesOfOneLook&) = delete;
    SideFilesOfOneLook& operator=(const SideFilesOfOneLook&) = delete;

private:
    QString m_wal;
    QString m_shm;
    bool m_walBefore;
    bool m_shmBefore;
};

} // namespace

bool isDatabaseFile(const QString& upperCasePath)
{
    static const std::array<QLatin1String, 6> endings = {
        QLatin1String(".QVD"),         QLatin1String(".LAN"),
        QLatin1String(".ENC"),         QLatin1String("SETTINGS.DAT"),
        QLatin1String("WEBLINKS.DAT"), QLatin1String("TEMPLATE.TDB")};
    for (const QLatin1String& ending : endings) {
        if (upperCasePath.endsWith(ending))
            return true;
    }
    return false;
}

QString databaseVersionText(const QString& path, const clsADOHelper& helper)
{
    const SideFilesOfOneLook sideFiles(path);
    QString errorText = kCannotOpenDatabase;
    QString result;
    auto cnn = std::make_unique<jet::Connection>();
    std::unique_ptr<jet::Recordset> rs;
    try {
        helper.OpenDatabase(*cnn, path, true);
        if (!cnn->errors().isEmpty()) {
            result = errorText;
        } else {
            errorText = kCannotOpenVersionTable;
            rs = std::make_unique<jet::Recordset>();
            helper.OpenRecordset(*rs, *cnn, QStringLiteral("tblDBVer"), true, QString());
            // An empty table raises "no current record", a Null version "invalid use of Null".
            result = rs->value(QStringLiteral("Version")).toString();
        }
    } catch (const DatabaseEngineMissing&) {
        clsADOHelper::CloseADOObject(rs);
        clsADOHelper::CloseADOObject(cnn);
        throw;
    } catch (const std::exception&) {
        result = errorText;
    }
    clsADOHelper::CloseADOObject(rs);
    clsADOHelper::CloseADOObject(cnn);
    return result;
}

} // namespace analyser
