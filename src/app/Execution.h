#pragma once

#include <QString>

#include <functional>

class Contexte;
class QApplication;
class QProcessEnvironment;

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
// Hands the search over to the copy that runs. False when no copy listens.
bool Confier_Recherche();

// Runs the program: splash, start-up, hidden main window, event loop. The exit code.
// The context is handed to the caller once built, and taken back (nullptr) before it ends.
// With rechercher, the search opens once the launcher windows are up, unless another
// copy runs: that one opens it, and this one ends at once with 0.
int Executer_Dalvire(QApplication& application,
                     const std::function<void(Contexte*)>& contexteEnService = {},
                     bool rechercher = false);
