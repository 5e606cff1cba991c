#pragma once

#include "core/Depot.h"

#include "manage/EditeurCatalogue.h"

#include <QStringList>

#include <array>

class Contexte;
class ListesGestion;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// The program editor: creates an item or changes the path, category, display mode and
// type of the one chosen in the management window. Each save is written at once and the management
// window's lists reloaded; in create mode several items can be saved in one opening.
class frmProgrammes : public EditeurCatalogue {
    Q_OBJECT
public:
    frmProgrammes(Contexte& contexte, ListesGestion& gestion, ModeEditeur mode,
                  QWidget* parent = nullptr);
    ~frmProgrammes() override;

    // How many saves this opening made.
    int enregistres() const { return enregistres_; }

    void cmdChemin_Click();
    void cmdApplications_Click();
    void optType_Click(int index);

    // Create mode: fills the window with an item offered by a drop (its category chosen
    // when the list has it); the user confirms or changes it.
    void proposer(const ElementPropose& element);

    QGroupBox* Frame1 = nullptr;
    // 0 "Programme", 1 "Fichier", 2 "Lien Internet", 3 "E-Mail".
    std::array<QRadioButton*, 4> optType{};
    QLineEdit* txtChemin = nullptr;
    QPushButton* cmdChemin = nullptr;
    // "Applications...": an installed application as the program.
    QPushButton* cmdApplications = nullptr;
    QComboBox* cboCategorie = nullptr;
    QListWidget* lstAffichage = nullptr;
    // Every item name of the catalogue at opening, and those saved since: the names a
    // new item may not take.
    QStringList lstProgrammes;

private:
    void creerControles();
    // The categories to choose from and the names already taken, read at opening.
    void lireListes();
    void Remplir_Programme();
    // The type option checked; -1 when none is.
    int typeChoisi() const;
    bool cheminValide();

    QString nomChoisi() const override;
    void remplir() override { Remplir_Programme(); }
    QWidget* premierChamp() const override;
    bool saisieValide() override;
    int ecrire(const QString& nom) override;
    void rafraichirGestion(const QString& nom) override;
    void vider() override;
    void enregistre(const QString& nom) override;

    int enregistres_ = 0;
};

// Opens the program editor in create mode on an item offered by a drop, with no
// management window: nothing is written until the user confirms. True when at least one
// item was saved.
bool Ajouter_Element_Propose(Contexte& contexte, const ElementPropose& element,
                             QWidget* parent = nullptr);
