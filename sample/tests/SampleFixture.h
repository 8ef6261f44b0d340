#pragma once

#include "jet/Connection.h"
#include "sample/Installation.h"

#include <gtest/gtest.h>
#include <memory>
#include <QTemporaryDir>
#include <QVariant>

namespace sample::test {

// One installation per wine count, made once for the whole test program.
struct BuiltInstallation
{
    QTemporaryDir parent;
    QString folder;
    InstallationSummary summary;
};
const BuiltInstallation& installation(int wines);

QString databasePath(const BuiltInstallation& built, const QString& file);

// A query's single value (first column of the first row) on a database of the installation.
QVariant scalar(const QString& databasePath, const QString& jetSql);
// A query's first column over all rows, as text.
QStringList column(const QString& databasePath, const QString& jetSql);

} // namespace sample::test
