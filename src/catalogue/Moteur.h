#pragma once

#include <sqlite3.h>

// SQLite is loaded while a connection or a check needs it, and let go when the last one
// ends. The program rests for hours with its strips, which hold what they show; the
// engine's code would be the largest part of what it keeps resident for nothing.
//
// The catalogue calls the engine only through these routines, found in the library once
// it is loaded; nothing else links it.
struct RoutinesSqlite {
    decltype(&sqlite3_open_v2) open_v2;
    decltype(&sqlite3_close_v2) close_v2;
    decltype(&sqlite3_extended_result_codes) extended_result_codes;
    decltype(&sqlite3_busy_timeout) busy_timeout;
    decltype(&sqlite3_create_collation) create_collation;
    decltype(&sqlite3_db_readonly) db_readonly;
    decltype(&sqlite3_prepare_v2) prepare_v2;
    decltype(&sqlite3_prepare_v3) prepare_v3;
    decltype(&sqlite3_bind_text) bind_text;
    decltype(&sqlite3_step) step;
    decltype(&sqlite3_reset) reset;
    decltype(&sqlite3_clear_bindings) clear_bindings;
    decltype(&sqlite3_finalize) finalize;
    decltype(&sqlite3_column_text) column_text;
    decltype(&sqlite3_column_bytes) column_bytes;
    decltype(&sqlite3_column_int) column_int;
    decltype(&sqlite3_changes) changes;
    decltype(&sqlite3_extended_errcode) extended_errcode;
};

// A hold on the engine: the first loads the library, the last one gone unloads it.
// Throws ErreurCatalogue when the library cannot be loaded.
class PriseMoteur {
public:
    PriseMoteur();
    ~PriseMoteur();
    PriseMoteur(const PriseMoteur&) = delete;
    PriseMoteur& operator=(const PriseMoteur&) = delete;
};

// The routines; only while a hold exists.
const RoutinesSqlite& sqlite();
