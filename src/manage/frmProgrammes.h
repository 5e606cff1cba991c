#pragma once

#include "core/Depot.h"

#include "manage/Gestion.h"

#include <QDialog>
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
class frmProgrammes : public QDialog {
    Q_OBJECT
public:
    frmProgrammes(Contexte& contexte, ListesGestion& gestion, ModeEditeur mode,
                  QWidget* parent = nullptr);
    ~frmProgrammes() override;

    bool modeModification() const { return mode_ == ModeEditeur::Modification; }
    // How many saves this opening made.
    int enregistres() const { return enregistres_; }

    void Bouton_Click(int index);
    void cmdChemin_Click();
    void cmdApplications_Click();
    void optType_Click(int index);

    // Create mode: fills the window with an item offered by a drop (its category chosen
    // when the list has it); the user confirms or changes it.
    void proposer(const ElementPropose& element);

    QGroupBox* Frame1 = nullptr;
    // 0 "Programme", 1 "Fichier", 2 "Lien Internet", 3 "E-Mail".
    std::array<QRadioButton*, 4> optType{};
    QLineEdit* txtNom = nullptr;
    QLineEdit* txtChemin = nullptr;
    QPushButton* cmdChemin = nullptr;
    // "Applications...": an installed application as the program.
    QPushButton* cmdApplications = nullptr;
    QComboBox* cboCategorie = nullptr;
    QListWidget* lstAffichage = nullptr;
    // 0 "&Valider", 1 "&Annuler", 2 "A&ide".
    std::array<QPushButton*, 3> Bouton{};
    // Every item name of the catalogue at opening, and those saved since: the names a
    // new item may not take.
    QStringList lstProgrammes;

private:
    void creerControles();
    void Form_Load();
    void Remplir_Programme();
    void valider();
    bool cheminValide();
    bool nomLibre();
    bool enregistrer(const QString& nom, const QString& chemin, int type);
    void rafraichirGestion(const QString& categorie);
    void refuserDoublon();
    void informer(const QString& texte);

    Contexte& contexte_;
    ListesGestion& gestion_;
    ModeEditeur mode_;
    // In modify mode, the name of the row being changed, as stored.
    QString nomEnregistre_;
    int enregistres_ = 0;
};

// Opens the program editor in create mode on an item offered by a drop, with no
// management window: nothing is written until the user confirms. True when at least one
// item was saved.
bool Ajouter_Element_Propose(Contexte& contexte, const ElementPropose& element,
                             QWidget* parent = nullptr);
