#pragma once

// An installation folder for the settings updates: Tools/ (the run's tools folder) with, beside
// it, settings.dat at version 3 holding the sample's settings, printlabels.dat, Auctions.dat and
// rates.dat, and a run state whose settings connection is open on settings.dat. The progress
// lines the updates show are recorded.

#include "common/ShowProgress.h"
#include "jet/schema/TableSchema.h"
#include "updater/RunState.h"
#include "vb/Variant.h"

#include <optional>
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace updater::testing {

class SettingsTestInstallation
{
public:
    SettingsTestInstallation();

    RunState& state() { return m_state; }
    jet::Connection& settings();
    QString filePath(const QString& name) const;

    // weblinks.dat at version 1 (the sample's links, or none), open as the run's weblinks
    // connection.
    void addWebLinks(bool sampleLinks = true);
    jet::Connection& webLinks();

    void writeRates(const QByteArray& content) const;
    void removeFile(const QString& name) const;
    // A Jet database made from a sample schema script ("printlabels", "auctions", ...).
    void makeDatabase(const QString& name, const QString& script) const;

    // Jet SQL on the settings connection, or on another database of the folder.
    void execute(const QString& sql);
    void executeInWebLinks(const QString& sql);
    void executeIn(const QString& fileName, const QString& sql) const;
    // The first value of a query's first row.
    vb::Variant value(const QString& sql);
    vb::Variant valueIn(const QString& fileName, const QString& sql) const;
    vb::Variant webLinksValue(const QString& sql);
    // One column of every row, in table order.
    QList<vb::Variant> column(const QString& sql);
    QList<vb::Variant> webLinksColumn(const QString& sql);
    qint64 count(const QString& table);

    int version();
    int webLinksVersion();
    std::optional<jet::TableSchema> schema(const QString& table);
    std::optional<jet::TableSchema> schemaIn(const QString& fileName, const QString& table) const;
    std::optional<jet::ColumnSchema> columnSchema(const QString& table, const QString& column);

    const QStringList& progressLines() const { return m_progress; }

private:
    QTemporaryDir m_dir;
    RunState m_state;
    QStringList m_progress;
    DatabaseHelpers::ProgressLine m_line;
};

// A column's schema in a table description, or nullopt.
std::optional<jet::ColumnSchema> findColumn(const std::optional<jet::TableSchema>& table,
                                            const QString& column);

} // namespace updater::testing
