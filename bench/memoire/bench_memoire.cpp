// bench_memoire: memory over a day of use. Rounds of the management window opened from
// the main menu ("Programmes..."), closed by "Valider les changements" (every strip built
// again), then a strip slid out and back, as a user would over a day (the application
// font set as the program sets it). What the heap holds and the resident set
// after the fourth round and after twenty more (DALVIRE_BENCH_MEMOIRE_ROUNDS: another
// number, to tell what grows with the rounds from what is paid once).
#include "core/Demarrage.h"
#include "launcher/frmDalvire.h"
#include "manage/frmGestion.h"
#include "support/Controles.h"
#include "support/PremierDemarrage.h"
#include "support/SansAvertissements.h"
#include "tray/frmPrincipale.h"
#include "ui/Cadre.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <malloc.h>
#include <unistd.h>

namespace {

constexpr int RoundsAvant = 4;

long residentKo() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> champs = statm.readAll().split(' ');
    return champs.size() > 1 ? champs.at(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

// What the program's allocations hold, freed blocks left out.
long tasKo() {
    const struct mallinfo2 m = mallinfo2();
    return static_cast<long>((m.uordblks + m.hblkhd) / 1024);
}

// Lets the queued and deferred work of a round run out, as the event loop of a running
// program would between two uses.
void reposer() {
    for (int k = 0; k < 3; ++k) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

frmDalvire* premierBandeau(Contexte& contexte) {
    const QList<frmDalvire*> bandeaux = contexte.fenetres().ouvertes<frmDalvire>();
    return bandeaux.isEmpty() ? nullptr : bandeaux.constFirst();
}

// "Programmes..." from the main menu, "Valider les changements" once the window shows,
// then the first strip slid out and back. False when a step did not happen.
bool round(frmPrincipale& principale, Contexte& contexte) {
    bool valide = false;
    QTimer attente;
    attente.setInterval(1);
    QObject::connect(&attente, &QTimer::timeout, [&] {
        auto* gestion = qobject_cast<frmGestion*>(QApplication::activeModalWidget());
        if (!gestion || !gestion->isVisible()) return;
        attente.stop();
        valide = true;
        Controle<QPushButton>(*gestion, QStringLiteral("Valider les changements"))->click();
    });
    attente.start();
    const QPointer<frmDalvire> avant = premierBandeau(contexte);
    principale.entreeMenu(EntreeMenu::Programmes)->trigger();
    reposer();
    frmDalvire* bandeau = premierBandeau(contexte);
    if (!valide || !bandeau || avant) return false;
    bandeau->imgIcone_Click();
    reposer();
    bandeau->imgIcone_Click();
    reposer();
    return !bandeau->Afficher;
}

struct Croissance {
    long tas = 0;
    long resident = 0;
    bool juste = true;
};

// A new user's start (the first-use rows give three strips), four rounds, then the rounds
// measured. With colours drawn at random, every strip has new colours at each rebuild.
Croissance mesurer(int rounds, bool auHasard) {
    PremierDemarrage d;
    frmPrincipale& principale = d.principale;
    Croissance c;
    if (!Ouvrir_Catalogue(d.c)) return {0, 0, false};
    if (auHasard) d.env.executer(QStringLiteral("UPDATE categorie SET couleur = '-1'"));
    principale.Form_Load();
    reposer();
    for (int k = 0; k < RoundsAvant; ++k)
        c.juste = round(principale, d.c) && c.juste;
    malloc_trim(0);
    const long tasAvant = tasKo();
    const long residentAvant = residentKo();
    for (int k = 0; k < rounds; ++k)
        c.juste = round(principale, d.c) && c.juste;
    malloc_trim(0);
    c.tas = tasKo() - tasAvant;
    c.resident = residentKo() - residentAvant;
    principale.Fermer_Fenetres(true);
    return c;
}

void afficher(const char* quoi, const Croissance& c, int rounds) {
    std::printf("  %-40s heap %5ld KB, resident set %5ld KB (%.1f KB a round)%s   aim < 1024 KB\n",
                quoi, c.tas, c.resident, static_cast<double>(c.tas) / rounds,
                c.juste ? "" : " (A ROUND DID NOT RUN AS EXPECTED)");
}

} // namespace

int main(int argc, char** argv) {
    mallopt(M_ARENA_MAX, 1);
    Taire_Avertissements();
    // Offscreen unless told otherwise: in a desktop of tests/bureau (session.sh --atspi), the
    // same rounds on the X server, with the accessibility bus.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    Installer_Police_Application();
    const int rounds = qEnvironmentVariableIntValue("DALVIRE_BENCH_MEMOIRE_ROUNDS") > 0
                           ? qEnvironmentVariableIntValue("DALVIRE_BENCH_MEMOIRE_ROUNDS")
                           : 20;
    const Croissance enregistrees = mesurer(rounds, false);
    const Croissance auHasard = mesurer(rounds, true);
    std::printf("bench_memoire: growth over %d rounds of \"Programmes...\", \"Valider les "
                "changements\" and a strip slid out and back, after %d\n",
                rounds, RoundsAvant);
    afficher("the first-use strips (colours stored)", enregistrees, rounds);
    afficher("the same, colours drawn at random", auHasard, rounds);
    return enregistrees.juste && auHasard.juste ? 0 : 1;
}
