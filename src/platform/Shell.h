#pragma once

#include <QList>
#include <QString>

class QWidget;

// What opening by association can come to. "No application associated" is an outcome
// of its own because the launcher then offers the Open With chooser.
enum class ResultatOuverture { Reussi, AucuneAssociation, Echec };

// How starting a chosen application on a file or a link ended. The causes the user can
// act upon are told apart, so that the message can name them.
enum class ResultatLancement {
    Reussi,
    // The application is no longer installed, or its program is gone.
    ApplicationIntrouvable,
    // It runs in a terminal, and no terminal could be started.
    TerminalIntrouvable,
    Echec
};

// Window show commands, with the numbers the catalogue's display modes map to.
namespace CommandeAffichage {
inline constexpr int Cache = 0;
inline constexpr int Normal = 1;
inline constexpr int MinimiseActif = 2;
inline constexpr int Maximise = 3;
inline constexpr int Minimise = 6;
} // namespace CommandeAffichage

// An installed application, as the Open With chooser lists it.
struct ApplicationProposee {
    QString id; // the desktop entry id, "editeur.desktop"
    QString nom;
    // A theme icon name, or the absolute path of a picture; empty for none.
    QString icone;
    QString description;
    // The full path of its desktop entry.
    QString chemin = {};
};

// What a file or a link can be opened with.
struct ChoixOuverture {
    // True for a link (a URI with a scheme other than file:), which is handed on as it
    // is; false for a file, handed on as a path.
    bool estLien = false;
    // The path of a file (a file: link's own); empty for a link.
    QString chemin;
    // What an application is the default for: the file's content type, or
    // "x-scheme-handler/" and the link's scheme. Empty when it names no kind of content
    // (an unknown binary or empty file): making an application the default for that
    // would make it the default for every such file.
    QString type;
    // The applications that declare the type, in the desktop's order of preference.
    QList<ApplicationProposee> declarees;
};

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

    // For the Open With chooser: the type of a file or a link and the applications that
    // declare it.
    virtual ChoixOuverture choixPour(const QString& cheminOuLien) = 0;
    // Every application the desktop shows in its menus, by name.
    virtual QList<ApplicationProposee> toutesLesApplications() = 0;
    // The same applications, each with the path of its desktop entry, in no given order.
    virtual QList<ApplicationProposee> applicationsInstallees() { return toutesLesApplications(); }
    // Opens the file or the link with that application, never waited for.
    virtual ResultatLancement ouvrirAvecApplication(const QString& cheminOuLien,
                                                    const QString& idApplication) = 0;
    // Makes the application the default one for the type (a ChoixOuverture's). False
    // when it could not be recorded.
    virtual bool definirParDefaut(const QString& type, const QString& idApplication) = 0;
};
