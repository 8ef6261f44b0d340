#pragma once

// For the tests of programs that read current databases: the sample installation brought to
// the current versions (see writeUpdatedInstallation), made once per test program and wine
// count in a temporary folder that goes with the program. Tests that change it copy what they
// change first, or make their changes once, right after asking for it. Needs a QApplication.

#include "sample/UpdatedInstallation.h"

#include <map>
#include <memory>
#include <QString>
#include <QTemporaryDir>

namespace sample::testing {

// The installation's folder, without a trailing separator.
inline const QString& updatedSampleInstallation(int wines = 40)
{
    struct Made
    {
        QTemporaryDir parent;
        QString folder;
    };
    static std::map<int, std::unique_ptr<Made>> made;
    std::unique_ptr<Made>& slot = made[wines];
    if (!slot) {
        auto installation = std::make_unique<Made>();
        InstallationOptions options;
        options.wines = wines;
        installation->folder =
            writeUpdatedInstallation(installation->parent.filePath(QStringLiteral("Quorvex")),
                                     options)
                .folder;
        slot = std::move(installation);
    }
    return slot->folder;
}

} // namespace sample::testing
