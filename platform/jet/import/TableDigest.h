#pragma once

// A digest of a table's rows that does not depend on their order: each row is hashed from the
// exact value of every field (type family and content: Currency by its ten-thousandths, dates
// and numbers by their bits, text by its characters), and the sorted row hashes are hashed
// again. Two tables with the same digest hold the same rows.

#include "platform/vb/Variant.h"

#include <QByteArray>
#include <QList>
#include <vector>

namespace jet::importer {

class TableDigest
{
public:
    void addRow(const QList<vb::Variant>& values);
    qint64 rowCount() const { return static_cast<qint64>(m_rows.size()); }
    // Hex SHA-256 over the sorted row hashes.
    QByteArray result() const;

    // The text a value is hashed as: "N" for Null, "I<n>" for whole numbers of any width,
    // "R<bits>" for Single and Double (the bits of the double, in hex), "C<ten-thousandths>",
    // "D<bits>" for dates, "B1"/"B0", "S<text>", "X<hex>" for bytes.
    static QByteArray canonical(const vb::Variant& value);

private:
    std::vector<QByteArray> m_rows;
};

} // namespace jet::importer
