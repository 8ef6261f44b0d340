#pragma once

// A private CUPS server for the print tests: its own cupsd with its own configuration, socket,
// spool, cache, state and log folders in a temporary folder, started and stopped by the test,
// so the tests never touch (or need) the machine's own print service.
//
// The queues it makes are "PDF printers": a small PPD of our own with the usual paper sizes,
// paper sources (InputSlot) and duplex, whose one filter (CUPS's gziptoany) passes the PDF the
// application sends through unchanged, and a file: device (FileDevice Yes) that writes each
// job to a file the test names, where pdftotext and pdfinfo read it back. That works the same
// whether the tests run as root (CI) or not: cupsd, the filter and the file write need nothing
// outside the temporary folder and the installed CUPS programs. The cups-pdf backend would
// not: it must run as root and reads its output folder from a fixed file under /etc/cups.
// When run as root, cupsd runs filters as the user lp, so the folder is opened to others for
// reading and listing (it holds nothing secret).
//
// The CUPS clients of the test program are pointed at the server's socket through CUPS_SERVER
// (Qt's print support and lp read it). The CUPS library keeps the server it found on first use,
// so CupsClientTarget also makes it look again; Qt itself asks CUPS afresh on every query.
//
// Every wait has a time limit; nothing here can hang a test.

#include "platform/reportengine/tests/ExportReaders.h"

#include <memory>
#include <optional>
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

namespace report::testing {

// Points the CUPS clients of this process at `socket` while it lives (also one where no server
// listens: then the process has no printers at all), then back at what they used before.
class CupsClientTarget
{
public:
    explicit CupsClientTarget(const QString& socket);
    ~CupsClientTarget();
    CupsClientTarget(const CupsClientTarget&) = delete;
    CupsClientTarget& operator=(const CupsClientTarget&) = delete;

private:
    struct Saved
    {
        QByteArray name;
        std::optional<QByteArray> value;
    };
    std::vector<Saved> m_saved;
};

class CupsServer
{
public:
    static constexpr auto kDaemon = "/usr/sbin/cupsd";
    // Whether cupsd is installed; the tests that need a server skip without it.
    static bool installed();

    CupsServer();
    ~CupsServer(); // stops the server, restores the clients' target, removes the folder
    CupsServer(const CupsServer&) = delete;
    CupsServer& operator=(const CupsServer&) = delete;

    // Starts cupsd and waits until it answers; false (see error()) when it did not.
    bool start();
    // Adds a PDF printer whose jobs are written to `outputFile`; false when CUPS refused it.
    bool addPdfQueue(const QString& name, const QString& outputFile, bool makeDefault = false);
    // Waits until no job is pending or printing; false on time-out.
    bool waitUntilIdle(int timeoutMs = 20'000) const;
    // The job options ("media=A4 sides=one-sided ...") CUPS gave job `jobId` ("PDF-3"),
    // read from the server's log; empty when the job is not there.
    QString jobOptions(const QString& jobId) const;
    // The ids of the jobs a queue completed, oldest first.
    QStringList completedJobs(const QString& queue) const;

    QString folder() const { return m_folder.path(); }
    QString socket() const;
    // What went wrong, with the end of the server's error log.
    QString error() const { return m_error; }
    void stop();

private:
    bool writeConfiguration();
    bool waitUntilAnswering();
    bool fail(const QString& what);
    QString path(const QString& relative) const;
    ToolResult lpstat(const QStringList& arguments) const;

    QTemporaryDir m_folder;
    QProcess m_daemon;
    std::unique_ptr<CupsClientTarget> m_target;
    QString m_error;
};

} // namespace report::testing
