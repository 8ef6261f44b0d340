// Running mdbtools' programs and parsing what they print.

#include "MdbTools.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace jet::importer::test {

namespace {

QByteArray run(const QString& program, const QStringList& arguments, const QByteArray& input = {})
{
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return process.readAllStandardOutput();
}

// RFC 4180 CSV with quotes doubled inside quoted fields; an unquoted empty field is Null.
QList<ExportedRow> parseCsv(const QString& text)
{
    QList<ExportedRow> rows;
    ExportedRow row;
    QString field;
    bool quoted = false;
    bool inQuotes = false;
    const auto endField = [&] {
        row.append(quoted || !field.isEmpty() ? std::optional<QString>(field) : std::nullopt);
        field.clear();
        quoted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (inQuotes) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += c;
                ++i;
            } else if (c == u'"') {
                inQuotes = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            inQuotes = true;
            quoted = true;
        } else if (c == u',') {
            endField();
        } else if (c == u'\n') {
            endField();
            rows.append(row);
            row.clear();
        } else {
            field += c;
        }
    }
    return rows;
}

} // namespace

QString accessDataDir()
{
    const QDir dir(QString::fromLocal8Bit(qgetenv("QV_SOURCE_DIR")) +
                   u"/../shared/testdata/access"_s);
    return qgetenv("QV_SOURCE_DIR").isEmpty() || !dir.exists() ? QString() : dir.absolutePath();
}

QString accessFile(const QString& name)
{
    return accessDataDir() + u"/"_s + name;
}

ExportedTable mdbExport(const QString& file, const QString& table)
{
    const QString csv =
        QString::fromUtf8(run(u"mdb-export"_s, {u"-b"_s, u"hex"_s, u"-T"_s, u"%Y-%m-%d %H:%M:%S"_s,
                                                u"-D"_s, u"%Y-%m-%d %H:%M:%S"_s, file, table}));
    QList<ExportedRow> rows = parseCsv(csv);
    ExportedTable result;
    if (!rows.isEmpty()) {
        for (const std::optional<QString>& name : rows.takeFirst()) {
            result.columns.append(name.value_or(QString()));
        }
    }
    result.rows = rows;
    return result;
}

QStringList mdbTables(const QString& file)
{
    return QString::fromUtf8(run(u"mdb-tables"_s, {u"-1"_s, file}))
        .split(u'\n', Qt::SkipEmptyParts);
}

qint64 mdbSqlCount(const QString& file, const QString& table)
{
    const QByteArray out = run(u"mdb-sql"_s, {u"-H"_s, u"-F"_s, u"-P"_s, file},
                               u"select count(*) from %1\n"_s.arg(table).toUtf8());
    bool ok = false;
    const qint64 count = out.trimmed().toLongLong(&ok);
    return ok ? count : -1;
}

QList<SavedQuery> savedQueries(const QString& jetFile)
{
    QFile file(jetFile + u".queries.sql"_s);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    static const QRegularExpression header(u"^## (.*)\\t\\[(\\w+)\\]$"_s);
    QList<SavedQuery> queries;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QRegularExpressionMatch match = header.match(line);
        if (match.hasMatch()) {
            queries.append({match.captured(1), match.captured(2), {}});
        } else if (!queries.isEmpty() && !line.startsWith(u'#')) {
            queries.last().sql += line + u'\n';
        }
    }
    return queries;
}

} // namespace jet::importer::test
