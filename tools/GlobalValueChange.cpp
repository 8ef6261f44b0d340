#include "GlobalValueChange.h"

#include "platform/jet/Connection.h"
#include "platform/vb/ConversionFunctions.h"

#include <utility>

namespace gorvane {

namespace {

const std::pair<QString, QString> captionFields[] = {
    {QStringLiteral("Vintage"), QStringLiteral("Vintage")},
    {QStringLiteral("From"), QStringLiteral("DrinkFrom")},
    {QStringLiteral("Best"), QStringLiteral("Optimal")},
    {QStringLiteral("Peak"), QStringLiteral("Peak")},
    {QStringLiteral("To"), QStringLiteral("DrinkTo")},
    {QStringLiteral("Label"), QStringLiteral("Label")},
    {QStringLiteral("User01"), QStringLiteral("User01")},
    {QStringLiteral("User02"), QStringLiteral("User02")},
    {QStringLiteral("User03"), QStringLiteral("User03")},
    {QStringLiteral("User04"), QStringLiteral("User04")},
    {QStringLiteral("User05"), QStringLiteral("User05")},
};

// A Jet text literal's inside: the quote that delimits it doubled.
QString quoteDoubled(QString value)
{
    return value.replace(QLatin1Char('\''), QStringLiteral("''"));
}

} // namespace

const QStringList& globalChangeCaptions()
{
    static const QStringList captions = [] {
        QStringList list;
        for (const auto& [caption, field] : captionFields)
            list << caption;
        return list;
    }();
    return captions;
}

QString wineField(const QString& caption)
{
    for (const auto& [known, field] : captionFields)
        if (known == caption)
            return field;
    return {};
}

bool isDrinkingWindowCaption(const QString& caption)
{
    return caption == QLatin1String("From") || caption == QLatin1String("Best") ||
           caption == QLatin1String("Peak") || caption == QLatin1String("To");
}

bool isValidVintage(const QString& value)
{
    return value.size() == 4 && vb::IsNumeric(vb::Variant(value)).toBoolean();
}

QString globalChangeStatement(const QString& field, const QString& oldValue,
                              const QString& newValue)
{
    return QStringLiteral("UPDATE tblWines SET tblWines.") + field + QStringLiteral(" = '") +
           quoteDoubled(newValue) + QStringLiteral("' WHERE tblWines.") + field +
           QStringLiteral(" ='") + quoteDoubled(oldValue) + QStringLiteral("';");
}

long long ChangeAllValues(jet::Connection& connection, const QString& field,
                          const QString& oldValue, const QString& newValue)
{
    qint64 affected = 0;
    connection.execute(globalChangeStatement(field, oldValue, newValue), &affected);
    return affected;
}

} // namespace gorvane
