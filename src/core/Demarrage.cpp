#include "core/Demarrage.h"

#include "base/Dates.h"
#include "base/Version.h"
#include "catalogue/Connexion.h"
#include "catalogue/DonneesInitiales.h"
#include "core/Contexte.h"
#include "core/Services.h"
#include "platform/Messages.h"
#include "platform/Verrou.h"

#include <QFileInfo>

Demarrage::Demarrage(Contexte& contexte, VerrouInstance& verrou)
    : contexte_(contexte)
    , verrou_(verrou) {}

bool Demarrage::preparer(const QDate& aujourdhui) {
    ServiceMessages& messages = contexte_.messages();
    if (!verrou_.acquerir(TitreApplication)) {
        messages.afficher(QStringLiteral("Le programme est déjà en cours d'utilisation."),
                          IconeMessage::Information);
        return false;
    }

    contexte_.CheminDonnees = contexte_.emplacements().catalogue;
    if (!creerCatalogueUtilisateur()) return false;
    if (!Fichier_Existe(contexte_.CheminDonnees)) {
        messages.afficher(QStringLiteral("Le programme ne peut être utilisé.\r\n"
                                         "Le fichier contenant les données est introuvable.\r\n"
                                         "Contactez le concepteur du programme."),
                          IconeMessage::Information);
        return false;
    }
    // A damaged or unusable catalogue is refused here, before any setting is written,
    // so that a later start with a sound file is still this user's first.
    try {
        Connexion::verifier(contexte_.CheminDonnees);
    } catch (const ErreurCatalogue& erreur) {
        messages.afficher(erreur.description(), IconeMessage::Critique);
        return false;
    }

    contexte_.TexteVersion = Version::texte();

    ecrireParametresAbsents(aujourdhui);
    return true;
}

bool Demarrage::creerCatalogueUtilisateur() {
    const Emplacements& lieux = contexte_.emplacements();
    const QFileInfo present(lieux.catalogue);
    // What is there, even a link to nowhere, is the user's: never replaced.
    if (lieux.catalogueVierge.isEmpty() || present.exists() || present.isSymLink()) return true;
    QString raison;
    if (Copier_Sans_Remplacer(lieux.catalogueVierge, lieux.catalogue, raison)) return true;
    contexte_.messages().afficher(QStringLiteral("Le programme ne peut être utilisé.\r\n"
                                                 "Votre catalogue n'a pu être créé :\r\n") +
                                      lieux.catalogue + QStringLiteral("\r\n(") + raison +
                                      QLatin1Char(')'),
                                  IconeMessage::Critique);
    return false;
}

void Demarrage::ecrireParametresAbsents(const QDate& aujourdhui) {
    Reglages& reglages = contexte_.reglages();
    contexte_.PremiereUtilisation =
        reglages.ecrireAbsents(aujourdhui, Dossier_Application(contexte_), contexte_.TexteVersion);
    reglages.charger();
    contexte_.JoursUtilisation = Jours_Depuis(reglages.dateDebut(), aujourdhui);
}

bool Ouvrir_Catalogue(Contexte& contexte) {
    try {
        contexte.catalogue().ouvrir(contexte.CheminDonnees);
    } catch (const ErreurCatalogue& erreur) {
        contexte.messages().afficher(erreur.description(), IconeMessage::Critique);
        return false;
    }
    if (contexte.PremiereUtilisation)
        Donnees_Initiales(contexte.catalogue(), Dossier_Application(contexte));
    return true;
}
