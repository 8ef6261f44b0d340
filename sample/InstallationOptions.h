#pragma once

#include <QString>

namespace sample {

struct InstallationOptions
{
    static constexpr int defaultWines = 300;
    // oldWineID is a 16-bit number, and the updater numbers unnumbered wines after the highest.
    static constexpr int maximumWines = 30000;

    int wines = defaultWines;
    // Also point the suite at the installation in the registry store ($QUORVEX_REGISTRY).
    bool registerInstallation = false;
    // Where to find the suite's programs to copy into Tools/; empty: copy none.
    QString programFolder;
};

} // namespace sample
