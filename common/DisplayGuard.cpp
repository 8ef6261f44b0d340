#include "DisplayGuard.h"

#include <cstdio>
#include <cstdlib>
#include <QtGlobal>

using namespace Qt::StringLiterals;

namespace {

QtMessageHandler previousHandler = nullptr;
QByteArray explanation;

void handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        if (previousHandler)
            previousHandler(type, context, message);
        else
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
        return;
    }
    std::fputs(explanation.constData(), stderr);
    std::fflush(stderr);
    // Nothing of the program has started yet: there is nothing to clean up.
    std::_Exit(DisplayGuard::kNoDisplayExitStatus);
}

QString displayNamed()
{
    const QString display = qEnvironmentVariable("DISPLAY");
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty() && wayland.isEmpty())
        return u"neither DISPLAY nor WAYLAND_DISPLAY is set"_s;
    return u"DISPLAY=%1, WAYLAND_DISPLAY=%2"_s.arg(display, wayland);
}

} // namespace

DisplayGuard::DisplayGuard(const QString& program, const QString& advice)
{
    explanation = u"%1: cannot show its window: no display could be reached (%2). "
                  "%3\n"_s.arg(program, displayNamed(), advice)
                      .toLocal8Bit();
    previousHandler = qInstallMessageHandler(handleMessage);
}

DisplayGuard::~DisplayGuard()
{
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
}
