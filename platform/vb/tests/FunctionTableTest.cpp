#include "FunctionTable.h"

#include "LocaleGuard.h"
#include "VbAssertions.h"

#include <gtest/gtest.h>
#include <QSet>
#include <vector>

using namespace vb;

namespace {

Variant call(const char* name, std::vector<Variant> args)
{
    const BuiltinFunction* f = findBuiltin(QString::fromLatin1(name));
    if (!f) {
        ADD_FAILURE() << "no function " << name;
        return {};
    }
    EXPECT_GE(static_cast<int>(args.size()), f->minArgs) << name;
    EXPECT_LE(static_cast<int>(args.size()), f->maxArgs) << name;
    return f->call(args);
}

} // namespace

TEST(FunctionTable, EveryFunctionTheSqlLayerNeedsIsThere)
{
    for (const char* name :
         {"IIf",        "Chr",        "Asc",     "Left",     "Right",    "Mid",       "Len",
          "InStr",      "Trim",       "LTrim",   "RTrim",    "UCase",    "LCase",     "Replace",
          "Space",      "String",     "Val",     "Str",      "CStr",     "CInt",      "CLng",
          "CDbl",       "CSng",       "CBool",   "CDate",    "CCur",     "Int",       "Fix",
          "Round",      "Abs",        "Sgn",     "Nz",       "IsNull",   "IsNumeric", "IsDate",
          "DateSerial", "TimeSerial", "DateAdd", "DateDiff", "DatePart", "Year",      "Month",
          "Day",        "Hour",       "Minute",  "Second",   "Weekday",  "Now",       "Date",
          "Time",       "Format"}) {
        EXPECT_NE(findBuiltin(QString::fromLatin1(name)), nullptr) << name;
    }
    QSet<QString> seen;
    for (const BuiltinFunction& f : builtinFunctions()) {
        const QString name = QString::fromLatin1(f.name).toLower();
        EXPECT_FALSE(seen.contains(name)) << f.name;
        EXPECT_FALSE(name.endsWith(QLatin1Char('$'))) << f.name;
        EXPECT_LE(f.minArgs, f.maxArgs) << f.name;
        seen.insert(name);
    }
}

TEST(FunctionTable, LookupIgnoresCaseAndDollar)
{
    EXPECT_EQ(findBuiltin(u"left$"), findBuiltin(u"LEFT"));
    EXPECT_STREQ(findBuiltin(u"FORMAT$")->name, "Format");
    EXPECT_EQ(findBuiltin(u"NoSuchFunction"), nullptr);
    EXPECT_EQ(findBuiltin(u"$"), nullptr);
    EXPECT_EQ(findBuiltin(u""), nullptr);
}

TEST(FunctionTable, OptionalArgumentsMapToTheRightParameters)
{
    UsLocale us;
    EXPECT_EQ(call("Mid", {Variant("abcdef"), Variant(3)}).toString(), "cdef");
    EXPECT_EQ(call("Mid$", {Variant("abcdef"), Variant(3), Variant(2)}).toString(), "cd");
    EXPECT_EQ(call("InStr", {Variant("abcabc"), Variant("c")}).toLong(), 3);
    EXPECT_EQ(call("InStr", {Variant(4), Variant("abcabc"), Variant("c")}).toLong(), 6);
    EXPECT_EQ(call("InStr", {Variant(1), Variant("ABC"), Variant("c"), Variant(1)}).toLong(), 3);
    EXPECT_EQ(
        call("Replace", {Variant("a-b-c"), Variant("-"), Variant("+"), Variant(1), Variant(1)})
            .toString(),
        "a+b-c");
    EXPECT_EQ(call("Round", {Variant(2.5)}), Variant(2.0));
    EXPECT_EQ(call("Round", {Variant(1.255), Variant(2)}), Variant(1.26));
    EXPECT_EQ(call("Format", {Variant(0.5), Variant("0%")}).toString(), "50%");
    EXPECT_EQ(call("Format", {Variant(3.0)}).toString(), "3");
    EXPECT_EQ(call("DatePart", {Variant("w"), Variant::fromDate(38051), Variant(2)}).toLong(), 5);
    EXPECT_EQ(call("DateDiff", {Variant("d"), Variant::fromDate(1), Variant::fromDate(3)}).toLong(),
              2);
    EXPECT_EQ(call("Weekday", {Variant::fromDate(38051)}).toLong(), 6);
    EXPECT_EQ(call("IIf", {Variant(false), Variant(1), Variant(2)}), Variant(2));
    EXPECT_EQ(call("Date", {}).type(), VarType::Date);
    // In a query, Nz without a default turns Null into a zero-length string.
    EXPECT_EQ(call("Nz", {Variant::null()}), Variant(""));
    EXPECT_EQ(call("Nz", {Variant::null(), Variant(0)}), Variant(0));
    EXPECT_VB_ERROR(call("Left", {Variant("abc"), Variant(-1)}), 5);
}
