#include "Error.h"

#include <utility>

namespace vb {

namespace {

struct StandardText
{
    int number;
    const char* text;
};

// VB's run-time error texts for the numbers the suite can meet.
constexpr StandardText standardTexts[] = {
    {3, "Return without GoSub"},
    {5, "Invalid procedure call or argument"},
    {6, "Overflow"},
    {7, "Out of memory"},
    {9, "Subscript out of range"},
    {10, "This array is fixed or temporarily locked"},
    {11, "Division by zero"},
    {13, "Type mismatch"},
    {14, "Out of string space"},
    {16, "Expression too complex"},
    {17, "Can't perform requested operation"},
    {18, "User interrupt occurred"},
    {20, "Resume without error"},
    {28, "Out of stack space"},
    {35, "Sub or Function not defined"},
    {48, "Error in loading DLL"},
    {51, "Internal error"},
    {52, "Bad file name or number"},
    {53, "File not found"},
    {54, "Bad file mode"},
    {55, "File already open"},
    {57, "Device I/O error"},
    {58, "File already exists"},
    {59, "Bad record length"},
    {61, "Disk full"},
    {62, "Input past end of file"},
    {63, "Bad record number"},
    {67, "Too many files"},
    {68, "Device unavailable"},
    {70, "Permission denied"},
    {71, "Disk not ready"},
    {74, "Can't rename with different drive"},
    {75, "Path/File access error"},
    {76, "Path not found"},
    {91, "Object variable or With block variable not set"},
    {92, "For loop not initialized"},
    {93, "Invalid pattern string"},
    {94, "Invalid use of Null"},
    {321, "Invalid file format"},
    {322, "Can't create necessary temporary file"},
    {380, "Invalid property value"},
    {381, "Invalid property array index"},
    {382, "Set not supported at runtime"},
    {383, "Set not supported (read-only property)"},
    {385, "Need property array index"},
    {387, "Set not permitted"},
    {393, "Get not supported at runtime"},
    {394, "Get not supported (write-only property)"},
    {422, "Property not found"},
    {423, "Property or method not found"},
    {424, "Object required"},
    {429, "ActiveX component can't create object"},
    {430, "Class does not support Automation or does not support expected interface"},
    {438, "Object doesn't support this property or method"},
    {440, "Automation error"},
    {445, "Object doesn't support this action"},
    {446, "Object doesn't support named arguments"},
    {448, "Named argument not found"},
    {449, "Argument not optional"},
    {450, "Wrong number of arguments or invalid property assignment"},
    {451, "Property let procedure not defined and property get procedure did not return an "
          "object"},
    {453, "Specified DLL function not found"},
    {457, "This key is already associated with an element of this collection"},
    {458, "Variable uses an Automation type not supported in Visual Basic"},
    {461, "Method or data member not found"},
    {463, "Class not registered on local machine"},
    {481, "Invalid picture"},
    {482, "Printer error"},
    {735, "Can't save file to TEMP"},
    {744, "Search text not found"},
    {746, "Replacements too long"},
};

QString describe(int number)
{
    QString text = Error::standardDescription(number);
    if (text.isEmpty()) {
        text = QStringLiteral("Application-defined or object-defined error");
    }
    return text;
}

} // namespace

Error::Error(int number) : Error(number, describe(number)) {}

Error::Error(int number, QString description, QString source)
    : m_number(number), m_description(std::move(description)), m_source(std::move(source))
{
    QString text = m_description + QStringLiteral(" (Error %1)").arg(m_number);
    if (!m_source.isEmpty()) {
        text = m_source + QStringLiteral(": ") + text;
    }
    m_what = text.toUtf8();
}

const char* Error::what() const noexcept
{
    return m_what.constData();
}

QString Error::standardDescription(int number)
{
    for (const StandardText& entry : standardTexts) {
        if (entry.number == number) {
            return QString::fromLatin1(entry.text);
        }
    }
    return {};
}

} // namespace vb
