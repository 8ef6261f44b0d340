// clsWines: the record set of tblWines, loading and saving its current row, and its operations.

#include "reports/locations/clsWines.h"

#include "platform/jet/Connection.h"
#include "platform/vb/Error.h"
#include "platform/vb/Format.h"
#include "reports/CommonTools.h"
#include "reports/locations/WineDerivedColumns.h"
#include "reports/NumberedTexts.h"
#include "reports/RecordsetHelper.h"

using namespace Qt::StringLiterals;

namespace {

// Column positions of tblWines.
constexpr int kWineID = 0;
constexpr int kVintage = 1;
constexpr int kLabel = 2;
constexpr int kQOH = 3;
constexpr int kShoppingList = 4;
constexpr int kTastingNote = 5;
constexpr int kWineLabelPointer = 6;
constexpr int kDrinkFrom = 7;
constexpr int kDrinkTo = 8;
constexpr int kUser01 = 9;
constexpr int kValue = 14;
constexpr int kOptimal = 15;
constexpr int kBottleLocations = 16;
constexpr int kVariety1 = 17; // slot k at 17 + 2k, its share right after it
constexpr int kWineTypeID = 27;
constexpr int kAppellationID = 28;
constexpr int kBottleSizeID = 29;
constexpr int kWinerySiteID = 30;
constexpr int kDrinkProfileID = 31;
constexpr int kNoteID = 32;
constexpr int kOldWineID = 33;
constexpr int kPreSelect = 37;
constexpr int kCreated = 38;
constexpr int kLastModif = 39;
constexpr int kPeak = 40;
constexpr int kLifeSpan = 41;
constexpr int kPeriodBandwidth = 42;
constexpr int kVarieties = 43;
constexpr int kHasLabel = 44;
constexpr int kFirstBought = 60;
constexpr int kLastBought = 61;
constexpr int kFirstRemoval = 62;
constexpr int kLastRemoval = 63;
constexpr int kFirstTastingNote = 64;
constexpr int kLastTastingNote = 65;

// The columns the class addresses by position, as the table must name them.
struct PositionedColumn
{
    int position;
    const char16_t* name;
};

constexpr PositionedColumn kColumns[] = {
    {kWineID, u"WineID"},
    {kVintage, u"Vintage"},
    {kLabel, u"Label"},
    {kQOH, u"QOH"},
    {kShoppingList, u"ShoppingList"},
    {kTastingNote, u"TastingNote"},
    {kWineLabelPointer, u"WineLabelPointer"},
    {kDrinkFrom, u"DrinkFrom"},
    {kDrinkTo, u"DrinkTo"},
    {kUser01, u"User01"},
    {kUser01 + 4, u"User05"},
    {kValue, u"Value"},
    {kOptimal, u"Optimal"},
    {kBottleLocations, u"BottleLocations"},
    {kVariety1, u"Variety1"},
    {kVariety1 + 9, u"VarietyPerc5"},
    {kWineTypeID, u"WineTypeID"},
    {kAppellationID, u"AppellationID"},
    {kBottleSizeID, u"BottleSizeID"},
    {kWinerySiteID, u"WinerySiteID"},
    {kDrinkProfileID, u"DrinkProfileID"},
    {kNoteID, u"NoteID"},
    {kOldWineID, u"oldWineID"},
    {kPreSelect, u"PreSelect"},
    {kCreated, u"Created"},
    {kLastModif, u"LastModif"},
    {kPeak, u"Peak"},
    {kLifeSpan, u"LifeSpan"},
    {kPeriodBandwidth, u"PeriodBandWidth"},
    {kVarieties, u"Varieties"},
    {kHasLabel, u"HasLabel"},
    {kFirstBought, u"FirstBought"},
    {kLastBought, u"LastBought"},
    {kFirstRemoval, u"FirstRemoval"},
    {kLastRemoval, u"LastRemoval"},
    {kFirstTastingNote, u"FirstTastingNote"},
    {kLastTastingNote, u"LastTastingNote"},
};

[[noreturn]] void raiseFrom(const QString& operation, const vb::Error& error)
{
    throw vb::Error(error.number(), error.description(), u"clsWines."_s + operation);
}

// Runs an operation and passes its error on under the operation's name.
template <typename Body>
auto passOn(const QString& operation, Body&& body) -> decltype(body())
{
    try {
        return body();
    } catch (const vb::Error& error) {
        raiseFrom(operation, error);
    }
}

// Copies a column into a member; a column that cannot be read (Null where the member has no
// Null, a value of another kind) leaves the member as it was.
template <typename Member, typename Convert>
void readColumn(const jet::Recordset& recordset, int position, Member& member, Convert convert)
{
    try {
        member = convert(recordset.value(position));
    } catch (const vb::Error&) {
    }
}

QString asText(const vb::Variant& value)
{
    return value.toString();
}
qint16 asInteger(const vb::Variant& value)
{
    return value.toInteger();
}
qint32 asLong(const vb::Variant& value)
{
    return value.toLong();
}
bool asBoolean(const vb::Variant& value)
{
    return value.toBoolean();
}
vb::Variant asDate(const vb::Variant& value)
{
    return vb::Variant::fromDate(value.toDate());
}

bool isDate(const vb::Variant& value)
{
    return !value.isNull() && !value.isEmpty();
}

// An empty column never compares equal.
bool sameDate(const vb::Variant& before, const vb::Variant& after)
{
    return isDate(before) && isDate(after) && before.toDate() == after.toDate();
}

} // namespace

clsWines::clsWines(const HostObjects& host) : m_host(host)
{
    m_recordset.open(u"tblWines"_s, m_host.mainDatabase, jet::CursorType::Keyset,
                     jet::LockType::Optimistic, jet::CommandType::TableDirect);
    m_recordset.setIndex(u"PrimaryKey"_s);
    for (int position = 0; position < m_recordset.fieldCount(); ++position)
        m_fields.push_back(m_recordset.field(position));

    auto layoutError = [](const QString& what) {
        return vb::Error(vb::ErrorNumber::InvalidProcedureCall,
                         u"tblWines is not laid out as a current wine database's: "_s + what,
                         u"clsWines"_s);
    };
    for (const PositionedColumn& column : kColumns) {
        const QString expected = QString::fromUtf16(column.name);
        if (column.position >= int(m_fields.size()) ||
            m_fields[column.position].name.compare(expected, Qt::CaseInsensitive) != 0)
            throw layoutError(u"column %1 is not %2"_s.arg(column.position).arg(expected));
    }
    // The stage dates are written by name: their order in the table is the order the updater
    // added them in, from the first stage to the last.
    for (size_t stage = 0; stage < stovanic::kStageDateFields.size(); ++stage) {
        m_stageDatePositions[stage] = m_recordset.fieldIndex(stovanic::kStageDateFields[stage]);
        if (m_stageDatePositions[stage] < 0)
            throw layoutError(u"there is no column "_s + stovanic::kStageDateFields[stage]);
    }
}

clsWines::~clsWines()
{
    m_host.recordsets.CloseADOObject(m_recordset);
}

bool clsWines::standsOnRow() const
{
    return !m_recordset.bof() && !m_recordset.eof();
}

void clsWines::loadRow()
{
    const jet::Recordset& row = m_recordset;
    readColumn(row, kWineID, m_WineID, asLong);
    readColumn(row, kVintage, m_Vintage, asText);
    readColumn(row, kLabel, m_Label, asText);
    readColumn(row, kQOH, m_QOH, asInteger);
    readColumn(row, kShoppingList, m_ShoppingList, asBoolean);
    readColumn(row, kTastingNote, m_TastingNote, asBoolean);
    readColumn(row, kWineLabelPointer, m_WineLabelPointer, asText);
    readColumn(row, kDrinkFrom, m_DrinkFrom, asText);
    readColumn(row, kDrinkTo, m_DrinkTo, asText);
    for (int slot = 0; slot < 5; ++slot)
        readColumn(row, kUser01 + slot, m_User[slot], asText);
    readColumn(row, kValue, m_Value, [](const vb::Variant& value) { return value.toCurrency(); });
    readColumn(row, kOptimal, m_Optimal, asText);
    readColumn(row, kBottleLocations, m_BottleLocations, asText);
    for (int slot = 0; slot < 5; ++slot) {
        readColumn(row, kVariety1 + 2 * slot, m_Variety[slot], asText);
        readColumn(row, kVariety1 + 2 * slot + 1, m_VarietyPerc[slot], asText);
    }
    readColumn(row, kWineTypeID, m_WineTypeID, asLong);
    readColumn(row, kAppellationID, m_AppellationID, asLong);
    readColumn(row, kBottleSizeID, m_BottleSizeID, asLong);
    readColumn(row, kWinerySiteID, m_WinerySiteID, asLong);
    readColumn(row, kDrinkProfileID, m_DrinkProfileID, asLong);
    readColumn(row, kNoteID, m_NoteID, asLong);
    readColumn(row, kOldWineID, m_oldWineID, asLong);
    readColumn(row, kPreSelect, m_PreSelect, asBoolean);
    readColumn(row, kCreated, m_Created, asDate);
    readColumn(row, kLastModif, m_LastModif, asDate);
    readColumn(row, kPeak, m_Peak, asText);
    readColumn(row, kLifeSpan, m_LifeSpan, asInteger);
    readColumn(row, kPeriodBandwidth, m_PeriodBandwidth, asInteger);
    try {
        m_Bookmark = row.bookmark();
    } catch (const vb::Error&) {
    }
}

void clsWines::writeText(int position, const QString& text)
{
    m_recordset.setValue(position, m_host.commonTools.f_ReturnNullStringOrValue(vb::Variant(text)));
}

void clsWines::saveRow()
{
    writeText(kVintage, m_Vintage);
    writeText(kLabel, m_Label);
    m_recordset.setValue(kQOH, vb::Variant(std::int16_t{m_QOH}));
    m_recordset.setValue(kShoppingList, vb::Variant(m_ShoppingList));
    m_recordset.setValue(kTastingNote, vb::Variant(m_TastingNote));
    writeText(kWineLabelPointer, m_WineLabelPointer);
    writeText(kDrinkFrom, m_DrinkFrom);
    writeText(kDrinkTo, m_DrinkTo);
    for (int slot = 0; slot < 5; ++slot)
        writeText(kUser01 + slot, m_User[slot]);
    m_recordset.setValue(kValue, vb::Variant(m_Value));
    writeText(kOptimal, m_Optimal);
    writeText(kBottleLocations, m_BottleLocations);
    for (int slot = 0; slot < 5; ++slot) {
        writeText(kVariety1 + 2 * slot, m_Variety[slot]);
        writeText(kVariety1 + 2 * slot + 1, m_VarietyPerc[slot]);
    }
    const std::pair<int, qint32> keys[]{
        {kWineTypeID, m_WineTypeID},         {kAppellationID, m_AppellationID},
        {kBottleSizeID, m_BottleSizeID},     {kWinerySiteID, m_WinerySiteID},
        {kDrinkProfileID, m_DrinkProfileID}, {kNoteID, m_NoteID}};
    for (const auto& [position, key] : keys)
        m_recordset.setValue(position, vb::Variant(std::int32_t{key}));
    m_recordset.setValue(kPreSelect, vb::Variant(m_PreSelect));
    writeText(kPeak, m_Peak);
    m_recordset.setValue(kLifeSpan, vb::Variant(std::int16_t{m_LifeSpan}));
    m_recordset.setValue(kPeriodBandwidth, vb::Variant(std::int16_t{m_PeriodBandwidth}));

    m_recordset.setValue(kVarieties,
                         vb::Variant(stovanic::combinedVarieties(m_Variety, m_VarietyPerc)));
    m_recordset.setValue(kHasLabel, vb::Variant(stovanic::hasLabel(m_WineLabelPointer)));
    const auto dates = stovanic::stageDates(
        {m_Vintage, m_DrinkFrom, m_Optimal, m_Peak, m_DrinkTo, m_LifeSpan, m_PeriodBandwidth});
    for (size_t stage = 0; stage < dates.size(); ++stage)
        m_recordset.setValue(m_stageDatePositions[stage], dates[stage]);
}

bool clsWines::Add()
{
    jet::Recordset dbVer;
    // The running number and the new row are one change: a failed Add keeps neither.
    m_host.mainDatabase.beginTrans();
    try {
        m_recordset.addNew();
        saveRow();
        const vb::Variant now = m_host.commonTools.f_GetGMTDateTime();
        m_recordset.setValue(kCreated, now);
        m_recordset.setValue(kLastModif, now);
        // The running number lives in tblDBVer's second column.
        m_host.recordsets.OpenRecordset(dbVer, u"tblDBVer"_s, m_host.mainDatabase);
        dbVer.moveFirst();
        const vb::Variant number(std::int32_t{dbVer.value(1).toLong() + 1});
        dbVer.setValue(1, number);
        dbVer.update();
        m_recordset.setValue(kOldWineID, number);
        m_recordset.update();
        m_WineID = m_recordset.value(kWineID).toLong();
        m_oldWineID = m_recordset.value(kOldWineID).toLong();
        m_host.recordsets.CloseADOObject(dbVer);
        m_host.mainDatabase.commitTrans();
        return true;
    } catch (const vb::Error& error) {
        if (m_recordset.isOpen() && m_recordset.editMode() != jet::EditMode::None)
            m_recordset.cancelUpdate();
        m_host.recordsets.CloseADOObject(dbVer);
        try {
            m_host.mainDatabase.rollbackTrans();
        } catch (const vb::Error&) {
            // The error that ended the Add is the one to report.
        }
        raiseFrom(u"Add"_s, error);
    }
}

bool clsWines::Modify()
{
    try {
        saveRow();
        m_recordset.setValue(kLastModif, m_LastModif);
        m_recordset.update();
        return true;
    } catch (const vb::Error& error) {
        // A change that could not be saved must not be saved by the next move either.
        if (m_recordset.isOpen() && m_recordset.editMode() != jet::EditMode::None)
            m_recordset.cancelUpdate();
        raiseFrom(u"Modify"_s, error);
    }
}

bool clsWines::Delete()
{
    return passOn(u"Delete"_s, [this] {
        m_recordset.deleteCurrent();
        return true;
    });
}

bool clsWines::SeekRecord(qint16 SeekOptions)
{
    return passOn(u"SeekRecord"_s, [&] {
        const QString index = m_recordset.index();
        QList<vb::Variant> key;
        if (index.compare(u"PrimaryKey"_s, Qt::CaseInsensitive) == 0)
            key = {vb::Variant(std::int32_t{m_WineID})};
        else if (index.compare(u"UniqueWine"_s, Qt::CaseInsensitive) == 0)
            key = {vb::Variant(std::int32_t{m_WinerySiteID}), vb::Variant(m_Label),
                   vb::Variant(m_Vintage), vb::Variant(std::int32_t{m_AppellationID}),
                   vb::Variant(std::int32_t{m_BottleSizeID})};
        else if (index.compare(u"oldWineID"_s, Qt::CaseInsensitive) == 0)
            key = {vb::Variant(std::int32_t{m_oldWineID})};
        m_recordset.seek(key, static_cast<jet::SeekOption>(SeekOptions));
        if (!standsOnRow())
            return false;
        loadRow();
        return true;
    });
}

bool clsWines::f_FindRecord(const QString& Criteria, qint32 SkipRows,
                            jet::SearchDirection SearchDirection, const vb::Variant& Start)
{
    return passOn(u"f_FindRecord"_s, [&] {
        m_recordset.find(Criteria, SkipRows, SearchDirection, Start);
        if (!standsOnRow())
            return false;
        loadRow();
        return true;
    });
}

void clsWines::MoveFirst()
{
    m_recordset.moveFirst();
    if (standsOnRow())
        loadRow();
}

void clsWines::MoveLast()
{
    m_recordset.moveLast();
    if (standsOnRow())
        loadRow();
}

void clsWines::MoveNext()
{
    m_recordset.moveNext();
    if (standsOnRow())
        loadRow();
}

void clsWines::MovePrevious()
{
    m_recordset.movePrevious();
    if (standsOnRow())
        loadRow();
}

void clsWines::setBookmark(const vb::Variant& value)
{
    m_recordset.setBookmark(value);
    loadRow();
}

bool clsWines::SetFirstTxDates(const vb::Variant& datTxDate)
{
    return passOn(u"SetFirstTxDates"_s, [&] {
        m_recordset.setValue(kFirstBought, datTxDate);
        m_recordset.setValue(kLastBought, datTxDate);
        m_recordset.update();
        return true;
    });
}

bool clsWines::SetFirstTNsDates(const vb::Variant& datOldest, const vb::Variant& datYoungest)
{
    return passOn(u"SetFirstTNsDates"_s, [&] {
        m_recordset.setValue(kFirstTastingNote, datOldest);
        m_recordset.setValue(kLastTastingNote, datYoungest);
        m_recordset.update();
        return true;
    });
}

bool clsWines::recalculateDates(qint16 number, int first)
{
    const vb::Variant before[2]{m_recordset.value(first), m_recordset.value(first + 1)};
    QString sql = m_host.sqlTexts.Item(number);
    sql.replace(u"[_%1%_]"_s, QString::number(m_WineID), Qt::CaseInsensitive);
    jet::Recordset dates;
    dates.open(sql, m_host.mainDatabase, jet::CursorType::Static, jet::LockType::ReadOnly,
               jet::CommandType::Text);
    vb::Variant after[2]{vb::Variant::null(), vb::Variant::null()};
    if (!dates.eof()) {
        after[0] = dates.value(0);
        dates.moveLast();
        after[1] = dates.value(0);
    }
    dates.close();
    m_recordset.setValue(first, after[0]);
    m_recordset.setValue(first + 1, after[1]);
    return sameDate(before[0], after[0]) && sameDate(before[1], after[1]);
}

bool clsWines::ReCalcTNDates(bool* blnHasChanged)
{
    return passOn(u"ReCalcTNDates"_s, [&] {
        const bool same = recalculateDates(95, kFirstTastingNote);
        m_recordset.update();
        if (blnHasChanged)
            *blnHasChanged = !same;
        return true;
    });
}

bool clsWines::ReCalcTxDates(bool* blnHasChanged)
{
    return passOn(u"ReCalcTxDates"_s, [&] {
        const bool samePurchases = recalculateDates(93, kFirstBought);
        const bool sameRemovals = recalculateDates(94, kFirstRemoval);
        m_recordset.update();
        if (blnHasChanged)
            *blnHasChanged = !(samePurchases && sameRemovals);
        return true;
    });
}

QString clsWines::dateText(int position) const
{
    const vb::Variant value = m_recordset.value(position);
    return isDate(value) ? vb::Format(value, vb::Variant(u"General Date"_s)).toString() : QString();
}

QString clsWines::FirstBought() const
{
    return dateText(kFirstBought);
}
QString clsWines::LastBought() const
{
    return dateText(kLastBought);
}
QString clsWines::FirstRemoval() const
{
    return dateText(kFirstRemoval);
}
QString clsWines::LastRemoval() const
{
    return dateText(kLastRemoval);
}
QString clsWines::FirstTastingNote() const
{
    return dateText(kFirstTastingNote);
}
QString clsWines::LastTastingNote() const
{
    return dateText(kLastTastingNote);
}

void clsWines::Clear()
{
    m_WineID = 0;
    m_QOH = 0;
    m_Value = vb::Currency();
    m_WineTypeID = m_AppellationID = m_BottleSizeID = m_WinerySiteID = 0;
    m_DrinkProfileID = m_NoteID = m_oldWineID = 0;
    m_ShoppingList = m_TastingNote = m_PreSelect = false;
    for (QString* text : {&m_Vintage, &m_Label, &m_WineLabelPointer, &m_DrinkFrom, &m_DrinkTo,
                          &m_Optimal, &m_BottleLocations, &m_Peak})
        text->clear();
    for (QString& user : m_User)
        user.clear();
    for (QString& share : m_VarietyPerc)
        share.clear();
    m_Variety.fill(stovanic::kUnknownVariety);
    m_LifeSpan = 1;
    m_PeriodBandwidth = 12;
    m_Created = m_host.commonTools.f_GetGMTDateTime();
    m_LastModif = m_host.commonTools.f_GetGMTDateTime();
}

bool clsWines::BOF() const
{
    return m_recordset.bof();
}

bool clsWines::EOF_() const
{
    return m_recordset.eof();
}

qint64 clsWines::RecordCount() const
{
    return m_recordset.recordCount();
}

QString clsWines::Filter() const
{
    return m_recordset.filter();
}

void clsWines::setFilter(const QString& value)
{
    passOn(u"Filter"_s, [&] { m_recordset.setFilter(value); });
}

QString clsWines::Sort() const
{
    return m_recordset.sort();
}

void clsWines::setSort(const QString& value)
{
    m_recordset.setSort(value);
}

QString clsWines::RecordsetIndex() const
{
    return m_recordset.index();
}

void clsWines::setRecordsetIndex(const QString& value)
{
    passOn(u"RecordsetIndex"_s, [&] { m_recordset.setIndex(value); });
}
