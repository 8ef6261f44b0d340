// compareUserData: the user tables of two database states, value by value.

#include "StateComparison.h"

#include <algorithm>
#include <cmath>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace mainchain {

namespace {

constexpr double kTolerance = 1e-6;
constexpr int kReported = 12;

using Row = std::vector<StoredValue>;

bool isUserTable(const QString& name)
{
    return !name.startsWith(u"MSys"_s, Qt::CaseInsensitive) &&
           !name.startsWith(u"sqlite_"_s, Qt::CaseInsensitive);
}

bool isNumber(const StoredValue& value)
{
    return value.type == SQLITE_INTEGER || value.type == SQLITE_FLOAT;
}

double numberOf(const StoredValue& value)
{
    return value.type == SQLITE_INTEGER ? double(value.integer) : value.real;
}

// Null, then numbers, then texts, then blobs.
int rankOf(const StoredValue& value)
{
    if (value.type == SQLITE_NULL)
        return 0;
    return isNumber(value) ? 1 : value.type == SQLITE_TEXT ? 2 : 3;
}

int order(const StoredValue& a, const StoredValue& b)
{
    if (rankOf(a) != rankOf(b))
        return rankOf(a) < rankOf(b) ? -1 : 1;
    if (rankOf(a) == 1) {
        const double x = numberOf(a);
        const double y = numberOf(b);
        return std::abs(x - y) <= kTolerance ? 0 : x < y ? -1 : 1;
    }
    return a.bytes == b.bytes ? 0 : a.bytes < b.bytes ? -1 : 1;
}

QString shown(const StoredValue& value)
{
    switch (value.type) {
    case SQLITE_NULL:
        return u"Null"_s;
    case SQLITE_INTEGER:
        return QString::number(value.integer);
    case SQLITE_FLOAT:
        return QString::number(value.real, 'g', 15);
    case SQLITE_TEXT:
        return u"\""_s + QString::fromUtf8(value.bytes).left(60) + u'"';
    default:
        return u"blob of %1 bytes"_s.arg(value.bytes.size());
    }
}

class TableComparer
{
public:
    TableComparer(const QString& name, const TableState& chain, const TableState& raw,
                  const NowStamps& stamps, Comparison& result)
        : m_name(name), m_chain(chain), m_raw(raw), m_stamps(stamps), m_result(result)
    {
    }

    void run()
    {
        if (m_chain.rows.size() != m_raw.rows.size()) {
            report(u"%1: %2 rows in the chain's file, %3 in the raw one"_s.arg(m_name)
                       .arg(m_chain.rows.size())
                       .arg(m_raw.rows.size()));
            return;
        }
        if (!matchColumns())
            return;
        if (m_chain.keyColumn >= 0 && m_raw.keyColumn == m_columns[m_chain.keyColumn])
            compareByKey();
        else
            compareSorted();
    }

private:
    bool matchColumns()
    {
        for (const QString& column : m_chain.columns) {
            const auto found =
                std::find_if(m_raw.columns.begin(), m_raw.columns.end(), [&](const QString& other) {
                    return other.compare(column, Qt::CaseInsensitive) == 0;
                });
            if (found == m_raw.columns.end()) {
                report(u"%1.%2: no such column in the raw file"_s.arg(m_name, column));
                return false;
            }
            m_columns.push_back(int(found - m_raw.columns.begin()));
        }
        return true;
    }

    void compareByKey()
    {
        std::map<qint64, const Row*> rawRows;
        for (const Row& row : m_raw.rows)
            rawRows[row[m_raw.keyColumn].integer] = &row;
        for (const Row& row : m_chain.rows) {
            const qint64 key = row[m_chain.keyColumn].integer;
            const auto other = rawRows.find(key);
            if (other == rawRows.end()) {
                report(u"%1 row %2: not in the raw file"_s.arg(m_name).arg(key));
                continue;
            }
            compareRows(row, *other->second, QString::number(key));
        }
    }

    // Tables without a rowid key: both sides' rows in one order, then pairwise.
    void compareSorted()
    {
        std::vector<Row> chainRows = m_chain.rows;
        std::vector<Row> rawRows;
        for (const Row& row : m_raw.rows) {
            Row picked;
            for (const int column : m_columns)
                picked.push_back(row[column]);
            rawRows.push_back(std::move(picked));
        }
        const auto less = [](const Row& a, const Row& b) {
            for (std::size_t i = 0; i < a.size(); ++i) {
                if (const int c = order(a[i], b[i]); c != 0)
                    return c < 0;
            }
            return false;
        };
        std::sort(chainRows.begin(), chainRows.end(), less);
        std::sort(rawRows.begin(), rawRows.end(), less);
        for (std::size_t i = 0; i < chainRows.size(); ++i)
            compareValues(chainRows[i], rawRows[i], u"#%1 (sorted)"_s.arg(i + 1), true);
    }

    void compareRows(const Row& chain, const Row& raw, const QString& row)
    {
        Row picked;
        for (const int column : m_columns)
            picked.push_back(raw[column]);
        compareValues(chain, picked, row, false);
    }

    void compareValues(const Row& chain, const Row& raw, const QString& row, bool sorted)
    {
        for (std::size_t i = 0; i < chain.size(); ++i) {
            const QString& column = m_chain.columns[int(i)];
            if (order(chain[i], raw[i]) == 0 || bothNow(column, chain[i], raw[i]))
                continue;
            report(u"%1.%2 row %3: chain %4, raw %5"_s.arg(m_name, column, row, shown(chain[i]),
                                                           shown(raw[i])));
            if (sorted)
                return;
        }
    }

    bool bothNow(const QString& column, const StoredValue& chain, const StoredValue& raw) const
    {
        const auto inRun = [&](const StoredValue& value) {
            return isNumber(value) && numberOf(value) >= m_stamps.from &&
                   numberOf(value) <= m_stamps.to;
        };
        return m_stamps.columns.count({m_name, column}) != 0 && inRun(chain) && inRun(raw);
    }

    void report(const QString& line)
    {
        ++m_result.mismatchCount;
        if (m_result.mismatches.size() < kReported)
            m_result.mismatches << line;
    }

    const QString& m_name;
    const TableState& m_chain;
    const TableState& m_raw;
    const NowStamps& m_stamps;
    Comparison& m_result;
    // For each column of the chain's table, its place in the raw table.
    std::vector<int> m_columns;
};

const TableState* findTable(const DatabaseState& state, const QString& name)
{
    for (const auto& [other, table] : state.tables) {
        if (other.compare(name, Qt::CaseInsensitive) == 0)
            return &table;
    }
    return nullptr;
}

} // namespace

Comparison compareUserData(const DatabaseState& chain, const DatabaseState& raw,
                           const NowStamps& stamps)
{
    Comparison result;
    for (const auto& [name, table] : chain.tables) {
        if (!isUserTable(name))
            continue;
        ++result.tables;
        const TableState* other = findTable(raw, name);
        if (other == nullptr) {
            ++result.mismatchCount;
            result.mismatches << u"%1: no such table in the raw file"_s.arg(name);
            continue;
        }
        TableComparer(name, table, *other, stamps, result).run();
    }
    for (const auto& [name, table] : raw.tables) {
        if (isUserTable(name) && findTable(chain, name) == nullptr) {
            ++result.mismatchCount;
            result.mismatches << u"%1: only in the raw file"_s.arg(name);
        }
    }
    return result;
}

} // namespace mainchain
