#include "TestInstallation.h"

#include "common/cRegistry.h"
#include "jet/Connection.h"
#include "jet/DatabaseFile.h"
#include "jet/DatabasePassword.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace analyser::testing {

TestInstallation::TestInstallation()
{
    QDir(m_dir.path()).mkpath(QStringLiteral("Tools"));
}

void TestInstallation::addDatabase(const QString& relative, int version, bool withTable) const
{
    const QString file = path(relative);
    QDir().mkpath(QFileInfo(file).path());
    jet::createDatabase(file, jet::DatabasePassword::systemPassword());
    if (!withTable)
        return;
    jet::Connection connection;
    connection.open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;"
                                   "Jet OLEDB:Database Password=%2")
                        .arg(file, jet::DatabasePassword::systemPassword()));
    connection.execute(QStringLiteral("CREATE TABLE tblDBVer (Version SHORT)"));
    if (version >= 0)
        connection.execute(
            QStringLiteral("INSERT INTO tblDBVer (Version) VALUES (%1)").arg(version));
    connection.close();
}

void TestInstallation::addFile(const QString& relative, const QByteArray& contents) const
{
    const QString file = path(relative);
    QDir().mkpath(QFileInfo(file).path());
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly)) << file.toStdString();
    ASSERT_EQ(out.write(contents), contents.size());
}

void TestInstallation::copyInto(const QString& source, const QString& relative) const
{
    const QString target = path(relative);
    QDir().mkpath(QFileInfo(target).path());
    ASSERT_TRUE(QFile::copy(source, target)) << source.toStdString();
}

void TestInstallation::registerFolder() const
{
    cRegistry registry;
    ASSERT_TRUE(registry.PutPrivateRegistryString(reg::HKEY_CURRENT_USER,
                                                  QStringLiteral("Application"),
                                                  QStringLiteral("FullPath"), folder()));
    ASSERT_TRUE(registry.PutPrivateRegistryString(
        reg::HKEY_CURRENT_USER, QStringLiteral("LastDatabase"), QStringLiteral("FullPath"),
        path(QStringLiteral("csample.qvd"))));
}

void TestInstallation::forgetRegistry()
{
    cRegistry registry;
    registry.DeleteKey(reg::HKEY_CURRENT_USER, registry.GetRegistryKeyNameForApp());
}

QByteArray TestInstallation::reportBytes() const
{
    QFile file(path(QStringLiteral("Tools/FileAnalysis.txt")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QStringList TestInstallation::reportLines() const
{
    const QByteArray bytes = reportBytes();
    EXPECT_TRUE(bytes.endsWith("\r\n")) << "the report's last line has no CR LF";
    QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

QString kestruneProgram()
{
    return QStringLiteral(KESTRUNE_PROGRAM);
}

QString regeditProgram()
{
    return QStringLiteral(REGEDIT_PROGRAM);
}

QString peSample(const QString& name)
{
    return QStringLiteral(PE_SAMPLE_DIR "/") + name;
}

QString treeLine(const QStringList& lines, const QString& relativeUpper)
{
    const QString prefix = relativeUpper + QLatin1Char(';');
    for (const QString& line : lines) {
        if (line.startsWith(prefix))
            return line;
    }
    return QString();
}

} // namespace analyser::testing
