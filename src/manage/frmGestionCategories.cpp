#include "manage/frmGestion.h"

#include "base/Nombres.h"
#include "base/Twips.h"
#include "catalogue/Catalogue.h"
#include "core/Contexte.h"
#include "core/Services.h"
#include "manage/Gestion.h"
#include "manage/PagesGestion.h"
#include "manage/RefusCatalogue.h"
#include "manage/frmCategories.h"
#include "platform/Messages.h"
#include "ui/Controles.h"
#include "ui/ModelesCatalogue.h"

#include <QComboBox>
#include <QFrame>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QScopedValueRollback>

using namespace Controles;
using namespace PagesGestion;

void frmGestion::creerPageCategories() {
    QFrame* page = Frame1[0];
    Titre(page, QStringLiteral("CATEGORIES"));
    Trait(page, 120, 450, 4700);
    Decoration(page, Image(contexte_, "categories.svg"), 48, 4080, 0);
    lstCategories = Liste(page, QStringLiteral("Liste des catégories"), 870, 3375);
    lstCategories->setModel(categories_);
    Legende(page, QStringLiteral("Liste des catégories:"), lstCategories, 120, 600, 2220);
    const std::array<QString, 3> legendes{QStringLiteral("Nouvelle"), QStringLiteral("Modifier"),
                                          QStringLiteral("Supprimer")};
    const std::array<QString, 3> bulles{QStringLiteral("Nouvelle catégorie"),
                                        QStringLiteral("Modifier la catégorie"),
                                        QStringLiteral("Supprimer la catégorie")};
    for (int i = 0; i < 3; ++i) {
        cmdCategorie[i] =
            Bouton(page, legendes[i], bulles[i], GaucheBoutons[i], 4320, LargeurBoutons[i]);
        // Both pages have a "Modifier": the object name tells them apart.
        cmdCategorie[i]->setObjectName(bulles[i]);
        connect(cmdCategorie[i], &QPushButton::clicked, this, [this, i] { cmdCategorie_Click(i); });
    }
    lblTotalCategorie = Total_Lignes(page, QStringLiteral("Nombre total de catégories"));

    lblDonneesCategories[0] = Donnee(page, QStringLiteral("Nom de la catégorie"), 1110);
    Legende(page, QStringLiteral("Nom:"), lblDonneesCategories[0], 2460, 870, 2400);
    imgIcone = new QLabel(page);
    Decrire(imgIcone, QStringLiteral("Icône de la catégorie"));
    imgIcone->setGeometry(Twips::enPixelsX(2460), Twips::enPixelsY(1680), 48, 48);
    Legende(page, QStringLiteral("Icône:"), imgIcone, 2460, 1440, 2400);
    lblDonneesCategories[1] =
        Donnee(page, QStringLiteral("Nombre de programmes de la catégorie"), 2760);
    Legende(page, QStringLiteral("Nombre de programmes:"), lblDonneesCategories[1], 2460, 2520,
            2400);
    lblDonneesCategories[2] = Donnee(page, QStringLiteral("Catégorie affichée à l'écran"), 3330);
    Legende(page, QStringLiteral("Affichée à l'écran:"), lblDonneesCategories[2], 2460, 3090, 2400);
    lblDonneesCategories[3] = Donnee(page, QStringLiteral("Couleur de la catégorie"), 3900);
    Placer(lblDonneesCategories[3], 2460, 3900, 1215, 255);
    Legende(page, QStringLiteral("Couleur:"), lblDonneesCategories[3], 2460, 3660, 2400);

    connect(lstCategories->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!choixEnCours_) Affiche_Categorie();
    });
}

void frmGestion::choisirCategorie(int position) {
    {
        const QScopedValueRollback<bool> choix(choixEnCours_, true);
        Positionner(lstCategories, position);
    }
    Affiche_Categorie();
}

void frmGestion::Affiche_Categorie() {
    detailsCategorieAFaire_ = false;
    for (EtiquetteValeur* l : lblDonneesCategories) {
        l->effacer();
        l->setStyleSheet(QString());
    }
    imgIcone->clear();
    const Categorie* categorie = categories_->categorie(Position(lstCategories));
    if (!categorie) return;
    const QString nom = categorie->nom;
    {
        lblDonneesCategories[0]->afficher(nom);
        if (Fichier_Existe(categorie->icone))
            if (const auto image = Charger_Apercu(categorie->icone, imgIcone->size()))
                imgIcone->setPixmap(*image);
        lblDonneesCategories[2]->afficher(categorie->affichee ? QStringLiteral("OUI")
                                                              : QStringLiteral("NON"));
        if (!categorie->couleur) {
            lblDonneesCategories[3]->afficher(QStringLiteral("Aléatoire"));
        } else {
            const QColor c = Couleur_Windows(Entier_32(*categorie->couleur));
            lblDonneesCategories[3]->setStyleSheet(
                QStringLiteral("QLabel { background-color: %1; border: 1px solid black; }")
                    .arg(c.name()));
            // The box shows no text: a screen reader says the colour instead.
            lblDonneesCategories[3]->afficher(QString());
            lblDonneesCategories[3]->setAccessibleName(Nom_Couleur(c));
        }
    }
    lblDonneesCategories[1]->afficher(QString::number(contexte_.modele().compterElementsDe(nom)));
}

void frmGestion::cmdCategorie_Click(int index) {
    if (index != 0 && Position(lstCategories) < 0) {
        informer(QStringLiteral("Sélectionnez une catégorie dans la liste."));
        lstCategories->setFocus();
        return;
    }
    if (index == 2)
        supprimerCategorie();
    else
        ouvrirEditeurCategorie(index == 0 ? ModeEditeur::Creation : ModeEditeur::Modification);
}

void frmGestion::ouvrirEditeurCategorie(ModeEditeur mode) {
    const QString nom = mode == ModeEditeur::Modification ? categorieChoisie() : QString();
    QPointer<frmCategories> editeur = new frmCategories(contexte_, mode, nom, this);
    connect(
        editeur, &EditeurCatalogue::ligneEnregistree, this,
        [this, mode](const QString& enregistree) { apresCategorieEnregistree(enregistree, mode); });
    editeur->exec();
    delete editeur;
    Reprendre_La_Main(this);
}

void frmGestion::apresCategorieEnregistree(const QString& nom, ModeEditeur mode) {
    // A new category is chosen in both lists; a changed one stays chosen, and the item list
    // starts again from its first line.
    int liste = Position(lstCategories);
    int boite = cboCategorie->currentIndex();
    if (mode == ModeEditeur::Creation) {
        liste = std::max(categories_->ligneDe(nom), 0);
        boite = std::max(boite_->ligneDe(nom), 0);
    }
    choisirCategorie(liste);
    choisirBoiteCategories(boite);
}

void frmGestion::supprimerCategorie() {
    const QString nom = Texte_Choisi(lstCategories);
    const QString echec =
        QStringLiteral("La catégorie [") + nom + QStringLiteral("] n'a pas pu être supprimée.");
    // Counted now rather than read from the details: the question must say what the
    // deletion takes with it, whatever the panel shows.
    const QList<Element> partis = contexte_.modele().elementsDe(nom);
    const QString question =
        !partis.isEmpty()
            ? QStringLiteral("Il existe un ou plusieurs programmes dépendant de la catégorie que "
                             "vous désirez supprimer.") +
                  SautDeLigne +
                  QStringLiteral("Si vous supprimez cette catégorie, ces programmes seront "
                                 "également supprimés.") +
                  SautDeLigne + QStringLiteral("Désirez-vous supprimer la catégorie [") + nom +
                  QStringLiteral("] ?")
            : QStringLiteral("Êtes vous sûr(e) de vouloir supprimer la catégorie:") + SautDeLigne +
                  QStringLiteral("[") + nom + QStringLiteral("] ?");
    if (informer(question, IconeMessage::Question, BoutonsMessage::OuiNon) != ReponseMessage::Oui) {
        lstCategories->setFocus();
        return;
    }
    // The category and its items go together or not at all: no item may outlive its
    // category, even one added since the count.
    SuppressionCategorie supprimees;
    const Positions avant = positions();
    try {
        // The lines chosen once the rows are gone, and their details shown once.
        const QScopedValueRollback<bool> choix(choixEnCours_, true);
        supprimees = contexte_.modele().supprimerCategorie(nom);
    } catch (const ErreurCatalogue& erreur) {
        signalerEchec(echec, erreur, lstCategories);
        return;
    }
    contexte_.utilisations().oublier(partis);
    if (supprimees.categories == 0) {
        signalerDisparu(QStringLiteral("La catégorie [") + nom +
                            QStringLiteral("] n'a pas été trouvée : elle a été supprimée ou "
                                           "renommée entre-temps."),
                        lstCategories);
        return;
    }
    QString rapport = QStringLiteral("La catégorie [") + nom + QStringLiteral("] a été supprimée.");
    if (supprimees.elements > 0)
        rapport +=
            SautDeLigne + QStringLiteral("Les programmes de cette catégorie ont également été "
                                         "supprimés.");
    informer(rapport);
    reprendre(avant);
}
