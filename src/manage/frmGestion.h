#pragma once

#include "catalogue/Enregistrements.h"
#include "core/Fenetres.h"
#include "manage/Gestion.h"
#include "platform/Messages.h"

#include <QDialog>
#include <QStringList>

#include <array>
#include <optional>

class Contexte;
class ErreurCatalogue;
class QComboBox;
class QFrame;
class QLabel;
class QListView;
class ModeleCategories;
class ModeleElements;
class ElementsDeCategorie;
class DelegueIcones;
class QPushButton;
namespace Controles {
class EtiquetteValeur;
}

// The wording shown after a stored code: "2" gives "2 - MAXIMUM" for the display mode,
// "3" gives "3 - E.MAIL" for the type; a code that names no value shows as stored.
QString Texte_Demarrage(const CodeStocke<ModeAffichage>& code);
QString Texte_Type(const CodeStocke<TypeElement>& code);

// The management window: the categories and the items of the catalogue, their details,
// their deletion, and the editors that create and modify them. Opened modally on a page;
// says, once closed, whether the launcher windows must be built again. Its lists are
// views of the catalogue model: a change made anywhere through it shows at once.
class frmGestion : public QDialog {
    Q_OBJECT
public:
    explicit frmGestion(Contexte& contexte, PageGestion page = PageGestion::Categories,
                        QWidget* parent = nullptr);
    FinGestion fin() const { return fin_; }
    ~frmGestion() override;

    // What the window shows. The visible page: 0 categories, 1 items.
    int pageVisible() const;
    // The category list; the category box of the items page ("(Toutes les catégories)",
    // then the names); the item list; and the line chosen in each list.
    QStringList lignesCategories() const;
    QStringList lignesBoiteCategories() const;
    QStringList lignesProgrammes() const;
    QString categorieChoisie() const;
    QString programmeChoisi() const;

protected:
    void keyPressEvent(QKeyEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void reject() override;

private:
    // Where the lists stand, to come back to after their rows changed.
    struct Positions {
        int boite = -1;
        int categorie = -1;
        int programme = -1;
    };

    void creerControles();
    void creerPageCategories();
    void creerPageProgrammes();
    void suivreModele();
    void Form_Load(PageGestion page, const std::optional<ErreurCatalogue>& echec);
    void Afficher_Page(int page);
    void Boutons_Click(int index);
    void cmdCategorie_Click(int index);
    void cmdProgrammes_Click(int index);
    void choisirCategorie(int position);
    void choisirBoiteCategories(int position);
    void choisirProgramme(int position);
    void cboCategorie_Click();
    void Liste_Programmes();
    void Affiche_Programme();
    void Affiche_Categorie();
    // The category details again once the rows settle: a category's deletion removes its
    // items one by one, and its count is taken once.
    void afficherCategoriePlusTard();
    void afficherTotaux();
    void ouvrirEditeurCategorie(ModeEditeur mode);
    void ouvrirEditeurProgramme(ModeEditeur mode);
    void apresCategorieEnregistree(const QString& nom, ModeEditeur mode);
    void apresProgrammeEnregistre(const QString& nom, ModeEditeur mode);
    void supprimerCategorie();
    void supprimerProgramme();
    Positions positions() const;
    // After a deletion or a reading again: each list back on the line it was on (or its
    // last), the item list only when given its old line.
    void reprendre(const Positions& avant, bool programme = false);
    void ordonnerTabulation();
    QWidget* premierControle(int page) const;
    ReponseMessage informer(const QString& texte, IconeMessage icone = IconeMessage::Information,
                            BoutonsMessage boutons = BoutonsMessage::OK);
    // A deletion the catalogue refused, or whose row had already gone; the focus goes
    // back to the list.
    void signalerEchec(const QString& quoi, const ErreurCatalogue& erreur, QWidget* liste);
    void signalerDisparu(const QString& texte, QWidget* liste);

    Contexte& contexte_;
    InscriptionFenetre inscription_;
    FinGestion fin_ = FinGestion::SansChangement;

    ModeleCategories* categories_ = nullptr;
    ModeleCategories* boite_ = nullptr;
    ModeleElements* elements_ = nullptr;
    ElementsDeCategorie* programmes_ = nullptr;
    Positions avantRelecture_;
    bool detailsCategorieAFaire_ = false;
    // A line chosen by the window itself, whose details it shows once chosen.
    bool choixEnCours_ = false;

    // Navigation bar.
    QLabel* Barre = nullptr; // Label1(0)
    std::array<QLabel*, 2> imgRubrique{};
    std::array<QPushButton*, 2> lblRubrique{};
    std::array<QFrame*, 2> Frame1{};
    // 0 "&Aide", 1 "&Quitter", 2 "&Valider les changements".
    std::array<QPushButton*, 3> Boutons{};

    // Categories page.
    QListView* lstCategories = nullptr;
    std::array<QPushButton*, 3> cmdCategorie{};
    Controles::EtiquetteValeur* lblTotalCategorie = nullptr;
    QLabel* imgIcone = nullptr;
    // 0 name, 1 number of items, 2 displayed, 3 colour.
    std::array<Controles::EtiquetteValeur*, 4> lblDonneesCategories{};

    // Items page.
    QComboBox* cboCategorie = nullptr;
    QListView* lstProgrammes = nullptr;
    std::array<QPushButton*, 3> cmdProgrammes{};
    Controles::EtiquetteValeur* lblTotalProgrammes = nullptr;
    // 0 name, 1 path, 2 display mode, 3 category, 4 type.
    std::array<Controles::EtiquetteValeur*, 5> lblDonneesProgrammes{};
    DelegueIcones* iconesProgrammes = nullptr;
};

// Shows the management window modally over the given window, on the page given.
FinGestion Afficher_Fenetre_Gestion(Contexte& contexte, PageGestion page, QWidget* parent);
