// The text of an import report.

#include "platform/jet/import/ImportReport.h"

#include <QDir>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace jet::importer {

namespace {

void appendSection(QString& text, const QString& title, const QStringList& lines)
{
    if (lines.isEmpty()) {
        return;
    }
    text += u"\n"_s + title + u"\n"_s;
    for (const QString& line : lines) {
        text += u"  "_s + line + u"\n"_s;
    }
}

void appendQueries(QString& text, const ImportReport& report)
{
    QStringList carried;
    QStringList asking;
    int procedures = 0;
    for (const ImportedQuery& query : report.queries) {
        carried.append(query.procedure ? query.name + u" (procedure)"_s : query.name);
        procedures += query.procedure ? 1 : 0;
        if (!query.parameters.isEmpty()) {
            asking.append(u"%1: %2"_s.arg(query.name, query.parameters.join(u", "_s)));
        }
    }
    if (!carried.isEmpty()) {
        text += u"\nStored queries: %1 carried over (%2 views, %3 procedures), each run or "
                u"compiled on the imported tables.\n"_s.arg(report.queries.size())
                    .arg(report.queries.size() - procedures)
                    .arg(procedures);
    }
    appendSection(text, u"Stored queries carried over:"_s, carried);
    appendSection(text, u"Stored queries that ask for values when they are run:"_s, asking);
    static const QRegularExpression lineBreak(u"\r?\n"_s);
    QStringList leftBehind;
    for (const QueryLeftBehind& query : report.queriesLeftBehind) {
        leftBehind.append(query.name + u": "_s + query.reason);
        for (const QString& line : query.jetSql.split(lineBreak, Qt::SkipEmptyParts)) {
            leftBehind.append(u"    "_s + line);
        }
    }
    appendSection(text, u"Stored queries not carried over (make them again where still needed):"_s,
                  leftBehind);
    if (report.formQueries > 0) {
        text += u"\n%1 hidden queries of forms and reports were not carried over.\n"_s.arg(
            report.formQueries);
    }
}

} // namespace

qint64 ImportReport::totalRows() const
{
    qint64 total = 0;
    for (const ImportedTable& table : tables) {
        total += table.rows;
    }
    return total;
}

QString ImportReport::toText() const
{
    QString text = u"Imported %1\n      into %2\n"_s.arg(QDir::toNativeSeparators(source),
                                                         QDir::toNativeSeparators(target));
    text += u"Format: %1%2%3\n"_s.arg(format, encoded ? u", encoded pages"_s : QString(),
                                      hadPassword ? u", database password"_s : QString());
    QStringList tableLines;
    int width = 0;
    for (const ImportedTable& table : tables) {
        width = std::max(width, static_cast<int>(table.name.size()));
    }
    for (const ImportedTable& table : tables) {
        tableLines.append(u"%1  %2 rows"_s.arg(table.name, -width).arg(table.rows, 8));
    }
    text += u"Tables: %1, rows: %2; every table's rows verified after the import.\n"_s
                .arg(tables.size())
                .arg(totalRows());
    appendSection(text, u"Rows per table:"_s, tableLines);
    appendSection(text, u"Relationships:"_s, relationships);
    appendSection(text, u"Left behind or changed:"_s, notes);
    appendQueries(text, *this);
    return text;
}

} // namespace jet::importer
