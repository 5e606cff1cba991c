#pragma once

#include "core/RubriquesAide.h"

#include <QObject>
#include <QPointer>

#include <functional>

class Contexte;
class QWidget;

// The keys of the dialogs: F1 opens the window's help topic, F2 the About box, whatever
// control of the window has the focus. Installed by a dialog on itself (the dialog
// becomes its parent); it sees the key presses of the window's controls before they do.
class ToucheAide final : public QObject {
public:
    // Chooses the help row at the moment F1 is pressed (editors and the management
    // window answer by their mode or visible page).
    using ChoixRubrique = std::function<RubriqueAide::Rubrique()>;

    // F1: Afficher_Aide with the chosen row; F2: the About box, modal over the window.
    ToucheAide(Contexte& contexte, QWidget* fenetre, ChoixRubrique rubrique);
    // Any two actions; an empty one leaves its key to the controls.
    ToucheAide(QWidget* fenetre, std::function<void()> surF1, std::function<void()> surF2);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    QPointer<QWidget> fenetre_;
    std::function<void()> surF1_;
    std::function<void()> surF2_;
    bool enCours_ = false;
};

// What a help button does: sends the F1 key to the active window (or, when none is
// active, to the button's own window), so that it reaches that window's F1 handler.
void Envoyer_Touche_F1(QWidget* depuis);
