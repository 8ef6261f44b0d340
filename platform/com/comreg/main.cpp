// comreg: registers component libraries for the current user, or unregisters them, as regsvr32
// does on Windows.
//   comreg FILE...            register every ProgID each library's metadata lists
//   comreg --unregister FILE...  (or /u) remove the registrations that name these files
// Exit status: 0 done, 1 a library could not be (un)registered, 64 bad usage.

#include "platform/com/ServerRegistration.h"
#include "platform/shell/ProgramOptions.h"
#include "platform/vb/Error.h"

#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

const shell::ProgramHelp kHelp{
    .name = u"comreg"_s,
    .synopses = {u"[--unregister|/u] LIBRARY..."_s},
    .summary = u"Registers component libraries for the current user, as regsvr32 does: every "
               "ProgID a library's metadata lists is written to the registry store under "
               "HKEY_CURRENT_USER\\Software\\Classes\\<ProgID>\\InprocServer32."_s,
    .details = u"  --unregister, /u   remove the registrations that name these libraries\n"
               "Exit status: 0 done, 1 a library could not be (un)registered, 64 bad usage."_s,
};

void print(FILE* stream, const QString& text)
{
    std::fputs(qPrintable(text + u'\n'), stream);
}

int usage(const QString& problem)
{
    return shell::usageError(kHelp, problem);
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList files = shell::argumentsOf(argc, argv);
    if (const std::optional<int> answered = shell::answerStandardOptions(kHelp, files))
        return *answered;
    const QCoreApplication app(argc, argv);
    bool unregister = false;
    if (!files.isEmpty() && (files.front() == u"--unregister"_s ||
                             files.front().compare(u"/u"_s, Qt::CaseInsensitive) == 0)) {
        unregister = true;
        files.removeFirst();
    }
    if (files.isEmpty())
        return usage(u"no library named"_s);
    if (files.front().startsWith(u'-'))
        return usage(u"unknown option %1"_s.arg(files.front()));
    int status = 0;
    for (const QString& file : files) {
        try {
            const QStringList progIds =
                unregister ? com::unregisterServer(file) : com::registerServer(file);
            for (const QString& progId : progIds)
                print(stdout, u"%1 %2 (%3)"_s.arg(unregister ? u"Unregistered"_s : u"Registered"_s,
                                                  progId, QDir::toNativeSeparators(file)));
        } catch (const vb::Error& error) {
            print(stderr, u"comreg: "_s + error.description());
            status = 1;
        }
    }
    return status;
}
