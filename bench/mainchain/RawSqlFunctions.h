#pragma once

// The two SQL functions the hand-written side registers for its stage dates statement:
// dateserial(year, month, day) and vbval(text), VB's DateSerial and Val on SQLite values (Null
// in, Null out), so that both sides compute the same dates from the same numbers.

struct sqlite3;

namespace mainchain {

void registerRawSqlFunctions(sqlite3* db);

} // namespace mainchain
