#include "JetSql.h"

#include "Parser.h"
#include "Translator.h"

namespace jet {

SqlSyntaxError::SqlSyntaxError(QString description, int position_)
    : vb::Error(Number, std::move(description), QStringLiteral("Jet SQL")), position(position_)
{
}

TranslatedStatement translate(const QString& jetSql, const TranslateOptions& options)
{
    return sql::writeStatement(sql::parseStatement(jetSql), options);
}

} // namespace jet
