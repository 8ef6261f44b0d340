#pragma once

// A small installation in a temporary folder, laid out as the suite installs itself: data
// files in the program folder, the tools (the analyser, the registry editor) in Tools/, and a
// Windows PE program with a version resource among them.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace analyser::testing {

class TestInstallation
{
public:
    TestInstallation();

    // The program folder, without a trailing "/".
    QString folder() const { return m_dir.path(); }
    QString tools() const { return m_dir.filePath(QStringLiteral("Tools")); }
    QString path(const QString& relative) const { return m_dir.filePath(relative); }

    // A database with tblDBVer holding `version`; a negative version leaves the table empty;
    // withTable false makes no version table at all.
    void addDatabase(const QString& relative, int version, bool withTable = true) const;
    void addFile(const QString& relative, const QByteArray& contents) const;
    void copyInto(const QString& source, const QString& relative) const;

    // Registry: Application\FullPath = folder() (or removed).
    void registerFolder() const;
    static void forgetRegistry();

    // The report's lines (split at CR LF; a missing final CR LF is a failure of its own).
    QStringList reportLines() const;
    QByteArray reportBytes() const;

private:
    QTemporaryDir m_dir;
};

// Where the built programs and the PE samples are.
QString kestruneProgram();
QString regeditProgram();
QString peSample(const QString& name);

// The line of the file tree for `relative` (upper-cased path), or an empty text.
QString treeLine(const QStringList& lines, const QString& relativeUpper);

} // namespace analyser::testing
