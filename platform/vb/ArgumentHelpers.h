#pragma once

// Small helpers shared by the VBA function families: Null checks and the error for arguments
// outside a function's range.

#include "Error.h"
#include "Variant.h"

#include <initializer_list>

namespace vb::detail {

inline bool anyNull(std::initializer_list<const Variant*> values)
{
    for (const Variant* v : values) {
        if (v->isNull()) {
            return true;
        }
    }
    return false;
}

[[noreturn]] inline void invalidArgument()
{
    throw Error(ErrorNumber::InvalidProcedureCall);
}

} // namespace vb::detail
