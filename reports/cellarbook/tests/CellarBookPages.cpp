// Reading the cellar book's pages back.

#include "CellarBookPages.h"

#include "platform/reportengine/model/Report.h"

using namespace Qt::StringLiterals;

namespace parvello::testing {

namespace {

QList<PlacedText> withName(const QList<PlacedText>& texts, const QString& name)
{
    QList<PlacedText> found;
    for (const PlacedText& text : texts)
        if (text.name == name)
            found << text;
    return found;
}

} // namespace

QList<PlacedText> WinePart::named(const QString& name) const
{
    return withName(texts, name);
}

PlacedText WinePart::first(const QString& name) const
{
    const QList<PlacedText> found = named(name);
    return found.isEmpty() ? PlacedText{} : found.front();
}

QList<PlacedText> BookPages::named(const QString& name) const
{
    return withName(texts, name);
}

BookPages readPages(const report::Report& report)
{
    BookPages pages;
    pages.pageCount = report.pages().count();
    for (int p = 0; p < pages.pageCount; ++p) {
        for (const report::DisplayItem& item : report.pages().page(p).items) {
            if (const auto* text = std::get_if<report::TextItem>(&item)) {
                const PlacedText placed{text->name, text->rect,      text->text(),
                                        text->font, text->backColor, p};
                pages.texts << placed;
                if (placed.name == u"lblVintage"_s)
                    pages.wines << WinePart{};
                if (!pages.wines.isEmpty())
                    pages.wines.back().texts << placed;
            } else if (const auto* image = std::get_if<report::ImageItem>(&item)) {
                const PlacedImage placed{image->rect, image->sizeMode, p};
                pages.images << placed;
                if (!pages.wines.isEmpty())
                    pages.wines.back().images << placed;
            }
        }
    }
    return pages;
}

RecordingViewer::RecordingViewer(host::BatchOutput& output, Recording& recording,
                                 std::optional<report::Orientation> orientation)
    : m_batch(output), m_recording(recording), m_orientation(orientation)
{
}

reports::CallResult RecordingViewer::PreviewReport(QWidget* frmParentForm, report::Report& pReport,
                                                   reports::LanguageHelper& pcLangHelper,
                                                   reports::CommonTools& pcCommonTools,
                                                   QObject& pRegObject, const QString& pReportName)
{
    if (m_orientation)
        pReport.pageSettings().orientation = *m_orientation;
    const reports::CallResult result = m_batch.PreviewReport(
        frmParentForm, pReport, pcLangHelper, pcCommonTools, pRegObject, pReportName);
    m_recording.reportName = pReportName;
    m_recording.subReportsAttachedAfterRun = pReport.subReport(u"tnSubReport"_s).report() ||
                                             pReport.subReport(u"txSubReport"_s).report();
    m_recording.pages = readPages(pReport);
    if (result.succeeded()) {
        pReport.restart();
        m_recording.rerunPages = readPages(pReport);
    }
    return result;
}

reports::CallResult RecordingViewer::ProgressStatus(qint32)
{
    ++m_recording.progressCalls;
    return reports::CallResult::success();
}

} // namespace parvello::testing
