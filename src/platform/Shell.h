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

// How the first window of a started program is to be shown. What each comes to is the
// desktop backend's affair: a desktop that cannot do it shows the window as it comes.
enum class AffichageFenetre {
    Normal,
    Minimise,
    Maximise,
    // Out of sight: for a program that only does a job, printing a file say.
    Cache
};

// An installed application, as the Open With chooser lists it.
struct ApplicationProposee {
    QString id; // the desktop entry id, "editeur.desktop"
    QString nom;
    // A theme icon name, or the absolute path of a picture; empty for none.
    QString icone;
    QString description;
    // The full path of its desktop entry; empty when it has none.
    QString fichier = {};
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
    virtual ResultatOuverture ouvrir(const QString& cheminOuLien, AffichageFenetre affichage,
                                     QWidget* proprietaire) = 0;
    // Starts a program file directly, detached, never waited for. False when it could
    // not be started.
    virtual bool demarrer(const QString& programme, AffichageFenetre affichage) = 0;

    // For the Open With chooser: the type of a file or a link and the applications that
    // declare it.
    virtual ChoixOuverture choixPour(const QString& cheminOuLien) = 0;
    // Every application the desktop shows in its menus (no hidden entry, none marked not
    // to be displayed), sorted by name in French order.
    virtual QList<ApplicationProposee> toutesLesApplications() = 0;
    // Starts the application that a desktop entry file describes, on no file, never
    // waited for; the display mode applies as for any started program.
    // ApplicationIntrouvable when the file no longer reads as an application's entry
    // (gone, broken, or its program gone).
    virtual ResultatLancement lancerEntreeBureau(const QString& entree,
                                                 AffichageFenetre affichage) = 0;
    // Opens the file or the link with that application, never waited for.
    virtual ResultatLancement ouvrirAvecApplication(const QString& cheminOuLien,
                                                    const QString& idApplication) = 0;
    // Makes the application the default one for the type (a ChoixOuverture's). False
    // when it could not be recorded.
    virtual bool definirParDefaut(const QString& type, const QString& idApplication) = 0;
};
