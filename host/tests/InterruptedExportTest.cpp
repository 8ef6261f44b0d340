// A headless export ended by SIGTERM or SIGINT leaves neither a partial file nor a changed
// target: a child process writes an export file and is signalled half-way.
#include "host/InterruptedExport.h"

#include "platform/reportengine/export/PartialFile.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// In the child: an export half written when the signal arrives.
[[noreturn]] void exportAndGetSignalled(const QString& target, int signalNumber)
{
    const host::InterruptedExport interrupted;
    report::PartialFile partial(target, u"test export"_s);
    QFile file(partial.path());
    if (file.open(QIODevice::WriteOnly)) {
        file.write("half of a report");
        file.flush();
    }
    std::raise(signalNumber);
    _exit(3); // not reached: the signal ends the child
}

TEST(InterruptedExportTest, SignalsRemoveThePartialFileAndKeepThePreviousOne)
{
    for (const int signalNumber : {SIGTERM, SIGINT}) {
        QTemporaryDir folder;
        const QString target = folder.filePath(u"wines.pdf"_s);
        QFile previous(target);
        ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
        previous.write("the previous export");
        previous.close();

        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            exportAndGetSignalled(target, signalNumber);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status)) << "ended by the signal, as without the handler";
        EXPECT_EQ(WTERMSIG(status), signalNumber);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{u"wines.pdf"_s});
        QFile kept(target);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), QByteArray("the previous export"));
    }
}

} // namespace
