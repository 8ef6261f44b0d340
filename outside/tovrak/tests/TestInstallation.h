#pragma once

// Test data shared by the tovrak and backup tests: small real databases and an installation
// folder (INST with its Tools folder and the four databases) in a temporary folder. Linking
// this also gives the test program its application object (offscreen).

#include <gtest/gtest.h>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace outside::test {

QString connectionString(const QString& path);
// A database with tblDBVer (one row: `version`) and tblData (ID, Name, Notes; indexed on Name)
// holding `rows` rows of some 200 bytes each.
void createDatabase(const QString& path, int version, int rows = 3);
// The version and every row of tblData, as text, in ID order.
QStringList contentOf(const QString& path);
void execute(const QString& path, const QString& jetSql);
// Corrupts a database below the engine: its index on Name then claims to index Notes.
void damageIndex(const QString& path);

QByteArray bytesOf(const QString& path);
bool writeBytes(const QString& path, const QByteArray& bytes);
// Every entry of a folder, hidden ones included.
QStringList filesIn(const QString& folder);

class InstallationTest : public ::testing::Test
{
protected:
    // Empties the registry (the defaults apply) and makes INST with the four databases.
    void SetUp() override;

    QString inst(const QString& name = {}) const;
    QString tools() const { return inst(QStringLiteral("Tools")); }
    // main, settings, language, weblinks
    QStringList databases() const;

    QTemporaryDir m_dir;
};

} // namespace outside::test
