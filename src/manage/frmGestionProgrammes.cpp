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

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>

using namespace Controles;
using namespace PagesGestion;

namespace {

QString Avec_Libelle(const QString& code, std::initializer_list<const char*> libelles) {
    int i = 0;
    for (const char* libelle : libelles) {
        if (code == QString::number(i)) return code + QString::fromUtf8(libelle);
        ++i;
    }
    return code;
}

} // namespace

QString Texte_Demarrage(const QString& code) {
    return Avec_Libelle(code, {" - MINIMUM", " - NORMAL", " - MAXIMUM"});
}

QString Texte_Type(const QString& code) {
    return Avec_Libelle(code, {" - PROGRAMME", " - FICHIER", " - LIEN INTERNET", " - E.MAIL"});
}

void frmGestion::creerPageProgrammes() {
    QFrame* page = Frame1[1];
    Titre(page, QStringLiteral("PROGRAMMES"));
    Trait(page, 120, 450, 4700);
    Decoration(page, Image(contexte_, "programmes.svg"), 32, 4320, 60);
    cboCategorie = new ListeDeroulante(page);
    cboCategorie->setEditable(false);
    Decrire(cboCategorie, QStringLiteral("Liste des catégories"));
    Placer(cboCategorie, 120, 870, 2220, 315);
    Legende(page, QStringLiteral("Sélectionnez la catégorie:"), cboCategorie, 120, 600, 2220);
    lstProgrammes = Liste(page, QStringLiteral("Liste des programmes"), 1500, 2745);
    Legende(page, QStringLiteral("Liste des programmes:"), lstProgrammes, 120, 1260, 2220);
    // Lines of one height, so that only the lines shown have their icon looked for.
    lstProgrammes->setUniformItemSizes(true);
    iconesProgrammes = new DelegueIcones(
        lstProgrammes->model(),
        [this](int ligne) {
            return Source_Icone(cheminsProgrammes.value(ligne),
                                CodeStocke<TypeElement>::lu(typesProgrammes.value(ligne)),
                                Dossier_Application(contexte_));
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
    connect(lstProgrammes, &QListWidget::itemSelectionChanged, this,
            [this] { lstProgrammes_Click(); });
}

QStringList frmGestion::lignesBoiteCategories() const {
    QStringList lignes;
    for (int i = 0; i < cboCategorie->count(); ++i)
        lignes << cboCategorie->itemText(i);
    return lignes;
}

int frmGestion::positionBoiteCategories() const {
    return cboCategorie->currentIndex();
}

void frmGestion::choisirBoiteCategories(int position) {
    {
        const QSignalBlocker silence(cboCategorie);
        cboCategorie->setCurrentIndex(position >= 0 && position < cboCategorie->count() ? position
                                                                                        : -1);
    }
    cboCategorie_Click();
}

QStringList frmGestion::lignesProgrammes() const {
    QStringList lignes;
    for (int i = 0; i < lstProgrammes->count(); ++i)
        lignes << lstProgrammes->item(i)->text();
    return lignes;
}

QString frmGestion::programmeChoisi() const {
    return Texte_Choisi(lstProgrammes);
}

void frmGestion::choisirProgramme(int position) {
    Positionner(lstProgrammes, position);
    lstProgrammes_Click();
}

void frmGestion::cboCategorie_Click() {
    Liste_Programmes();
}

void frmGestion::lstProgrammes_Click() {
    Affiche_Programme();
}

void frmGestion::Liste_Programmes() {
    for (EtiquetteValeur* l : lblDonneesProgrammes)
        l->effacer();
    const int position = cboCategorie->currentIndex();
    QStringList noms;
    cheminsProgrammes.clear();
    typesProgrammes.clear();
    // With no entry chosen (the entry was deleted), the list must not keep items that
    // may be gone: it is emptied.
    if (position >= 0) {
        try {
            Catalogue& catalogue = contexte_.catalogue();
            const QList<Element> elements = position == 0
                                                ? catalogue.elements()
                                                : catalogue.elementsDe(cboCategorie->currentText());
            for (const Element& element : elements) {
                noms << element.nom;
                cheminsProgrammes << element.chemin;
                typesProgrammes << element.type.texte();
            }
        } catch (const ErreurCatalogue& erreur) {
            noms.clear();
            Message_Erreur_Gestion(contexte_, this,
                                   QStringLiteral("La liste des programmes n'a pas pu être lue.") +
                                       SautDeLigne + erreur.cause(),
                                   erreur.numero());
        }
    }
    {
        const QSignalBlocker silence(lstProgrammes);
        lstProgrammes->clear();
        lstProgrammes->addItems(noms);
    }
    lblTotalProgrammes->afficher(Total + QString::number(lstProgrammes->count()));
    choisirProgramme(-1);
    if (lstProgrammes->count() > 0) choisirProgramme(0);
}

void frmGestion::Affiche_Programme() {
    for (EtiquetteValeur* l : lblDonneesProgrammes)
        l->effacer();
    const QString nom = Texte_Choisi(lstProgrammes);
    if (nom.isEmpty()) return;
    std::optional<Element> element;
    try {
        element = contexte_.catalogue().element(nom);
    } catch (const ErreurCatalogue&) {
        // The details stay empty; the list itself was read.
    }
    if (!element) return;
    lblDonneesProgrammes[0]->afficher(element->nom);
    lblDonneesProgrammes[1]->afficher(element->chemin);
    lblDonneesProgrammes[2]->afficher(Texte_Demarrage(element->mode.texte()));
    lblDonneesProgrammes[3]->afficher(element->categorie);
    lblDonneesProgrammes[4]->afficher(Texte_Type(element->type.texte()));
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
    QPointer<frmProgrammes> editeur = new frmProgrammes(contexte_, *this, mode, this);
    editeur->exec();
    delete editeur;
    Reprendre_La_Main(this);
}

void frmGestion::supprimerProgramme() {
    const QString nom = Texte_Choisi(lstProgrammes);
    const int ligne = Position(lstProgrammes);
    if (informer(QStringLiteral("Êtes vous sûr(e) de vouloir supprimer le programme:") +
                     SautDeLigne + QStringLiteral("[") + nom + QStringLiteral("] ?"),
                 IconeMessage::Question, BoutonsMessage::OuiNon) != ReponseMessage::Oui) {
        lstProgrammes->setFocus();
        return;
    }
    int supprimes = 0;
    try {
        supprimes = contexte_.catalogue().supprimerElement(nom);
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
    Rafraichir_Apres_Suppression(ligne);
}
