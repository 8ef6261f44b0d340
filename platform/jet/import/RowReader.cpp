// Decoding the rows of a Jet table through libmdb.

#include "platform/jet/import/RowReader.h"

#include "platform/jet/import/ImportError.h"
#include "platform/jet/import/MdbFile.h"
#include "platform/jet/import/MdbTools.h"
#include "platform/vb/OleDate.h"

#include <cstring>

using namespace Qt::StringLiterals;

namespace jet::importer {

namespace {

constexpr int kOffsetMask = 0x1fff;
constexpr std::uint32_t kInlineValue = 0x80000000u;
constexpr std::uint32_t kSinglePageValue = 0x40000000u;
constexpr std::uint32_t kLengthMask = 0x3fffffffu;

template <typename T>
T littleEndian(const unsigned char* data)
{
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

// Jet 4's compressed text starts with FF FE; a zero byte switches between one byte per
// character (the low byte of UCS-2) and plain UCS-2.
QString jet4Text(const unsigned char* data, int size)
{
    QString result;
    if (size >= 2 && data[0] == 0xff && data[1] == 0xfe) {
        bool compressed = true;
        int i = 2;
        while (i < size) {
            if (data[i] == 0) {
                compressed = !compressed;
                ++i;
            } else if (compressed) {
                result.append(QChar(char16_t(data[i])));
                ++i;
            } else if (i + 1 < size) {
                result.append(QChar(char16_t(data[i] | data[i + 1] << 8)));
                i += 2;
            } else {
                break;
            }
        }
        return result;
    }
    result.reserve(size / 2);
    for (int i = 0; i + 1 < size; i += 2) {
        result.append(QChar(char16_t(data[i] | data[i + 1] << 8)));
    }
    return result;
}

QString guidText(const unsigned char* d)
{
    return QString::asprintf(
        "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", d[3], d[2], d[1],
        d[0], d[5], d[4], d[7], d[6], d[8], d[9], d[10], d[11], d[12], d[13], d[14], d[15]);
}

} // namespace

RowReader::RowReader(const MdbFile& file, S_MdbTableDef* table, const SourceTable& source)
    : m_file(file), m_table(table), m_source(source), m_outputOf(table->num_cols, -1),
      m_fieldStorage(sizeof(MdbField) * std::max(1u, table->num_cols))
{
    for (qsizetype i = 0; i < source.columns.size(); ++i) {
        m_outputOf[static_cast<std::size_t>(source.columns[i].mdbIndex)] = static_cast<int>(i);
    }
    m_values.resize(source.columns.size());
    mdb_rewind_table(table);
}

RowReader::~RowReader() = default;

bool RowReader::next()
{
    if (m_table->num_cols == 0 || !mdb_fetch_row(m_table)) {
        return false;
    }
    decodeCurrentRow();
    ++m_rowsRead;
    return true;
}

// libmdb's fetch leaves the row's page in the handle's buffer but gives no null flags apart
// from the values it formats as text; the row is cracked once more for its raw fields.
void RowReader::decodeCurrentRow()
{
    MdbHandle* mdb = m_file.handle();
    int start = 0;
    size_t size = 0;
    auto* fields = reinterpret_cast<MdbField*>(m_fieldStorage.data());
    if (mdb_find_row(mdb, static_cast<int>(m_table->cur_row) - 1, &start, &size) != 0 ||
        mdb_crack_row(m_table, start & kOffsetMask, size, fields) < 0) {
        throw importError(m_file.path(), m_source.name,
                          u"row %1 cannot be decoded; the file is damaged."_s.arg(m_rowsRead + 1));
    }
    for (unsigned i = 0; i < m_table->num_cols; ++i) {
        const MdbField& field = fields[i];
        const int at = m_outputOf[static_cast<std::size_t>(field.colnum)];
        if (at < 0) {
            continue;
        }
        m_values[at] = decode(m_source.columns[at], field.start, field.siz, field.is_null != 0);
    }
}

vb::Variant RowReader::decode(const SourceColumn& column, int start, int size, bool isNull) const
{
    // Yes/No lives in the row's null mask: a set bit is Yes.
    if (column.mdbType == MDB_BOOL) {
        return vb::Variant(!isNull);
    }
    if (isNull) {
        return vb::Variant::null();
    }
    MdbHandle* mdb = m_file.handle();
    const unsigned char* data = mdb->pg_buf + start;
    switch (column.mdbType) {
    case MDB_BYTE:
        return vb::Variant(static_cast<std::uint8_t>(data[0]));
    case MDB_INT:
        return vb::Variant(littleEndian<std::int16_t>(data));
    case MDB_LONGINT:
        return vb::Variant(littleEndian<std::int32_t>(data));
    case MDB_MONEY:
        return vb::Variant(vb::Currency::fromRaw(littleEndian<std::int64_t>(data)));
    case MDB_FLOAT:
        return vb::Variant(littleEndian<float>(data));
    case MDB_DOUBLE:
        return vb::Variant(littleEndian<double>(data));
    case MDB_DATETIME: {
        const double days = littleEndian<double>(data);
        // Out of VB's range the engine keeps the number as it is, and so do we.
        return vb::OleDate::isValid(days) ? vb::Variant::fromDate(days) : vb::Variant(days);
    }
    case MDB_TEXT:
        return vb::Variant(text(reinterpret_cast<const char*>(data), size));
    case MDB_MEMO: {
        const QByteArray bytes = longValue(start, size);
        return vb::Variant(text(bytes.constData(), static_cast<int>(bytes.size())));
    }
    case MDB_OLE:
        return vb::Variant(longValue(start, size));
    case MDB_BINARY:
        return vb::Variant(QByteArray(reinterpret_cast<const char*>(data), size));
    case MDB_REPID:
        return vb::Variant(guidText(data));
    case MDB_NUMERIC: {
        char* formatted = mdb_numeric_to_string(mdb, start, column.scale, column.precision);
        const double value = QByteArray(formatted).toDouble();
        g_free(formatted);
        return vb::Variant(value);
    }
    default:
        return vb::Variant::null();
    }
}

QString RowReader::text(const char* data, int size) const
{
    if (size <= 0) {
        return QString(u""_s);
    }
    if (m_file.isJet4()) {
        return jet4Text(reinterpret_cast<const unsigned char*>(data), size);
    }
    // Jet 3 text: one byte per character in the file's code page, at most three in UTF-8.
    QByteArray utf8(3 * size + 4, '\0');
    const int length = mdb_unicode2ascii(m_file.handle(), data, static_cast<size_t>(size),
                                         utf8.data(), static_cast<size_t>(utf8.size()));
    utf8.truncate(std::clamp(length, 0, static_cast<int>(utf8.size())));
    return QString::fromUtf8(utf8);
}

// A memo or OLE value: kept in the row (inline), in one row of a long-value page, or in a
// chain of such rows, each starting with the page and row of the next.
QByteArray RowReader::longValue(int start, int size) const
{
    MdbHandle* mdb = m_file.handle();
    if (size < MDB_MEMO_OVERHEAD) {
        return {};
    }
    const unsigned char* header = mdb->pg_buf + start;
    const auto flags = littleEndian<std::uint32_t>(header);
    const qint64 length = flags & kLengthMask;
    if (flags & kInlineValue) {
        return QByteArray(reinterpret_cast<const char*>(header + MDB_MEMO_OVERHEAD),
                          size - MDB_MEMO_OVERHEAD);
    }
    const auto damaged = [&] {
        return importError(
            m_file.path(), m_source.name,
            u"a memo or OLE value of row %1 cannot be read; the file is damaged."_s.arg(m_rowsRead +
                                                                                        1));
    };
    auto pageRow = littleEndian<std::int32_t>(header + 4);
    void* page = nullptr;
    int offset = 0;
    size_t rowSize = 0;
    if (flags & kSinglePageValue) {
        if (mdb_find_pg_row(mdb, pageRow, &page, &offset, &rowSize) != 0) {
            throw damaged();
        }
        return QByteArray(static_cast<const char*>(page) + offset,
                          static_cast<qsizetype>(std::min<qint64>(rowSize, length)));
    }
    if ((flags & 0xc0000000u) != 0) {
        throw damaged();
    }
    QByteArray value;
    value.reserve(length);
    while (pageRow != 0 && value.size() < length) {
        if (mdb_find_pg_row(mdb, pageRow, &page, &offset, &rowSize) != 0 || rowSize < 4) {
            throw damaged();
        }
        const auto* row = static_cast<const unsigned char*>(page) + offset;
        value.append(reinterpret_cast<const char*>(row + 4), static_cast<qsizetype>(rowSize - 4));
        pageRow = littleEndian<std::int32_t>(row);
    }
    if (value.size() < length) {
        throw damaged();
    }
    value.truncate(length);
    return value;
}

} // namespace jet::importer
