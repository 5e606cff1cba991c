#pragma once

#include <QString>

#include <chrono>
#include <functional>

class Contexte;
class QApplication;
class QProcessEnvironment;
class VerrouInstance;

// How the program meets the display of the session it starts in. Its launcher windows
// need absolute placement, which Wayland clients cannot have: in a Wayland session it
// runs through XWayland when there is one, and cannot run without it. A platform chosen
// explicitly (QT_QPA_PLATFORM other than Wayland, as the tests' offscreen one) is kept.
struct ChoixPlateforme {
    enum class Issue {
        TelleQuelle, // nothing to change
        XWayland,    // the X11 platform, forced
        Impossible   // a Wayland session without XWayland: the program ends
    };
    Issue issue = Issue::TelleQuelle;
    // For standard error, said once; empty when there is nothing to say.
    QString message;
};
ChoixPlateforme Choisir_Plateforme(const QProcessEnvironment& environnement);

// "dalvire --rechercher": the search, in the copy that runs or in this one once started.
bool Recherche_Demandee(int argc, const char* const* argv);

// What became of "dalvire --rechercher" before this process shows anything.
struct RemiseRecherche {
    enum class Issue {
        Confiee,     // the running copy said it opens the search
        ACetteCopie, // no copy runs: this one holds the lock and opens it once started
        Echec        // a copy runs but did not take the request in time
    };
    Issue issue = Issue::ACetteCopie;
    // Why no search opened, in French, for standard error.
    QString raison;
};
// Long enough for a copy that is still starting to open its channel, or for a busy one
// to let its other callers go; short enough for a command bound to a key.
inline constexpr std::chrono::milliseconds DelaiRemise{5000};
// Hands the search to the copy that runs, asking again while it is busy or still
// starting, until the deadline. When none runs, verrou is taken for this process.
RemiseRecherche Remettre_Recherche(VerrouInstance& verrou,
                                   std::chrono::milliseconds delai = DelaiRemise);

// Runs the program: splash, start-up, hidden main window, event loop. The exit code.
// The context is handed to the caller once built, and taken back (nullptr) before it ends.
// With rechercher, the search opens once the launcher windows are up.
int Executer_Dalvire(QApplication& application, VerrouInstance& verrou,
                     const std::function<void(Contexte*)>& contexteEnService = {},
                     bool rechercher = false);
