#include "ui/ToucheAide.h"

#include "core/Contexte.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

ToucheAide::ToucheAide(Contexte& contexte, QWidget* fenetre, ChoixRubrique rubrique)
    : ToucheAide(
          fenetre,
          [&contexte, fenetre, rubrique = std::move(rubrique)] {
              Afficher_Aide(contexte, fenetre, rubrique());
          },
          [&contexte, fenetre] { contexte.afficherAPropos(fenetre); }) {}

ToucheAide::ToucheAide(QWidget* fenetre, std::function<void()> surF1, std::function<void()> surF2)
    : QObject(fenetre)
    , fenetre_(fenetre)
    , surF1_(std::move(surF1))
    , surF2_(std::move(surF2)) {
    // Key presses go to the focused control, and a control that uses a key never
    // passes it to its window: only the application sees every one of them first.
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(this);
}

bool ToucheAide::eventFilter(QObject* objet, QEvent* evenement) {
    if (evenement->type() != QEvent::KeyPress || enCours_ || !fenetre_) return false;
    const auto* cible = qobject_cast<QWidget*>(objet);
    if (!cible || cible->window() != fenetre_) return false;

    const auto* touche = static_cast<QKeyEvent*>(evenement);
    const std::function<void()>* action = nullptr;
    if (touche->key() == Qt::Key_F1)
        action = &surF1_;
    else if (touche->key() == Qt::Key_F2)
        action = &surF2_;
    if (!action || !*action) return false;
    // A held key would open the About box again each time it closes.
    if (touche->isAutoRepeat()) return true;

    enCours_ = true;
    const QPointer<ToucheAide> garde(this);
    (*action)();
    if (garde) enCours_ = false;
    return true;
}

void Envoyer_Touche_F1(QWidget* depuis) {
    QWidget* fenetre = QApplication::activeWindow();
    if (!fenetre && depuis) fenetre = depuis->window();
    if (!fenetre) return;
    QWidget* cible = fenetre->focusWidget() ? fenetre->focusWidget() : fenetre;
    // Posted, as a keystroke would be: the button's click handler ends first.
    QCoreApplication::postEvent(cible, new QKeyEvent(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier));
    QCoreApplication::postEvent(cible,
                                new QKeyEvent(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier));
}
