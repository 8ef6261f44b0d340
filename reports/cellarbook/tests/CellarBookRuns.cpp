// The cached runs of the cellar book.

#include "CellarBookRuns.h"

#include "CellarBookTestInstallation.h"
#include "host/HostSession.h"
#include "platform/com/ClassObjects.h"
#include "reports/ProgIds.h"

#include <gtest/gtest.h>
#include <map>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace parvello::testing {

namespace {

BookRun makeRun(bool details, report::Orientation orientation, const QString& pdfFile)
{
    BookRun run;
    host::HostSession session(installation().files);
    host::BatchOutput output;
    output.format = u"pdf"_s;
    output.fileName = pdfFile;
    {
        const com::ClassObjectRegistration viewer(reports::progid::ReportViewer, [&] {
            return std::make_unique<RecordingViewer>(output, run.recording,
                                                     orientation == report::Orientation::Default
                                                         ? std::nullopt
                                                         : std::optional(orientation));
        });
        host::ReportRequest request;
        request.kind = host::ReportKind::CellarBook;
        request.details = details;
        run.result = session.runReport(request, nullptr);
    }
    run.pdfFile = output.writtenFile;

    QString sql = session.sqlTexts().Item(7);
    sql.replace(u"[_%1%_]"_s, u"1"_s);
    jet::ResultSet rows = session.mainDatabase().execute(sql);
    while (!rows.eof()) {
        const qint32 id = rows.value(u"Wine_ID"_s).toLong();
        run.wineOrder << id;
        run.wineryOf.insert(id, rows.value(u"Winery_Name"_s).toString());
        rows.moveNext();
    }
    return run;
}

} // namespace

const BookRun& bookRun(bool details, report::Orientation orientation)
{
    static QTemporaryDir out;
    static std::map<std::pair<bool, int>, BookRun> runs;
    const std::pair key{details, static_cast<int>(orientation)};
    auto it = runs.find(key);
    if (it == runs.end()) {
        const QString file =
            out.filePath(u"cellarbook-%1-%2.pdf"_s.arg(int(details)).arg(int(orientation)));
        it = runs.emplace(key, makeRun(details, orientation, file)).first;
    }
    return it->second;
}

WinePart winePart(const BookRun& run, qint32 wineID)
{
    const qsizetype index = run.wineOrder.indexOf(wineID);
    const QList<WinePart>& wines = run.recording.pages.wines;
    if (index < 0 || index >= wines.size()) {
        ADD_FAILURE() << "wine " << wineID << " is not in the report";
        return {};
    }
    return wines[index];
}

int rowsOfWine(const QString& table, qint32 wineID)
{
    return sqliteRows(u"SELECT COUNT(*) FROM %1 WHERE WineID = %2"_s.arg(table).arg(wineID))
        .value(0)
        .value(0)
        .toInt();
}

} // namespace parvello::testing
