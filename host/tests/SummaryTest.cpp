// The summary window's figures against the same figures computed in plain SQLite.

#include "host/ExchangeRate.h"
#include "HostTestInstallation.h"
#include "platform/vb/Format.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace host::testing {
namespace {

class SummaryTest : public HostSessionTest
{
protected:
    QString boxText(const QString& name)
    {
        auto* box = session().summaryWindow().findChild<QLineEdit*>(name);
        return box ? box->text() : u"(no %1)"_s.arg(name);
    }
    static double value(const QString& sql)
    {
        return sqliteValue(installationFiles().mainDatabase, sql).toDouble();
    }
    static double displayFactor()
    {
        const QString settings = installationFiles().settingsDatabase;
        const QString rate = u"SELECT USExchangeRate FROM tblExchangeRates WHERE CurrencyCode = "
                             "substr((%1), 1, 3)"_s;
        return sqliteValue(settings, rate.arg(u"SELECT DisplayCurrencyCode FROM tblPreferences"_s))
                   .toDouble() /
               sqliteValue(settings, rate.arg(u"'%1'"_s.arg(
                                         sqliteValue(installationFiles().mainDatabase,
                                                     u"SELECT StorageCurrencyCode FROM tblDBVer"_s)
                                             .toString())))
                   .toDouble();
    }

    // The figures of the wines `wines` (an SQLite query of WineIDs), in plain SQLite.
    static CellarFigures expected(const QString& wines)
    {
        const double factor = displayFactor();
        const QString held = u"FROM tblWines WHERE QOH > 0 AND WineID IN (%1)"_s.arg(wines);
        const QString bought =
            u"FROM tblTransactions WHERE Quantity > 0 AND WineID IN (%1)"_s.arg(wines);
        CellarFigures figures;
        figures.distinctWines = static_cast<qint32>(value(u"SELECT count(*) "_s + held));
        figures.bottles = static_cast<qint32>(value(u"SELECT total(QOH) "_s + held));
        figures.valueOfInventory = value(u"SELECT total(QOH * Value) "_s + held) * factor;
        figures.expenseOfInventory =
            value(u"SELECT total(QOH * (SELECT total(Quantity * Cost) / total(Quantity) FROM "
                  "tblTransactions t WHERE t.WineID = tblWines.WineID AND t.Quantity > 0)) "_s +
                  held) *
            factor;
        figures.bottlesBought = static_cast<qint32>(value(u"SELECT total(Quantity) "_s + bought));
        figures.totalSpent = value(u"SELECT total(Quantity * Cost) "_s + bought) * factor;
        return figures;
    }

    static void expectSame(const CellarFigures& actual, const CellarFigures& wanted)
    {
        EXPECT_EQ(actual.distinctWines, wanted.distinctWines);
        EXPECT_EQ(actual.bottles, wanted.bottles);
        EXPECT_NEAR(actual.valueOfInventory, wanted.valueOfInventory, 0.005);
        EXPECT_NEAR(actual.expenseOfInventory, wanted.expenseOfInventory, 0.005);
        EXPECT_EQ(actual.bottlesBought, wanted.bottlesBought);
        EXPECT_NEAR(actual.totalSpent, wanted.totalSpent, 0.005);
    }
};

TEST_F(SummaryTest, FiguresOfTheCellarAndOfASavedQueryMatchPlainSql)
{
    const double factor = displayCurrencyFactor(mainDatabase(), settingsDatabase());
    EXPECT_NEAR(factor, displayFactor(), 1e-12);
    const CellarFigures cellar = computeCellarFigures(mainDatabase(), Selection(), factor);
    expectSame(cellar, expected(u"SELECT WineID FROM tblWines"_s));
    EXPECT_GT(cellar.expenseOfInventory, 0);
    EXPECT_GT(cellar.bottlesBought, cellar.bottles);

    const Selection reds = findSelection(settingsDatabase(), u"Red Wines"_s);
    const CellarFigures query = computeCellarFigures(mainDatabase(), reds, factor);
    expectSame(query, expected(u"SELECT WineID FROM tblWines w JOIN tblPICKType t ON "
                               "w.WineTypeID = t.WineTypeID WHERE t.WineType = 'Red'"_s));
    EXPECT_LT(query.distinctWines, cellar.distinctWines);
}

TEST_F(SummaryTest, TheWindowShowsTheFiguresInItsNamedBoxes)
{
    session().setSelection(findSelection(settingsDatabase(), u"Red Wines"_s));
    session().refreshSummary();
    const double factor = displayCurrencyFactor(mainDatabase(), settingsDatabase());
    const CellarFigures query = computeCellarFigures(mainDatabase(), session().selection(), factor);
    const CellarFigures cellar = computeCellarFigures(mainDatabase(), Selection(), factor);
    const auto whole = [](qint64 n) {
        return vb::Format(vb::Variant(static_cast<double>(n)), u"#,##0"_s).toString();
    };
    const auto money = [](double n) {
        return vb::Format(vb::Variant(n), u"#,##0.00"_s).toString();
    };
    EXPECT_EQ(boxText(u"txtQueryDistinctWines"_s), whole(query.distinctWines));
    EXPECT_EQ(boxText(u"txtQueryBottles"_s), whole(query.bottles));
    EXPECT_EQ(boxText(u"txtQueryValueInventory"_s), money(query.valueOfInventory));
    EXPECT_EQ(boxText(u"txtQueryExpenseInventory"_s), money(query.expenseOfInventory));
    EXPECT_EQ(boxText(u"txtQueryTotalBottles"_s), whole(query.bottlesBought));
    EXPECT_EQ(boxText(u"txtQueryTotalSpent"_s), money(query.totalSpent));
    EXPECT_EQ(boxText(u"txtCellarDistinctWines"_s), whole(cellar.distinctWines));
    EXPECT_EQ(boxText(u"txtCellarTotalSpent"_s), money(cellar.totalSpent));
    for (const char* label : {"lblSummaryQuery", "lblQueryBottlesBought", "lblCellarTotalSpent"})
        EXPECT_NE(session().summaryWindow().findChild<QLabel*>(QLatin1String(label)), nullptr)
            << label;

    frmSummary& window = session().summaryWindow();
    window.adjustSize();
    window.show();
    window.grab().save(QCoreApplication::applicationDirPath() + u"/host_summary_window.png"_s);
    window.hide();
}

} // namespace
} // namespace host::testing
