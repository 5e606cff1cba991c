#pragma once

#include "platform/Shell.h"
#include "platform/Uri.h"

#include <QObject>
#include <QString>

// How a direct start ended: the id of the started process, or the system's error number
// (errno) when the program could not be started.
struct ResultatDemarrage {
    qint64 pid = -1;
    int erreur = 0;
    bool reussi() const { return pid > 0; }
};

// Runs a program file as a process of its own: the path is the program and its only
// argument, passed to the kernel as it is, never to a shell. The program is detached
// (a new session, reparented away from us, reaped by the system), its standard input,
// output and error go to /dev/null and it inherits no other descriptor of ours. We only
// wait until the kernel has accepted or refused the file, never for the program.
// A name without a "/" is looked up in PATH, as a command would be.
ResultatDemarrage Demarrer_Detache(const QString& programme);

// The desktop services on GIO: opening by association from the desktop entries and MIME
// associations of the freedesktop.org standards, direct starts, what the Open With chooser
// offers. The display mode of a start reaches the started program's first window on X11 (see
// FenetresX11.h); elsewhere it is ignored.
class ShellGio final : public ServiceShell {
public:
    ShellGio();
    ~ShellGio() override;

    // A local path (or a file: link): a folder or a document goes to the default
    // application of its content type; an executable file is run, and falls back on its
    // content type when the system refuses to run it (a data file with the execute bit).
    // A link goes to the application registered for its scheme. No such application
    // gives AucuneAssociation; a missing file or a failed start gives Echec.
    ResultatOuverture ouvrir(const QString& cheminOuLien, int commandeAffichage,
                             QWidget* proprietaire) override;
    bool demarrer(const QString& programme, int commandeAffichage) override;

    // A link's type is the handler type of its scheme (x-scheme-handler/https); a
    // file's is read from the file, or guessed from its name when it does not exist.
    ChoixOuverture choixPour(const QString& cheminOuLien) override;
    QList<ApplicationProposee> toutesLesApplications() override;
    QList<ApplicationProposee> applicationsInstallees() override;
    ResultatLancement ouvrirAvecApplication(const QString& cheminOuLien,
                                            const QString& idApplication) override;
    // Written to the user's mimeapps.list, as desktops do.
    bool definirParDefaut(const QString& type, const QString& idApplication) override;

private:
    ResultatOuverture ouvrirFichier(const QString& chemin, int commandeAffichage);
    ResultatOuverture ouvrirLien(const QString& lien, const QString& schema, int commandeAffichage);
    void suivreAffichage(qint64 pid, int commandeAffichage);

    // Parent of the display-mode watchers still waiting for their window.
    QObject suivis_;
};
