// CupsServer: a private cupsd with PDF printers for the print tests.

#include "platform/reportengine/tests/CupsServer.h"

#include <algorithm>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QRegularExpression>
#include <QThread>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace report::testing {

namespace {

constexpr int kStartTimeoutMs = 15'000;
constexpr int kStopTimeoutMs = 5'000;
constexpr int kPollMs = 50;
// Unix socket paths are limited to 107 bytes; a long TMPDIR would not leave room.
constexpr qsizetype kLongestTempPath = 60;

// A PDF printer: the paper sizes, sources and duplex settings a real driver offers, and a
// filter that passes the application's PDF through untouched.
constexpr auto kPdfPrinterPpd = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "QVPDF.PPD"
*Manufacturer: "Quorvex"
*Product: "(Quorvex Test PDF Printer)"
*ModelName: "Quorvex Test PDF Printer"
*ShortNickName: "Quorvex Test PDF"
*NickName: "Quorvex Test PDF Printer"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*cupsVersion: 2.4
*cupsManualCopies: False
*cupsFilter: "application/pdf 0 gziptoany"
*OpenUI *PageSize/Page Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: Legal
*PageSize Letter/Letter: ""
*PageSize Legal/Legal: ""
*PageSize Executive/Executive: ""
*PageSize Tabloid/Tabloid: ""
*PageSize A3/A3: ""
*PageSize A4/A4: ""
*PageSize A5/A5: ""
*PageSize B5/JIS B5: ""
*CloseUI: *PageSize
*OpenUI *PageRegion/Page Region: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: Legal
*PageRegion Letter/Letter: ""
*PageRegion Legal/Legal: ""
*PageRegion Executive/Executive: ""
*PageRegion Tabloid/Tabloid: ""
*PageRegion A3/A3: ""
*PageRegion A4/A4: ""
*PageRegion A5/A5: ""
*PageRegion B5/JIS B5: ""
*CloseUI: *PageRegion
*DefaultImageableArea: Legal
*ImageableArea Letter/Letter: "0 0 612 792"
*ImageableArea Legal/Legal: "0 0 612 1008"
*ImageableArea Executive/Executive: "0 0 522 756"
*ImageableArea Tabloid/Tabloid: "0 0 792 1224"
*ImageableArea A3/A3: "0 0 842 1191"
*ImageableArea A4/A4: "0 0 595 842"
*ImageableArea A5/A5: "0 0 420 595"
*ImageableArea B5/JIS B5: "0 0 516 729"
*DefaultPaperDimension: Legal
*PaperDimension Letter/Letter: "612 792"
*PaperDimension Legal/Legal: "612 1008"
*PaperDimension Executive/Executive: "522 756"
*PaperDimension Tabloid/Tabloid: "792 1224"
*PaperDimension A3/A3: "842 1191"
*PaperDimension A4/A4: "595 842"
*PaperDimension A5/A5: "420 595"
*PaperDimension B5/JIS B5: "516 729"
*OpenUI *InputSlot/Media Source: PickOne
*OrderDependency: 20 AnySetup *InputSlot
*DefaultInputSlot: Auto
*InputSlot Auto/Automatic: ""
*InputSlot Upper/Upper Tray: ""
*InputSlot Lower/Lower Tray: ""
*InputSlot Manual/Manual Feed: ""
*CloseUI: *InputSlot
*OpenUI *Duplex/2-Sided Printing: PickOne
*OrderDependency: 30 AnySetup *Duplex
*DefaultDuplex: None
*Duplex None/Off: ""
*Duplex DuplexNoTumble/Long Edge: ""
*Duplex DuplexTumble/Short Edge: ""
*CloseUI: *Duplex
)ppd";

bool writeFile(const QString& fileName, const QString& text)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(text.toUtf8()) == text.toUtf8().size();
}

QString temporaryFolderTemplate()
{
    const QString temp = QDir::tempPath();
    return (temp.size() <= kLongestTempPath ? temp : u"/tmp"_s) + u"/qv-cups-XXXXXX"_s;
}

// Makes the CUPS library of this process find its server again (from CUPS_SERVER); it keeps
// the one it found first otherwise. The library is the one Qt's print support loaded.
void forgetCupsServer()
{
    QLibrary cups(u"cups"_s, 2);
    using SetServer = void (*)(const char*);
    if (auto setServer = reinterpret_cast<SetServer>(cups.resolve("cupsSetServer")))
        setServer(nullptr);
}

QString tail(const QString& fileName, int lines)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList all = QString::fromUtf8(file.readAll()).split(u'\n');
    return all.mid(std::max<qsizetype>(0, all.size() - lines)).join(u'\n');
}

} // namespace

CupsClientTarget::CupsClientTarget(const QString& socket)
{
    // LPDEST and PRINTER would name another default printer than the server's.
    for (const char* name : {"CUPS_SERVER", "LPDEST", "PRINTER"}) {
        Saved saved{name, std::nullopt};
        if (qEnvironmentVariableIsSet(name))
            saved.value = qgetenv(name);
        m_saved.push_back(saved);
    }
    qputenv("CUPS_SERVER", QFile::encodeName(socket));
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
    forgetCupsServer();
}

CupsClientTarget::~CupsClientTarget()
{
    for (const Saved& saved : m_saved) {
        if (saved.value)
            qputenv(saved.name.constData(), *saved.value);
        else
            qunsetenv(saved.name.constData());
    }
    forgetCupsServer();
}

bool CupsServer::installed()
{
    return QFileInfo(QString::fromLatin1(kDaemon)).isExecutable();
}

CupsServer::CupsServer() : m_folder(temporaryFolderTemplate()) {}

CupsServer::~CupsServer()
{
    stop();
}

QString CupsServer::path(const QString& relative) const
{
    return m_folder.filePath(relative);
}

QString CupsServer::socket() const
{
    return path(u"cups.sock"_s);
}

bool CupsServer::fail(const QString& what)
{
    m_error = what + u"\n--- cupsd error log ---\n"_s + tail(path(u"log/error_log"_s), 30) +
              u"\n--- cupsd output ---\n"_s + QString::fromLocal8Bit(m_daemon.readAll());
    return false;
}

bool CupsServer::writeConfiguration()
{
    const QDir root(m_folder.path());
    for (const QString& folder :
         {u"etc"_s, u"spool/tmp"_s, u"log"_s, u"cache"_s, u"state"_s, u"ssl"_s})
        if (!root.mkpath(folder))
            return fail(u"cannot make %1"_s.arg(path(folder)));
    // Filters run as lp when cupsd runs as root: they must reach the spool folder.
    QFile::setPermissions(m_folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                               QFile::ReadGroup | QFile::ExeGroup |
                                               QFile::ReadOther | QFile::ExeOther);
    const QString cupsd = uR"(Listen %1
Browsing Off
BrowseLocalProtocols none
WebInterface No
DefaultAuthType None
LogLevel debug
MaxLogSize 0
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
)"_s.arg(socket());
    const QString files = uR"(ServerRoot %1/etc
StateDir %1/state
CacheDir %1/cache
RequestRoot %1/spool
TempDir %1/spool/tmp
AccessLog %1/log/access_log
ErrorLog %1/log/error_log
PageLog %1/log/page_log
ServerKeychain %1/ssl
Printcap %1/etc/printcap
FileDevice Yes
)"_s.arg(m_folder.path());
    if (!writeFile(path(u"cupsd.conf"_s), cupsd) || !writeFile(path(u"cups-files.conf"_s), files) ||
        !writeFile(path(u"pdf-printer.ppd"_s), QString::fromLatin1(kPdfPrinterPpd)))
        return fail(u"cannot write the configuration in %1"_s.arg(m_folder.path()));
    return true;
}

ToolResult CupsServer::lpstat(const QStringList& arguments) const
{
    return runTool(u"lpstat"_s, QStringList{u"-h"_s, socket()} + arguments);
}

bool CupsServer::waitUntilAnswering()
{
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!deadline.hasExpired()) {
        if (m_daemon.state() == QProcess::NotRunning)
            return fail(u"cupsd ended at start (exit code %1)"_s.arg(m_daemon.exitCode()));
        if (QFileInfo::exists(socket()) && lpstat({u"-r"_s}).exitCode == 0)
            return true;
        QThread::msleep(kPollMs);
    }
    return fail(u"cupsd did not answer within %1 ms"_s.arg(kStartTimeoutMs));
}

bool CupsServer::start()
{
    if (!m_folder.isValid())
        return fail(u"no temporary folder: "_s + m_folder.errorString());
    if (!writeConfiguration())
        return false;
    m_daemon.setProcessChannelMode(QProcess::MergedChannels);
    m_daemon.start(QString::fromLatin1(kDaemon),
                   {u"-f"_s, u"-c"_s, path(u"cupsd.conf"_s), u"-s"_s, path(u"cups-files.conf"_s)});
    if (!m_daemon.waitForStarted(kStartTimeoutMs))
        return fail(u"cupsd could not be started: "_s + m_daemon.errorString());
    m_target = std::make_unique<CupsClientTarget>(socket());
    return waitUntilAnswering();
}

bool CupsServer::addPdfQueue(const QString& name, const QString& outputFile, bool makeDefault)
{
    const ToolResult added =
        runTool(u"lpadmin"_s,
                {u"-h"_s, socket(), u"-p"_s, name, u"-E"_s, u"-v"_s,
                 QUrl::fromLocalFile(outputFile).toString(), u"-P"_s, path(u"pdf-printer.ppd"_s)});
    if (added.exitCode != 0)
        return fail(u"lpadmin could not add %1: %2"_s.arg(name, added.err));
    if (makeDefault) {
        const ToolResult chosen = runTool(u"lpadmin"_s, {u"-h"_s, socket(), u"-d"_s, name});
        if (chosen.exitCode != 0)
            return fail(u"lpadmin could not make %1 the default: %2"_s.arg(name, chosen.err));
    }
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!deadline.hasExpired()) {
        if (lpstat({u"-a"_s, name}).out.contains(u"accepting requests"_s))
            return true;
        QThread::msleep(kPollMs);
    }
    return fail(u"queue %1 did not accept jobs within %2 ms"_s.arg(name).arg(kStartTimeoutMs));
}

bool CupsServer::waitUntilIdle(int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const ToolResult jobs = lpstat({u"-o"_s});
        if (jobs.exitCode == 0 && jobs.out.trimmed().isEmpty())
            return true;
        QThread::msleep(kPollMs);
    }
    return false;
}

QStringList CupsServer::completedJobs(const QString& queue) const
{
    QStringList ids;
    const ToolResult jobs = lpstat({u"-W"_s, u"completed"_s, u"-o"_s, queue});
    for (const QString& line : jobs.out.split(u'\n', Qt::SkipEmptyParts))
        ids << line.section(u' ', 0, 0);
    std::sort(ids.begin(), ids.end(), [](const QString& a, const QString& b) {
        return a.section(u'-', -1).toInt() < b.section(u'-', -1).toInt();
    });
    return ids;
}

QString CupsServer::jobOptions(const QString& jobId) const
{
    QFile log(path(u"log/error_log"_s));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    // "[Job 3] argv[5]="media=A4 sides=one-sided ..."": the options the filters were given.
    const QRegularExpression options(
        uR"re(\[Job %1\] argv\[5\]="([^"]*)")re"_s.arg(jobId.section(u'-', -1)));
    const QRegularExpressionMatch match = options.match(QString::fromUtf8(log.readAll()));
    return match.hasMatch() ? match.captured(1) : QString();
}

void CupsServer::stop()
{
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(kStopTimeoutMs)) {
            m_daemon.kill();
            m_daemon.waitForFinished(kStopTimeoutMs);
        }
    }
    m_target.reset();
}

} // namespace report::testing
