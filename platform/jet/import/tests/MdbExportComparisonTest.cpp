// Every table of every test file, imported and read back through the engine, holds exactly
// the rows mdb-export prints for the Jet file: texts (accents, line breaks, empty strings apart
// from Null), whole numbers, Currency to the ten-thousandth, dates to the second, Yes/No,
// memos in full and OLE objects byte for byte.

#include "ImportedDatabase.h"
#include "MdbTools.h"
#include "platform/jet/import/ImportReport.h"
#include "platform/vb/OleDate.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace jet::importer::test {
namespace {

QString currencyText(const vb::Currency& value)
{
    const qint64 raw = value.raw();
    const qint64 magnitude = raw < 0 ? -raw : raw;
    return u"%1%2.%3"_s.arg(raw < 0 ? u"-"_s : QString())
        .arg(magnitude / 10000)
        .arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
}

// mdbtools prints no date outside 30 Dec 1899 .. about 2700; it prints day 0 of 1900 instead.
QString dateText(double days)
{
    if (days < 0.0 || days > 1e6) {
        return u"1900-01-00 00:00:00"_s;
    }
    return vb::OleDate::toDateTime(days).toString(u"yyyy-MM-dd hh:mm:ss"_s);
}

int significantDigits(DataType type)
{
    return type == DataType::Single ? 6 : 14;
}

bool isFloating(DataType type)
{
    return type == DataType::Single || type == DataType::Double || type == DataType::Numeric;
}

std::optional<QString> ours(const vb::Variant& value, DataType type)
{
    if (value.isNull()) {
        return std::nullopt;
    }
    switch (type) {
    case DataType::Boolean:
        return value.toBoolean() ? u"1"_s : u"0"_s;
    case DataType::Currency:
        return currencyText(value.toCurrency());
    case DataType::Date:
        return dateText(value.toDouble());
    case DataType::Binary:
    case DataType::VarBinary:
    case DataType::LongVarBinary:
        return QString::fromLatin1(value.toBytes().toHex().toUpper());
    default:
        if (isFloating(type)) {
            return QString::number(value.toDouble(), 'g', significantDigits(type));
        }
        return value.toString();
    }
}

std::optional<QString> theirs(const std::optional<QString>& text, DataType type)
{
    if (text && isFloating(type)) {
        return QString::number(text->toDouble(), 'g', significantDigits(type));
    }
    if (text && (type == DataType::Binary || type == DataType::LongVarBinary)) {
        return text->toUpper();
    }
    return text;
}

QString joined(const ExportedRow& row)
{
    QStringList parts;
    for (const std::optional<QString>& field : row) {
        parts.append(field ? u"\""_s + *field + u"\""_s : u"<Null>"_s);
    }
    return parts.join(u" | "_s);
}

void compareTable(ImportedDatabase& imported, const QString& jetFile, const QString& table)
{
    SCOPED_TRACE((jetFile + u" / "_s + table).toStdString());
    const ExportedTable exported = mdbExport(jetFile, table);
    ResultSet rows = imported.connection().execute(u"SELECT * FROM ["_s + table + u"]"_s);
    ASSERT_EQ(rows.fieldCount(), exported.columns.size());
    QStringList ourRows;
    while (!rows.eof()) {
        ExportedRow row;
        for (int i = 0; i < rows.fieldCount(); ++i) {
            row.append(ours(rows.value(i), rows.field(i).type));
        }
        ourRows.append(joined(row));
        rows.moveNext();
    }
    QStringList theirRows;
    for (const ExportedRow& exportedRow : exported.rows) {
        ExportedRow row;
        for (int i = 0; i < exportedRow.size() && i < rows.fieldCount(); ++i) {
            row.append(theirs(exportedRow[i], rows.field(i).type));
        }
        theirRows.append(joined(row));
    }
    ASSERT_EQ(ourRows.size(), theirRows.size());
    std::sort(ourRows.begin(), ourRows.end());
    std::sort(theirRows.begin(), theirRows.end());
    for (qsizetype i = 0; i < ourRows.size(); ++i) {
        ASSERT_EQ(ourRows[i].toStdString(), theirRows[i].toStdString()) << "row " << i;
    }
}

struct TestFile
{
    const char* name;
    const char* password;
};

class EveryTestFile : public testing::TestWithParam<TestFile>
{
};

TEST_P(EveryTestFile, TablesHoldWhatMdbExportPrints)
{
    if (accessDataDir().isEmpty()) {
        GTEST_SKIP() << "no shared/testdata/access beside the source tree";
    }
    const QString file = accessFile(QString::fromUtf8(GetParam().name));
    ImportedDatabase imported(file, QString::fromUtf8(GetParam().password));
    const QStringList tables = mdbTables(file);
    ASSERT_EQ(imported.report().tables.size(), tables.size());
    for (const QString& table : tables) {
        compareTable(imported, file, table);
    }
}

INSTANTIATE_TEST_SUITE_P(
    AccessFiles, EveryTestFile,
    testing::Values(TestFile{"nwind.mdb", ""}, TestFile{"GabrielLogue_Northwind.mdb", ""},
                    TestFile{"Planet-Source-Code_Northwind.mdb", ""},
                    TestFile{"DateTestDatabase.mdb", ""}, TestFile{"functionsV2000.mdb", ""},
                    TestFile{"accessLike.mdb", ""}, TestFile{"db-enc.mdb", ""},
                    TestFile{"db97-enc.mdb", ""}, TestFile{"password.mdb", "ucanaccess"}),
    [](const testing::TestParamInfo<TestFile>& info) {
        QString name = QString::fromUtf8(info.param.name);
        name.remove(u".mdb"_s).remove(u'-').remove(u'_');
        return name.toStdString();
    });

// Dates mdbtools cannot print are checked against what the rows themselves say they hold.
TEST(ImportedDates, KeepYearsBeyondWhatMdbtoolsPrints)
{
    if (accessDataDir().isEmpty()) {
        GTEST_SKIP() << "no shared/testdata/access beside the source tree";
    }
    ImportedDatabase imported(accessFile(u"DateTestDatabase.mdb"_s));
    const auto dateOf = [&](int id) {
        return vb::OleDate::toDateTime(
            imported.scalar(u"SELECT DateTimeCol FROM DateTest WHERE IDCol = %1"_s.arg(id))
                .toDate());
    };
    EXPECT_EQ(dateOf(2).date(), QDate(9999, 1, 1)); // "Year 9999"
    EXPECT_LT(dateOf(3).date().year(), 1900);       // "Pre-1900 years"
    EXPECT_LT(dateOf(4).date().year(), 1000);       // "Pre-1000 years"
    EXPECT_EQ(imported.scalar(u"SELECT Year(DateTimeCol) FROM DateTest WHERE IDCol = 2"_s).toLong(),
              9999);
}

} // namespace
} // namespace jet::importer::test
