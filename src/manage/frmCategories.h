#pragma once

#include "manage/Gestion.h"
#include <QColor>

#include <QDialog>

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
class frmCategories : public QDialog {
    Q_OBJECT
public:
    frmCategories(Contexte& contexte, ListesGestion& gestion, ModeEditeur mode,
                  QWidget* parent = nullptr);
    ~frmCategories() override;

    bool modeModification() const { return mode_ == ModeEditeur::Modification; }
    // The fixed colour as stored: red + 256 x green + 65536 x blue.
    qint32 couleurFixe() const { return couleurFixe_; }

    void Bouton_Click(int index);
    void cmdIcone_Click();
    void lblCouleur_Click();

    QLineEdit* txtNom = nullptr;
    QLabel* imgIcone = nullptr;
    QLineEdit* txtIcone = nullptr;
    QPushButton* cmdIcone = nullptr;
    QGroupBox* Frame1 = nullptr;
    // 0 "Aléatoire", 1 "Fixe..................".
    std::array<QRadioButton*, 2> optCouleur{};
    QPushButton* lblCouleur = nullptr;
    // 0 "NON", 1 "OUI".
    std::array<QRadioButton*, 2> optAffiche{};
    // 0 "&Valider", 1 "&Annuler", 2 "A&ide".
    std::array<QPushButton*, 3> Bouton{};

private:
    void creerControles();
    void Form_Load();
    void Remplir_Categorie();
    void txtIcone_Change();
    void definirCouleur(qint32 numero);
    void valider();
    // Steps of valider(); each false stops the save, its message shown.
    bool nomValide();
    bool iconeValide();
    bool enregistrer(const QString& nom, const QString& icone);
    void rafraichirGestion(const QString& nom);
    void refuserDoublon();

    Contexte& contexte_;
    ListesGestion& gestion_;
    ModeEditeur mode_;
    // In modify mode, the name of the row being changed, as stored.
    QString nomEnregistre_;
    qint32 couleurFixe_ = 16761024;
    // The colour dialog starts from its own last choice, black before the first.
    QColor couleurDialogue_ = Qt::black;
    QPixmap apercuDefaut_;
};
