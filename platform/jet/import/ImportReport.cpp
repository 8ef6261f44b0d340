// The text of an import report.

#include "platform/jet/import/ImportReport.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace jet::importer {

namespace {

// The stored queries the updater makes itself in a main wine database.
const QStringList kUpdaterQueries{u"CalcDHI"_s, u"CurrentQuery"_s, u"ReverseQuery"_s};

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
    QStringList own;
    QStringList others;
    int hidden = 0;
    for (const QString& query : queries) {
        if (kUpdaterQueries.contains(query)) {
            own.append(query);
        } else if (query.startsWith(u"~"_s)) {
            ++hidden;
        } else {
            others.append(query);
        }
    }
    if (!own.isEmpty()) {
        appendSection(text, u"Stored queries the update program makes again:"_s, own);
    }
    if (!others.isEmpty()) {
        appendSection(text,
                      u"Stored queries not carried over (make them again where still needed):"_s,
                      others);
    }
    if (hidden > 0) {
        text += u"\n%1 hidden queries of forms and reports were not carried over.\n"_s.arg(hidden);
    }
    return text;
}

} // namespace jet::importer
