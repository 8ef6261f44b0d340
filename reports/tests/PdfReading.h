#pragma once

// Reading a report's PDF the way a user's tools would: its text through poppler's pdftotext
// (layout kept), and its pages as pictures beside the test program for a person to look at.

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace reports::testing {

inline QString pdfText(const QString& pdfFile)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), pdfFile, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Writes <baseName>-<page>.png at 60 dpi (only the first `lastPage` pages when it is given) and
// returns how many pictures of that name there are.
inline int savePagePictures(const QString& pdfFile, const QString& baseName, int lastPage = 0)
{
    const QString folder = QCoreApplication::applicationDirPath();
    QStringList arguments{QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-png")};
    if (lastPage > 0)
        arguments << QStringLiteral("-f") << QStringLiteral("1") << QStringLiteral("-l")
                  << QString::number(lastPage);
    arguments << pdfFile << folder + u'/' + baseName;
    QProcess::execute(QStringLiteral("pdftoppm"), arguments);
    return int(QDir(folder).entryList({baseName + QStringLiteral("-*.png")}, QDir::Files).size());
}

} // namespace reports::testing
