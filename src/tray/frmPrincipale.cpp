#include "tray/frmPrincipale.h"

#include "catalogue/DonneesInitiales.h"
#include "core/Contexte.h"
#include "core/Services.h"
#include "core/Version.h"
#include "launcher/Disposition.h"
#include "platform/Messages.h"

frmPrincipale::frmPrincipale(Contexte& contexte, QWidget* parent)
    : QWidget(parent)
    , contexte_(contexte)
    , inscription_(contexte.fenetres(), this, Tag::Principale) {
    setWindowTitle(TitreApplication);
    imgIcone = QIcon(Dossier_Application(contexte_) + QStringLiteral("icones/dalvire.ico"));
}

frmPrincipale::~frmPrincipale() { Form_Unload(); }

bool frmPrincipale::Form_Load() {
    try {
        contexte_.catalogue().ouvrir(contexte_.CheminDonnees);
    } catch (const ErreurCatalogue& erreur) {
        contexte_.messages().afficher(erreur.description(), IconeMessage::Critique);
        return false;
    }
    if (contexte_.PremiereUtilisation)
        Donnees_Initiales(contexte_.catalogue(), Dossier_Application(contexte_));
    Creer_Fenetres(contexte_, *this);
    Afficher_Icone_Notification();
    return true;
}

void frmPrincipale::Form_Unload() {
    if (decharge_) return;
    decharge_ = true;
    contexte_.catalogue().fermer();
    Retirer_Icone_Notification();
    Q_EMIT dechargee();
}

void frmPrincipale::Afficher_Icone_Notification() {}

void frmPrincipale::Retirer_Icone_Notification() {}

void frmPrincipale::Afficher_Menu(const QPoint&) {}
