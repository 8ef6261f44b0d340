// A sub-report's run: report start, its rows, report end, stacked into one band.
#include "platform/reportengine/generate/SubReportRun.h"

#include "platform/reportengine/generate/GenerationContext.h"
#include "platform/reportengine/generate/ReportEvents.h"
#include "platform/reportengine/generate/RowLoop.h"
#include "platform/reportengine/generate/SectionLayout.h"

namespace report {
namespace {

// The parent link lasts for the run only, so a sub-report never keeps its parent.
class ParentLink
{
public:
    ParentLink(Report& report, Report& parent) : m_report(report)
    {
        ReportEvents::setParentReport(report, &parent);
    }
    ~ParentLink() { ReportEvents::setParentReport(m_report, nullptr); }
    ParentLink(const ParentLink&) = delete;
    ParentLink& operator=(const ParentLink&) = delete;

private:
    Report& m_report;
};

} // namespace

Band runSubReport(GenerationContext& context, Report& subReport, Report& parent, int xOrigin,
                  int width)
{
    ParentLink link(subReport, parent);
    Band stacked;
    const auto place = [&](Section& section) {
        std::optional<Band> band = layoutSection(context, subReport, section, xOrigin, width);
        if (band) {
            stacked.append(std::move(*band), stacked.height);
            section.raiseAfterPrint();
        }
    };

    ReportEvents::reportStart(subReport);
    ReportEvents::dataInitialize(subReport);
    RowLoop rows(subReport, context);
    rows.open();
    if (Section* header = subReport.findSectionOfKind(SectionKind::ReportHeader)) {
        rows.bindCurrentRow(*header);
        place(*header);
    }
    rows.run([&](Section& section, int) { place(section); });
    if (Section* footer = subReport.findSectionOfKind(SectionKind::ReportFooter)) {
        rows.bindCurrentRow(*footer);
        place(*footer);
    }
    rows.close();
    ReportEvents::reportEnd(subReport);
    return stacked;
}

} // namespace report
