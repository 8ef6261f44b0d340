#pragma once

// Small helpers shared by the VBA function families: Null checks and argument conversions with
// VB's errors.

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

// A whole-number argument (CLng semantics: Null raises 94, text must be numeric).
inline qint64 longArg(const Variant& value)
{
    return value.toLong();
}

[[noreturn]] inline void invalidArgument()
{
    throw Error(ErrorNumber::InvalidProcedureCall);
}

} // namespace vb::detail
