#include "app/ApplicationDalvire.h"
#include "app/Execution.h"
#include "app/Options.h"
#include "core/Services.h"
#include "platform/Traductions.h"
#include "platform/Verrou.h"
#include "ui/Cadre.h"

#include <QProcessEnvironment>

#include <cstdio>

#include <malloc.h>

int main(int argc, char** argv) {
    // --help, --version and a mistyped option: answered without starting anything.
    if (const int code = Repondre_Ligne_De_Commande(argc, argv, stdout, stderr); code >= 0)
        return code;
    // Handed to a running copy before anything of the display is loaded: this one ends at
    // once, saying why when that copy did not take it.
    const bool rechercher = Recherche_Demandee(argc, argv);
    VerrouInstance verrou;
    if (rechercher) {
        const RemiseRecherche remise = Remettre_Recherche(verrou);
        if (remise.issue == RemiseRecherche::Issue::Confiee) return 0;
        if (remise.issue == RemiseRecherche::Issue::Echec) {
            std::fprintf(stderr, "%s\n", remise.raison.toLocal8Bit().constData());
            return 1;
        }
    }

    // One heap for every thread: the search reads the catalogue on a thread of its own,
    // and a heap of that thread's would hold megabytes of its own, to be made anew.
    mallopt(M_ARENA_MAX, 1);

    // Decided before the application exists: it picks its platform when it is made.
    const ChoixPlateforme plateforme = Choisir_Plateforme(QProcessEnvironment::systemEnvironment());
    if (!plateforme.message.isEmpty())
        std::fprintf(stderr, "%s\n", plateforme.message.toLocal8Bit().constData());
    if (plateforme.issue == ChoixPlateforme::Issue::Impossible) return 1;
    if (plateforme.issue == ChoixPlateforme::Issue::XWayland) qputenv("QT_QPA_PLATFORM", "xcb");

    ApplicationDalvire application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dalvire"));
    // A tray program: closing a message box or the last dialog must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    Charger_Traductions_Francaises(application);
    Installer_Police_Application();
    return Executer_Dalvire(
        application, verrou, [&](Contexte* contexte) { application.definirContexte(contexte); },
        rechercher);
}
