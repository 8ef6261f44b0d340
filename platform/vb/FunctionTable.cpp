#include "FunctionTable.h"

#include "ConversionFunctions.h"
#include "DateFunctions.h"
#include "Format.h"
#include "MathFunctions.h"
#include "StringFunctions.h"

#include <array>

namespace vb {

namespace {

using Args = std::span<const Variant>;

// The argument at `index`, or `fallback` when the caller left it out.
Variant argOr(Args args, std::size_t index, const Variant& fallback)
{
    return index < args.size() ? args[index] : fallback;
}

Variant callInStr(Args a)
{
    if (a.size() == 2) {
        return InStr(a[0], a[1]);
    }
    return InStr(a[0], a[1], a[2], argOr(a, 3, Variant(0)));
}

Variant callReplace(Args a)
{
    return Replace(a[0], a[1], a[2], argOr(a, 3, Variant(1)), argOr(a, 4, Variant(-1)),
                   argOr(a, 5, Variant(0)));
}

// In a query, Nz without a second argument gives a zero-length string for Null.
Variant callNz(Args a)
{
    return Nz(a[0], argOr(a, 1, Variant(QString())));
}

constexpr auto table = std::to_array<BuiltinFunction>({
    // Strings
    {"Asc", 1, 1, [](Args a) { return Asc(a[0]); }},
    {"AscW", 1, 1, [](Args a) { return AscW(a[0]); }},
    {"Chr", 1, 1, [](Args a) { return Chr(a[0]); }},
    {"ChrW", 1, 1, [](Args a) { return ChrW(a[0]); }},
    {"InStr", 2, 4, callInStr},
    {"InStrRev", 2, 4,
     [](Args a) { return InStrRev(a[0], a[1], argOr(a, 2, Variant(-1)), argOr(a, 3, Variant(0))); }},
    {"LCase", 1, 1, [](Args a) { return LCase(a[0]); }},
    {"Left", 2, 2, [](Args a) { return Left(a[0], a[1]); }},
    {"Len", 1, 1, [](Args a) { return Len(a[0]); }},
    {"LTrim", 1, 1, [](Args a) { return LTrim(a[0]); }},
    {"Mid", 2, 3, [](Args a) { return a.size() == 2 ? Mid(a[0], a[1]) : Mid(a[0], a[1], a[2]); }},
    {"Replace", 3, 6, callReplace},
    {"Right", 2, 2, [](Args a) { return Right(a[0], a[1]); }},
    {"RTrim", 1, 1, [](Args a) { return RTrim(a[0]); }},
    {"Space", 1, 1, [](Args a) { return Space(a[0]); }},
    {"StrComp", 2, 3, [](Args a) { return StrComp(a[0], a[1], argOr(a, 2, Variant(0))); }},
    {"StrReverse", 1, 1, [](Args a) { return StrReverse(a[0]); }},
    {"String", 2, 2, [](Args a) { return String(a[0], a[1]); }},
    {"Trim", 1, 1, [](Args a) { return Trim(a[0]); }},
    {"UCase", 1, 1, [](Args a) { return UCase(a[0]); }},
    // Conversions and inspection
    {"CBool", 1, 1, [](Args a) { return CBool(a[0]); }},
    {"CByte", 1, 1, [](Args a) { return CByte(a[0]); }},
    {"CCur", 1, 1, [](Args a) { return CCur(a[0]); }},
    {"CDate", 1, 1, [](Args a) { return CDate(a[0]); }},
    {"CDbl", 1, 1, [](Args a) { return CDbl(a[0]); }},
    {"CInt", 1, 1, [](Args a) { return CInt(a[0]); }},
    {"CLng", 1, 1, [](Args a) { return CLng(a[0]); }},
    {"CSng", 1, 1, [](Args a) { return CSng(a[0]); }},
    {"CStr", 1, 1, [](Args a) { return CStr(a[0]); }},
    {"Hex", 1, 1, [](Args a) { return Hex(a[0]); }},
    {"Choose", 2, 30, [](Args a) { return Choose(a[0], a.subspan(1)); }},
    {"CVar", 1, 1, [](Args a) { return a[0]; }},
    {"CVDate", 1, 1, [](Args a) { return a[0].isNull() ? a[0] : CDate(a[0]); }},
    {"IIf", 3, 3, [](Args a) { return IIf(a[0], a[1], a[2]); }},
    {"IsDate", 1, 1, [](Args a) { return IsDate(a[0]); }},
    {"IsEmpty", 1, 1, [](Args a) { return IsEmpty(a[0]); }},
    {"IsNull", 1, 1, [](Args a) { return IsNull(a[0]); }},
    {"IsNumeric", 1, 1, [](Args a) { return IsNumeric(a[0]); }},
    {"Nz", 1, 2, callNz},
    {"Oct", 1, 1, [](Args a) { return Oct(a[0]); }},
    {"Switch", 2, 30, [](Args a) { return Switch(a); }},
    {"Str", 1, 1, [](Args a) { return Str(a[0]); }},
    {"Val", 1, 1, [](Args a) { return Val(a[0]); }},
    // Numbers
    {"Abs", 1, 1, [](Args a) { return Abs(a[0]); }},
    {"Fix", 1, 1, [](Args a) { return Fix(a[0]); }},
    {"Atn", 1, 1, [](Args a) { return Atn(a[0]); }},
    {"Cos", 1, 1, [](Args a) { return Cos(a[0]); }},
    {"Exp", 1, 1, [](Args a) { return Exp(a[0]); }},
    {"Int", 1, 1, [](Args a) { return Int(a[0]); }},
    {"Round", 1, 2, [](Args a) { return Round(a[0], argOr(a, 1, Variant(0))); }},
    {"Log", 1, 1, [](Args a) { return Log(a[0]); }},
    {"Sgn", 1, 1, [](Args a) { return Sgn(a[0]); }},
    {"Sin", 1, 1, [](Args a) { return Sin(a[0]); }},
    {"Sqr", 1, 1, [](Args a) { return Sqr(a[0]); }},
    {"Tan", 1, 1, [](Args a) { return Tan(a[0]); }},
    // Dates and times
    {"Date", 0, 0, [](Args) { return Date(); }},
    {"DateAdd", 3, 3, [](Args a) { return DateAdd(a[0], a[1], a[2]); }},
    {"DateDiff", 3, 5,
     [](Args a) {
         return DateDiff(a[0], a[1], a[2], argOr(a, 3, Variant(1)), argOr(a, 4, Variant(1)));
     }},
    {"DatePart", 2, 4,
     [](Args a) { return DatePart(a[0], a[1], argOr(a, 2, Variant(1)), argOr(a, 3, Variant(1))); }},
    {"DateSerial", 3, 3, [](Args a) { return DateSerial(a[0], a[1], a[2]); }},
    {"DateValue", 1, 1, [](Args a) { return DateValue(a[0]); }},
    {"Day", 1, 1, [](Args a) { return Day(a[0]); }},
    {"Hour", 1, 1, [](Args a) { return Hour(a[0]); }},
    {"Minute", 1, 1, [](Args a) { return Minute(a[0]); }},
    {"Month", 1, 1, [](Args a) { return Month(a[0]); }},
    {"MonthName", 1, 2,
     [](Args a) { return MonthName(a[0], argOr(a, 1, Variant(false))); }},
    {"Now", 0, 0, [](Args) { return Now(); }},
    {"Second", 1, 1, [](Args a) { return Second(a[0]); }},
    {"Time", 0, 0, [](Args) { return Time(); }},
    {"Timer", 0, 0, [](Args) { return Timer(); }},
    {"TimeSerial", 3, 3, [](Args a) { return TimeSerial(a[0], a[1], a[2]); }},
    {"TimeValue", 1, 1, [](Args a) { return TimeValue(a[0]); }},
    {"Weekday", 1, 2, [](Args a) { return Weekday(a[0], argOr(a, 1, Variant(1))); }},
    {"WeekdayName", 1, 3,
     [](Args a) {
         return WeekdayName(a[0], argOr(a, 1, Variant(false)), argOr(a, 2, Variant(1)));
     }},
    {"Year", 1, 1, [](Args a) { return Year(a[0]); }},
    // Formatting
    {"Format", 1, 4,
     [](Args a) {
         return Format(a[0], argOr(a, 1, Variant()), argOr(a, 2, Variant(1)),
                       argOr(a, 3, Variant(1)));
     }},
});

} // namespace

std::span<const BuiltinFunction> builtinFunctions()
{
    return table;
}

const BuiltinFunction* findBuiltin(QStringView name)
{
    if (name.endsWith(QLatin1Char('$'))) {
        name.chop(1);
    }
    for (const BuiltinFunction& function : table) {
        if (name.compare(QLatin1String(function.name), Qt::CaseInsensitive) == 0) {
            return &function;
        }
    }
    return nullptr;
}

} // namespace vb
