#include "catalogue/Moteur.h"

#include "catalogue/Connexion.h"

#include <dlfcn.h>

#include <mutex>

namespace {

constexpr const char* Bibliotheque = "libsqlite3.so.0";

struct Etat {
    std::mutex verrou;
    int prises = 0;
    void* module = nullptr;
    RoutinesSqlite routines{};
};

Etat& etat() {
    static Etat e;
    return e;
}

template <typename Routine> bool trouver(void* module, const char* nom, Routine& routine) {
    routine = reinterpret_cast<Routine>(::dlsym(module, nom));
    return routine != nullptr;
}

bool trouverTout(void* module, RoutinesSqlite& r) {
    return trouver(module, "sqlite3_open_v2", r.open_v2) &&
           trouver(module, "sqlite3_close_v2", r.close_v2) &&
           trouver(module, "sqlite3_extended_result_codes", r.extended_result_codes) &&
           trouver(module, "sqlite3_busy_timeout", r.busy_timeout) &&
           trouver(module, "sqlite3_create_collation", r.create_collation) &&
           trouver(module, "sqlite3_db_readonly", r.db_readonly) &&
           trouver(module, "sqlite3_prepare_v2", r.prepare_v2) &&
           trouver(module, "sqlite3_prepare_v3", r.prepare_v3) &&
           trouver(module, "sqlite3_bind_text", r.bind_text) &&
           trouver(module, "sqlite3_step", r.step) && trouver(module, "sqlite3_reset", r.reset) &&
           trouver(module, "sqlite3_clear_bindings", r.clear_bindings) &&
           trouver(module, "sqlite3_finalize", r.finalize) &&
           trouver(module, "sqlite3_column_text", r.column_text) &&
           trouver(module, "sqlite3_column_bytes", r.column_bytes) &&
           trouver(module, "sqlite3_column_int", r.column_int) &&
           trouver(module, "sqlite3_changes", r.changes) &&
           trouver(module, "sqlite3_extended_errcode", r.extended_errcode);
}

[[noreturn]] void introuvable(const char* pourquoi) {
    throw ErreurCatalogue(
        QStringLiteral("Le programme ne peut être utilisé.\r\nLe moteur de données (%1) n'a "
                       "pas pu être chargé :\r\n%2\r\nContactez le concepteur du programme.")
            .arg(QLatin1String(Bibliotheque), QString::fromLocal8Bit(pourquoi)),
        ErreurCatalogue::MoteurIntrouvable);
}

} // namespace

PriseMoteur::PriseMoteur() {
    Etat& e = etat();
    const std::lock_guard garde(e.verrou);
    if (e.prises == 0) {
        void* module = ::dlopen(Bibliotheque, RTLD_NOW | RTLD_LOCAL);
        if (!module) introuvable(::dlerror());
        if (!trouverTout(module, e.routines)) {
            const QByteArray pourquoi = ::dlerror();
            ::dlclose(module);
            introuvable(pourquoi.constData());
        }
        e.module = module;
    }
    ++e.prises;
}

PriseMoteur::~PriseMoteur() {
    Etat& e = etat();
    const std::lock_guard garde(e.verrou);
    if (--e.prises > 0) return;
    // No sqlite3_shutdown(): another part of the process may use the same library with
    // connections of its own, and then dlclose only drops our reference. Alone, the
    // engine holds nothing on the heap once its connections are closed.
    ::dlclose(e.module);
    e.module = nullptr;
    e.routines = {};
}

const RoutinesSqlite& sqlite() {
    return etat().routines;
}
