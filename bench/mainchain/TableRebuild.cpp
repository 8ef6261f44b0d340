// rebuildTable: SQLite's documented table rebuild for a column type change.

#include "TableRebuild.h"

#include "BenchFailure.h"
#include "RawDatabase.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace mainchain {

namespace {

// The comma-separated parts between the outer parentheses of a CREATE TABLE text.
QStringList definitionParts(const QString& createSql)
{
    const qsizetype open = createSql.indexOf(u'(');
    const qsizetype close = createSql.lastIndexOf(u')');
    if (open < 0 || close < open)
        fail(u"cannot read the definition "_s + createSql.left(120));
    QStringList parts;
    QString part;
    int depth = 0;
    QChar quote;
    for (qsizetype i = open + 1; i < close; ++i) {
        const QChar c = createSql[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'' || c == u'`') {
            quote = c;
        } else if (c == u'[') {
            quote = u']';
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            --depth;
        } else if (c == u',' && depth == 0) {
            parts << part.trimmed();
            part.clear();
            continue;
        }
        part += c;
    }
    parts << part.trimmed();
    return parts;
}

// The column a definition part names (its first word, unquoted).
QString columnOf(const QString& part)
{
    if (part.startsWith(u'"')) {
        const qsizetype end = part.indexOf(u'"', 1);
        return part.mid(1, end - 1);
    }
    return part.section(u' ', 0, 0);
}

QStringList schemaOf(const RawDatabase& db, const QString& table)
{
    QStringList sql;
    RawStatement query = db.prepare(u"SELECT sql FROM sqlite_schema WHERE tbl_name = ?1 AND "
                                    "type IN ('index', 'trigger') AND sql IS NOT NULL"_s);
    query.bind(1, table);
    while (query.step())
        sql << query.text(0);
    return sql;
}

} // namespace

void rebuildTable(const RawDatabase& db, const QString& table,
                  const QMap<QString, QString>& definitions)
{
    const QString createSql =
        db.value(u"SELECT sql FROM sqlite_schema WHERE type = 'table' AND name = '%1'"_s.arg(table))
            .toString();
    QStringList parts = definitionParts(createSql);
    QStringList columns;
    for (QString& part : parts) {
        const QString column = columnOf(part);
        for (auto changed = definitions.begin(); changed != definitions.end(); ++changed) {
            if (changed.key().compare(column, Qt::CaseInsensitive) == 0)
                part = changed.value();
        }
    }
    RawStatement names = db.prepare(u"SELECT name FROM pragma_table_info(?1) ORDER BY cid"_s);
    names.bind(1, table);
    while (names.step())
        columns << quoted(names.text(0));
    const QStringList others = schemaOf(db, table);
    const vb::Variant sequence =
        db.value(u"SELECT seq FROM sqlite_sequence WHERE name = '%1'"_s.arg(table));

    const QString rebuilt = quoted(u"rebuild_"_s + table);
    const QString list = columns.join(u", "_s);
    db.exec(u"CREATE TABLE %1 (%2)"_s.arg(rebuilt, parts.join(u", "_s)));
    db.exec(u"INSERT INTO %1 (%2) SELECT %2 FROM %3"_s.arg(rebuilt, list, quoted(table)));
    db.exec(u"DROP TABLE "_s + quoted(table));
    db.exec(u"ALTER TABLE %1 RENAME TO %2"_s.arg(rebuilt, quoted(table)));
    for (const QString& sql : others)
        db.exec(sql);
    if (!sequence.isNull())
        db.prepare(u"UPDATE sqlite_sequence SET seq = ?1 WHERE name = ?2"_s)
            .bind(1, qint64{sequence.toLong()})
            .bind(2, table)
            .run();
}

} // namespace mainchain
