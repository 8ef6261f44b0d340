#include "SampleFixture.h"

#include <map>

namespace sample::test {

const BuiltInstallation& installation(int wines)
{
    static std::map<int, std::unique_ptr<BuiltInstallation>> built;
    auto& slot = built[wines];
    if (!slot) {
        slot = std::make_unique<BuiltInstallation>();
        slot->folder = slot->parent.filePath(QStringLiteral("Quorvex"));
        InstallationOptions options;
        options.wines = wines;
        slot->summary = writeInstallation(slot->folder, options);
    }
    return *slot;
}

QString databasePath(const BuiltInstallation& built, const QString& file)
{
    return built.folder + QLatin1Char('/') + file;
}

QVariant scalar(const QString& databasePath, const QString& jetSql)
{
    jet::Connection connection;
    connection.open(connectionString(databasePath));
    jet::ResultSet rows = connection.execute(jetSql);
    if (rows.eof()) {
        return {};
    }
    const vb::Variant value = rows.value(0);
    if (value.isNull() || value.isEmpty()) {
        return {};
    }
    if (value.isString()) {
        return value.toString();
    }
    return value.toDouble();
}

QStringList column(const QString& databasePath, const QString& jetSql)
{
    jet::Connection connection;
    connection.open(connectionString(databasePath));
    QStringList values;
    for (jet::ResultSet rows = connection.execute(jetSql); !rows.eof(); rows.moveNext()) {
        const vb::Variant value = rows.value(0);
        values.append(value.isNull() ? QStringLiteral("<null>") : value.toString());
    }
    return values;
}

} // namespace sample::test
