#pragma once

// The hourglass. WaitCursor shows it for its own scope and nests freely; VB's
// Screen.MousePointer = vbHourglass / vbDefault is kept as a separate switch, so code written
// either way shows the hourglass while either asks for it.

namespace shell {

inline constexpr int vbDefault = 0;
inline constexpr int vbHourglass = 11;

class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Screen.MousePointer: vbHourglass shows the hourglass until vbDefault is set; any other value
// counts as vbDefault.
void setMousePointer(int pointer);
// vbHourglass while the hourglass shows (from either source), else vbDefault.
int mousePointer();

} // namespace shell
