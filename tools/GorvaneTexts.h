#pragma once

// Every text Gorvane shows: captions, questions and messages. Message parts are joined with
// CRLF where the program breaks a line.

#include "common/SupportAddress.h"

#include <QString>

namespace gorvane::texts {

inline const QString LineBreak = QStringLiteral("\r\n");

inline const QString WindowCaption = QStringLiteral("Quorvex Special Tools");
inline const QString StartupErrorTitle = QStringLiteral("Quorvex Database Compact");
using common::SupportAddress;

// Captions of the window's controls.
inline const QString MenuFile = QStringLiteral("&File");
inline const QString MenuFileExit = QStringLiteral("E&xit");
inline const QString FixFullPathProblem =
    QStringLiteral("Fix \"Cannot find its own executable\" problem");
inline const QString FixMarketValue =
    QStringLiteral("Set All ZERO Market Value to Last Transaction Value");
inline const QString Y2KFix = QStringLiteral("Fix Y2K Problem");
inline const QString GlobalValueChange = QStringLiteral("Global Value Change");
inline const QString FieldToChange = QStringLiteral("Field to change:");
inline const QString OriginalValue = QStringLiteral("Original value:");
inline const QString NewValue = QStringLiteral("New value:");
inline const QString ChangeAll = QStringLiteral("CHANGE ALL!");
inline const QString ZeroPadding = QStringLiteral("Zero Padding");
inline const QString NumberOfDigits = QStringLiteral("Number of digits:");
inline const QString NumberOfDecimals = QStringLiteral("Number of decimals:");
inline const QString PadAll = QStringLiteral("PAD ALL!");

inline const QString DefaultDigits = QStringLiteral("2");
inline const QString DefaultDecimals = QStringLiteral("0");

// Start-up.
QString applicationPath(const QString& folder);
QString startupError(const QString& source, const QString& description);

// Opening the database.
QString openError(const QString& databasePath);

// Results.
QString operationCompleted(qint64 count);
// PAD ALL!'s end: the count, and how many values it left because they read as different numbers
// with either decimal sign.
QString zeroPaddingCompleted(qint64 count, qint64 leftAmbiguous);
inline const QString OperationCompletedPlain = QStringLiteral("Operation completed!");

// The program path repair.
QString currentAppPath(const QString& programFolder);
QString mainFolderQuestion(const QString& mainFolder);
QString noToolsFolder(const QString& programFolder);

// The market value repair.
QString marketValueQuestion();

// CHANGE ALL!
inline const QString InvalidYearValue = QStringLiteral("Invalid year value!");
inline const QString NoFieldChosen = QStringLiteral("You must select a field!");
QString changeAllQuestion(const QString& caption, const QString& oldValue, const QString& newValue);

// PAD ALL!
QString zeroPadQuestion(const QString& field, const QString& sample);

// A repair that failed part-way.
QString repairFailed(const QString& description, const QString& source);

} // namespace gorvane::texts
