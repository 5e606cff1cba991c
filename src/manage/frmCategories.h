#pragma once

#include "manage/EditeurCatalogue.h"

#include <QColor>
#include <QPixmap>

#include <array>

class Contexte;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The category editor: creates a category or changes the icon, display flag and colour of
// the one named. Each save goes through the catalogue model, written at once; in create
// mode several categories can be saved in one opening.
class frmCategories : public EditeurCatalogue {
    Q_OBJECT
public:
    // In modify mode, nom is the category to change.
    frmCategories(Contexte& contexte, ModeEditeur mode, const QString& nom = {},
                  QWidget* parent = nullptr);
    ~frmCategories() override;

    // The fixed colour the swatch shows, as stored: red + 256 x green + 65536 x blue.
    qint32 couleurFixe() const { return couleurFixe_; }

private:
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

    void creerControles();
    void Remplir_Categorie();
    void txtIcone_Change();
    void definirCouleur(qint32 numero);
    bool iconeValide();

    void remplir() override { Remplir_Categorie(); }
    QWidget* premierChamp() const override;
    bool saisieValide() override;
    int ecrire(const QString& nom) override;

    qint32 couleurFixe_ = 16761024;
    // The colour dialog starts from its own last choice, black before the first.
    QColor couleurDialogue_ = Qt::black;
    QPixmap apercuDefaut_;
};
