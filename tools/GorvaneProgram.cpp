#include "GorvaneProgram.h"

#include "frmMain.h"
#include "GorvaneTexts.h"
#include "platform/shell/Shell.h"
#include "platform/vb/Error.h"
#include "ToolsSettings.h"

#include <optional>
#include <QDir>

namespace gorvane {

namespace {

// VB's "Path not found".
constexpr int PathNotFound = 76;

ToolsSettings readSettings(const QString& programFolder)
{
    shell::msgBox(texts::applicationPath(programFolder), shell::vbOKOnly, texts::WindowCaption);
    ToolsSettings settings;
    settings.programFolder = withTrailingSeparator(programFolder);
    if (!QDir::setCurrent(settings.programFolder))
        throw vb::Error(PathNotFound,
                        QStringLiteral("The program folder %1 cannot be made the current folder.")
                            .arg(settings.programFolder),
                        QStringLiteral("gorvane"));
    settings.databasePath = lastDatabasePath(settings.programFolder);
    return settings;
}

} // namespace

int runGorvane(const QString& programFolder)
{
    std::optional<ToolsSettings> settings;
    {
        std::optional<shell::WaitCursor> hourglass(std::in_place);
        try {
            settings = readSettings(programFolder);
        } catch (const vb::Error& error) {
            hourglass.reset();
            shell::msgBox(texts::startupError(error.source(), error.description()),
                          shell::vbCritical, texts::StartupErrorTitle);
            return 1;
        } catch (const std::exception& error) {
            hourglass.reset();
            shell::msgBox(texts::startupError(QStringLiteral("gorvane"),
                                              QString::fromLocal8Bit(error.what())),
                          shell::vbCritical, texts::StartupErrorTitle);
            return 1;
        }
    }
    frmMain window(*settings);
    shell::showModal(window);
    return 0;
}

} // namespace gorvane
