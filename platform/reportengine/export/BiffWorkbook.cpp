// BiffWorkbook: fonts, formats, XFs, worksheets and the shared string table as BIFF records.

#include "platform/reportengine/export/BiffWorkbook.h"

#include "platform/reportengine/export/BiffWriter.h"

#include <algorithm>
#include <map>
#include <QHash>
#include <tuple>

using namespace Qt::StringLiterals;

namespace report {

namespace {

namespace rec {
constexpr std::uint16_t kDimensions2 = 0x0000;
constexpr std::uint16_t kNumber2 = 0x0003;
constexpr std::uint16_t kLabel2 = 0x0004;
constexpr std::uint16_t kRow2 = 0x0008;
constexpr std::uint16_t kBof2 = 0x0009;
constexpr std::uint16_t kEof = 0x000A;
constexpr std::uint16_t kHorizontalPageBreaks = 0x001B;
constexpr std::uint16_t kNote = 0x001C;
constexpr std::uint16_t kFormat2 = 0x001E;
constexpr std::uint16_t kColWidth2 = 0x0024;
constexpr std::uint16_t kDefaultRowHeight2 = 0x0025;
constexpr std::uint16_t kFont = 0x0031;
constexpr std::uint16_t kContinue = 0x003C;
constexpr std::uint16_t kWindow1 = 0x003D;
constexpr std::uint16_t kCodePage = 0x0042;
constexpr std::uint16_t kDefColWidth = 0x0055;
constexpr std::uint16_t kColInfo = 0x007D;
constexpr std::uint16_t kWsBool = 0x0081;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kSetup = 0x00A1;
constexpr std::uint16_t kXf = 0x00E0;
constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint16_t kLabelSst = 0x00FD;
constexpr std::uint16_t kExtSst = 0x00FF;
constexpr std::uint16_t kDimensions = 0x0200;
constexpr std::uint16_t kNumber = 0x0203;
constexpr std::uint16_t kLabel = 0x0204;
constexpr std::uint16_t kRow = 0x0208;
constexpr std::uint16_t kBof3 = 0x0209;
constexpr std::uint16_t kFont3 = 0x0231;
constexpr std::uint16_t kDefaultRowHeight = 0x0225;
constexpr std::uint16_t kWindow2 = 0x023E;
constexpr std::uint16_t kXf3 = 0x0243;
constexpr std::uint16_t kStyle = 0x0293;
constexpr std::uint16_t kBof4 = 0x0409;
constexpr std::uint16_t kFormat4 = 0x041E;
constexpr std::uint16_t kXf4 = 0x0443;
constexpr std::uint16_t kBof = 0x0809;
} // namespace rec

constexpr unsigned kWorksheet = 0x0010;
constexpr unsigned kGlobals = 0x0005;
constexpr int kFontHeight = 200; // 10 pt in twips
constexpr int kDefaultRowHeight = 255;
constexpr int kStyleXfs = 15;        // Excel 5 and later expect 15 style XFs before the cell XFs
constexpr int kMaxPageBreaks = 1026; // what Excel keeps
constexpr int kNoteChunk = 2048;
constexpr int kFirstCustomFormat = 164;

constexpr int kMaxFonts = 64;

struct FontKey
{
    int height = kFontHeight; // twips
    bool bold = false;
    bool italic = false;
    friend bool operator==(const FontKey&, const FontKey&) = default;
};

// The four 10-point styles every workbook starts with: regular, bold, italic, bold italic.
int styleFont(const SheetCell& cell)
{
    return (cell.bold ? 1 : 0) + (cell.italic ? 2 : 0);
}

FontKey fontKey(const SheetCell& cell)
{
    return {static_cast<int>(cell.pointSize * 20 + 0.5), cell.bold, cell.italic};
}

unsigned alignCode(HAlign align)
{
    switch (align) {
    case HAlign::Left:
        return 1;
    case HAlign::Center:
        return 2;
    case HAlign::Right:
        return 3;
    case HAlign::Justify:
        return 5;
    }
    return 0;
}

// Column width in 1/256 of the width of a digit of the default font (7 pixels plus 5 of
// padding for Arial 10 at 96 dpi, 15 twips a pixel).
unsigned columnWidthUnits(int twips)
{
    const double characters = std::max(0.0, (twips / 15.0 - 5.0) / 7.0);
    return static_cast<unsigned>(std::min(255.0 * 256, characters * 256 + 0.5));
}

unsigned rowHeightTwips(int twips)
{
    return static_cast<unsigned>(std::clamp(twips, 1, 8192));
}

struct CellStyle
{
    int font = 0;
    int format = 0;
    unsigned align = 0;
    bool wrap = false;
    friend auto operator<=>(const CellStyle&, const CellStyle&) = default;
};

// What every sheet shares: fonts (fixed), number formats and cell styles in use, and for
// BIFF8 the shared strings.
class WorkbookTables
{
public:
    WorkbookTables(int version, const std::vector<WorksheetData>& sheets) : m_version(version)
    {
        for (const WorksheetData& sheet : sheets)
            for (const SheetCell& cell : sheet.cells) {
                styleOf(cell);
                if (version >= 8 && !cell.number)
                    stringIndex(cell.text);
            }
    }

    int formatIndex(const QString& format)
    {
        if (format == u"General"_s)
            return 0;
        const auto found = std::find(m_formats.begin(), m_formats.end(), format);
        const int position = static_cast<int>(found - m_formats.begin());
        if (found == m_formats.end())
            m_formats.push_back(format);
        // Up to version 4 formats are numbered by position after "General"; later versions
        // number their own formats from 164 on.
        return m_version >= 5 ? kFirstCustomFormat + position : position + 1;
    }

    // The font record of the cell's size and style. BIFF2 cells name one of four fonts, so
    // there the size stays 10 points; a workbook out of font records does the same.
    int fontOf(const SheetCell& cell)
    {
        const FontKey key = fontKey(cell);
        const auto found = std::find(m_fonts.begin(), m_fonts.end(), key);
        int position = static_cast<int>(found - m_fonts.begin());
        if (found == m_fonts.end()) {
            if (m_version == 2 || static_cast<int>(m_fonts.size()) >= kMaxFonts)
                return styleFont(cell);
            m_fonts.push_back(key);
        }
        return position < 4 ? position : position + 1; // Excel has no font 4
    }

    int styleOf(const SheetCell& cell)
    {
        const CellStyle style{fontOf(cell), cell.number ? formatIndex(cell.format) : 0,
                              alignCode(cell.align), cell.text.contains(u'\n')};
        const auto found = m_styles.find(style);
        if (found != m_styles.end())
            return found->second;
        const int index = firstCellXf() + static_cast<int>(m_styles.size());
        m_styles.emplace(style, index);
        return index;
    }

    int stringIndex(const QString& text)
    {
        const auto found = m_stringIndex.constFind(text);
        if (found != m_stringIndex.cend())
            return *found;
        m_strings.push_back(text);
        m_stringIndex.insert(text, static_cast<int>(m_strings.size()) - 1);
        return static_cast<int>(m_strings.size()) - 1;
    }

    int firstCellXf() const noexcept { return m_version >= 5 ? kStyleXfs + 1 : 1; }
    const std::vector<QString>& formats() const noexcept { return m_formats; }
    const std::vector<FontKey>& fonts() const noexcept { return m_fonts; }
    const std::map<CellStyle, int>& styles() const noexcept { return m_styles; }
    const std::vector<QString>& strings() const noexcept { return m_strings; }
    int stringUses() const noexcept { return m_stringUses; }
    void countUse() noexcept { ++m_stringUses; }

private:
    int m_version;
    std::vector<FontKey> m_fonts{{kFontHeight, false, false},
                                 {kFontHeight, true, false},
                                 {kFontHeight, false, true},
                                 {kFontHeight, true, true}};
    std::vector<QString> m_formats;
    std::map<CellStyle, int> m_styles;
    std::vector<QString> m_strings;
    QHash<QString, int> m_stringIndex;
    int m_stringUses = 0;
};

QByteArray byteText(const QString& text)
{
    return toWindows1252(text);
}

// --- records of the workbook's tables ----------------------------------------------------

void writeBof(BiffStream& out, unsigned type)
{
    switch (out.version()) {
    case 2:
        out.record(rec::kBof2, BiffBody().u16(0x0002).u16(type));
        break;
    case 3:
        out.record(rec::kBof3, BiffBody().u16(0x0000).u16(type).u16(0));
        break;
    case 4:
        out.record(rec::kBof4, BiffBody().u16(0x0000).u16(type).u16(0));
        break;
    case 5: // build and year tell Excel 5 from Excel 95, which share the record layout
        out.record(rec::kBof, BiffBody().u16(0x0500).u16(type).u16(2412).u16(1993));
        break;
    case 7:
        out.record(rec::kBof, BiffBody().u16(0x0500).u16(type).u16(3515).u16(1996));
        break;
    default:
        out.record(rec::kBof, BiffBody().u16(0x0600).u16(type).u16(3515).u16(1996).u32(0).u32(6));
        break;
    }
}

void writeFonts(BiffStream& out, const WorkbookTables& tables)
{
    const QString name = u"Arial"_s;
    for (const FontKey& font : tables.fonts()) {
        const unsigned options = (font.bold ? 0x01 : 0) | (font.italic ? 0x02 : 0);
        BiffBody body;
        body.u16(static_cast<unsigned>(font.height));
        if (out.version() <= 4) {
            body.u16(options);
            if (out.version() >= 3)
                body.u16(0x7FFF); // automatic colour
            body.byteString(byteText(name), 1);
            out.record(out.version() == 2 ? rec::kFont : rec::kFont3, body);
            continue;
        }
        body.u16(options).u16(0x7FFF).u16(font.bold ? 700 : 400);
        body.u16(0).u8(0).u8(0).u8(0).u8(0); // escapement, underline, family, charset, -
        if (out.version() >= 8)
            body.unicodeString(name, 1);
        else
            body.byteString(byteText(name), 1);
        out.record(rec::kFont, body);
    }
}

void writeFormats(BiffStream& out, const WorkbookTables& tables)
{
    if (out.version() <= 4) {
        // Positional: "General" first, then the workbook's own.
        std::vector<QString> formats{u"General"_s};
        formats.insert(formats.end(), tables.formats().begin(), tables.formats().end());
        for (const QString& format : formats) {
            BiffBody body;
            if (out.version() == 4)
                body.u16(0);
            body.byteString(byteText(format), 1);
            out.record(out.version() == 4 ? rec::kFormat4 : rec::kFormat2, body);
        }
        return;
    }
    int index = kFirstCustomFormat;
    for (const QString& format : tables.formats()) {
        BiffBody body;
        body.u16(static_cast<unsigned>(index++));
        if (out.version() >= 8)
            body.unicodeString(format, 2);
        else
            body.byteString(byteText(format), 1);
        out.record(rec::kFormat4, body);
    }
}

// One XF record; `style` marks a style XF (the parent of cell XFs), else a cell XF whose
// parent is the Normal style.
void writeXf(BiffStream& out, const CellStyle& xf, bool style)
{
    const unsigned used = style ? 0x00 : 0xFC; // attribute groups a cell XF sets itself
    const unsigned typeProtection = style ? 0xFFF5 : 0x0001;
    BiffBody body;
    switch (out.version()) {
    case 3:
        body.u8(xf.font).u8(xf.format).u8(style ? 0x05 : 0x01).u8(used);
        body.u16(xf.align | (xf.wrap ? 0x08 : 0) | (style ? 0xFFF0 : 0)).u16(0).u32(0);
        out.record(rec::kXf3, body);
        break;
    case 4:
        body.u8(xf.font).u8(xf.format).u16(typeProtection);
        body.u8(xf.align | (xf.wrap ? 0x08 : 0) | 0x20).u8(used).u16(0).u32(0);
        out.record(rec::kXf4, body);
        break;
    case 5:
    case 7:
        body.u16(xf.font).u16(xf.format).u16(typeProtection);
        body.u8(xf.align | (xf.wrap ? 0x08 : 0) | 0x20).u8(used);
        body.u32(0x40 | (0x41 << 7)).u32(0); // automatic pattern colours, no borders
        out.record(rec::kXf, body);
        break;
    default:
        body.u16(xf.font).u16(xf.format).u16(typeProtection);
        body.u8(xf.align | (xf.wrap ? 0x08 : 0) | 0x20).u8(0).u8(0).u8(used);
        body.u32(0).u32(0).u16(0x40 | (0x41 << 7));
        out.record(rec::kXf, body);
        break;
    }
}

void writeXfs(BiffStream& out, const WorkbookTables& tables)
{
    if (out.version() <= 2)
        return; // BIFF2 cells carry their formatting themselves
    const int styleXfs = out.version() >= 5 ? kStyleXfs : 1;
    for (int i = 0; i < styleXfs; ++i)
        writeXf(out, CellStyle{}, true);
    if (out.version() >= 5)
        writeXf(out, CellStyle{}, false); // the default cell XF
    std::vector<std::pair<int, CellStyle>> ordered;
    for (const auto& [style, index] : tables.styles())
        ordered.emplace_back(index, style);
    std::sort(ordered.begin(), ordered.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& entry : ordered)
        writeXf(out, entry.second, false);
    // The built-in Normal style is XF 0.
    out.record(rec::kStyle, BiffBody().u16(0x8000).u8(0).u8(0xFF));
}

void writeWindow1(BiffStream& out)
{
    out.record(rec::kWindow1, BiffBody()
                                  .u16(0x0168)
                                  .u16(0x001E)
                                  .u16(0x3A50)
                                  .u16(0x2328)
                                  .u16(0x0038)
                                  .u16(0)
                                  .u16(0)
                                  .u16(1)
                                  .u16(600));
}

// --- worksheet records ----------------------------------------------------------------------

int rowCount(const WorksheetData& sheet)
{
    return std::max<int>(1, static_cast<int>(sheet.rowHeights.size()));
}

int columnCount(const WorksheetData& sheet)
{
    return std::clamp<int>(static_cast<int>(sheet.columnWidths.size()), 1, biff::kMaxColumns);
}

void writePrintSetup(BiffStream& out, const WorksheetData& sheet)
{
    if (out.version() >= 3) {
        // Outline symbols shown, automatic page breaks; bit 8 fits the printout to pages.
        out.record(rec::kWsBool, BiffBody().u16(0x04C1 | (sheet.fitToPage ? 0x0100 : 0)));
    }
    std::vector<int> breaks = sheet.pageBreakRows;
    if (breaks.size() > static_cast<std::size_t>(kMaxPageBreaks))
        breaks.resize(kMaxPageBreaks);
    if (!breaks.empty()) {
        BiffBody body;
        body.u16(static_cast<unsigned>(breaks.size()));
        for (const int row : breaks) {
            body.u16(static_cast<unsigned>(row));
            if (out.version() >= 8)
                body.u16(0).u16(biff::kMaxColumns - 1);
        }
        out.record(rec::kHorizontalPageBreaks, body);
    }
    if (out.version() >= 4) {
        // One page wide and tall when fitting; portrait or landscape as the report's paper.
        BiffBody body;
        body.u16(0).u16(100).u16(1).u16(1).u16(1).u16(sheet.landscape ? 0x0000 : 0x0002);
        if (out.version() >= 5)
            body.u16(600).u16(600).f64(0.5).f64(0.5).u16(1);
        out.record(rec::kSetup, body);
    }
}

void writeColumns(BiffStream& out, const WorksheetData& sheet)
{
    if (out.version() >= 5)
        out.record(rec::kDefColWidth, BiffBody().u16(8));
    for (int column = 0; column < columnCount(sheet); ++column) {
        const unsigned width = columnWidthUnits(sheet.columnWidths[column]);
        if (out.version() == 2) {
            out.record(rec::kColWidth2, BiffBody().u8(column).u8(column).u16(width));
            continue;
        }
        out.record(rec::kColInfo, BiffBody()
                                      .u16(column)
                                      .u16(column)
                                      .u16(width)
                                      .u16(out.version() >= 5 ? kStyleXfs : 0)
                                      .u16(0)
                                      .u16(0));
    }
}

void writeDimensions(BiffStream& out, const WorksheetData& sheet)
{
    BiffBody body;
    if (out.version() >= 8)
        body.u32(0).u32(static_cast<std::uint32_t>(rowCount(sheet)));
    else
        body.u16(0).u16(rowCount(sheet));
    body.u16(0).u16(columnCount(sheet));
    if (out.version() >= 3)
        body.u16(0);
    out.record(out.version() == 2 ? rec::kDimensions2 : rec::kDimensions, body);
}

void writeRows(BiffStream& out, const WorksheetData& sheet)
{
    const int columns = columnCount(sheet);
    for (int row = 0; row < static_cast<int>(sheet.rowHeights.size()); ++row) {
        // An automatic row keeps the default height and lets Excel fit it to its fonts; a
        // fixed one carries the grid's height and the "height set" flag.
        const unsigned height = sheet.autoRowHeight ? (0x8000 | kDefaultRowHeight)
                                                    : rowHeightTwips(sheet.rowHeights[row]);
        BiffBody body;
        body.u16(row).u16(0).u16(columns);
        if (out.version() == 2) {
            body.u16(height).u16(0).u8(0).u16(0);
            out.record(rec::kRow2, body);
            continue;
        }
        body.u16(height).u16(0).u16(0);
        body.u32(0x0100 | (sheet.autoRowHeight ? 0 : 0x0040));
        out.record(rec::kRow, body);
    }
}

// BIFF2 cells carry their format, font and alignment in three bytes instead of an XF.
QByteArray biff2Attributes(const SheetCell& cell, WorkbookTables& tables)
{
    const int format = cell.number ? tables.formatIndex(cell.format) : 0;
    QByteArray bytes(3, '\0');
    bytes[0] = 0x40; // locked
    bytes[1] = static_cast<char>((format & 0x3F) | (tables.fontOf(cell) << 6));
    bytes[2] = static_cast<char>(alignCode(cell.align));
    return bytes;
}

void writeNote(BiffStream& out, const SheetCell& cell, const QByteArray& text)
{
    const QByteArray whole = text.left(0xFFFF);
    for (qsizetype offset = 0; offset < whole.size(); offset += kNoteChunk) {
        const QByteArray chunk = whole.mid(offset, kNoteChunk);
        BiffBody body;
        if (offset == 0)
            body.u16(cell.row).u16(cell.column).u16(static_cast<unsigned>(whole.size()));
        else
            body.u16(0xFFFF).u16(0).u16(static_cast<unsigned>(chunk.size()));
        out.record(rec::kNote, body.bytes(chunk));
    }
}

// Writes the cells; returns the cut cells whose whole text goes in a note.
std::vector<const SheetCell*> writeCells(BiffStream& out, const WorksheetData& sheet,
                                         WorkbookTables& tables)
{
    std::vector<const SheetCell*> cut;
    const int limit = biff::maxTextLength(out.version());
    for (const SheetCell& cell : sheet.cells) {
        BiffBody body;
        body.u16(cell.row).u16(cell.column);
        if (out.version() == 2)
            body.bytes(biff2Attributes(cell, tables));
        else
            body.u16(tables.styleOf(cell));
        if (cell.number) {
            out.record(out.version() == 2 ? rec::kNumber2 : rec::kNumber, body.f64(*cell.number));
            continue;
        }
        if (cell.text.size() > limit)
            cut.push_back(&cell);
        const QString text = cell.text.left(limit);
        if (out.version() >= 8) {
            tables.countUse();
            out.record(rec::kLabelSst, body.u32(tables.stringIndex(cell.text)));
        } else if (out.version() == 2) {
            out.record(rec::kLabel2, body.byteString(byteText(text), 1));
        } else {
            out.record(rec::kLabel, body.byteString(byteText(text), 2));
        }
    }
    return cut;
}

void writeWindow2(BiffStream& out, bool first)
{
    // Grid, headers, zeros, automatic grid colour, outline symbols; the first sheet selected.
    const unsigned options = 0x00B6 | (first ? 0x0600 : 0);
    if (out.version() >= 8)
        out.record(rec::kWindow2,
                   BiffBody().u16(options).u16(0).u16(0).u16(0x40).u16(0).u16(0).u16(0).u32(0));
    else if (out.version() >= 5)
        out.record(rec::kWindow2, BiffBody().u16(options).u16(0).u16(0).u32(0));
}

void writeWorksheet(BiffStream& out, const WorksheetData& sheet, WorkbookTables& tables, bool first)
{
    writeBof(out, kWorksheet);
    if (out.version() <= 4) {
        // A one-sheet file carries the workbook's tables itself.
        out.record(rec::kCodePage, BiffBody().u16(1252));
        writeFonts(out, tables);
        writeFormats(out, tables);
        writeXfs(out, tables);
    }
    if (out.version() == 2)
        out.record(rec::kDefaultRowHeight2, BiffBody().u16(kDefaultRowHeight));
    else
        out.record(rec::kDefaultRowHeight, BiffBody().u16(0).u16(kDefaultRowHeight));
    writePrintSetup(out, sheet);
    writeColumns(out, sheet);
    writeDimensions(out, sheet);
    writeRows(out, sheet);
    const std::vector<const SheetCell*> cut = writeCells(out, sheet, tables);
    if (out.version() <= 7)
        for (const SheetCell* cell : cut)
            writeNote(out, *cell, byteText(cell->text));
    writeWindow2(out, first);
    out.record(rec::kEof);
}

// --- the shared string table (BIFF8) ----------------------------------------------------------

// SST with CONTINUE records: a string's header never splits; its characters may, the
// continuation repeating the one-byte/two-byte flag. EXTSST points into every eighth string.
void writeSharedStrings(BiffStream& out, const WorkbookTables& tables)
{
    constexpr int kBucket = 8;
    const int maxBody = out.maxBody();
    std::vector<std::pair<std::uint32_t, unsigned>> buckets; // stream position, offset in record
    QByteArray body;
    body.append(BiffBody().u32(tables.stringUses()).u32(tables.strings().size()).data());
    qsizetype recordStart = out.position();
    bool continuing = false;
    auto flush = [&] {
        out.record(continuing ? rec::kContinue : rec::kSst, BiffBody().bytes(body));
        body.clear();
        continuing = true;
        recordStart = out.position();
    };
    int index = 0;
    for (const QString& text : tables.strings()) {
        const QString whole = text.left(biff::maxTextLength(8));
        BiffBody encoded;
        encoded.unicodeString(whole, 2);
        const bool wide = encoded.data().at(2) != 0;
        const int charBytes = wide ? 2 : 1;
        if (body.size() + 3 + charBytes > maxBody)
            flush();
        if (index % kBucket == 0)
            buckets.emplace_back(static_cast<std::uint32_t>(recordStart + 4 + body.size()),
                                 static_cast<unsigned>(4 + body.size()));
        body.append(encoded.data().left(3));
        QByteArray characters = encoded.data().mid(3);
        while (!characters.isEmpty()) {
            const qsizetype room = (maxBody - body.size()) / charBytes * charBytes;
            if (room <= 0) {
                flush();
                body.append(static_cast<char>(wide ? 1 : 0));
                continue;
            }
            body.append(characters.left(room));
            characters.remove(0, std::min(room, characters.size()));
        }
        ++index;
    }
    flush();
    BiffBody ext;
    ext.u16(kBucket);
    for (const auto& [position, offset] : buckets)
        ext.u32(position).u16(offset).u16(0);
    out.record(rec::kExtSst, ext);
}

} // namespace

namespace biff {

int maxRows(int version)
{
    return version >= 8 ? 65536 : 16384;
}

int maxTextLength(int version)
{
    return version >= 8 ? 32767 : 255;
}

} // namespace biff

QByteArray writeBiffWorkbook(int version, const std::vector<WorksheetData>& sheets)
{
    WorkbookTables tables(version, sheets);
    BiffStream out(version);
    if (version <= 4) {
        static const WorksheetData empty;
        writeWorksheet(out, sheets.empty() ? empty : sheets.front(), tables, true);
        return out.data();
    }
    writeBof(out, kGlobals);
    out.record(rec::kCodePage, BiffBody().u16(version >= 8 ? 1200 : 1252));
    writeWindow1(out);
    writeFonts(out, tables);
    writeFormats(out, tables);
    writeXfs(out, tables);
    std::vector<qsizetype> offsets;
    for (const WorksheetData& sheet : sheets) {
        offsets.push_back(out.position() + 4);
        BiffBody body;
        body.u32(0).u8(0).u8(0); // stream position of the sheet, filled in below; visible sheet
        if (version >= 8)
            body.unicodeString(sheet.name.left(31), 1);
        else
            body.byteString(byteText(sheet.name.left(31)), 1);
        out.record(rec::kBoundSheet, body);
    }
    if (version >= 8)
        writeSharedStrings(out, tables);
    out.record(rec::kEof);
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        out.patchU32(offsets[i], static_cast<std::uint32_t>(out.position()));
        writeWorksheet(out, sheets[i], tables, i == 0);
    }
    return out.data();
}

} // namespace report
