// Opens a database, takes its write lock (BEGIN IMMEDIATE), prints "locked" and keeps the lock
// until standard input reaches its end; then rolls back. Exit status 0 when the lock was held.

#include <cstdio>
#include <sqlite3.h>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fputs("usage: jet_lock_helper FILE\n", stderr);
        return 2;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "jet_lock_helper: %s\n", sqlite3_errmsg(db));
        sqlite3_close(db);
        return 1;
    }
    std::puts("locked");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return 0;
}
