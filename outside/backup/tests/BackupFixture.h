#pragma once

// A small real installation in a temporary folder (the four databases, the satellites and the
// Tools folder) and an empty folder to back up into.

#include <gtest/gtest.h>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace backup::test {

void createDatabase(const QString& path, int version, int rows = 3);
// The version and the rows of tblData of a database, opened through the engine.
QStringList contentOf(const QString& path);
QByteArray bytesOf(const QString& path);
bool writeBytes(const QString& path, const QByteArray& bytes);
QStringList filesIn(const QString& folder);

class BackupTest : public ::testing::Test
{
protected:
    void SetUp() override;

    QString inst(const QString& name = {}) const;
    QString tools() const { return inst(QStringLiteral("Tools")); }
    // The (empty) folder the user picks.
    QString chosen() const { return m_dir.filePath(QStringLiteral("My Backups")); }
    static QDateTime fixedTime();

    QTemporaryDir m_dir;
};

} // namespace backup::test
