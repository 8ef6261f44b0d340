#pragma once

// The cellar the report libraries' tests run on: the sample installation at current versions
// (40 wines), made once per test program in a temporary folder that goes with the program.
// Tests that change wines of it make the changes once, right after asking for it.

#include "sample/UpdatedInstallation.h"

#include <QString>
#include <QTemporaryDir>

namespace reports::testing {

inline const QString& sampleCellarFolder()
{
    static QTemporaryDir parent;
    static const QString folder = [] {
        sample::InstallationOptions options;
        options.wines = 40;
        return sample::writeUpdatedInstallation(parent.filePath(QStringLiteral("Quorvex")), options)
            .folder;
    }();
    return folder;
}

} // namespace reports::testing
