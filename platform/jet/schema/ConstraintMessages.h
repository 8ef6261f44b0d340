#pragma once

// The engine's messages for refused writes. The rules are enforced inside SQLite (CHECK
// constraints and triggers), which can only report a fixed text: these texts travel as the
// CHECK constraint's name or the trigger's RAISE message, behind a marker that the error
// translation (sqliteError) recognises and strips.

#include "jet/SqliteStatement.h"

#include <QString>

namespace jet::detail {

inline const QString& messageMarker = constraintMessageMarker;

QString requiredMessage(const QString& table, const QString& column);
QString tooLongMessage(const QString& table, const QString& column, int size);
QString zeroLengthMessage(const QString& table, const QString& column);
QString overflowMessage(const QString& table, const QString& column, qint64 low, qint64 high);
QString decimalPrecisionMessage(const QString& table, const QString& column, int precision,
                                int scale);
QString indexNullMessage(const QString& table, const QString& index, const QString& column);
QString relatedRecordRequiredMessage(const QString& relatedTable);
QString relatedRecordsExistMessage(const QString& table);

} // namespace jet::detail
