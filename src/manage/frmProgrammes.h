#pragma once

#include "catalogue/Enregistrements.h"
#include "core/Depot.h"

#include "manage/EditeurCatalogue.h"

#include <array>
#include <optional>

class Contexte;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// The program editor: creates an item or changes the path, category, display mode and
// type of the one named. Each save goes through the catalogue model, written at once; in
// create mode several items can be saved in one opening.
class frmProgrammes : public EditeurCatalogue {
    Q_OBJECT
public:
    // In modify mode, nom is the item to change.
    frmProgrammes(Contexte& contexte, ModeEditeur mode, const QString& nom = {},
                  QWidget* parent = nullptr);
    ~frmProgrammes() override;

    // How many saves this opening made.
    int enregistres() const { return enregistres_; }

    // Create mode: fills the window with an item offered by a drop (its category chosen
    // when the list has it); the user confirms or changes it.
    void proposer(const ElementPropose& element);

private:
    void cmdChemin_Click();
    void cmdApplications_Click();
    void optType_Click(TypeElement type);

    QGroupBox* Frame1 = nullptr;
    // 0 "Programme", 1 "Fichier", 2 "Lien Internet", 3 "E-Mail".
    std::array<QRadioButton*, 4> optType{};
    QLineEdit* txtChemin = nullptr;
    QPushButton* cmdChemin = nullptr;
    // "Applications...": an installed application as the program.
    QPushButton* cmdApplications = nullptr;
    QComboBox* cboCategorie = nullptr;
    QListWidget* lstAffichage = nullptr;

    void creerControles();
    void Remplir_Programme();
    // The type option checked, the display mode chosen; nothing when none is.
    std::optional<TypeElement> typeChoisi() const;
    std::optional<ModeAffichage> modeChoisi() const;
    bool cheminValide();

    void remplir() override { Remplir_Programme(); }
    QWidget* premierChamp() const override;
    bool saisieValide() override;
    int ecrire(const QString& nom) override;
    void vider() override;
    void noterEnregistrement(const QString& nom) override;

    int enregistres_ = 0;
};

// Opens the program editor in create mode on an item offered by a drop, with no
// management window: nothing is written until the user confirms. True when at least one
// item was saved.
bool Ajouter_Element_Propose(Contexte& contexte, const ElementPropose& element,
                             QWidget* parent = nullptr);
