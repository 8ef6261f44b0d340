#pragma once

// The rows of a Jet table, read through libmdb in the file's order, each value in its Jet type
// and exact: Currency to the ten-thousandth, dates as their stored OLE days, Yes/No as Boolean,
// memo text and OLE objects whole, Jet 4 text from its UCS-2 (compressed or not), Jet 3 text
// from the file's code page. A zero-length string stays apart from Null.

#include "platform/jet/import/SourceTable.h"
#include "platform/vb/Variant.h"

#include <QList>
#include <vector>

struct S_MdbTableDef;

namespace jet::importer {

class MdbFile;

class RowReader
{
public:
    RowReader(const MdbFile& file, S_MdbTableDef* table, const SourceTable& source);
    ~RowReader();
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;

    // Moves to the next row; false after the last. Raises when a row cannot be decoded.
    bool next();
    // The current row, in the order of the source table's columns.
    const QList<vb::Variant>& values() const { return m_values; }
    qint64 rowsRead() const { return m_rowsRead; }

private:
    void decodeCurrentRow();
    vb::Variant decode(const SourceColumn& column, int start, int size, bool isNull) const;
    QString text(const char* data, int size) const;
    QByteArray longValue(int start, int size) const;

    const MdbFile& m_file;
    S_MdbTableDef* m_table;
    const SourceTable& m_source;
    std::vector<int> m_outputOf; // libmdb column -> position in the row, or -1
    std::vector<unsigned char> m_fieldStorage;
    QList<vb::Variant> m_values;
    qint64 m_rowsRead = 0;
};

} // namespace jet::importer
