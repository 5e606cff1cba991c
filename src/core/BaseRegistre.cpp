#include "core/BaseRegistre.h"

#include "core/Contexte.h"
#include "core/Services.h"
#include "platform/Autostart.h"
#include "platform/Messages.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

constexpr int ErreurFichierIntrouvable = 53;

QString nomExecutable() {
    const QString nom = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return nom.isEmpty() ? QStringLiteral("dalvire") : nom;
}

} // namespace

void Ecrire_Valeur_Registre(ServiceDemarrageSession& registre, const QString&,
                            const QString& nomValeur, const QString& valeur) {
    registre.ecrire(nomValeur, valeur);
}

void Supprimer_Valeur_Registre(ServiceDemarrageSession& registre, const QString&,
                               const QString& nomValeur) {
    registre.supprimer(nomValeur);
}

QString Chemin_Executable(const Contexte& contexte) {
    const QString& commande = contexte.emplacements().executable;
    return commande.isEmpty() ? Dossier_Application(contexte) + nomExecutable() : commande;
}

bool Demarrage_Windows(Contexte& contexte, int mode) {
    ServiceDemarrageSession& registre = contexte.demarrageSession();
    const QString chemin = Chemin_Executable(contexte);
    if (mode == 0) {
        Supprimer_Valeur_Registre(registre, Registre::CleRun, Registre::NomValeur);
        return true;
    }
    if (mode != 1) return true;
    if (Fichier_Existe(chemin)) {
        Ecrire_Valeur_Registre(registre, Registre::CleRun, Registre::NomValeur, chemin);
        return true;
    }
    const QString message =
        QStringLiteral("Le programme ne peut pas être inscrit au démarrage de la session "
                       "(erreur %1).\r\n")
            .arg(ErreurFichierIntrouvable) +
        QStringLiteral("Fichier introuvable: ") + nomExecutable() +
        QStringLiteral(" n'a pas été trouvé.") + QStringLiteral("\r\n") +
        QStringLiteral("Celui-ci devrait se trouver dans le dossier: ") + QStringLiteral("\r\n") +
        Chemin_Application(contexte);
    contexte.messages().afficher(message, IconeMessage::Information, BoutonsMessage::OK,
                                 QStringLiteral("ERREUR..."));
    Supprimer_Valeur_Registre(registre, Registre::CleRun, Registre::NomValeur);
    return false;
}
