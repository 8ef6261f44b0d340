#pragma once

// A report: its sections and controls (from a layout file), its data control, page settings
// and printer, the events a module handles, and the pages a run generates.
//
// A module derives from Report, loads its layout in the constructor, hooks section events with
// Section::setOnFormat/... and overrides the report events below. Running the report:
//   reportStart()            once, before data is read; layout changes made here hold
//   dataInitialize()         then the data control is opened
//   per row: fetchData()     with the recordset positioned on the row (or at EOF, once, at the
//                            end), then group footers and headers as the group fields change,
//                            then the detail
//   per section:             fields bound -> Format -> grown text measured -> BeforePrint (sees
//                            the grown heights; what it sets takes effect) -> placed -> AfterPrint
//   pageStart() / pageEnd()  around each page; PageFooter's Format runs when the page ends
//   printProgress(n)         after page n is complete
//   reportEnd()              once, after the last page
// An error raised in any handler stops the run; run() raises it to the caller unchanged
// (number, description, source) and pages() says Failed.
//
// Generation runs on the calling (UI) thread and lets pending events run between rows (through
// the shell seam), so a preview can show the first page at once; pageAdded() is emitted for
// every finished page. stop() ends a running generation after the current row and keeps the
// pages made so far (state Stopped).
//
// A sub-report is a Report of its own, attached to a SubReport container of its parent by the
// module. It runs again for every section of the parent that shows the container, after that
// section's Format (so the Source the parent set there is used), laid out at the container's
// width; parentReport() gives the report it runs in.

#include "platform/reportengine/model/DataControl.h"
#include "platform/reportengine/model/PageSettings.h"
#include "platform/reportengine/model/Section.h"
#include "platform/reportengine/page/PageDocument.h"
#include "platform/reportengine/print/Printer.h"

#include <memory>
#include <QObject>
#include <QString>
#include <vector>

namespace report {

class ExportFilter;

class Report : public QObject
{
    Q_OBJECT

public:
    explicit Report(QObject* parent = nullptr);
    ~Report() override;

    // Loads sections and controls from a layout file (a Qt resource path or a file). Faults
    // raise vb::Error naming the file and line. The report's name is the layout's.
    void loadLayout(const QString& fileName);

    QString name() const { return objectName(); }

    // Sections in layout order. section() raises vb::Error 9 for an unknown name.
    const std::vector<std::unique_ptr<Section>>& sections() const noexcept { return m_sections; }
    Section& section(const QString& name) const;
    Section* findSection(const QString& name) const;
    // The report's first section of a kind (page header, detail, ...), or null.
    Section* findSectionOfKind(SectionKind kind) const;
    Section& addSection(std::unique_ptr<Section> section);
    // Replaces every section (loading a layout).
    void replaceSections(std::vector<std::unique_ptr<Section>> sections);

    // Controls of every section by name. control() raises vb::Error 9 for an unknown name and
    // 13 when the control is of another kind than asked for.
    Control* findControl(const QString& name) const;
    Control& control(const QString& name) const;
    Label& label(const QString& name) const;
    TextBox& textBox(const QString& name) const;
    Picture& picture(const QString& name) const;
    LineControl& line(const QString& name) const;
    Shape& shape(const QString& name) const;
    SubReport& subReport(const QString& name) const;
    std::vector<Control*> allControls() const;

    DataControl& dataControl() noexcept { return m_dataControl; }
    // The data control by its VB name.
    DataControl& dcDetail() noexcept { return m_dataControl; }

    int printWidth() const noexcept { return m_printWidth; }
    void setPrintWidth(int twips) { m_printWidth = twips; }
    PageSettings& pageSettings() noexcept { return m_pageSettings; }
    const PageSettings& pageSettings() const noexcept { return m_pageSettings; }
    Printer& printer() noexcept { return m_printer; }
    const Printer& printer() const noexcept { return m_printer; }
    // The paper the pages are made on, as oriented: the page settings where they set a size,
    // else the printer's.
    int paperWidth() const;
    int paperHeight() const;

    // The report this one runs in as a sub-report, else null.
    Report* parentReport() const noexcept { return m_parentReport; }

    // Generates every page (a new run: the pages of an earlier run are dropped). Raises the
    // error that stopped the run.
    void run();
    // Ends a running generation after the current row; the pages so far are kept.
    void stop();
    bool isRunning() const noexcept { return m_running; }
    // Drops the pages and generates again (after a printer change).
    void restart();

    PageDocument& pages() noexcept { return m_pages; }
    const PageDocument& pages() const noexcept { return m_pages; }

    // Prints the generated pages (generating first when nothing was generated) on the
    // printer's device; with showDialog the print dialog comes first (through the shell seam)
    // and a cancel there prints nothing and returns false. Raises vb::Error when there is no
    // device or the job fails.
    bool printReport(bool showDialog);
    // Cancels a running print job (from a pending-event handler while printReport runs).
    void cancelPrinting();
    bool isPrinting() const noexcept { return m_printing; }

    // Hands the generated pages to `filter`; its progress is printProgress-like: the filter's
    // progress callback and exportProgress() get each page number.
    void exportReport(ExportFilter& filter);
    // The plain PDF of the generated pages (QPdfWriter through the renderer).
    void exportPdf(const QString& fileName);

signals:
    void pageAdded(int pageCount);
    void generationFinished();
    void printProgressed(int pageNumber);
    void exportProgress(int pageNumber);

protected:
    virtual void reportStart() {}
    virtual void dataInitialize() {}
    virtual void fetchData() {}
    virtual void pageStart() {}
    virtual void pageEnd() {}
    virtual void reportEnd() {}
    virtual void printProgress(int pageNumber) { Q_UNUSED(pageNumber); }

private:
    friend class ReportEvents;

    std::vector<std::unique_ptr<Section>> m_sections;
    DataControl m_dataControl;
    PageSettings m_pageSettings;
    Printer m_printer;
    int m_printWidth = 0;
    Report* m_parentReport = nullptr;
    PageDocument m_pages;
    bool m_running = false;
    bool m_stopRequested = false;
    bool m_restartRequested = false;
    bool m_printing = false;
    bool m_cancelPrintRequested = false;
};

} // namespace report
