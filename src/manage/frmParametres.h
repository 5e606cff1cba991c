#pragma once

#include "core/Fenetres.h"

#include <QDialog>

#include <array>

class Contexte;
class QCheckBox;
class QComboBox;
class QFrame;
class QKeySequenceEdit;
class QLabel;
class QPushButton;

// The settings dialog: the five user settings, written back on saving; the session
// autostart, the keep-on-top state of the open launcher windows and the desktop key of
// the search change at once.
class frmParametres : public QDialog {
    Q_OBJECT
public:
    explicit frmParametres(Contexte& contexte, QWidget* parent = nullptr);
    ~frmParametres() override;

private:
    void creerControles();
    void Form_Load();
    void Boutons_Click(int index);
    void enregistrer();
    // Applies a change of the keep-on-top setting to the open launcher windows.
    void placerLanceurs(bool auPremierPlan);

    Contexte& contexte_;
    InscriptionFenetre inscription_;

    QCheckBox* chkDemarragePC = nullptr;
    QCheckBox* chkPlan = nullptr;
    QCheckBox* chkFermeture = nullptr;
    std::array<QLabel*, 2> Label1{};
    QComboBox* cboSecondes = nullptr;
    QLabel* lblRaccourci = nullptr;
    // One key with its modifiers; cleared (its button, Backspace or Delete) for none.
    QKeySequenceEdit* txtRaccourci = nullptr;
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;
    // 0 "&Aide", 1 "A&nnuler", 2 "&Enregistrer les paramètres".
    std::array<QPushButton*, 3> Boutons{};
};
