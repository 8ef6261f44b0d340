#pragma once

// Starting a windowed program where no display can be reached makes Qt end it with an abort:
// a core dump and a message that suggests reinstalling. While a DisplayGuard lives (around the
// construction of the QApplication), that fatal error instead prints what is wrong and what to
// do, and ends the program with exit status kNoDisplayExitStatus.

#include <QString>

class DisplayGuard
{
public:
    static constexpr int kNoDisplayExitStatus = 1;

    // `program`: the program's name for the message; `advice`: what the user can do instead
    // ("Run it in a desktop session.").
    DisplayGuard(const QString& program, const QString& advice);
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;
};
