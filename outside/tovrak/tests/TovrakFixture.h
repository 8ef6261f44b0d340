#pragma once

// A small real installation in a temporary folder (INST with its Tools folder and the four
// databases), and the real tovrak program run on it.

#include <gtest/gtest.h>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace tovrak::test {

struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Makes a database with tblDBVer (Version `version`) and tblData holding `rows` rows.
void createDatabase(const QString& path, int rows, int version = 11);
// Every row of tblData and the version, as text, in key order.
QStringList contentOf(const QString& path);
qint64 sizeOf(const QString& path);
QByteArray bytesOf(const QString& path);
bool writeBytes(const QString& path, const QByteArray& bytes);
void execute(const QString& path, const QString& jetSql);
// Corrupts the database below the engine: its index on Name then indexes another column.
void damageIndex(const QString& path);

class TovrakTest : public ::testing::Test
{
protected:
    void SetUp() override;

    QString inst(const QString& name = {}) const;
    QString tools() const { return inst(QStringLiteral("Tools")); }
    // The four databases in the updater's order.
    QStringList databases() const;
    // Runs tovrak with --tools <tools()> followed by `arguments`.
    Outcome runTovrak(const QStringList& arguments = {}) const;
    Outcome runProgram(const QStringList& arguments) const;
    // Every file in the installation folder, hidden ones included.
    QStringList installationFiles() const;

    QTemporaryDir m_dir;
};

} // namespace tovrak::test
