// comreg: registers component libraries for the current user, or unregisters them, as regsvr32
// does on Windows.
//   comreg FILE...            register every ProgID each library's metadata lists
//   comreg --unregister FILE...  (or /u) remove the registrations that name these files
// Exit status: 0 done, 1 a library could not be (un)registered, 64 bad usage.

#include "platform/com/ServerRegistration.h"
#include "platform/vb/Error.h"

#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

constexpr int kUsageError = 64;

void print(FILE* stream, const QString& text)
{
    std::fputs(qPrintable(text + u'\n'), stream);
}

int usage()
{
    print(stderr, u"usage: comreg [--unregister|/u] LIBRARY..."_s);
    return kUsageError;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList files = app.arguments().mid(1);
    bool unregister = false;
    if (!files.isEmpty() && (files.front() == u"--unregister"_s ||
                             files.front().compare(u"/u"_s, Qt::CaseInsensitive) == 0)) {
        unregister = true;
        files.removeFirst();
    }
    if (files.isEmpty() || files.front().startsWith(u'-'))
        return usage();
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
