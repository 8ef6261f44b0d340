// The call's error result to and from vb::Error.

#include "reports/CallResult.h"

namespace reports {

CallResult CallResult::fromError(const vb::Error& error)
{
    // Number 0 would read as success; VB reports such an error as 5.
    const int number = error.number() != 0 ? error.number() : vb::ErrorNumber::InvalidProcedureCall;
    return {number, error.description(), error.source()};
}

void CallResult::raiseIfFailed() const
{
    if (failed())
        throw vb::Error(number, description, source);
}

} // namespace reports
