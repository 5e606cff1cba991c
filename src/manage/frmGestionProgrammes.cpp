#include "manage/frmGestion.h"

#include "base/Nombres.h"
#include "catalogue/Catalogue.h"
#include "core/Contexte.h"
#include "core/Services.h"
#include "manage/Gestion.h"
#include "manage/PagesGestion.h"
#include "manage/RefusCatalogue.h"
#include "manage/frmProgrammes.h"
#include "platform/Messages.h"
#include "ui/Controles.h"
#include "ui/DelegueIcones.h"
#include "ui/ListesDeroulantes.h"
#include "ui/ModelesCatalogue.h"

#include <QComboBox>
#include <QFrame>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>

using namespace Controles;
using namespace PagesGestion;

namespace {

template <typename Valeur>
QString Avec_Libelle(const CodeStocke<Valeur>& code, std::initializer_list<const char*> libelles) {
    const std::optional<Valeur> valeur = code.valeur();
    if (!valeur || static_cast<std::size_t>(*valeur) >= libelles.size()) return code.texte();
    return code.texte() + QString::fromUtf8(libelles.begin()[static_cast<std::size_t>(*valeur)]);
}

} // namespace

QString Texte_Demarrage(const CodeStocke<ModeAffichage>& code) {
    return Avec_Libelle(code, {" - MINIMUM", " - NORMAL", " - MAXIMUM"});
}

QString Texte_Type(const CodeStocke<TypeElement>& code) {
    return Avec_Libelle(code, {" - PROGRAMME", " - FICHIER", " - LIEN INTERNET", " - E.MAIL"});
}

void frmGestion::creerPageProgrammes() {
    QFrame* page = Frame1[1];
    Titre(page, QStringLiteral("PROGRAMMES"));
    Trait(page, 120, 450, 4700);
    Decoration(page, Image(contexte_, "programmes.svg"), 32, 4320, 60);
    cboCategorie = new ListeDeroulante(page);
    cboCategorie->setEditable(false);
    cboCategorie->setModel(boite_);
    Decrire(cboCategorie, QStringLiteral("Liste des catégories"));
    Placer(cboCategorie, 120, 870, 2220, 315);
    Legende(page, QStringLiteral("Sélectionnez la catégorie:"), cboCategorie, 120, 600, 2220);
    lstProgrammes = Liste(page, QStringLiteral("Liste des programmes"), 1500, 2745);
    lstProgrammes->setModel(programmes_);
    Legende(page, QStringLiteral("Liste des programmes:"), lstProgrammes, 120, 1260, 2220);
    // Lines of one height (as every list of the window), so that only the lines shown have
    // their icon looked for.
    iconesProgrammes = new DelegueIcones(
        programmes_,
        [this](int ligne) {
            const Element& element = programmes_->element(ligne);
            return Source_Icone(element.chemin, element.type, Dossier_Application(contexte_));
        },
        lstProgrammes);
    lstProgrammes->setItemDelegate(iconesProgrammes);
    const std::array<QString, 3> legendes{QStringLiteral("Nouveau"), QStringLiteral("Modifier"),
                                          QStringLiteral("Supprimer")};
    const std::array<QString, 3> bulles{QStringLiteral("Nouveau programme"),
                                        QStringLiteral("Modifier le programme"),
                                        QStringLiteral("Supprimer le programme")};
    for (int i = 0; i < 3; ++i) {
        cmdProgrammes[i] =
            Bouton(page, legendes[i], bulles[i], GaucheBoutons[i], 4320, LargeurBoutons[i]);
        cmdProgrammes[i]->setObjectName(bulles[i]);
        connect(cmdProgrammes[i], &QPushButton::clicked, this,
                [this, i] { cmdProgrammes_Click(i); });
    }
    lblTotalProgrammes = Total_Lignes(page, QStringLiteral("Nombre total de programmes"));

    struct Champ {
        const char* legende;
        const char* bulle;
        int haut;
        int hauteur;
    };
    static constexpr std::array<Champ, 5> champs{{
        {"Nom:", "Nom du programme", 870, 255},
        {"Chemin:", "Chemin d'accès du programme", 1440, 510},
        {"Mode d'affichage:", "Mode d'affichage du programme", 2280, 255},
        {"Catégorie:", "Catégorie du programme", 2850, 255},
        {"Type:", "Type de programme", 3420, 255},
    }};
    for (std::size_t i = 0; i < champs.size(); ++i) {
        const Champ& c = champs[i];
        EtiquetteValeur* l = Donnee(page, QString::fromUtf8(c.bulle), c.haut + 240, c.hauteur);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        Legende(page, QString::fromUtf8(c.legende), l, 2460, c.haut, 2400);
        lblDonneesProgrammes[i] = l;
    }

    connect(cboCategorie, &QComboBox::currentIndexChanged, this, [this] { cboCategorie_Click(); });
    connect(lstProgrammes->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!choixEnCours_) Affiche_Programme();
    });
}

void frmGestion::choisirBoiteCategories(int position) {
    {
        const QSignalBlocker silence(cboCategorie);
        cboCategorie->setCurrentIndex(position >= 0 && position < cboCategorie->count() ? position
                                                                                        : -1);
    }
    cboCategorie_Click();
}

void frmGestion::choisirProgramme(int position) {
    {
        const QScopedValueRollback<bool> choix(choixEnCours_, true);
        Positionner(lstProgrammes, position);
    }
    Affiche_Programme();
}

void frmGestion::cboCategorie_Click() {
    Liste_Programmes();
}

void frmGestion::Liste_Programmes() {
    for (EtiquetteValeur* l : lblDonneesProgrammes)
        l->effacer();
    // With no entry chosen (the entry was deleted), the list must not keep items that
    // may be gone: it is emptied.
    const int position = cboCategorie->currentIndex();
    if (position < 0)
        programmes_->montrerAucun();
    else if (const Categorie* categorie = boite_->categorie(position))
        programmes_->montrerCategorie(categorie->nom);
    else
        programmes_->montrerTous();
    afficherTotaux();
    choisirProgramme(-1);
    if (programmes_->rowCount() > 0) choisirProgramme(0);
}

void frmGestion::Affiche_Programme() {
    for (EtiquetteValeur* l : lblDonneesProgrammes)
        l->effacer();
    const int ligne = Position(lstProgrammes);
    if (ligne < 0) return;
    const Element& element = programmes_->element(ligne);
    lblDonneesProgrammes[0]->afficher(element.nom);
    lblDonneesProgrammes[1]->afficher(element.chemin);
    lblDonneesProgrammes[2]->afficher(Texte_Demarrage(element.mode));
    lblDonneesProgrammes[3]->afficher(element.categorie);
    lblDonneesProgrammes[4]->afficher(Texte_Type(element.type));
}

void frmGestion::cmdProgrammes_Click(int index) {
    if (index != 0 && Position(lstProgrammes) < 0) {
        informer(QStringLiteral("Sélectionnez un programme dans la liste."));
        lstProgrammes->setFocus();
        return;
    }
    if (index == 2)
        supprimerProgramme();
    else
        ouvrirEditeurProgramme(index == 0 ? ModeEditeur::Creation : ModeEditeur::Modification);
}

void frmGestion::ouvrirEditeurProgramme(ModeEditeur mode) {
    const QString nom = mode == ModeEditeur::Modification ? programmeChoisi() : QString();
    QPointer<frmProgrammes> editeur = new frmProgrammes(contexte_, mode, nom, this);
    connect(
        editeur, &EditeurCatalogue::ligneEnregistree, this,
        [this, mode](const QString& enregistre) { apresProgrammeEnregistre(enregistre, mode); });
    editeur->exec();
    delete editeur;
    Reprendre_La_Main(this);
}

void frmGestion::apresProgrammeEnregistre(const QString& nom, ModeEditeur mode) {
    // The category box goes to a new item's category, and the item is chosen in the list, as
    // a new category is; after a change, the list starts again with no line chosen.
    int boite = cboCategorie->currentIndex();
    const std::optional<Element> element = contexte_.modele().element(nom);
    if (mode == ModeEditeur::Creation && element) {
        const int sienne = boite_->ligneDe(element->categorie);
        if (sienne >= 0) boite = sienne;
    }
    choisirCategorie(Position(lstCategories));
    choisirBoiteCategories(boite);
    choisirProgramme(mode == ModeEditeur::Creation ? programmes_->ligneDe(nom) : -1);
}

void frmGestion::supprimerProgramme() {
    const QString nom = Texte_Choisi(lstProgrammes);
    const Positions avant = positions();
    if (informer(QStringLiteral("Êtes vous sûr(e) de vouloir supprimer le programme:") +
                     SautDeLigne + QStringLiteral("[") + nom + QStringLiteral("] ?"),
                 IconeMessage::Question, BoutonsMessage::OuiNon) != ReponseMessage::Oui) {
        lstProgrammes->setFocus();
        return;
    }
    int supprimes = 0;
    try {
        const QScopedValueRollback<bool> choix(choixEnCours_, true);
        supprimes = contexte_.modele().supprimerElement(nom);
    } catch (const ErreurCatalogue& erreur) {
        signalerEchec(QStringLiteral("Le programme [") + nom +
                          QStringLiteral("] n'a pas pu être supprimé."),
                      erreur, lstProgrammes);
        return;
    }
    if (supprimes == 0) {
        signalerDisparu(QStringLiteral("Le programme [") + nom +
                            QStringLiteral("] n'a pas été trouvé : il a été supprimé ou "
                                           "renommé entre-temps."),
                        lstProgrammes);
        return;
    }
    contexte_.utilisations().oublier(QStringList{nom});
    informer(QStringLiteral("Le programme [") + nom + QStringLiteral("] a été supprimé."));
    reprendre(avant, true);
}
