#pragma once

// clsWines: the wine record class over tblWines of the main wine database - an open, updatable
// table-direct record set of the whole table (index "PrimaryKey" to begin with) and a copy of
// its current row in typed members. Plain properties read and write the members only; the
// operations move, seek, find, add, modify and delete rows, and keep the derived columns
// (combined varieties, label flag, stage dates, first and last dates) up to date.
//
// The operations that fail raise vb::Error with the error's number and text and the source
// "clsWines." + the operation ("clsWines.Add"); Add first drops the new row it started. The
// host objects it is made with are the caller's and must outlive it.

#include "platform/jet/recordset/Recordset.h"
#include "platform/vb/Currency.h"
#include "platform/vb/Variant.h"
#include "reports/WineRecord.h"

#include <array>
#include <QString>
#include <vector>

namespace jet {
class Connection;
}

namespace reports {
class CommonTools;
class NumberedTexts;
class RecordsetHelper;
} // namespace reports

class clsWines : public reports::WineRecord
{
public:
    // What the class works with: the host's open connection to the main wine database, its
    // common tools (f_GetGMTDateTime, f_ReturnNullStringOrValue), its record-set helper
    // (OpenRecordset, CloseADOObject) and its SQL texts (93, 94, 95).
    struct HostObjects
    {
        jet::Connection& mainDatabase;
        reports::CommonTools& commonTools;
        reports::RecordsetHelper& recordsets;
        reports::NumberedTexts& sqlTexts;
    };

    // Opens tblWines; raises vb::Error when it cannot, or when the table is not laid out as
    // the class addresses it.
    explicit clsWines(const HostObjects& host);
    // Closes the record set through the host's CloseADOObject.
    ~clsWines() override;
    clsWines(const clsWines&) = delete;
    clsWines& operator=(const clsWines&) = delete;

    // A new row from the members, with a new running number from tblDBVer; WineID and
    // oldWineID then hold what the row got.
    bool Add();
    qint16 PeriodBandwidth() const { return m_PeriodBandwidth; }
    void setPeriodBandwidth(qint16 value) { m_PeriodBandwidth = value; }
    qint16 LifeSpan() const { return m_LifeSpan; }
    void setLifeSpan(qint16 value) { m_LifeSpan = value; }
    qint32 AppellationID() const override { return m_AppellationID; }
    void setAppellationID(qint32 value) { m_AppellationID = value; }
    bool BOF() const;
    // The record set's bookmark of the row last loaded; setting it goes to that row.
    vb::Variant Bookmark() const { return m_Bookmark; }
    void setBookmark(const vb::Variant& value);
    QString BottleLocations() const override { return m_BottleLocations; }
    void setBottleLocations(const QString& value) { m_BottleLocations = value; }
    qint32 BottleSizeID() const override { return m_BottleSizeID; }
    void setBottleSizeID(qint32 value) { m_BottleSizeID = value; }

    // The current row's first and last tasting-note dates, and its first and last purchase.
    bool SetFirstTNsDates(const vb::Variant& datOldest, const vb::Variant& datYoungest);
    bool SetFirstTxDates(const vb::Variant& datTxDate);
    // Reads the current row's dates again from its tasting notes (ReCalcTNDates) or purchases
    // and removals (ReCalcTxDates); blnHasChanged, when given, is false only when every date
    // was there before and is the same.
    bool ReCalcTNDates(bool* blnHasChanged = nullptr);
    bool ReCalcTxDates(bool* blnHasChanged = nullptr);

    // The current row's dates as "General Date" texts; "" for none.
    QString FirstBought() const;
    QString LastBought() const;
    QString FirstRemoval() const;
    QString LastRemoval() const;
    QString FirstTastingNote() const;
    QString LastTastingNote() const;

    void Clear();
    vb::Variant Created() const { return m_Created; }
    void setCreated(const vb::Variant& value) { m_Created = value; }
    bool Delete();
    QString Peak() const { return m_Peak; }
    void setPeak(const QString& value) { m_Peak = value; }
    QString DrinkFrom() const { return m_DrinkFrom; }
    void setDrinkFrom(const QString& value) { m_DrinkFrom = value; }
    qint32 DrinkProfileID() const { return m_DrinkProfileID; }
    void setDrinkProfileID(qint32 value) { m_DrinkProfileID = value; }
    QString DrinkTo() const { return m_DrinkTo; }
    void setDrinkTo(const QString& value) { m_DrinkTo = value; }
    // EOF: the name is the C library's macro.
    bool EOF_() const;

    bool f_FindRecord(const QString& Criteria, qint32 SkipRows = 0,
                      jet::SearchDirection SearchDirection = jet::SearchDirection::Forward,
                      const vb::Variant& Start = {});
    QString Filter() const;
    void setFilter(const QString& value);
    QString Label() const override { return m_Label; }
    void setLabel(const QString& value) { m_Label = value; }
    vb::Variant LastModif() const { return m_LastModif; }
    void setLastModif(const vb::Variant& value) { m_LastModif = value; }
    bool Modify();
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();

    qint32 NoteID() const { return m_NoteID; }
    void setNoteID(qint32 value) { m_NoteID = value; }
    qint32 oldWineID() const override { return m_oldWineID; }
    void setoldWineID(qint32 value) { m_oldWineID = value; }
    QString Optimal() const { return m_Optimal; }
    void setOptimal(const QString& value) { m_Optimal = value; }
    qint16 QOH() const { return m_QOH; }
    void setQOH(qint16 value) { m_QOH = value; }
    qint64 RecordCount() const;
    QString RecordsetIndex() const;
    void setRecordsetIndex(const QString& value);
    // Seeks the members' key of the current index ("PrimaryKey": WineID; "UniqueWine":
    // WinerySiteID, Label, Vintage, AppellationID, BottleSizeID; "oldWineID": oldWineID; any
    // other index: no key values) with SeekOptions as the seek option (jet::SeekOption).
    bool SeekRecord(qint16 SeekOptions = 1);

    bool ShoppingList() const { return m_ShoppingList; }
    void setShoppingList(bool value) { m_ShoppingList = value; }
    bool PreSelect() const { return m_PreSelect; }
    void setPreSelect(bool value) { m_PreSelect = value; }
    QString Sort() const;
    void setSort(const QString& value);
    bool TastingNote() const { return m_TastingNote; }
    void setTastingNote(bool value) { m_TastingNote = value; }
    QString User01() const { return m_User[0]; }
    void setUser01(const QString& value) { m_User[0] = value; }
    QString User02() const { return m_User[1]; }
    void setUser02(const QString& value) { m_User[1] = value; }
    QString User03() const { return m_User[2]; }
    void setUser03(const QString& value) { m_User[2] = value; }
    QString User04() const { return m_User[3]; }
    void setUser04(const QString& value) { m_User[3] = value; }
    QString User05() const { return m_User[4]; }
    void setUser05(const QString& value) { m_User[4] = value; }
    vb::Currency Value() const { return m_Value; }
    void setValue(vb::Currency value) { m_Value = value; }
    QString Variety1() const { return m_Variety[0]; }
    void setVariety1(const QString& value) { m_Variety[0] = value; }
    QString Variety2() const { return m_Variety[1]; }
    void setVariety2(const QString& value) { m_Variety[1] = value; }
    QString Variety3() const { return m_Variety[2]; }
    void setVariety3(const QString& value) { m_Variety[2] = value; }
    QString Variety4() const { return m_Variety[3]; }
    void setVariety4(const QString& value) { m_Variety[3] = value; }
    QString Variety5() const { return m_Variety[4]; }
    void setVariety5(const QString& value) { m_Variety[4] = value; }
    QString VarietyPerc1() const { return m_VarietyPerc[0]; }
    void setVarietyPerc1(const QString& value) { m_VarietyPerc[0] = value; }
    QString VarietyPerc2() const { return m_VarietyPerc[1]; }
    void setVarietyPerc2(const QString& value) { m_VarietyPerc[1] = value; }
    QString VarietyPerc3() const { return m_VarietyPerc[2]; }
    void setVarietyPerc3(const QString& value) { m_VarietyPerc[2] = value; }
    QString VarietyPerc4() const { return m_VarietyPerc[3]; }
    void setVarietyPerc4(const QString& value) { m_VarietyPerc[3] = value; }
    QString VarietyPerc5() const { return m_VarietyPerc[4]; }
    void setVarietyPerc5(const QString& value) { m_VarietyPerc[4] = value; }
    QString Vintage() const override { return m_Vintage; }
    void setVintage(const QString& value) { m_Vintage = value; }
    qint32 WineID() const override { return m_WineID; }
    void setWineID(qint32 value) { m_WineID = value; }
    QString WineLabelPointer() const { return m_WineLabelPointer; }
    void setWineLabelPointer(const QString& value) { m_WineLabelPointer = value; }
    qint32 WinerySiteID() const override { return m_WinerySiteID; }
    void setWinerySiteID(qint32 value) { m_WinerySiteID = value; }
    qint32 WineTypeID() const override { return m_WineTypeID; }
    void setWineTypeID(qint32 value) { m_WineTypeID = value; }

private:
    void loadRow();
    void saveRow();
    void writeText(int position, const QString& text);
    QString dateText(int position) const;
    // Opens SQL text `number` for the member WineID and puts its first and last dates into the
    // columns at `first` and `first + 1`; true when both were there before and are the same.
    bool recalculateDates(qint16 number, int first);
    bool standsOnRow() const;

    HostObjects m_host;
    jet::Recordset m_recordset;
    // The record set's fields by column position, and where each stage date lies.
    std::vector<jet::Field> m_fields;
    std::array<int, 15> m_stageDatePositions{};

    qint32 m_WineID = 0;
    QString m_Vintage;
    QString m_Label;
    qint16 m_QOH = 0;
    bool m_ShoppingList = false;
    bool m_TastingNote = false;
    QString m_WineLabelPointer;
    QString m_DrinkFrom;
    QString m_DrinkTo;
    std::array<QString, 5> m_User;
    vb::Currency m_Value;
    QString m_Optimal;
    QString m_BottleLocations;
    std::array<QString, 5> m_Variety;
    std::array<QString, 5> m_VarietyPerc;
    qint32 m_WineTypeID = 0;
    qint32 m_AppellationID = 0;
    qint32 m_BottleSizeID = 0;
    qint32 m_WinerySiteID = 0;
    qint32 m_DrinkProfileID = 0;
    qint32 m_NoteID = 0;
    qint32 m_oldWineID = 0;
    bool m_PreSelect = false;
    vb::Variant m_Created;
    vb::Variant m_LastModif;
    QString m_Peak;
    qint16 m_LifeSpan = 0;
    qint16 m_PeriodBandwidth = 0;
    vb::Variant m_Bookmark;
};
