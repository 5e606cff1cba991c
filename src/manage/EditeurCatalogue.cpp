#include "manage/EditeurCatalogue.h"
#include "base/Textes.h"

#include "catalogue/Catalogue.h"
#include "core/Contexte.h"
#include "manage/RefusCatalogue.h"
#include "platform/Messages.h"
#include "ui/Cadre.h"
#include "ui/Controles.h"
#include "ui/ToucheAide.h"

#include <QLineEdit>
#include <QPushButton>

#include <limits>

EditeurCatalogue::EditeurCatalogue(Contexte& contexte, ModeEditeur mode, QString nom, Textes textes,
                                   QWidget* parent)
    : QDialog(parent, Cadre_Dialogue)
    , contexte_(contexte)
    , nomEnregistre_(mode == ModeEditeur::Modification ? std::move(nom) : QString())
    , mode_(mode)
    , textes_(std::move(textes)) {}

void EditeurCatalogue::creerNom(const QString& bulle, int gauche, int largeur, int gaucheLegende,
                                int largeurLegende) {
    txtNom = new QLineEdit(this);
    txtNom->setMaxLength(Controles::LongueurNom);
    Controles::Decrire(txtNom, bulle);
    Controles::Placer(txtNom, gauche, 120, largeur, 315);
    Controles::Legende(this, QStringLiteral("Nom:"), txtNom, gaucheLegende, 180, largeurLegende);
}

void EditeurCatalogue::creerBoutons(int gaucheAide, int gaucheValider, int gaucheAnnuler,
                                    int haut) {
    Bouton[2] = Controles::Bouton(this, QStringLiteral("A&ide"), QString(), gaucheAide, haut, 1155);
    Bouton[0] =
        Controles::Bouton(this, QStringLiteral("&Valider"), QString(), gaucheValider, haut, 1155);
    Bouton[1] =
        Controles::Bouton(this, QStringLiteral("&Annuler"), QString(), gaucheAnnuler, haut, 1155);
    Bouton[0]->setDefault(true);
    for (int i = 0; i < 3; ++i)
        connect(Bouton[i], &QPushButton::clicked, this, [this, i] { Bouton_Click(i); });
}

void EditeurCatalogue::Form_Load() {
    Centrer_Fenetre(this);
    Placer_Premier_Plan(this, true);
    if (!modeModification()) {
        txtNom->setEnabled(true);
        setWindowTitle(textes_.titreAjout);
        txtNom->setFocus();
        return;
    }
    setWindowTitle(textes_.titreModification);
    txtNom->setEnabled(false);
    // The name as stored, whole: it selects the row to change, and a name written longer
    // by another tool would no longer find its row once cut to the field's length.
    txtNom->setMaxLength(std::numeric_limits<int>::max());
    txtNom->setText(nomEnregistre_);
    remplir();
    premierChamp()->setFocus();
}

void EditeurCatalogue::Bouton_Click(int index) {
    switch (index) {
    case 0:
        valider();
        break;
    case 1:
        reject();
        break;
    case 2:
        Envoyer_Touche_F1(Bouton[2]);
        break;
    default:
        break;
    }
}

void EditeurCatalogue::vider() {
    txtNom->clear();
}

void EditeurCatalogue::informer(const QString& texte) {
    contexte_.messages().afficher(texte, IconeMessage::Information, BoutonsMessage::OK,
                                  QStringLiteral("Dalvire"), this);
}

bool EditeurCatalogue::nomSaisi(const QString& messageVide) {
    if (!modeModification()) txtNom->setText(txtNom->text().trimmed());
    if (!txtNom->text().isEmpty()) return true;
    informer(messageVide);
    txtNom->setFocus();
    return false;
}

bool EditeurCatalogue::nomLibre(int ligne) {
    if (ligne < 0) return true;
    refuserDoublon();
    return false;
}

void EditeurCatalogue::refuserDoublon() {
    informer(textes_.doublon);
    Selectionner_Tout(txtNom);
}

void EditeurCatalogue::Selectionner_Tout(QLineEdit* champ) {
    champ->setSelection(0, static_cast<int>(champ->text().size()));
    champ->setFocus();
}

bool EditeurCatalogue::enregistrer(const QString& nom) {
    try {
        if (ecrire(nom) == 0) {
            // Its row gone or renamed meanwhile: nothing was saved, and the editor stays.
            Message_Erreur_Gestion(contexte_, this, textes_.article + nom + textes_.introuvable);
            return false;
        }
    } catch (const ErreurCatalogue& erreur) {
        if (erreur.doublon() && !modeModification()) {
            refuserDoublon();
        } else {
            Message_Erreur_Gestion(
                contexte_, this,
                textes_.article + nom +
                    (modeModification() ? textes_.nonModifie : textes_.nonEnregistre) +
                    SautDeLigne + erreur.cause(),
                erreur.numero());
        }
        return false;
    }
    noterEnregistrement(nom);
    return true;
}

void EditeurCatalogue::valider() {
    if (!saisieValide()) return;
    const QString nom = modeModification() ? nomEnregistre_ : txtNom->text();
    if (!enregistrer(nom)) return;
    informer(modeModification() ? textes_.article + nom + textes_.modifie
                                : textes_.articleNouveau + nom + textes_.enregistre);
    Q_EMIT ligneEnregistree(nom);
    if (modeModification()) {
        accept();
        return;
    }
    if (contexte_.messages().afficher(textes_.encore, IconeMessage::Question,
                                      BoutonsMessage::OuiNon, QStringLiteral("Dalvire"),
                                      this) == ReponseMessage::Oui) {
        vider();
        txtNom->setFocus();
        return;
    }
    accept();
}
