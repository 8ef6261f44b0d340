#pragma once

// Errors of the database engine as VB sees them: the number is the HRESULT as a signed 32-bit
// value, the source names the component that raised it. The engine's own failures come from
// "Microsoft JET Database Engine"; failures of the connection object itself (wrong provider,
// closed connection, bad argument) come from "ADODB.Connection" and carry ADO's code in the
// low word (3706 becomes 0x800A0E7A, exactly as Err.Number shows it in VB).

#include "vb/Error.h"

#include <QString>
#include <QStringList>

namespace jet {

namespace ErrorNumber {
// E_FAIL: what the engine reports for most failures (missing file, bad format, locks).
inline constexpr int Unspecified = -2147467259;           // 0x80004005
inline constexpr int NotValidPassword = -2147217843;      // 0x80040E4D
inline constexpr int SyntaxError = -2147217900;           // 0x80040E14
inline constexpr int MissingParameters = -2147217904;     // 0x80040E10
inline constexpr int InputTableNotFound = -2147217865;    // 0x80040E37
inline constexpr int DatabaseAlreadyExists = -2147217897; // 0x80040E17
inline constexpr int IntegrityViolation = -2147217873;    // 0x80040E2F
inline constexpr int NoTransactionActive = -2147168242;   // 0x8004D00E

// ADO's own errors: 0x800A0000 | code.
constexpr int ado(int code) noexcept
{
    return static_cast<int>(0x800A0000u | static_cast<unsigned>(code));
}
inline constexpr int AdoInvalidArgument = ado(3001);
inline constexpr int AdoItemNotFound = ado(3265);
inline constexpr int AdoObjectClosed = ado(3704);
inline constexpr int AdoObjectOpen = ado(3705);
inline constexpr int AdoProviderNotFound = ado(3706);
inline constexpr int AdoConnectionUnusable = ado(3709);
} // namespace ErrorNumber

inline const QString engineSource = QStringLiteral("Microsoft JET Database Engine");
inline const QString connectionSource = QStringLiteral("ADODB.Connection");
inline const QString recordsetSource = QStringLiteral("ADODB.Recordset");

class Error : public vb::Error
{
public:
    Error(int number, QString description, QString source = engineSource);

    // The common failures, with the engine's wording.
    static Error fileNotFound(const QString& path);
    static Error unrecognizedFormat(const QString& path);
    static Error cannotOpenFile(const QString& path);
    static Error notValidPassword();
    static Error locked();
    static Error providerNotFound();
    static Error objectOpen();
    static Error objectClosed();
    static Error connectionUnusable();
    // ADO's 3001; `source` names the object the argument was given to.
    static Error invalidArgument(const QString& detail, const QString& source = connectionSource);
    static Error inputTableNotFound(const QString& name);
    static Error itemNotFound(const QString& name, const QString& collectionSource);
    static Error noTransactionActive();
    static Error missingParameters(const QStringList& names);
};

} // namespace jet
