#include "GorvaneTexts.h"

namespace gorvane::texts {

QString applicationPath(const QString& folder)
{
    return QStringLiteral("Application path: '") + folder + QLatin1Char('\'');
}

QString startupError(const QString& source, const QString& description)
{
    return QStringLiteral("Severe Database Error! Cannot proceed.") + LineBreak + LineBreak +
           QStringLiteral("Please contact support at ") + SupportAddress + LineBreak +
           QStringLiteral("Include these details:") + LineBreak + source + LineBreak + description;
}

QString openError(const QString& databasePath)
{
    return QStringLiteral("ERROR Opening the database ") + databasePath +
           QStringLiteral(". Please make sure all Quorvex programs are closed before running the "
                          "special tools.");
}

QString operationCompleted(qint64 count)
{
    return QStringLiteral("Operation completed! ") + QString::number(count) +
           QStringLiteral(" records affected.");
}

QString zeroPaddingCompleted(qint64 count, qint64 leftAmbiguous)
{
    if (leftAmbiguous == 0)
        return operationCompleted(count);
    return operationCompleted(count) + QStringLiteral("\r\n\r\n") +
           QStringLiteral("%1 value(s) were left as they are: they read as different numbers with "
                          "a full stop and with a comma as the decimal sign (\"12,5\" is 125 or "
                          "12.5). Correct them by hand and pad again.")
               .arg(leftAmbiguous);
}

QString currentAppPath(const QString& programFolder)
{
    return QStringLiteral("gsAppPath currently holds: '") + programFolder +
           QStringLiteral("'. It this does not have a \\Tools folder, the next line will crash.");
}

QString mainFolderQuestion(const QString& mainFolder)
{
    return QStringLiteral("The main folder path will be set to:") + LineBreak + mainFolder +
           LineBreak + LineBreak + QStringLiteral("Do you want to continue?");
}

QString noToolsFolder(const QString& programFolder)
{
    return QStringLiteral("The program folder '") + programFolder +
           QStringLiteral("' is not inside a Tools folder, so the main folder cannot be found "
                          "from it. Nothing has been changed.") +
           LineBreak + LineBreak +
           QStringLiteral("Start this program from the Tools folder of the Quorvex installation "
                          "and try again.");
}

QString marketValueQuestion()
{
    return QStringLiteral("Are you sure you want to update ALL wines which currently have their "
                          "market value set to 0") +
           LineBreak + QStringLiteral("with this last wine's transaction value?");
}

QString changeAllQuestion(const QString& caption, const QString& oldValue, const QString& newValue)
{
    return QStringLiteral("Are you sure you want to convert ALL records for which '") + caption +
           QStringLiteral("' equals '") + oldValue + QStringLiteral("' to '") + newValue +
           QStringLiteral("' ?");
}

QString zeroPadQuestion(const QString& field, const QString& sample)
{
    return QStringLiteral(
               "Are you sure you want to format all valid numeric values in the field '") +
           field + QStringLiteral("' so that they will look like '") + sample +
           QStringLiteral("' ?");
}

QString repairFailed(const QString& description, const QString& source)
{
    QString text = QStringLiteral("The repair stopped because of an error:") + LineBreak +
                   LineBreak + description;
    if (!source.isEmpty())
        text += LineBreak + QStringLiteral("(") + source + QStringLiteral(")");
    return text + LineBreak + LineBreak +
           QStringLiteral("Rows changed before the error keep their new values.");
}

} // namespace gorvane::texts
