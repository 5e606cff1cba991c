#pragma once

#include "manage/EditeurCatalogue.h"

#include <QColor>
#include <QPixmap>

#include <array>

class Contexte;
class ListesGestion;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The category editor: creates a category or changes the icon, display flag and colour of
// the one chosen in the management window. Each save is written at once and the management window's
// lists reloaded; in create mode several categories can be saved in one opening.
class frmCategories : public EditeurCatalogue {
    Q_OBJECT
public:
    frmCategories(Contexte& contexte, ListesGestion& gestion, ModeEditeur mode,
                  QWidget* parent = nullptr);
    ~frmCategories() override;

    // The fixed colour as stored: red + 256 x green + 65536 x blue.
    qint32 couleurFixe() const { return couleurFixe_; }

    void cmdIcone_Click();
    void lblCouleur_Click();

    QLabel* imgIcone = nullptr;
    QLineEdit* txtIcone = nullptr;
    QPushButton* cmdIcone = nullptr;
    QGroupBox* Frame1 = nullptr;
    // 0 "Aléatoire", 1 "Fixe..................".
    std::array<QRadioButton*, 2> optCouleur{};
    QPushButton* lblCouleur = nullptr;
    // 0 "NON", 1 "OUI".
    std::array<QRadioButton*, 2> optAffiche{};

private:
    void creerControles();
    void Remplir_Categorie();
    void txtIcone_Change();
    void definirCouleur(qint32 numero);
    bool iconeValide();

    QString nomChoisi() const override;
    void remplir() override { Remplir_Categorie(); }
    QWidget* premierChamp() const override;
    bool saisieValide() override;
    int ecrire(const QString& nom) override;
    void rafraichirGestion(const QString& nom) override;

    qint32 couleurFixe_ = 16761024;
    // The colour dialog starts from its own last choice, black before the first.
    QColor couleurDialogue_ = Qt::black;
    QPixmap apercuDefaut_;
};
