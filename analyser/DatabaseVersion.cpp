#include "DatabaseVersion.h"

#include "clsADOHelper.h"

#include <array>
#include <exception>
#include <memory>

namespace analyser {

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
