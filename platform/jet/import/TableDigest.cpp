// Order-independent digests of table rows.

#include "platform/jet/import/TableDigest.h"

#include <algorithm>
#include <cstring>
#include <QCryptographicHash>
#include <QHashFunctions>

namespace jet::importer {

namespace {

// The bits of the double, so that equal digests mean equal values (and no decimal text is
// formatted per value).
QByteArray exactNumber(double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return QByteArray::number(bits, 16);
}

} // namespace

QByteArray TableDigest::canonical(const vb::Variant& value)
{
    switch (value.type()) {
    case vb::VarType::Empty:
    case vb::VarType::Null:
        return QByteArrayLiteral("N");
    case vb::VarType::Boolean:
        return value.toBoolean() ? QByteArrayLiteral("B1") : QByteArrayLiteral("B0");
    case vb::VarType::Byte:
    case vb::VarType::Integer:
    case vb::VarType::Long:
        return 'I' + QByteArray::number(value.toLong());
    case vb::VarType::Single:
    case vb::VarType::Double:
        return 'R' + exactNumber(value.toDouble());
    case vb::VarType::Currency:
        return 'C' + QByteArray::number(static_cast<qlonglong>(value.toCurrency().raw()));
    case vb::VarType::Date:
        return 'D' + exactNumber(value.toDate());
    case vb::VarType::ByteArray:
        return 'X' + value.toBytes().toHex();
    default:
        return 'S' + value.toString().toUtf8();
    }
}

void TableDigest::addRow(const QList<vb::Variant>& values)
{
    QByteArray row;
    for (const vb::Variant& value : values) {
        const QByteArray text = canonical(value);
        // Length first, so that no two rows run together into the same bytes.
        row += QByteArray::number(text.size());
        row += ':';
        row += text;
    }
    // Rows only need telling apart from each other: two seeded 64-bit hashes of the row. The
    // table's digest over them is SHA-256.
    const size_t first = qHashBits(row.constData(), static_cast<size_t>(row.size()), 0x51a7e);
    const size_t second = qHashBits(row.constData(), static_cast<size_t>(row.size()), 0x0d1e5);
    QByteArray hash(reinterpret_cast<const char*>(&first), sizeof first);
    hash.append(reinterpret_cast<const char*>(&second), sizeof second);
    hash += QByteArray::number(row.size());
    m_rows.push_back(hash);
}

QByteArray TableDigest::result() const
{
    std::vector<QByteArray> sorted = m_rows;
    std::sort(sorted.begin(), sorted.end());
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QByteArray& row : sorted) {
        hash.addData(row);
    }
    return hash.result().toHex();
}

} // namespace jet::importer
