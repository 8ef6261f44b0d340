// Order-independent digests of table rows.

#include "platform/jet/import/TableDigest.h"

#include <algorithm>
#include <QCryptographicHash>

namespace jet::importer {

namespace {

QByteArray exactNumber(double value)
{
    return QByteArray::number(value, 'g', 17);
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
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const vb::Variant& value : values) {
        const QByteArray text = canonical(value);
        // Length first, so that no two rows run together into the same bytes.
        hash.addData(QByteArray::number(text.size()) + ':');
        hash.addData(text);
    }
    m_rows.push_back(hash.result());
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
