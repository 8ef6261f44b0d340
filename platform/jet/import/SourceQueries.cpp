// Reading MSysQueries.

#include "platform/jet/import/SourceQueries.h"

#include "platform/jet/import/MdbFile.h"
#include "platform/jet/import/RowReader.h"
#include "platform/jet/import/SourceTable.h"

#include <map>

using namespace Qt::StringLiterals;

namespace jet::importer {

namespace {

qint64 number(const QList<vb::Variant>& row, int column)
{
    return column >= 0 && row[column].isNumber() ? row[column].toLong() : 0;
}

QString text(const QList<vb::Variant>& row, int column)
{
    return column < 0 || row[column].isNull() ? QString() : row[column].toString();
}

std::map<QString, QList<QueryRow>> rowsByQuery(const MdbFile& file)
{
    const MdbTablePtr table = file.table(u"MSysQueries"_s);
    const SourceTable source = readSourceTable(file, table.get());
    const auto at = [&](const QString& name) { return source.schema.columnIndex(name); };
    const int object = at(u"ObjectId"_s);
    const int attribute = at(u"Attribute"_s);
    const int name1 = at(u"Name1"_s);
    const int name2 = at(u"Name2"_s);
    const int expression = at(u"Expression"_s);
    const int flag = at(u"Flag"_s);
    const int extra = at(u"LvExtra"_s); // Jet 4 only
    std::map<QString, QList<QueryRow>> rows;
    if (object < 0 || attribute < 0) {
        return rows;
    }
    RowReader reader(file, table.get(), source);
    while (reader.next()) {
        const QList<vb::Variant>& row = reader.values();
        const QString query = file.storedQueryName(number(row, object));
        if (query.isEmpty()) {
            continue;
        }
        rows[query].append(QueryRow{static_cast<int>(number(row, attribute)), text(row, name1),
                                    text(row, name2), text(row, expression),
                                    static_cast<int>(number(row, flag)), number(row, extra)});
    }
    return rows;
}

} // namespace

QList<SourceQuery> readStoredQueries(const MdbFile& file)
{
    const QStringList names = file.storedQueries();
    if (names.isEmpty()) {
        return {};
    }
    const std::map<QString, QList<QueryRow>> rows = rowsByQuery(file);
    QList<SourceQuery> queries;
    for (const QString& name : names) {
        const auto found = rows.find(name);
        SourceQuery query{name, {}};
        if (found == rows.end()) {
            query.text.problem = u"its definition is missing from the file"_s;
        } else {
            query.text = queryText(found->second);
        }
        queries.append(query);
    }
    return queries;
}

} // namespace jet::importer
