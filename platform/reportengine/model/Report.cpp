// The report object: its sections and controls by name, its paper, and its run.
#include "platform/reportengine/model/Report.h"

#include "platform/reportengine/export/ExportFilter.h"
#include "platform/reportengine/generate/Generator.h"
#include "platform/reportengine/layout/LayoutLoader.h"
#include "platform/reportengine/render/PdfOutput.h"
#include "platform/vb/Error.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace report {
namespace {

[[noreturn]] void unknownName(const Report& report, const QString& what, const QString& name)
{
    throw vb::Error(vb::ErrorNumber::SubscriptOutOfRange,
                    u"The report %1 has no %2 named \"%3\""_s.arg(report.name(), what, name),
                    report.name());
}

template <typename T>
T& controlOfKind(const Report& report, const QString& name, const QString& kindName)
{
    Control& control = report.control(name);
    auto* typed = dynamic_cast<T*>(&control);
    if (!typed)
        throw vb::Error(
            vb::ErrorNumber::TypeMismatch,
            u"The control \"%1\" of the report %2 is not a %3"_s.arg(name, report.name(), kindName),
            report.name());
    return *typed;
}

} // namespace

Report::Report(QObject* parent) : QObject(parent) {}

Report::~Report() = default;

void Report::loadLayout(const QString& fileName)
{
    report::loadLayout(*this, fileName);
}

Section& Report::section(const QString& name) const
{
    if (Section* found = findSection(name))
        return *found;
    unknownName(*this, u"section"_s, name);
}

Section* Report::findSection(const QString& name) const
{
    for (const auto& section : m_sections) {
        if (section->name().compare(name, Qt::CaseInsensitive) == 0)
            return section.get();
    }
    return nullptr;
}

Section* Report::findSectionOfKind(SectionKind kind) const
{
    for (const auto& section : m_sections) {
        if (section->kind() == kind)
            return section.get();
    }
    return nullptr;
}

Section& Report::addSection(std::unique_ptr<Section> section)
{
    m_sections.push_back(std::move(section));
    return *m_sections.back();
}

void Report::replaceSections(std::vector<std::unique_ptr<Section>> sections)
{
    m_sections = std::move(sections);
}

Control* Report::findControl(const QString& name) const
{
    for (const auto& section : m_sections) {
        if (Control* control = section->findControl(name))
            return control;
    }
    return nullptr;
}

Control& Report::control(const QString& name) const
{
    if (Control* found = findControl(name))
        return *found;
    unknownName(*this, u"control"_s, name);
}

Label& Report::label(const QString& name) const
{
    return controlOfKind<Label>(*this, name, u"label"_s);
}

TextBox& Report::textBox(const QString& name) const
{
    return controlOfKind<TextBox>(*this, name, u"text box"_s);
}

Picture& Report::picture(const QString& name) const
{
    return controlOfKind<Picture>(*this, name, u"picture"_s);
}

LineControl& Report::line(const QString& name) const
{
    return controlOfKind<LineControl>(*this, name, u"line"_s);
}

Shape& Report::shape(const QString& name) const
{
    return controlOfKind<Shape>(*this, name, u"shape"_s);
}

SubReport& Report::subReport(const QString& name) const
{
    return controlOfKind<SubReport>(*this, name, u"sub-report container"_s);
}

std::vector<Control*> Report::allControls() const
{
    std::vector<Control*> controls;
    for (const auto& section : m_sections) {
        for (const auto& control : section->controls())
            controls.push_back(control.get());
    }
    return controls;
}

namespace {

struct PaperSize
{
    int width = 0;
    int height = 0;
};

PaperSize paperOf(const Report& report)
{
    const PageSettings& page = report.pageSettings();
    const Printer& printer = report.printer();
    PaperSize paper{page.paperWidth, page.paperHeight};
    if (paper.width <= 0 || paper.height <= 0)
        paper = {printer.paperWidth(), printer.paperHeight()};
    // Portrait first, then turned as the page or the printer says.
    if (paper.width > paper.height)
        std::swap(paper.width, paper.height);
    const int orientation = page.orientation == Orientation::Default
                                ? printer.orientation()
                                : static_cast<int>(page.orientation);
    if (orientation == static_cast<int>(Orientation::Landscape))
        std::swap(paper.width, paper.height);
    return paper;
}

} // namespace

int Report::paperWidth() const
{
    return paperOf(*this).width;
}

int Report::paperHeight() const
{
    return paperOf(*this).height;
}

void Report::run()
{
    if (m_running)
        throw vb::Error(vb::ErrorNumber::InvalidProcedureCall,
                        u"The report %1 is already being generated"_s.arg(name()), name());
    m_running = true;
    m_stopRequested = false;
    struct Running
    {
        Report& report;
        ~Running()
        {
            report.m_running = false;
            emit report.generationFinished();
        }
    } running{*this};
    do {
        m_restartRequested = false;
        m_stopRequested = false;
        generateReport(*this);
    } while (m_restartRequested);
}

void Report::stop()
{
    if (m_running)
        m_stopRequested = true;
}

void Report::restart()
{
    if (m_running) {
        // The running generation ends at its next row and starts again from the top.
        m_restartRequested = true;
        m_stopRequested = true;
        return;
    }
    run();
}

void Report::exportReport(ExportFilter& filter)
{
    if (m_pages.state() == GenerationState::Empty)
        run();
    filter.exportDocument(m_pages, [this](int pageNumber) { emit exportProgress(pageNumber); });
}

void Report::exportPdf(const QString& fileName)
{
    if (m_pages.state() == GenerationState::Empty)
        run();
    writePdf(m_pages, fileName, [this](int pageNumber) { emit exportProgress(pageNumber); });
}

} // namespace report
