#pragma once

// What the cellar book tests read back: the texts and pictures of the generated pages, split
// into the wines they belong to (a wine begins where its lblVintage caption stands), and the
// host's batch viewer watched while it runs the report.

#include "host/BatchViewer.h"
#include "platform/reportengine/model/PageSettings.h"
#include "platform/reportengine/page/DisplayItem.h"
#include "reports/ReportViewer.h"

#include <optional>
#include <QList>
#include <QObject>
#include <QString>

namespace report {
class Report;
}

namespace parvello::testing {

struct PlacedText
{
    QString name;
    report::TwipRect rect;
    QString text;
    report::FontSpec font;
    std::optional<QRgb> backColor;
    int page = 0; // 0-based
};

struct PlacedImage
{
    report::TwipRect rect;
    report::SizeMode sizeMode = report::SizeMode::Clip;
    int page = 0;
};

// One wine's part of the pages (from its lblVintage to the next wine's).
struct WinePart
{
    QList<PlacedText> texts;
    QList<PlacedImage> images;

    QList<PlacedText> named(const QString& name) const;
    // The first text of that name; an empty one when there is none.
    PlacedText first(const QString& name) const;
    bool has(const QString& name) const { return !named(name).isEmpty(); }
};

struct BookPages
{
    int pageCount = 0;
    QList<PlacedText> texts;
    QList<PlacedImage> images;
    QList<WinePart> wines;

    QList<PlacedText> named(const QString& name) const;
};

BookPages readPages(const report::Report& report);

// What the viewer was handed and what came of it.
struct Recording
{
    QString reportName;
    int progressCalls = 0;
    bool subReportsAttachedAfterRun = false;
    BookPages pages;
    // The same report object run again, as the viewer does after a printer change.
    BookPages rerunPages;
};

// The host's batch viewer, watched: the pages it exported are read back from the page
// document.
class RecordingViewer : public QObject, public reports::ReportViewer
{
    Q_OBJECT
    Q_INTERFACES(reports::ReportViewer)

public:
    // With an orientation, the report is generated on paper turned that way, as the viewer
    // does with a user's print settings.
    RecordingViewer(host::BatchOutput& output, Recording& recording,
                    std::optional<report::Orientation> orientation = std::nullopt);

    reports::CallResult PreviewReport(QWidget* frmParentForm, report::Report& pReport,
                                      reports::LanguageHelper& pcLangHelper,
                                      reports::CommonTools& pcCommonTools, QObject& pRegObject,
                                      const QString& pReportName) override;
    reports::CallResult ProgressStatus(qint32 lngPageNumber) override;

private:
    host::BatchViewer m_batch;
    Recording& m_recording;
    std::optional<report::Orientation> m_orientation;
};

} // namespace parvello::testing
