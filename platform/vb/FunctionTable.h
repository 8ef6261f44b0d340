#pragma once

// Every built-in VBA function by name, for layers that call them generically (the SQL engine
// registers each entry as an SQL function). Arguments arrive already evaluated; a missing
// optional argument is simply absent from the span.

#include "Variant.h"

#include <QStringView>
#include <span>

namespace vb {

struct BuiltinFunction
{
    const char* name; // VBA's spelling, without a "$" suffix
    int minArgs;
    int maxArgs;
    Variant (*call)(std::span<const Variant> args);
};

std::span<const BuiltinFunction> builtinFunctions();

// Case-insensitive; a trailing "$" (Left$, Format$) is ignored. Null when there is no such
// function.
const BuiltinFunction* findBuiltin(QStringView name);

} // namespace vb
