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
#define DALVIRE_TROUVER_ROUTINE(nom) &&trouver(module, "sqlite3_" #nom, r.nom)
    return true DALVIRE_ROUTINES_SQLITE(DALVIRE_TROUVER_ROUTINE);
#undef DALVIRE_TROUVER_ROUTINE
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
