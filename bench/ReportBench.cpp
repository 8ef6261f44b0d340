// report_bench: a 20,000-row list report (one text line per row, a group header per country,
// page header and footer with page N of M) generated from a database and written as PDF,
// against raw QPdfWriter drawing the same lines at the same positions from the same rows read
// with SQLite, in the same run. Prints both times and their ratio (target: at most 1.5), the
// time to the first page (target: under 0.3 s), and the peak resident memory of a 5,000-page
// run, measured in a child process (target: under 200 MB). Then the same pages exported to
// each format, each time as a ratio to the plain PDF of the same pages (target: at most 2 for
// every format but TIFF, which rasterises every page).
//
//   report_bench [ROWS]          the comparison (default 20000 rows)
//   report_bench --pages N       (child) generates and writes an N-page report, prints VmHWM

#include "platform/jet/Connection.h"
#include "platform/jet/DatabaseFile.h"
#include "platform/jet/DatabasePassword.h"
#include "platform/reportengine/export/ExportSettings.h"
#include "platform/reportengine/model/Report.h"
#include "platform/reportengine/page/FontSpec.h"

#include <chrono>
#include <cstdio>
#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

using Clock = std::chrono::steady_clock;
// The suite opens its databases with the system password, as the report modules do.
const QString kPassword = jet::DatabasePassword::systemPassword();

double seconds(Clock::time_point from)
{
    return std::chrono::duration<double>(Clock::now() - from).count();
}

QString connectionString(const QString& path)
{
    return u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;Jet OLEDB:Database Password=%2"_s.arg(
        path, kPassword);
}

void createDatabase(const QString& path, int rows)
{
    jet::createDatabase(path, kPassword);
    jet::Connection connection;
    connection.open(connectionString(path));
    connection.execute(u"CREATE TABLE tblWines (WineID LONG PRIMARY KEY, Country TEXT(50), "
                       u"Wine TEXT(255))"_s);
    connection.beginTrans();
    static const char* const countries[] = {"Argentina", "Australia", "Austria",  "Chile", "France",
                                            "Germany",   "Italy",     "Portugal", "Spain", "USA"};
    for (int i = 1; i <= rows; ++i) {
        connection.execute(u"INSERT INTO tblWines VALUES (%1, '%2', 'Wine number %1, a red of "
                           u"some standing')"_s.arg(i)
                               .arg(QLatin1String(countries[(i - 1) * 10 / rows])));
    }
    connection.commitTrans();
}

// The layout: the detail's height decides the rows per page.
QString writeLayout(const QString& folder, int detailHeight)
{
    const QString path = folder + u"/list.xml"_s;
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(u"<report name=\"rptBench\">"
               "<page paperWidth=\"11906\" paperHeight=\"16838\" leftMargin=\"1000\" "
               "rightMargin=\"1000\" topMargin=\"1000\" bottomMargin=\"1000\"/>"
               "<section kind=\"PageHeader\" name=\"PageHeader\" height=\"400\">"
               "<label name=\"lblTitle\" width=\"9000\" height=\"300\" caption=\"Wine List\"/>"
               "</section>"
               "<section kind=\"GroupHeader\" name=\"CountryGroup\" height=\"300\" "
               "dataField=\"Country\"><textbox name=\"txtCountry\" dataField=\"Country\" "
               "width=\"9000\" height=\"300\" bold=\"true\"/></section>"
               "<section kind=\"Detail\" name=\"Detail\" height=\"%1\">"
               "<textbox name=\"txtWine\" dataField=\"Wine\" left=\"300\" width=\"8000\" "
               "height=\"240\"/></section>"
               "<section kind=\"GroupFooter\" name=\"CountryFooter\" height=\"0\"/>"
               "<section kind=\"PageFooter\" name=\"PageFooter\" height=\"300\">"
               "<label name=\"lblPage\" width=\"600\" height=\"260\" caption=\"Page\"/>"
               "<textbox name=\"txtPage\" summary=\"pageNumber\" left=\"600\" width=\"500\" "
               "height=\"260\"/><label name=\"lblOf\" left=\"1100\" width=\"300\" height=\"260\" "
               "caption=\"of\"/><textbox name=\"txtPages\" summary=\"pageCount\" left=\"1400\" "
               "width=\"500\" height=\"260\"/></section></report>"_s.arg(detailHeight)
                   .toUtf8());
    return path;
}

struct ReportTiming
{
    double total = 0;
    double firstPage = 0;
    int pages = 0;
};

ReportTiming runReport(const QString& database, const QString& layout, const QString& pdf)
{
    report::Report list;
    list.loadLayout(layout);
    list.dcDetail().setConnectionString(connectionString(database));
    list.dcDetail().setSource(u"SELECT Country, Wine FROM tblWines ORDER BY WineID"_s);
    ReportTiming timing;
    const auto start = Clock::now();
    QObject::connect(&list, &report::Report::pageAdded, &list, [&](int page) {
        if (page == 1)
            timing.firstPage = seconds(start);
    });
    list.run();
    list.exportPdf(pdf);
    timing.total = seconds(start);
    timing.pages = list.pages().count();
    return timing;
}

// The same lines at the same places, drawn directly: rows from SQLite, one QPdfWriter.
double runRaw(const QString& database, const QString& pdf, int pages)
{
    const auto start = Clock::now();
    sqlite3* db = nullptr;
    sqlite3_open_v2(database.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT Country, Wine FROM tblWines ORDER BY WineID", -1, &statement,
                       nullptr);

    QPdfWriter writer(pdf);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins({0, 0, 0, 0});
    writer.setResolution(1200);
    QPainter painter(&writer);
    const double scale = writer.resolution() / 1440.0;
    painter.scale(scale, scale);
    report::FontSpec style;
    const QFont font = style.toTwipFont();
    style.bold = true;
    const QFont bold = style.toTwipFont();
    const int footerTop = 16838 - 1000 - 300;
    int y = 1400;
    int page = 1;
    QString country;
    const auto footer = [&] {
        painter.setFont(font);
        painter.drawText(QRect(1000, footerTop, 600, 260), u"Page"_s);
        painter.drawText(QRect(1600, footerTop, 500, 260), QString::number(page));
        painter.drawText(QRect(2100, footerTop, 300, 260), u"of"_s);
        painter.drawText(QRect(2400, footerTop, 500, 260), QString::number(pages));
    };
    const auto header = [&] {
        painter.setFont(font);
        painter.drawText(QRect(1000, 1000, 9000, 300), u"Wine List"_s);
    };
    header();
    while (sqlite3_step(statement) == SQLITE_ROW) {
        const QString rowCountry =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        const QString wine =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 1)));
        const int needed = (rowCountry != country ? 300 : 0) + 240;
        if (y + needed > footerTop) {
            footer();
            writer.newPage();
            ++page;
            y = 1400;
            header();
        }
        if (rowCountry != country) {
            painter.setFont(bold);
            painter.drawText(QRect(1000, y, 9000, 300), rowCountry);
            y += 300;
            country = rowCountry;
        }
        painter.setFont(font);
        painter.drawText(QRect(1300, y, 8000, 240), wine);
        y += 240;
    }
    footer();
    painter.end();
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return seconds(start);
}

// The generated pages written by every export filter, against the plain PDF of the same pages.
void exportFormats(const QString& database, const QString& layout, const QTemporaryDir& dir)
{
    report::Report list;
    list.loadLayout(layout);
    list.dcDetail().setConnectionString(connectionString(database));
    list.dcDetail().setSource(u"SELECT Country, Wine FROM tblWines ORDER BY WineID"_s);
    list.run();
    auto start = Clock::now();
    list.exportPdf(dir.filePath(u"plain.pdf"_s));
    const double plain = seconds(start);
    std::printf("  plain PDF of the pages %8.3f s\n", plain);
    for (const report::ExportFormat& format : report::exportFormats()) {
        std::unique_ptr<report::ExportFilter> filter = report::createExportFilter(format.code);
        const QString suffix = format.dialogFilter.section(u"*."_s, -1).remove(u')');
        filter->setFileName(dir.filePath(u"export."_s + suffix));
        start = Clock::now();
        list.exportReport(*filter);
        const double time = seconds(start);
        std::printf("  %-6s %8.3f s  ratio %5.2f%s\n", qPrintable(format.subKey), time,
                    time / plain, format.code == 6 ? "   (TIFF: no target)" : "   (target <= 2)");
    }
}

long peakResidentKb()
{
    QFile status(u"/proc/self/status"_s);
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

int memoryChild(int pages)
{
    QTemporaryDir dir;
    // Five rows a page.
    const int rows = pages * 5;
    const QString database = dir.filePath(u"bench.qvd"_s);
    createDatabase(database, rows);
    const ReportTiming timing =
        runReport(database, writeLayout(dir.path(), 2800), dir.filePath(u"pages.pdf"_s));
    std::printf("%d %ld\n", timing.pages, peakResidentKb());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 3 && arguments[1] == u"--pages"_s)
        return memoryChild(arguments[2].toInt());
    const int rows = arguments.size() > 1 ? arguments[1].toInt() : 20000;

    QTemporaryDir dir;
    const QString database = dir.filePath(u"bench.qvd"_s);
    createDatabase(database, rows);
    const QString layout = writeLayout(dir.path(), 240);

    ReportTiming best{1e9, 1e9, 0};
    double raw = 1e9;
    for (int repeat = 0; repeat < 3; ++repeat) {
        const ReportTiming timing = runReport(database, layout, dir.filePath(u"report.pdf"_s));
        best.total = std::min(best.total, timing.total);
        best.firstPage = std::min(best.firstPage, timing.firstPage);
        best.pages = timing.pages;
        raw = std::min(raw, runRaw(database, dir.filePath(u"raw.pdf"_s), timing.pages));
    }
    std::printf("report_bench: %d rows, %d pages\n", rows, best.pages);
    std::printf("  report to PDF      %8.3f s\n", best.total);
    std::printf("  raw QPdfWriter     %8.3f s\n", raw);
    std::printf("  ratio              %8.2f   (target <= 1.5)\n", best.total / raw);
    std::printf("  first page after   %8.3f s (target < 0.3)\n", best.firstPage);

    exportFormats(database, layout, dir);

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {u"--pages"_s, u"5000"_s});
    child.waitForFinished(-1);
    const QStringList result = QString::fromUtf8(child.readAllStandardOutput()).split(u' ');
    if (result.size() == 2)
        std::printf("  peak memory, %s pages: %.1f MB (target < 200)\n", qPrintable(result[0]),
                    result[1].toDouble() / 1024.0);
    else
        std::printf("  the 5,000-page run failed: %s\n", child.readAllStandardError().constData());
    return 0;
}
