#pragma once

#include "platform/Shell.h"
#include "platform/Uri.h"

#include <QObject>
#include <QString>

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
    ResultatOuverture ouvrir(const QString& cheminOuLien, AffichageFenetre affichage,
                             QWidget* proprietaire) override;
    bool demarrer(const QString& programme, AffichageFenetre affichage) override;

    // A link's type is the handler type of its scheme (x-scheme-handler/https); a
    // file's is read from the file, or guessed from its name when it does not exist.
    ChoixOuverture choixPour(const QString& cheminOuLien) override;
    QList<ApplicationProposee> toutesLesApplications() override;
    // Its Exec line, field codes expanded by GIO, split into arguments without a shell.
    ResultatLancement lancerEntreeBureau(const QString& entree,
                                         AffichageFenetre affichage) override;
    ResultatLancement ouvrirAvecApplication(const QString& cheminOuLien,
                                            const QString& idApplication) override;
    // Written to the user's mimeapps.list, as desktops do.
    bool definirParDefaut(const QString& type, const QString& idApplication) override;

private:
    ResultatOuverture ouvrirFichier(const QString& chemin, AffichageFenetre affichage);
    ResultatOuverture ouvrirLien(const QString& lien, const QString& schema,
                                 AffichageFenetre affichage);
    void suivreAffichage(qint64 pid, AffichageFenetre affichage);

    // Parent of the display-mode watchers still waiting for their window.
    QObject suivis_;
};
