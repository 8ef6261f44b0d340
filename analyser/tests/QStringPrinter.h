#pragma once

// GoogleTest shows QStrings and lists of them as text in failure messages.

#include <ostream>
#include <QString>
#include <QStringList>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* out)
{
    *out << "{ ";
    for (const QString& text : list)
        *out << '"' << text.toStdString() << "\" ";
    *out << '}';
}
