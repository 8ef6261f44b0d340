#include "UpdaterTexts.h"

using namespace Qt::StringLiterals;

namespace updater::texts {

namespace {

const QString crlf = QStringLiteral("\r\n");

QString contactSupport()
{
    return QStringLiteral("Please contact support at ") + SupportAddress;
}

QString details(const QString& errorText, const QString& errorSource)
{
    return crlf + QStringLiteral("Include these details:") + crlf + errorText + crlf + errorSource;
}

} // namespace

QString backupFailed(int result, const QString& message)
{
    return QStringLiteral("An error has occured while trying to backup your data files:") + crlf +
           QString::number(result) + QStringLiteral(" - ") + message + crlf + crlf +
           QStringLiteral("Do you want still want to go ahead with the update anyway?");
}

QString compactionNotStarted()
{
    return QStringLiteral("The file Tovrak.exe could not be found. The update completed without "
                          "error except your databases cannot be compressed.") +
           crlf + crlf + contactSupport();
}

QString severeDatabaseError(const QString& errorText, const QString& errorSource)
{
    return QStringLiteral("Severe Database Error! Cannot proceed.") + crlf + crlf +
           contactSupport() + details(errorText, errorSource);
}

QString restoreFailed(const QString& errorText, const QString& errorSource)
{
    return QStringLiteral("Severe Error! An error occured while trying to update your databases "
                          "and the restore operation failed!") +
           crlf + crlf + contactSupport() + details(errorText, errorSource);
}

QString alreadyRunning(const QString& toolsFolder)
{
    return QStringLiteral("Another database update for the installation in %1 is already "
                          "running.")
               .arg(toolsFolder) +
           crlf + crlf +
           QStringLiteral("Please wait until it has finished; this one ends without changing "
                          "anything.");
}

QString interruptedRunRestored()
{
    return QStringLiteral("The previous database update was stopped before it had finished.") +
           crlf + crlf +
           QStringLiteral("Your databases have been restored from the backups made before that "
                          "update started. The update now starts again.");
}

QString compactionNotRunnable(const QString& program, const QString& reason)
{
    return u"The file Tovrak.exe (%1) is there but could not be started: %2. The "
           "update completed without error except your databases cannot be "
           "compressed."_s.arg(program, reason) +
           crlf + crlf + contactSupport();
}

QString unknownVersion(const QString& description, const QString& path, int version, int oldest,
                       int current)
{
    const QString known = version > current ? u"newer than this update knows (it brings databases "
                                              "up to version %1)"_s.arg(current)
                                            : u"which this update does not know (it updates "
                                              "versions %1 to %2 to version %3)"_s.arg(oldest)
                                                  .arg(current - 1)
                                                  .arg(current);
    return u"The %1 %2 is at version %3, %4."_s.arg(description, path).arg(version).arg(known) +
           crlf + crlf + u"It is left as it is; the other databases are updated."_s;
}

QString requestedBackupFailed(const QString& folder, int result, const QString& message)
{
    return u"The backup of your data files to %1 failed: %2 - %3 Nothing has been "
           "changed."_s.arg(folder)
               .arg(result)
               .arg(message);
}

} // namespace updater::texts
