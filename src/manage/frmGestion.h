#pragma once

#include "core/Fenetres.h"
#include "manage/Gestion.h"
#include "manage/ListesGestion.h"
#include "platform/Messages.h"

#include <QDialog>
#include <QStringList>

#include <array>

class Contexte;
class ErreurCatalogue;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class DelegueIcones;
class QPushButton;
namespace Controles {
class EtiquetteValeur;
}

// The wording shown after a stored code: "2" gives "2 - MAXIMUM" for the display mode,
// "3" gives "3 - E.MAIL" for the type; a code outside the tables shows as stored.
QString Texte_Demarrage(const QString& code);
QString Texte_Type(const QString& code);

// The management window: the categories and the items of the catalogue, their details,
// their deletion, and the editors that create and modify them. Opened modally on a page;
// says, once closed, whether the launcher windows must be built again.
class frmGestion : public QDialog, public ListesGestion {
    Q_OBJECT
public:
    explicit frmGestion(Contexte& contexte, PageGestion page = PageGestion::Categories,
                        QWidget* parent = nullptr);
    FinGestion fin() const { return fin_; }
    ~frmGestion() override;

    // ListesGestion, for the editors.
    void Liste_Categories() override;
    QStringList lignesCategories() const override;
    int positionCategorie() const override;
    QString categorieChoisie() const override;
    void choisirCategorie(int position) override;
    QStringList lignesBoiteCategories() const override;
    int positionBoiteCategories() const override;
    void choisirBoiteCategories(int position) override;
    QStringList lignesProgrammes() const override;
    QString programmeChoisi() const override;
    void choisirProgramme(int position) override;

    // The visible page: 0 categories, 1 items.
    int pageVisible() const;
    void Afficher_Page(int page);

    void Boutons_Click(int index);
    void cmdCategorie_Click(int index);
    void cmdProgrammes_Click(int index);

    // Navigation bar.
    QLabel* Barre = nullptr; // Label1(0)
    std::array<QLabel*, 2> imgRubrique{};
    std::array<QPushButton*, 2> lblRubrique{};
    std::array<QFrame*, 2> Frame1{};
    // 0 "&Aide", 1 "&Quitter", 2 "&Valider les changements".
    std::array<QPushButton*, 3> Boutons{};

    // Categories page.
    QListWidget* lstCategories = nullptr;
    std::array<QPushButton*, 3> cmdCategorie{};
    Controles::EtiquetteValeur* lblTotalCategorie = nullptr;
    QLabel* imgIcone = nullptr;
    // 0 name, 1 number of items, 2 displayed, 3 colour.
    std::array<Controles::EtiquetteValeur*, 4> lblDonneesCategories{};

    // Items page.
    QComboBox* cboCategorie = nullptr;
    QListWidget* lstProgrammes = nullptr;
    std::array<QPushButton*, 3> cmdProgrammes{};
    Controles::EtiquetteValeur* lblTotalProgrammes = nullptr;
    // 0 name, 1 path, 2 display mode, 3 category, 4 type.
    std::array<Controles::EtiquetteValeur*, 5> lblDonneesProgrammes{};
    // The path and type code of each line of lstProgrammes, for its icon.
    QStringList cheminsProgrammes;
    QStringList typesProgrammes;
    DelegueIcones* iconesProgrammes = nullptr;

protected:
    void keyPressEvent(QKeyEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void reject() override;

private:
    void creerControles();
    void creerPageCategories();
    void creerPageProgrammes();
    void Form_Load(PageGestion page);
    void lstCategories_Click();
    void cboCategorie_Click();
    void lstProgrammes_Click();
    void Liste_Programmes();
    void Affiche_Programme();
    void Affiche_Categorie();
    void ouvrirEditeurCategorie(ModeEditeur mode);
    void ouvrirEditeurProgramme(ModeEditeur mode);
    void supprimerCategorie();
    void supprimerProgramme();
    // After a deletion: the lists reloaded, each back on its entry when it still exists.
    // The lists read again after a deletion; the row that took the deleted one's place
    // (or the last) is chosen, in the category list and, given its old row, the item list.
    void Rafraichir_Apres_Suppression(int programme = -1);
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
};

// Shows the management window modally over the given window, on the page given.
FinGestion Afficher_Fenetre_Gestion(Contexte& contexte, PageGestion page, QWidget* parent);
