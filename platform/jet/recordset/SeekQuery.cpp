#include "SeekQuery.h"

#include "RecordSource.h"

#include <QStringList>

namespace jet::detail {

namespace {

QString column(const IndexSchema& index, const RecordSource& source, int i)
{
    const int field = source.fieldIndex(index.columns.at(i).name);
    return source.sqlColumn(field);
}

// "comes after the key value" / "comes before it" in the index's order for column i.
QString after(const QString& column, bool descending, int parameter)
{
    return descending ? QStringLiteral("(%1 < ?%2 OR %1 IS NULL)").arg(column).arg(parameter)
                      : QStringLiteral("%1 > ?%2").arg(column).arg(parameter);
}

QString before(const QString& column, bool descending, int parameter)
{
    return after(column, !descending, parameter);
}

// The rows beyond the key (after it, or before it) in index order, lexicographically over the
// first keyCount columns; `inclusive` keeps rows whose leading columns equal the key.
QString beyond(const IndexSchema& index, const RecordSource& source, int keyCount, bool forward,
               bool inclusive)
{
    QString condition;
    for (int i = keyCount - 1; i >= 0; --i) {
        const QString name = column(index, source, i);
        const bool descending = index.columns.at(i).descending;
        const QString strict =
            forward ? after(name, descending, i + 1) : before(name, descending, i + 1);
        const QString equal = QStringLiteral("%1 IS ?%2").arg(name).arg(i + 1);
        if (i == keyCount - 1) {
            condition = inclusive ? QStringLiteral("(%1 OR %2)").arg(strict, equal) : strict;
        } else {
            condition = QStringLiteral("(%1 OR (%2 AND %3))").arg(strict, equal, condition);
        }
    }
    return condition;
}

} // namespace

QString indexOrderSql(const IndexSchema& index, const RecordSource& source, bool reversed)
{
    QStringList terms;
    for (int i = 0; i < index.columns.size(); ++i) {
        const bool descending = index.columns.at(i).descending != reversed;
        terms.append(column(index, source, i) + (descending ? QStringLiteral(" DESC") : QString()));
    }
    return terms.join(QStringLiteral(", "));
}

QString seekSql(const IndexSchema& index, const RecordSource& source, int keyCount,
                SeekOption option)
{
    QString where;
    bool forward = true;
    switch (option) {
    case SeekOption::FirstEQ:
    case SeekOption::LastEQ: {
        QStringList equal;
        for (int i = 0; i < keyCount; ++i) {
            equal.append(QStringLiteral("%1 IS ?%2").arg(column(index, source, i)).arg(i + 1));
        }
        where = equal.join(QStringLiteral(" AND "));
        forward = option == SeekOption::FirstEQ;
        break;
    }
    case SeekOption::AfterEQ:
    case SeekOption::After:
        where = beyond(index, source, keyCount, true, option == SeekOption::AfterEQ);
        break;
    case SeekOption::BeforeEQ:
    case SeekOption::Before:
        where = beyond(index, source, keyCount, false, option == SeekOption::BeforeEQ);
        forward = false;
        break;
    }
    QStringList columns;
    for (int i = 0; i < source.fields().size(); ++i) {
        columns.append(source.sqlColumn(i));
    }
    return QStringLiteral("SELECT rowid, %1 FROM %2 WHERE %3 ORDER BY %4, rowid%5")
        .arg(columns.join(QStringLiteral(", ")), source.sqlTable(), where,
             indexOrderSql(index, source, !forward), forward ? QString() : QStringLiteral(" DESC"));
}

} // namespace jet::detail
