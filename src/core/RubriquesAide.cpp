#include "core/RubriquesAide.h"
#include "base/Textes.h"

#include "base/Version.h"
#include "core/Contexte.h"
#include "core/Services.h"
#include "platform/Aide.h"
#include "platform/Messages.h"
#include "platform/Shell.h"

namespace {

void Ouvrir_Rubrique(Contexte& contexte, QWidget* fenetre, qint32 numero) {
    const QString fichier = Dossier_Application(contexte) + QStringLiteral("aide.chm");
    if (contexte.aide().ouvrirRubrique(fenetre, fichier, numero)) return;
    contexte.messages().afficher(
        QStringLiteral("Le fichier d'aide [aide.chm] est introuvable.") + SautDeLigne +
            QStringLiteral("Assurez-vous que ce fichier doit se trouver") + SautDeLigne +
            QStringLiteral("dans le dossier:") + SautDeLigne + Chemin_Application(contexte),
        IconeMessage::Exclamation, BoutonsMessage::OK, TitreApplication, fenetre);
}

void Ouvrir_Page(Contexte& contexte, QWidget* fenetre, const QString& page) {
    const QString fichier = Dossier_Application(contexte) + page;
    if (!Fichier_Existe(fichier)) {
        contexte.messages().afficher(
            QStringLiteral("Fichier d'aide [") + page + QStringLiteral("] introuvable.") +
                SautDeLigne +
                QStringLiteral("Assurez-vous que celui-ci doit se trouver dans le dossier:") +
                SautDeLigne + Chemin_Application(contexte),
            IconeMessage::Critique, BoutonsMessage::OK, TitreApplication, fenetre);
        return;
    }
    if (contexte.shell().ouvrir(fichier, AffichageFenetre::Normal, fenetre) ==
        ResultatOuverture::AucuneAssociation) {
        contexte.messages().afficher(
            QStringLiteral("Aucune application associée avec ce type de fichier [HTM]."),
            IconeMessage::Information, BoutonsMessage::OK, TitreApplication, fenetre);
    }
}

} // namespace

void Afficher_Aide(Contexte& contexte, QWidget* fenetre, const QString& page, qint32& numero) {
    if (numero != 0) {
        if (numero < 0) numero = 0;
        Ouvrir_Rubrique(contexte, fenetre, numero);
    } else {
        Ouvrir_Page(contexte, fenetre, page);
    }
}

void Afficher_Aide(Contexte& contexte, QWidget* fenetre, const RubriqueAide::Rubrique& rubrique) {
    qint32 numero = rubrique.numero;
    Afficher_Aide(contexte, fenetre, rubrique.nomPage(), numero);
}
