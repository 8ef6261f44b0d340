#pragma once

// What the viewer keeps for the one report it shows: the caller's helper objects and report
// (referred to, never owned, let go when PreviewReport returns), the viewer's own registry
// object, and the report's name with the registry key of its print settings.

#include "common/cRegistry.h"

#include <memory>
#include <QString>

class QObject;

namespace report {
class Report;
}

namespace reports {
class CommonTools;
class LanguageHelper;
} // namespace reports

namespace lumesk {

struct ViewerSession
{
    reports::LanguageHelper* langHelper = nullptr;
    reports::CommonTools* commonTools = nullptr;
    QObject* regObject = nullptr; // the host's registry object: kept, never called
    std::unique_ptr<cRegistry> registry;
    report::Report* report = nullptr;
    QString reportName;
    QString printSettingsKey; // below the application key: "Reports\PrintSettings\<report>"
};

} // namespace lumesk
