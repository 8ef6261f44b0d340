// registerSqlFunctions(): what translated Jet SQL calls on a SQLite connection.

#include "DecimalScale.h"
#include "JetSql.h"
#include "LikePattern.h"
#include "OperatorHelpers.h"
#include "SqliteValue.h"
#include "vb/DateFunctions.h"
#include "vb/FunctionTable.h"
#include "vb/OleDate.h"

#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <new>
#include <optional>
#include <QSet>
#include <QString>
#include <span>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace jet {
namespace {

using sql::fromSqlite;
using sql::resultToSqlite;

// Runs `body`, turning a VB error into the statement's error with VB's description.
template <typename Body>
void guarded(sqlite3_context* context, Body&& body)
{
    try {
        body();
    } catch (const vb::Error& e) {
        const QByteArray message = e.description().toUtf8();
        sqlite3_result_error(context, message.constData(), int(message.size()));
    } catch (const std::bad_alloc&) {
        sqlite3_result_error_nomem(context);
    } catch (const std::exception& e) {
        sqlite3_result_error(context, e.what(), -1);
    }
}

void callBuiltin(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    const auto* function = static_cast<const vb::BuiltinFunction*>(sqlite3_user_data(context));
    guarded(context, [&] {
        if (argc < function->minArgs || argc > function->maxArgs)
            throw vb::Error(SqlSyntaxError::Number,
                            QStringLiteral("Wrong number of arguments used with function in "
                                           "query expression '%1'.")
                                .arg(QString::fromUtf8(function->name)));
        // Most calls have a few arguments: they stay on the stack, no allocation per row.
        constexpr int inlineArgs = 4;
        if (argc <= inlineArgs) {
            std::array<vb::Variant, inlineArgs> args;
            for (int i = 0; i < argc; ++i)
                args[std::size_t(i)] = fromSqlite(argv[i]);
            resultToSqlite(context, function->call(std::span(args.data(), std::size_t(argc))));
            return;
        }
        std::vector<vb::Variant> args;
        args.reserve(std::size_t(argc));
        for (int i = 0; i < argc; ++i)
            args.push_back(fromSqlite(argv[i]));
        resultToSqlite(context, function->call(args));
    });
}

// Inside Jet SQL, InStr, InStrRev, Replace and StrComp compare text without regard to case
// unless told otherwise (the database's text compare); VBA's own default is binary. The
// compare argument left out is supplied as vbTextCompare.
void callWithTextCompare(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    const auto* function = static_cast<const vb::BuiltinFunction*>(sqlite3_user_data(context));
    if (argc < function->minArgs || argc >= function->maxArgs) {
        callBuiltin(context, argc, argv); // a compare given, or a wrong argument count
        return;
    }
    guarded(context, [&] {
        const bool inStr = qstricmp(function->name, "InStr") == 0;
        std::vector<vb::Variant> args;
        args.reserve(std::size_t(function->maxArgs));
        if (inStr && argc == 2)
            args.emplace_back(1); // the start, which comes first when a compare is given
        for (int i = 0; i < argc; ++i)
            args.push_back(fromSqlite(argv[i]));
        // Replace(expression, find, replace[, start[, count[, compare]]]),
        // InStrRev(check, match[, start[, compare]]): the arguments before the compare.
        static const vb::Variant defaults[] = {vb::Variant(1), vb::Variant(-1)};
        const bool replace = qstricmp(function->name, "Replace") == 0;
        while (int(args.size()) < function->maxArgs - 1)
            args.push_back(replace && args.size() == 3 ? defaults[0] : defaults[1]);
        args.emplace_back(1); // vbTextCompare
        resultToSqlite(context, function->call(args));
    });
}

bool comparesText(const char* name)
{
    for (const char* candidate : {"InStr", "InStrRev", "Replace", "StrComp"})
        if (qstricmp(name, candidate) == 0)
            return true;
    return false;
}

// A DateSerial argument that is plainly a whole number: an integer, a real without a
// fraction, or text of ASCII digits (read the same in every locale); Integer range only.
std::optional<sqlite3_int64> wholeArgument(sqlite3_value* value)
{
    constexpr sqlite3_int64 limit = 32767;
    sqlite3_int64 whole = 0;
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        whole = sqlite3_value_int64(value);
        break;
    case SQLITE_FLOAT: {
        const double real = sqlite3_value_double(value);
        if (!(std::abs(real) <= double(limit)) || real != std::floor(real))
            return std::nullopt;
        whole = sqlite3_int64(real);
        break;
    }
    case SQLITE_TEXT: {
        const auto* text = sqlite3_value_text(value);
        const int length = sqlite3_value_bytes(value);
        if (length < 1 || length > 5)
            return std::nullopt;
        for (int i = 0; i < length; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return std::nullopt;
            whole = whole * 10 + (text[i] - '0');
        }
        break;
    }
    default:
        return std::nullopt;
    }
    if (whole < -limit || whole > limit)
        return std::nullopt;
    return whole;
}

// DateSerial(year, month, day) on plain whole numbers with a four-digit year, the common case,
// computed directly: months and days outside their ranges roll over into the next larger unit
// as in VB. Anything else (two-digit years, fractions, Null, other text, dates beyond 100 to
// 9999) takes VB's own DateSerial.
bool dateSerialDirect(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (argc != 3)
        return false;
    const std::optional<sqlite3_int64> year = wholeArgument(argv[0]);
    const std::optional<sqlite3_int64> month = wholeArgument(argv[1]);
    const std::optional<sqlite3_int64> day = wholeArgument(argv[2]);
    if (!year || !month || !day)
        return false;
    const std::optional<double> date = vb::wholeDateSerial(*year, *month, *day);
    if (!date)
        return false;
    sqlite3_result_double(context, *date);
    sqlite3_result_subtype(context, sql::DateSubtype);
    return true;
}

void callDateSerial(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (!dateSerialDirect(context, argc, argv))
        callBuiltin(context, argc, argv);
}

// Now, Date and Time have a resolution of one second, and the local clock behind them is slow
// to read (time zones): a query comparing every row against Now() would spend its time there.
// Their value is kept for the rest of the wall-clock second it was read in.
void callClockFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    struct Reading
    {
        const vb::BuiltinFunction* function = nullptr;
        std::int64_t second = 0;
        vb::Variant value;
    };
    thread_local Reading readings[3];
    const auto* function = static_cast<const vb::BuiltinFunction*>(sqlite3_user_data(context));
    if (argc != 0) {
        callBuiltin(context, argc, argv); // reports the wrong argument count
        return;
    }
    guarded(context, [&] {
        const std::int64_t second = std::chrono::duration_cast<std::chrono::seconds>(
                                        std::chrono::system_clock::now().time_since_epoch())
                                        .count();
        Reading* slot = nullptr;
        for (Reading& r : readings)
            if (r.function == function || (!slot && !r.function))
                slot = &r;
        if (!slot)
            slot = &readings[0];
        if (slot->function != function || slot->second != second) {
            slot->value = function->call({});
            slot->function = function;
            slot->second = second;
        }
        resultToSqlite(context, slot->value);
    });
}

using Binary = vb::Variant (*)(const vb::Variant&, const vb::Variant&);

// +, - and * on two plain numbers, the common case, computed without the trip through VB
// values; anything else (Null, text, a typed Date or Boolean) takes the VB operator.
enum class Arithmetic : int
{
    Add,
    Subtract,
    Multiply,
};

struct ArithmeticOperator
{
    Arithmetic kind;
    Binary slow;
};

bool isPlainNumber(sqlite3_value* value)
{
    const int storage = sqlite3_value_type(value);
    return (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT) &&
           sqlite3_value_subtype(value) == 0;
}

bool numbersDirect(sqlite3_context* context, Arithmetic kind, sqlite3_value** argv)
{
    if (!isPlainNumber(argv[0]) || !isPlainNumber(argv[1]))
        return false;
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER &&
        sqlite3_value_type(argv[1]) == SQLITE_INTEGER) {
        const sqlite3_int64 a = sqlite3_value_int64(argv[0]);
        const sqlite3_int64 b = sqlite3_value_int64(argv[1]);
        sqlite3_int64 whole = 0;
        const bool overflow = kind == Arithmetic::Add        ? __builtin_add_overflow(a, b, &whole)
                              : kind == Arithmetic::Subtract ? __builtin_sub_overflow(a, b, &whole)
                                                             : __builtin_mul_overflow(a, b, &whole);
        if (!overflow) {
            sqlite3_result_int64(context, whole);
            return true;
        }
    }
    const double a = sqlite3_value_double(argv[0]);
    const double b = sqlite3_value_double(argv[1]);
    sqlite3_result_double(context, kind == Arithmetic::Add        ? a + b
                                   : kind == Arithmetic::Subtract ? a - b
                                                                  : a * b);
    return true;
}

void callArithmetic(sqlite3_context* context, int, sqlite3_value** argv)
{
    const auto* op = static_cast<const ArithmeticOperator*>(sqlite3_user_data(context));
    if (numbersDirect(context, op->kind, argv))
        return;
    guarded(context,
            [&] { resultToSqlite(context, op->slow(fromSqlite(argv[0]), fromSqlite(argv[1]))); });
}

// jet_date(x), jet_bool(x): x marked as the Date or Boolean it stands for, for the function
// or operator it is handed to. A number outside the Date range, and anything not a number,
// passes unmarked.
void callMarkDate(sqlite3_context* context, int, sqlite3_value** argv)
{
    sqlite3_result_value(context, argv[0]);
    const int storage = sqlite3_value_type(argv[0]);
    if ((storage == SQLITE_INTEGER || storage == SQLITE_FLOAT) &&
        vb::OleDate::isValid(sqlite3_value_double(argv[0])))
        sqlite3_result_subtype(context, sql::DateSubtype);
}

void callMarkBoolean(sqlite3_context* context, int, sqlite3_value** argv)
{
    sqlite3_result_value(context, argv[0]);
    const int storage = sqlite3_value_type(argv[0]);
    if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT)
        sqlite3_result_subtype(context, sql::BooleanSubtype);
}

void callBinary(sqlite3_context* context, int, sqlite3_value** argv)
{
    const auto op = reinterpret_cast<Binary>(sqlite3_user_data(context));
    guarded(context,
            [&] { resultToSqlite(context, op(fromSqlite(argv[0]), fromSqlite(argv[1]))); });
}

// jet_decimal(value, scale): the value as a Decimal field of that scale stores it.
void callDecimal(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) != SQLITE_FLOAT) {
        sqlite3_result_value(context, argv[0]);
        return;
    }
    sqlite3_result_double(
        context, sql::truncateToScale(sqlite3_value_double(argv[0]), sqlite3_value_int(argv[1])));
}

void callNot(sqlite3_context* context, int, sqlite3_value** argv)
{
    guarded(context, [&] { resultToSqlite(context, sql::logicalNot(fromSqlite(argv[0]))); });
}

void deletePattern(void* pattern)
{
    delete static_cast<sql::LikePattern*>(pattern);
}

// Whether `value` matches: ASCII text, the common case, is folded into a reused buffer
// without going through QString; anything else takes VB's text of the value.
bool likeMatches(const sql::LikePattern& pattern, sqlite3_value* value)
{
    if (sqlite3_value_type(value) == SQLITE_TEXT) {
        const auto* text = sqlite3_value_text(value);
        const int length = sqlite3_value_bytes(value);
        thread_local std::u32string folded;
        folded.clear();
        bool ascii = true;
        for (int i = 0; i < length && ascii; ++i) {
            const unsigned char c = text[i];
            ascii = c < 0x80;
            folded.push_back(c >= 'A' && c <= 'Z' ? char32_t(c + 32) : char32_t(c));
        }
        if (ascii)
            return pattern.matchesFolded(folded);
    }
    return pattern.matches(fromSqlite(value).toString());
}

// jet_like(value, pattern): -1/0, Null when either is Null. The compiled pattern is kept with
// the statement while the pattern argument stays the same.
void callLike(sqlite3_context* context, int, sqlite3_value** argv)
{
    guarded(context, [&] {
        if (sqlite3_value_type(argv[0]) == SQLITE_NULL ||
            sqlite3_value_type(argv[1]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return;
        }
        auto* pattern = static_cast<sql::LikePattern*>(sqlite3_get_auxdata(context, 1));
        if (!pattern) {
            auto compiled = std::make_unique<sql::LikePattern>(fromSqlite(argv[1]).toString());
            pattern = compiled.get();
            sqlite3_set_auxdata(context, 1, compiled.release(), deletePattern);
            // SQLite may drop the data at once (out of memory): ask for it again.
            pattern = static_cast<sql::LikePattern*>(sqlite3_get_auxdata(context, 1));
            if (!pattern) {
                sqlite3_result_error_nomem(context);
                return;
            }
        }
        sqlite3_result_int(context, likeMatches(*pattern, argv[0]) ? -1 : 0);
    });
}

// First and Last: the value of the group's first or last row, Null included.
struct HeldValue
{
    sqlite3_value* value;
    bool set;
};

template <bool keepFirst>
void firstLastStep(sqlite3_context* context, int, sqlite3_value** argv)
{
    auto* held = static_cast<HeldValue*>(sqlite3_aggregate_context(context, sizeof(HeldValue)));
    if (!held) {
        sqlite3_result_error_nomem(context);
        return;
    }
    if (keepFirst && held->set)
        return;
    sqlite3_value_free(held->value);
    held->value = sqlite3_value_dup(argv[0]);
    held->set = true;
    if (!held->value)
        sqlite3_result_error_nomem(context);
}

void firstLastFinal(sqlite3_context* context)
{
    auto* held = static_cast<HeldValue*>(sqlite3_aggregate_context(context, 0));
    if (!held || !held->value) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_value(context, held->value);
    sqlite3_value_free(held->value);
    held->value = nullptr;
}

// StDev, StDevP, Var, VarP over the non-Null values (Welford's running mean).
struct Spread
{
    sqlite3_int64 count;
    double mean;
    double m2;
};

void spreadStep(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return;
    auto* s = static_cast<Spread*>(sqlite3_aggregate_context(context, sizeof(Spread)));
    if (!s) {
        sqlite3_result_error_nomem(context);
        return;
    }
    guarded(context, [&] {
        const double x = fromSqlite(argv[0]).toDouble();
        ++s->count;
        const double delta = x - s->mean;
        s->mean += delta / double(s->count);
        s->m2 += delta * (x - s->mean);
    });
}

enum SpreadKind : int
{
    StDev,
    StDevP,
    Var,
    VarP,
};

void spreadFinal(sqlite3_context* context)
{
    const auto kind =
        static_cast<SpreadKind>(reinterpret_cast<intptr_t>(sqlite3_user_data(context)));
    const auto* s = static_cast<Spread*>(sqlite3_aggregate_context(context, 0));
    const bool sample = kind == StDev || kind == Var;
    const sqlite3_int64 n = s ? s->count : 0;
    if (n < (sample ? 2 : 1)) {
        sqlite3_result_null(context);
        return;
    }
    const double variance = s->m2 / double(sample ? n - 1 : n);
    sqlite3_result_double(context,
                          kind == StDev || kind == StDevP ? std::sqrt(variance) : variance);
}

// The JET collation: text compared without regard to case, as Jet compares and sorts it.
// ASCII is compared byte by byte; from the first other character on, Unicode case folding.
int compareJet(void*, int length1, const void* text1, int length2, const void* text2)
{
    const auto* a = static_cast<const unsigned char*>(text1);
    const auto* b = static_cast<const unsigned char*>(text2);
    const int common = std::min(length1, length2);
    int i = 0;
    for (; i < common; ++i) {
        if (a[i] >= 0x80 || b[i] >= 0x80)
            break;
        const int ca = (a[i] >= 'A' && a[i] <= 'Z') ? a[i] + 32 : a[i];
        const int cb = (b[i] >= 'A' && b[i] <= 'Z') ? b[i] + 32 : b[i];
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (i == common && (i == length1 || i == length2) && (i == length1 || a[i] < 0x80) &&
        (i == length2 || b[i] < 0x80))
        return length1 == length2 ? 0 : (length1 < length2 ? -1 : 1);
    const QString restA = QString::fromUtf8(reinterpret_cast<const char*>(a + i), length1 - i);
    const QString restB = QString::fromUtf8(reinterpret_cast<const char*>(b + i), length2 - i);
    const int c = restA.compare(restB, Qt::CaseInsensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

void check(sqlite3* db, int rc, const char* what)
{
    if (rc != SQLITE_OK)
        throw vb::Error(-2147467259, // E_FAIL
                        QStringLiteral("Cannot register the SQL function %1: %2")
                            .arg(QString::fromUtf8(what), QString::fromUtf8(sqlite3_errmsg(db))));
}

// Functions that set a subtype say so where SQLite asks for it (newer versions).
#ifdef SQLITE_RESULT_SUBTYPE
constexpr int kResultSubtype = SQLITE_RESULT_SUBTYPE;
#else
constexpr int kResultSubtype = 0;
#endif

void registerBinary(sqlite3* db, const char* name, Binary op)
{
    check(db,
          sqlite3_create_function_v2(
              db, name, 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_SUBTYPE | kResultSubtype,
              reinterpret_cast<void*>(op), callBinary, nullptr, nullptr, nullptr),
          name);
}

} // namespace

void registerSqlFunctions(sqlite3* db)
{
    // Translated SQL quotes every name with double quotes; SQLite's legacy reading of an
    // unknown "name" as a string would turn a misspelt field into a constant, silently.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);

    // Functions whose result changes between calls with the same arguments.
    static const QSet<QString> volatileFunctions = {"NOW", "DATE", "TIME", "TIMER", "RND"};
    for (const vb::BuiltinFunction& function : vb::builtinFunctions()) {
        const bool isVolatile =
            volatileFunctions.contains(QString::fromUtf8(function.name).toUpper());
        const int flags = SQLITE_UTF8 | (isVolatile ? 0 : SQLITE_DETERMINISTIC);
        static const QSet<QString> clockFunctions = {"NOW", "DATE", "TIME"};
        const bool clock = clockFunctions.contains(QString::fromUtf8(function.name).toUpper());
        const bool dateSerial = qstricmp(function.name, "DateSerial") == 0;
        check(db,
              sqlite3_create_function_v2(db, function.name, -1,
                                         flags | SQLITE_SUBTYPE | kResultSubtype,
                                         const_cast<vb::BuiltinFunction*>(&function),
                                         clock                         ? callClockFunction
                                         : dateSerial                  ? callDateSerial
                                         : comparesText(function.name) ? callWithTextCompare
                                                                       : callBuiltin,
                                         nullptr, nullptr, nullptr),
              function.name);
    }
    registerBinary(db, "jet_concat", sql::concat);
    static const ArithmeticOperator arithmetic[] = {{Arithmetic::Add, sql::add},
                                                    {Arithmetic::Subtract, sql::subtract},
                                                    {Arithmetic::Multiply, sql::multiply}};
    for (const auto& [name, op] :
         {std::pair{"jet_add", &arithmetic[0]}, std::pair{"jet_sub", &arithmetic[1]},
          std::pair{"jet_mul", &arithmetic[2]}})
        check(db,
              sqlite3_create_function_v2(
                  db, name, 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_SUBTYPE | kResultSubtype,
                  const_cast<ArithmeticOperator*>(op), callArithmetic, nullptr, nullptr, nullptr),
              name);
    using Mark = void (*)(sqlite3_context*, int, sqlite3_value**);
    for (const auto& [name, mark] : {std::pair<const char*, Mark>{"jet_date", callMarkDate},
                                     std::pair<const char*, Mark>{"jet_bool", callMarkBoolean}})
        check(db,
              sqlite3_create_function_v2(db, name, 1,
                                         SQLITE_UTF8 | SQLITE_DETERMINISTIC | kResultSubtype,
                                         nullptr, mark, nullptr, nullptr, nullptr),
              name);
    registerBinary(db, "jet_div", sql::divide);
    registerBinary(db, "jet_intdiv", sql::intDivide);
    registerBinary(db, "jet_mod", sql::modulo);
    registerBinary(db, "jet_pow", sql::power);
    registerBinary(db, "jet_and", sql::logicalAnd);
    registerBinary(db, "jet_or", sql::logicalOr);
    registerBinary(db, "jet_xor", sql::logicalXor);
    registerBinary(db, "jet_eqv", sql::logicalEqv);
    registerBinary(db, "jet_imp", sql::logicalImp);
    check(db,
          sqlite3_create_function_v2(db, "jet_not", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                     callNot, nullptr, nullptr, nullptr),
          "jet_not");
    check(db,
          sqlite3_create_function_v2(db, "jet_decimal", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                     nullptr, callDecimal, nullptr, nullptr, nullptr),
          "jet_decimal");
    check(db,
          sqlite3_create_function_v2(db, "jet_like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                     callLike, nullptr, nullptr, nullptr),
          "jet_like");
    check(db,
          sqlite3_create_function_v2(db, "jet_first", 1, SQLITE_UTF8, nullptr, nullptr,
                                     firstLastStep<true>, firstLastFinal, nullptr),
          "jet_first");
    check(db,
          sqlite3_create_function_v2(db, "jet_last", 1, SQLITE_UTF8, nullptr, nullptr,
                                     firstLastStep<false>, firstLastFinal, nullptr),
          "jet_last");
    const std::pair<const char*, SpreadKind> spreads[] = {
        {"jet_stdev", StDev}, {"jet_stdevp", StDevP}, {"jet_var", Var}, {"jet_varp", VarP}};
    for (const auto& [name, kind] : spreads)
        check(db,
              sqlite3_create_function_v2(db, name, 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                         reinterpret_cast<void*>(intptr_t(kind)), nullptr,
                                         spreadStep, spreadFinal, nullptr),
              name);
    check(db, sqlite3_create_collation_v2(db, "JET", SQLITE_UTF8, nullptr, compareJet, nullptr),
          "JET");
}

} // namespace jet
