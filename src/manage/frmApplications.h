#pragma once

#include "platform/Shell.h"

#include <QDialog>
#include <QList>

#include <optional>

class Contexte;
class QLineEdit;
class QListWidget;
class QPushButton;

// The installed applications, as the user's menu shows them, with their icons, in
// French order, and a field that filters them as one types; one of them is chosen.
class frmApplications : public QDialog {
    Q_OBJECT
public:
    frmApplications(Contexte& contexte, QWidget* parent = nullptr);

    // The application chosen with "&Valider" (or Enter, or a double click); nothing
    // while the window is open or after "&Annuler".
    std::optional<ApplicationProposee> choisie() const { return choisie_; }

private:
    // Shows the applications whose name holds the text, letter case aside.
    void filtrer(const QString& texte);
    void valider();

    QLineEdit* txtFiltre = nullptr;
    QListWidget* lstApplications = nullptr;
    // 0 "&Valider", 1 "&Annuler".
    QPushButton* Bouton[2]{};

    QList<ApplicationProposee> applications_;
    std::optional<ApplicationProposee> choisie_;
};
