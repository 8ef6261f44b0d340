#include "WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace shell {

namespace {

struct CursorState
{
    int scopes = 0;
    bool screenHourglass = false;
    bool shown = false;
    bool pushed = false; // whether our override is on Qt's cursor stack
};

CursorState& state()
{
    static CursorState s;
    return s;
}

bool haveGui()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

// Puts the Qt override cursor in line with the state. Exactly one override is pushed while busy,
// so other code's own overrides stay balanced.
void apply()
{
    CursorState& s = state();
    s.shown = s.scopes > 0 || s.screenHourglass;
    if (s.shown && !s.pushed && haveGui()) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        s.pushed = true;
    } else if (!s.shown && s.pushed) {
        if (haveGui())
            QGuiApplication::restoreOverrideCursor();
        s.pushed = false;
    }
}

} // namespace

WaitCursor::WaitCursor()
{
    ++state().scopes;
    apply();
}

WaitCursor::~WaitCursor()
{
    --state().scopes;
    apply();
}

void setMousePointer(int pointer)
{
    state().screenHourglass = pointer == vbHourglass;
    apply();
}

int mousePointer()
{
    return state().shown ? vbHourglass : vbDefault;
}

} // namespace shell
