// The FRANCAIS collation as a loadable extension of SQLite, so that the catalogue can be
// read and changed with other tools in the program's very order:
//     sqlite3 donnees.fdl -cmd '.load ./francais'
// Built from the program's own comparison; only this entry point differs.
#include "catalogue/Collation.h"

#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

// The name SQLite derives from the file name "francais".
extern "C" __attribute__((visibility("default"))) int
sqlite3_francais_init(sqlite3* base, char** erreur, const sqlite3_api_routines* api) {
    SQLITE_EXTENSION_INIT2(api);
    (void)erreur;
    return sqlite3_create_collation(base, Collation::Nom, SQLITE_UTF8, nullptr, Collation::rappel);
}
