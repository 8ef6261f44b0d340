// The host window's controls and commands.

#include "host/frmQuorvex.h"

#include "common/Registry_Management.h"
#include "host/HostSession.h"
#include "platform/shell/MsgBox.h"
#include "platform/shell/Shell.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace host {

namespace {

QPushButton* button(QWidget* parent, const QString& name, const QString& text)
{
    auto* created = new QPushButton(text, parent);
    created->setObjectName(name);
    return created;
}

} // namespace

frmQuorvex::frmQuorvex(HostSession& session, QWidget* parent) : QWidget(parent), m_session(session)
{
    setObjectName(u"frmQuorvex"_s);
    setWindowTitle(kCaption);
    auto* layout = new QVBoxLayout(this);
    auto* cellar = new QLabel(session.files().mainDatabase, this);
    cellar->setObjectName(u"lblCellarFile"_s);
    layout->addWidget(cellar);
    layout->addWidget(makeSelectionRow());
    layout->addWidget(makeReportsBox());
    layout->addWidget(makeToolsRow());
}

QWidget* frmQuorvex::makeSelectionRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->addWidget(new QLabel(u"Current selection:"_s, row));
    m_queries = new QComboBox(row);
    m_queries->setObjectName(u"cboQuery"_s);
    m_queries->addItem(Selection().description, Selection::kAllWines);
    for (const Selection& query : m_session.savedQueries())
        m_queries->addItem(query.description, query.queryId);
    const int current = m_queries->findData(m_session.selection().queryId);
    m_queries->setCurrentIndex(current < 0 ? 0 : current);
    connect(m_queries, &QComboBox::activated, this,
            [this](int index) { selectQuery(m_queries->itemData(index).toInt()); });
    layout->addWidget(m_queries, 1);
    return row;
}

QWidget* frmQuorvex::makeReportsBox()
{
    auto* box = new QGroupBox(u"Reports"_s, this);
    auto* grid = new QGridLayout(box);

    m_grouping = new QLineEdit(ReportRequest().grouping, box);
    m_grouping->setObjectName(u"txtGrouping"_s);
    m_grouping->setToolTip(u"Up to three of Vintage, Label, WineType, Country, StateRegion, "
                           "Appellation, SiteName, Varietal, separated by \"/\""_s);
    QPushButton* wineList = button(box, u"cmdWineList"_s, u"Wine List"_s);
    connect(wineList, &QPushButton::clicked, this, [this] {
        ReportRequest request;
        request.grouping = m_grouping->text();
        runReport(request);
    });
    grid->addWidget(wineList, 0, 0);
    grid->addWidget(m_grouping, 0, 1);

    QPushButton* summary = button(box, u"cmdSummary"_s, u"Cellar Summary"_s);
    connect(summary, &QPushButton::clicked, this, [this] {
        ReportRequest request;
        request.kind = ReportKind::CellarSummary;
        runReport(request);
    });
    QPushButton* showSummary = button(box, u"cmdShowSummary"_s, u"Show the figures"_s);
    connect(showSummary, &QPushButton::clicked, this, [this] {
        m_session.refreshSummary();
        m_session.summaryWindow().show();
        m_session.summaryWindow().raise();
    });
    grid->addWidget(summary, 1, 0);
    grid->addWidget(showSummary, 1, 1);

    m_details = new QCheckBox(u"With tasting notes and transactions"_s, box);
    m_details->setObjectName(u"chkDetails"_s);
    QPushButton* book = button(box, u"cmdCellarBook"_s, u"Cellar Book"_s);
    connect(book, &QPushButton::clicked, this, [this] {
        ReportRequest request;
        request.kind = ReportKind::CellarBook;
        request.details = m_details->isChecked();
        runReport(request);
    });
    grid->addWidget(book, 2, 0);
    grid->addWidget(m_details, 2, 1);

    auto* kinds = new QWidget(box);
    auto* kindsLayout = new QHBoxLayout(kinds);
    kindsLayout->setContentsMargins(0, 0, 0, 0);
    auto* byWine = new QRadioButton(u"By wine"_s, kinds);
    byWine->setObjectName(u"optByWine"_s);
    byWine->setChecked(true);
    m_byLocation = new QRadioButton(u"By location"_s, kinds);
    m_byLocation->setObjectName(u"optByLocation"_s);
    kindsLayout->addWidget(byWine);
    kindsLayout->addWidget(m_byLocation);
    QPushButton* locations = button(box, u"cmdLocations"_s, u"Locations"_s);
    connect(locations, &QPushButton::clicked, this, [this] {
        ReportRequest request;
        request.kind = ReportKind::Locations;
        request.locationsKind = m_byLocation->isChecked() ? u"ByLocation"_s : u"ByWine"_s;
        runReport(request);
    });
    grid->addWidget(locations, 3, 0);
    grid->addWidget(kinds, 3, 1);
    return box;
}

QWidget* frmQuorvex::makeToolsRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    QPushButton* tools = button(row, u"cmdMaintenance"_s, u"Maintenance Tools"_s);
    connect(tools, &QPushButton::clicked, this, [this] { startTool(u"gorvane"_s); });
    QPushButton* analyser = button(row, u"cmdAnalyser"_s, u"Installation Analyser"_s);
    connect(analyser, &QPushButton::clicked, this, [this] { startTool(u"kestrune"_s); });
    layout->addWidget(tools);
    layout->addWidget(analyser);
    return row;
}

bool frmQuorvex::runReport(const ReportRequest& request)
{
    const reports::CallResult result = m_session.runReport(request, this);
    if (result.failed())
        shell::msgBox(u"%1\n\n(Error %2%3)"_s.arg(result.description)
                          .arg(result.number)
                          .arg(result.source.isEmpty() ? QString() : u", "_s + result.source),
                      shell::vbOKOnly | shell::vbExclamation, kCaption);
    return result.succeeded();
}

void frmQuorvex::selectQuery(qint32 queryId)
{
    try {
        m_session.setSelection(findSelection(m_session.settingsDatabase(), queryId));
        Registry_Management::SaveProductSetting(reg::HKEY_CURRENT_USER, u"LastSelections"_s,
                                                u"QueryID"_s, QString::number(queryId));
    } catch (const vb::Error& error) {
        shell::msgBox(error.description(), shell::vbOKOnly | shell::vbExclamation, kCaption);
    }
    const int index = m_queries->findData(m_session.selection().queryId);
    if (index >= 0)
        m_queries->setCurrentIndex(index);
}

void frmQuorvex::startTool(const QString& program)
{
    // The installation's Tools folder first, then beside this program.
    for (const QString& folder :
         {m_session.files().appPath + u"Tools/"_s, QCoreApplication::applicationDirPath() + u'/'}) {
        const QString path = folder + program;
        if (QFileInfo(path).isExecutable()) {
            if (!shell::startProcess(path))
                shell::msgBox(u"%1 could not be started."_s.arg(path),
                              shell::vbOKOnly | shell::vbExclamation, kCaption);
            return;
        }
    }
    shell::msgBox(u"%1 is not installed."_s.arg(program), shell::vbOKOnly | shell::vbExclamation,
                  kCaption);
}

} // namespace host
