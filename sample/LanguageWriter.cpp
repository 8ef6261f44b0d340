#include "LanguageWriter.h"

#include "TableWriter.h"
#include "vb/Error.h"

#include <QFile>

namespace sample {

int writeLanguage(jet::Connection& connection)
{
    QFile file(QStringLiteral(":/sample/english.txt"));
    if (!file.open(QIODevice::ReadOnly)) {
        throw vb::Error(vb::ErrorNumber::FileNotFound,
                        QStringLiteral("The English texts are not built into this program."),
                        QStringLiteral("sample"));
    }
    TableWriter version(connection, QStringLiteral("tblDBVer"), {QStringLiteral("Version")});
    version.add({number(1)});
    TableWriter info(connection, QStringLiteral("tblLanguageInfo"),
                     {QStringLiteral("LanguageName"), QStringLiteral("LocaleID")});
    info.add({text(QStringLiteral("English")), number(1033)});

    TableWriter texts(
        connection, QStringLiteral("tblLanguage"),
        {QStringLiteral("Section"), QStringLiteral("TextKey"), QStringLiteral("LanguageText")});
    int lineNumber = 0;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        ++lineNumber;
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        const QStringList parts = line.split(QLatin1Char('\t'));
        if (parts.size() != 3 || !parts.at(1).startsWith(QLatin1String("d_"))) {
            throw vb::Error(vb::ErrorNumber::InvalidProcedureCall,
                            QStringLiteral("english.txt line %1: expected section, a key "
                                           "beginning with d_ and a text, separated by tabs.")
                                .arg(lineNumber),
                            QStringLiteral("sample"));
        }
        texts.add({text(parts.at(0)), text(parts.at(1)), text(parts.at(2))});
    }
    return static_cast<int>(texts.rowsAdded());
}

} // namespace sample
