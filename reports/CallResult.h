#pragma once

// The error result of a call into a library: the number, text and source of the error that
// ended it, or number 0 for success. Library entry points never show an error and never let
// one escape: they return it here, and the caller decides what to show.

#include "platform/vb/Error.h"

#include <exception>
#include <QString>

namespace reports {

struct CallResult
{
    int number = 0;
    QString description;
    QString source;

    bool succeeded() const noexcept { return number == 0; }
    bool failed() const noexcept { return number != 0; }

    static CallResult success() { return {}; }
    static CallResult fromError(const vb::Error& error);
    // Raises the error as vb::Error when the call failed.
    void raiseIfFailed() const;
};

// Runs `body` and returns its error as the call's result: vb::Error as it is, any other
// exception as error 5 with its text and `source`.
template <typename Body>
CallResult trapErrors(const QString& source, Body&& body) noexcept
{
    try {
        body();
        return CallResult::success();
    } catch (const vb::Error& error) {
        return CallResult::fromError(error);
    } catch (const std::exception& error) {
        return {vb::ErrorNumber::InvalidProcedureCall, QString::fromUtf8(error.what()), source};
    } catch (...) {
        return {vb::ErrorNumber::InvalidProcedureCall, QStringLiteral("Unknown error"), source};
    }
}

} // namespace reports
