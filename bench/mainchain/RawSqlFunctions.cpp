// dateserial() and vbval() for the hand-written side: thin wrappers over the vb functions.

#include "RawSqlFunctions.h"

#include "BenchFailure.h"
#include "RawDatabase.h"
#include "vb/ConversionFunctions.h"
#include "vb/DateFunctions.h"
#include "vb/Error.h"

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace mainchain {

namespace {

bool anyNull(int count, sqlite3_value** values)
{
    for (int i = 0; i < count; ++i) {
        if (sqlite3_value_type(values[i]) == SQLITE_NULL)
            return true;
    }
    return false;
}

void dateSerial(sqlite3_context* context, int count, sqlite3_value** values)
{
    if (anyNull(count, values)) {
        sqlite3_result_null(context);
        return;
    }
    try {
        sqlite3_result_double(context, vb::DateSerial(variantOf(values[0]), variantOf(values[1]),
                                                      variantOf(values[2]))
                                           .toDate());
    } catch (const vb::Error& error) {
        sqlite3_result_error(context, error.description().toUtf8().constData(), -1);
    }
}

void val(sqlite3_context* context, int, sqlite3_value** values)
{
    if (sqlite3_value_type(values[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_double(context, vb::Val(variantOf(values[0])).toDouble());
}

} // namespace

void registerRawSqlFunctions(sqlite3* db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    if (sqlite3_create_function(db, "dateserial", 3, flags, nullptr, dateSerial, nullptr,
                                nullptr) != SQLITE_OK ||
        sqlite3_create_function(db, "vbval", 1, flags, nullptr, val, nullptr, nullptr) != SQLITE_OK)
        fail(u"cannot register the bench's SQL functions"_s);
}

} // namespace mainchain
