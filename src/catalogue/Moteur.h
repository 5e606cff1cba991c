#pragma once

#include <sqlite3.h>

// SQLite is loaded while a connection or a check needs it, and let go when the last one
// ends. The program rests for hours with its strips, which hold what they show; the
// engine's code would be the largest part of what it keeps resident for nothing.
//
// The catalogue calls the engine only through these routines, found in the library once
// it is loaded; nothing else links it.
// Each routine by its name without "sqlite3_".
// clang-format off
#define DALVIRE_ROUTINES_SQLITE(X)                                                          \
    X(open_v2) X(close_v2) X(extended_result_codes) X(busy_timeout) X(create_collation)   \
    X(db_readonly) X(prepare_v2) X(prepare_v3) X(bind_text) X(step) X(reset)              \
    X(clear_bindings) X(finalize) X(column_text) X(column_bytes) X(column_int) X(changes) \
    X(extended_errcode)
// clang-format on

struct RoutinesSqlite {
#define DALVIRE_DECLARER_ROUTINE(nom) decltype(&sqlite3_##nom) nom = nullptr;
    DALVIRE_ROUTINES_SQLITE(DALVIRE_DECLARER_ROUTINE)
#undef DALVIRE_DECLARER_ROUTINE
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
