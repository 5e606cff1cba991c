#pragma once

#include <QString>

class QWidget;

// What opening by association can come to. "No application associated" is an outcome
// of its own because the launcher then offers the Open With chooser.
enum class ResultatOuverture { Reussi, AucuneAssociation, Echec };

// Window show commands, with the numbers the catalogue's display modes map to.
namespace CommandeAffichage {
inline constexpr int Cache = 0;
inline constexpr int Normal = 1;
inline constexpr int MinimiseActif = 2;
inline constexpr int Maximise = 3;
inline constexpr int Minimise = 6;
} // namespace CommandeAffichage

// Starting things on the desktop. Nothing here ever goes through a shell: a path or a
// link is always one literal argument.
class ServiceShell {
public:
    virtual ~ServiceShell() = default;
    // Opens a file, a folder or a link with the application associated with it; an
    // executable file is run as a program.
    virtual ResultatOuverture ouvrir(const QString& cheminOuLien, int commandeAffichage,
                                     QWidget* proprietaire) = 0;
    // Starts a program file directly, detached, never waited for. False when it could
    // not be started.
    virtual bool demarrer(const QString& programme, int commandeAffichage) = 0;
    // Lets the user choose an application for the file, then opens it with that one.
    // False when the user cancelled or the application could not be started.
    virtual bool ouvrirAvec(const QString& chemin, QWidget* proprietaire) = 0;
};
