// The export types of the viewer's menu and the export flow: file dialog, options window,
// filter object, stored choices and the export with its progress.
#include "viewer/ReportExport.h"

#include "platform/reportengine/export/ExportSettings.h"
#include "platform/reportengine/export/HtmlExport.h"
#include "platform/reportengine/model/Control.h"
#include "platform/reportengine/model/Report.h"
#include "platform/shell/MsgBox.h"
#include "platform/shell/Shell.h"
#include "platform/vb/Error.h"
#include "reports/LanguageHelper.h"
#include "viewer/frmExcelExport.h"
#include "viewer/frmHTMLExport.h"
#include "viewer/frmPDFExport.h"
#include "viewer/frmReportViewer.h"
#include "viewer/frmTextExport.h"
#include "viewer/ViewerSession.h"

#include <optional>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace lumesk {

namespace {

const QString kDialogTitle = u"Export report"_s;
const QString kPath = u"Path"_s;
const QString kTitle = u"Title"_s;

// Runs one step of the export; a step that fails is skipped and the export goes on.
template <class Step>
void ignoringErrors(Step&& step)
{
    try {
        step();
    } catch (const vb::Error&) {
    } catch (const std::exception&) {
    }
}

// The text a report control shows, or nothing when the report has no such text control.
std::optional<QString> controlText(const report::Report& shown, const QString& name)
{
    if (const auto* control = dynamic_cast<const report::TextControl*>(shown.findControl(name)))
        return control->displayText();
    return std::nullopt;
}

// The first export's file name: "<report title> - <user name>", empty without either control.
QString defaultTitle(const report::Report* shown)
{
    if (shown == nullptr)
        return {};
    const auto title = controlText(*shown, u"lblReportTitle"_s);
    const auto user = controlText(*shown, u"txtUserName"_s);
    return title && user ? *title + u" - "_s + *user : QString();
}

QString withSeparator(const QString& folder)
{
    return folder.endsWith(QDir::separator()) ? folder : folder + QDir::separator();
}

// The base name of a web export: the file name without a trailing ".htm", then ".html".
QString htmlBaseName(QString fileTitle)
{
    for (const QString& suffix : {u".htm"_s, u".html"_s})
        if (fileTitle.endsWith(suffix, Qt::CaseInsensitive))
            fileTitle.chop(suffix.size());
    return fileTitle;
}

std::unique_ptr<ExportOptionsWindow>
createOptionsWindow(int exportType, reports::CommonTools& commonTools, QWidget* owner)
{
    switch (exportType) {
    case kExportText:
        return std::make_unique<frmTextExport>(commonTools, owner);
    case kExportPDF:
        return std::make_unique<frmPDFExport>(commonTools, owner);
    case kExportHTML:
        return std::make_unique<frmHTMLExport>(commonTools, owner);
    case kExportExcel:
        return std::make_unique<frmExcelExport>(commonTools, owner);
    default:
        return nullptr;
    }
}

// Where a web export puts its files.
struct HtmlPlace
{
    QString baseName;
    QString folder;      // with its trailing separator
    QString imageFolder; // folder + base name + "_Images"
    bool imageFolderMade = false;
};

// One export of the shown report in one format, step by step.
class ExportRun
{
public:
    ExportRun(frmReportViewer& form, const report::ExportFormat& format)
        : m_form(form), m_session(form.session()), m_format(format),
          m_key(u"Reports\\Export\\"_s + m_session.reportName + u'\\' + format.subKey)
    {
    }

    ~ExportRun()
    {
        // The panel goes and the bar resets whatever happened.
        m_form.hideProgressPanel();
    }

    void run()
    {
        if (!chooseFile())
            return;
        ignoringErrors([this] { m_form.showProgressPanel(false); });
        if (m_format.code == kExportHTML)
            ignoringErrors([this] { placeHtml(); });
        if (!askOptions()) {
            removeUnusedImageFolder();
            return;
        }
        std::unique_ptr<report::ExportFilter> filter = makeFilter();
        if (filter == nullptr)
            return;
        ignoringErrors(
            [&] { report::applyExportOptions(m_format.code, *filter, m_choices, m_title); });
        ignoringErrors([&] { storeChoices(*filter); });
        exportPages(*filter);
    }

private:
    QString stored(const QString& name, const QString& fallback) const
    {
        return m_session.registry->GetPrivateRegistryString(reg::HKEY_CURRENT_USER, m_key, name,
                                                            fallback);
    }

    void store(const QString& name, const QString& value) const
    {
        m_session.registry->PutPrivateRegistryString(reg::HKEY_CURRENT_USER, m_key, name, value);
    }

    // The file dialog; false when the user cancelled it.
    bool chooseFile()
    {
        m_title = stored(kTitle, defaultTitle(m_session.report));
        const QString path = stored(kPath, {});
        m_fileName =
            shell::getSaveFileName(&m_form, kDialogTitle, path + m_title, m_format.dialogFilter);
        return !m_fileName.isEmpty();
    }

    void placeHtml()
    {
        const QFileInfo chosen(m_fileName);
        m_html.baseName = htmlBaseName(chosen.fileName());
        m_html.folder = withSeparator(QDir::toNativeSeparators(chosen.absolutePath()));
        m_html.imageFolder = m_html.folder + m_html.baseName + u"_Images"_s;
        if (!QFileInfo::exists(m_html.imageFolder))
            m_html.imageFolderMade = QDir().mkpath(m_html.imageFolder);
    }

    void removeUnusedImageFolder() const
    {
        if (m_html.imageFolderMade)
            QDir().rmdir(m_html.imageFolder); // only when still empty
    }

    // The options window filled from the registry; false when it was cancelled. Formats
    // without a window have nothing to ask.
    bool askOptions()
    {
        std::unique_ptr<ExportOptionsWindow> window =
            createOptionsWindow(m_format.code, *m_session.commonTools, &m_form);
        if (window == nullptr)
            return true;
        report::OptionTexts stored;
        const QString missing = u"\x01"_s;
        for (const report::ExportOption& option : m_format.options)
            if (const QString text = this->stored(option.valueName, missing); text != missing)
                stored.insert(option.valueName, text);
        window->fill(stored, m_title);
        m_session.langHelper->SetFormControls(*window);
        shell::showModal(*window);
        if (window->cancelled())
            return false;
        m_choices = window->choices();
        return true;
    }

    // The format's filter object for the chosen file (web pages: base name, folder and image
    // folder as placed).
    std::unique_ptr<report::ExportFilter> makeFilter() const
    {
        std::unique_ptr<report::ExportFilter> filter = report::createExportFilter(m_format.code);
        if (filter == nullptr)
            return nullptr;
        filter->setFileName(m_fileName);
        if (auto* html = dynamic_cast<report::objHTMLExport*>(filter.get())) {
            html->setBaseName(m_html.baseName);
            html->setFolder(m_html.folder);
            html->setImageFolder(m_html.baseName + u"_Images"_s);
        }
        return filter;
    }

    void storeChoices(const report::ExportFilter& filter) const
    {
        const QFileInfo chosen(m_fileName);
        store(kPath, withSeparator(QDir::toNativeSeparators(chosen.absolutePath())));
        store(kTitle, chosen.fileName());
        const report::OptionTexts texts = report::exportOptionTexts(m_format.code, filter);
        for (auto it = texts.cbegin(); it != texts.cend(); ++it)
            store(it.key(), it.value());
    }

    void exportPages(report::ExportFilter& filter) const
    {
        report::Report* shown = m_session.report;
        if (shown == nullptr)
            return;
        const QMetaObject::Connection progress =
            QObject::connect(shown, &report::Report::exportProgress, &m_form, [this](int page) {
                ignoringErrors([&] { m_form.ShowProgress(page); });
            });
        try {
            shown->exportReport(filter);
        } catch (const vb::Error& error) {
            // A file that was not written must not pass for an exported one.
            shell::msgBox(u"The report could not be exported to \"%1\".\n\n%2"_s.arg(
                              QDir::toNativeSeparators(m_fileName), error.description()),
                          shell::vbExclamation, m_form.windowTitle());
        }
        QObject::disconnect(progress);
    }

    frmReportViewer& m_form;
    ViewerSession& m_session;
    const report::ExportFormat& m_format;
    const QString m_key;
    QString m_title;
    QString m_fileName;
    HtmlPlace m_html;
    report::OptionTexts m_choices;
};

} // namespace

int exportTypeOf(const QString& typeName)
{
    const report::ExportFormat* format = report::exportFormatByMenuName(typeName);
    return format != nullptr ? format->code : 0;
}

void ExportReport(frmReportViewer& form, int exportType)
{
    if (const report::ExportFormat* format = report::exportFormat(exportType))
        ExportRun(form, *format).run();
}

} // namespace lumesk
