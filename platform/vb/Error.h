#pragma once

// VB's run-time error: a number, a description and the source that raised it. Every layer of
// the suite raises and traps this one type, so an error keeps its number from the place it is
// raised to the place that reports it.

#include <exception>
#include <QByteArray>
#include <QString>

namespace vb {

// The run-time error numbers the platform raises itself.
namespace ErrorNumber {
inline constexpr int ReturnWithoutGoSub = 3;
inline constexpr int InvalidProcedureCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int OutOfStringSpace = 14;
inline constexpr int FileNotFound = 53;
inline constexpr int FileAlreadyOpen = 55;
inline constexpr int FileAlreadyExists = 58;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEndOfFile = 62;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int ObjectVariableNotSet = 91;
inline constexpr int InvalidUseOfNull = 94;
inline constexpr int ObjectRequired = 424;
inline constexpr int ObjectDoesNotSupportProperty = 438;
inline constexpr int KeyAlreadyAssociated = 457;
} // namespace ErrorNumber

class Error : public std::exception
{
public:
    // An error with VB's standard description for the number ("Application-defined or
    // object-defined error" for numbers VB has no text for).
    explicit Error(int number);
    Error(int number, QString description, QString source = {});

    int number() const noexcept { return m_number; }
    const QString& description() const noexcept { return m_description; }
    const QString& source() const noexcept { return m_source; }

    // "<description> (Error <number>)" or with the source in front, UTF-8.
    const char* what() const noexcept override;

    // VB's own text for a run-time error number, or an empty string for unknown numbers.
    static QString standardDescription(int number);

private:
    int m_number = 0;
    QString m_description;
    QString m_source;
    QByteArray m_what;
};

} // namespace vb
