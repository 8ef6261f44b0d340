// The SQLite texts of the hand-written main chain.

#include "RawMainChainSql.h"

#include "updater/maindb/MainDatabaseSql.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace mainchain {

namespace {

// Variety n and its share, then the next ones, each on its own line; "<unknown>" ends the list.
QString varietiesFrom(int n)
{
    const QString variety = u"Variety%1"_s.arg(n);
    const QString share =
        u"ifnull(%1, '') || ' - ' || ifnull(VarietyPerc%2, '')"_s.arg(variety).arg(n);
    const QString rest = n < 5 ? u" || "_s + varietiesFrom(n + 1) : QString();
    if (n == 1)
        return u"CASE WHEN %1 = '<unknown>' THEN '<unknown>' ELSE %2%3 END"_s.arg(variety, share,
                                                                                  rest);
    return u"CASE WHEN %1 = '<unknown>' THEN '' ELSE char(13, 10) || %2%3 END"_s.arg(variety, share,
                                                                                     rest);
}

// The stage date `field` = DateSerial(year, month shifted by half the band width, 1).
QString stage(const QString& field, const QString& year, const QString& month, int shift)
{
    const QString half = u"(PeriodBandWidth / 2.0)"_s;
    const QString shifted = shift == 0  ? month
                            : shift > 0 ? month + u" + "_s + half
                                        : month + u" - "_s + half;
    return u"%1 = dateserial(%2, %3, 1)"_s.arg(field, year, shifted);
}

// The three stage dates around one "YYYY-MM" point: before, at and after it.
QStringList aroundPoint(const QString& point, const QString& before, const QString& at,
                        const QString& after)
{
    const QString year = u"substr(%1, 1, 4)"_s.arg(point);
    const QString month = u"substr(%1, -2)"_s.arg(point);
    return {stage(before, year, month, -1), stage(at, year, month, 0),
            stage(after, year, month, 1)};
}

QString dhiColumns()
{
    const QString now = u"(julianday('now', 'localtime') - 2415018.5)"_s;
    const QStringList& stages = updater::maindb::stageDateFields();
    const int last = int(stages.size()) - 1;
    QStringList columns;
    // A stage counts as reached when its date or the date of a later stage has come.
    for (int k = last; k >= 0; --k) {
        QStringList reached;
        for (int j = k; j <= last; ++j)
            reached << u"%1 >= %2"_s.arg(now, stages[j]);
        columns << u"CASE WHEN %1 THEN %2 ELSE 0 END AS bytDHI%3"_s.arg(reached.join(u" OR "_s))
                       .arg(1 << k)
                       .arg(k);
    }
    return columns.join(u", "_s);
}

QString address(const QString& site)
{
    return u"CASE WHEN %1.Address1 <> '' THEN %1.Address1 || CASE WHEN %1.Address2 <> '' THEN "
           "char(13, 10) || %1.Address2 ELSE '' END ELSE CASE WHEN %1.Address2 <> '' THEN "
           "%1.Address2 END END AS Address"_s.arg(site);
}

// FROM to the end of one of the updater's queries: its joins and condition are SQLite as they
// stand (only the select list needs IIf and & written anew).
QString fromClause(const QString& jetQuery)
{
    QString from = jetQuery.mid(jetQuery.indexOf(u" FROM "_s) + 1).trimmed();
    if (from.endsWith(u';'))
        from.chop(1);
    return from;
}

} // namespace

QString rawStageDatesStatement()
{
    const QString year =
        u"(CASE WHEN vbval(Vintage) = 0 THEN substr(DrinkFrom, 1, 4) ELSE Vintage END + LifeSpan)"_s;
    QStringList sets{u"Varieties = "_s + varietiesFrom(1),
                     u"HasLabel = CASE WHEN WineLabelPointer <> '' THEN -1 ELSE 0 END"_s,
                     stage(u"datDead"_s, year, u"7"_s, 1), stage(u"datDeadNew"_s, year, u"7"_s, 0),
                     stage(u"datDecliningEndSoon"_s, year, u"7"_s, -1)};
    sets << aroundPoint(u"DrinkTo"_s, u"datBestEndSoon"_s, u"datDecliningNew"_s, u"datDeclining"_s);
    sets << aroundPoint(u"Peak"_s, u"datPeakComingUp"_s, u"datPeakPassed"_s,
                        u"datBestRightOfPeak"_s);
    sets << aroundPoint(u"Optimal"_s, u"datDrinkHoldEndSoon"_s, u"datBestNew"_s,
                        u"datBestLeftOfPeak"_s);
    sets << aroundPoint(u"DrinkFrom"_s, u"datHoldEndSoon"_s, u"datDrinkHoldNew"_s,
                        u"datDrinkHold"_s);
    return u"UPDATE tblWines SET "_s + sets.join(u", "_s);
}

QString rawFirstLastDatesStatement()
{
    const auto of = [](const QString& field, const QString& aggregate, const QString& table,
                       const QString& condition) {
        return u"%1 = (SELECT %2(Date) FROM %3 WHERE %3.WineID = tblWines.WineID%4)"_s.arg(
            field, aggregate, table, condition);
    };
    const QString bought = u" AND Quantity > 0"_s;
    const QString removed = u" AND Quantity < 0"_s;
    const QString transactions = u"tblTransactions"_s;
    const QString notes = u"tblTastingNotes"_s;
    return u"UPDATE tblWines SET "_s +
           QStringList{of(u"FirstBought"_s, u"min"_s, transactions, bought),
                       of(u"LastBought"_s, u"max"_s, transactions, bought),
                       of(u"FirstRemoval"_s, u"min"_s, transactions, removed),
                       of(u"LastRemoval"_s, u"max"_s, transactions, removed),
                       of(u"FirstTastingNote"_s, u"min"_s, notes, QString()),
                       of(u"LastTastingNote"_s, u"max"_s, notes, QString())}
               .join(u", "_s);
}

QString rawCalcDhiView()
{
    QStringList sum;
    for (int k = 0; k < int(updater::maindb::stageDateFields().size()); ++k)
        sum << u"bytDHI%1"_s.arg(k);
    return u"CREATE VIEW CalcDHI AS SELECT *, %1 AS DHI FROM (SELECT tblWines.WineID, %2 FROM "
           "tblWines)"_s.arg(sum.join(u" + "_s), dhiColumns());
}

QString rawCurrentQueryView()
{
    return u"CREATE VIEW CurrentQuery AS SELECT DISTINCT tblWines.WineID, "_s +
           address(u"tblWinerySite"_s) + u", CalcDHI.DHI "_s +
           fromClause(updater::maindb::currentQuery());
}

QString rawReverseQueryView()
{
    return u"CREATE VIEW ReverseQuery AS SELECT DISTINCT tblWines.WineID, "_s +
           address(u"tblWinerySite"_s) + u", CalcDHI.DHI "_s +
           fromClause(updater::maindb::reverseQuery());
}

} // namespace mainchain
