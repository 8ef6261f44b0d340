// The main run of a report: events, data, sections, pages.
#include "platform/reportengine/generate/Generator.h"

#include "platform/reportengine/generate/GenerationContext.h"
#include "platform/reportengine/generate/Paginator.h"
#include "platform/reportengine/generate/ReportEvents.h"
#include "platform/reportengine/generate/RowLoop.h"
#include "platform/reportengine/generate/SectionLayout.h"
#include "platform/vb/Error.h"

using namespace Qt::StringLiterals;

namespace report {
namespace {

// The text a group header gives the table of contents: its first text box with text, else its
// first label.
QString contentsText(const Section& section)
{
    QString label;
    for (const auto& control : section.controls()) {
        if (!control->visible())
            continue;
        if (const auto* box = dynamic_cast<const TextBox*>(control.get());
            box && !box->text().isEmpty() && box->summaryField() == SummaryField::None)
            return box->text();
        if (const auto* caption = dynamic_cast<const Label*>(control.get());
            caption && label.isEmpty())
            label = caption->caption();
    }
    return label;
}

class Run
{
public:
    explicit Run(Report& report)
        : m_report(report), m_context(report.pages().images(),
                                      [&report] { return ReportEvents::stopRequested(report); }),
          m_rows(report, m_context)
    {
    }

    // True when every row was printed, false when a stop request ended the run.
    bool execute()
    {
        ReportEvents::reportStart(m_report);
        const PageSettings& page = m_report.pageSettings();
        if (m_report.printWidth() <= 0)
            m_report.setPrintWidth(m_report.paperWidth() - page.leftMargin - page.rightMargin);
        ReportEvents::dataInitialize(m_report);
        m_rows.open();

        Paginator paginator(geometry(), m_report.pages(), hooks());
        const auto place = [&](Section& section, int groupLevel) {
            std::optional<Band> band = layout(section);
            if (!band)
                return;
            if (section.kind() == SectionKind::GroupHeader && groupLevel >= 0)
                band->toc.push_back({groupLevel, contentsText(section), 0});
            paginator.place(std::move(*band), section, groupLevel);
            section.raiseAfterPrint();
        };

        if (Section* header = m_report.findSectionOfKind(SectionKind::ReportHeader)) {
            m_rows.bindCurrentRow(*header);
            place(*header, -1);
        }
        const bool finished = m_rows.run(place);
        if (finished) {
            if (Section* footer = m_report.findSectionOfKind(SectionKind::ReportFooter)) {
                m_rows.bindCurrentRow(*footer);
                place(*footer, -1);
            }
        }
        paginator.finish();
        m_rows.close();
        ReportEvents::reportEnd(m_report);
        return finished;
    }

    void closeData()
    {
        m_rows.close();
        m_report.dataControl().disconnect();
    }

private:
    std::optional<Band> layout(Section& section)
    {
        return layoutSection(m_context, m_report, section, m_report.pageSettings().leftMargin,
                             m_report.printWidth());
    }

    PageGeometry geometry() const
    {
        PageGeometry geometry;
        geometry.paperWidth = m_report.paperWidth();
        geometry.paperHeight = m_report.paperHeight();
        geometry.topMargin = m_report.pageSettings().topMargin;
        geometry.bottomMargin = m_report.pageSettings().bottomMargin;
        if (const Section* footer = m_report.findSectionOfKind(SectionKind::PageFooter);
            footer && footer->visible())
            geometry.footerHeight = footer->height();
        return geometry;
    }

    std::optional<Band> pageSection(SectionKind kind)
    {
        Section* section = m_report.findSectionOfKind(kind);
        if (!section)
            return std::nullopt;
        m_rows.bindCurrentRow(*section);
        std::optional<Band> band = layout(*section);
        if (band)
            section->raiseAfterPrint();
        return band;
    }

    PageHooks hooks()
    {
        PageHooks hooks;
        hooks.startPage = [this] {
            ReportEvents::pageStart(m_report);
            return pageSection(SectionKind::PageHeader);
        };
        hooks.footer = [this] { return pageSection(SectionKind::PageFooter); };
        hooks.pageDone = [this](int pageNumber) {
            ReportEvents::pageEnd(m_report);
            emit m_report.pageAdded(pageNumber);
            ReportEvents::printProgress(m_report, pageNumber);
            m_context.pumpEventsNow();
        };
        return hooks;
    }

    Report& m_report;
    GenerationContext m_context;
    RowLoop m_rows;
};

} // namespace

void generateReport(Report& report)
{
    PageDocument& pages = report.pages();
    pages.clear();
    pages.setState(GenerationState::Running);
    Run run(report);
    try {
        const bool finished = run.execute();
        run.closeData();
        pages.setState(finished ? GenerationState::Finished : GenerationState::Stopped);
    } catch (const vb::Error& error) {
        run.closeData();
        pages.setFailed(error.number(), error.description(), error.source());
        throw;
    } catch (const std::exception& error) {
        run.closeData();
        const QString description = QString::fromUtf8(error.what());
        pages.setFailed(vb::ErrorNumber::InvalidProcedureCall, description, report.name());
        throw vb::Error(vb::ErrorNumber::InvalidProcedureCall, description, report.name());
    }
}

} // namespace report
