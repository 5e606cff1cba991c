#include "platform/linux/MessagesQt.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

namespace {

QMessageBox::Icon iconeQt(IconeMessage icone) {
    switch (icone) {
    case IconeMessage::Information:
        return QMessageBox::Information;
    case IconeMessage::Exclamation:
        return QMessageBox::Warning;
    case IconeMessage::Critique:
        return QMessageBox::Critical;
    case IconeMessage::Question:
        return QMessageBox::Question;
    case IconeMessage::Aucune:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boutonsQt(BoutonsMessage boutons) {
    switch (boutons) {
    case BoutonsMessage::OK:
        return QMessageBox::Ok;
    case BoutonsMessage::OKAnnuler:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case BoutonsMessage::OuiNon:
        return QMessageBox::Yes | QMessageBox::No;
    case BoutonsMessage::OuiNonAnnuler:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

ReponseMessage reponse(int bouton, BoutonsMessage boutons) {
    switch (bouton) {
    case QMessageBox::Ok:
        return ReponseMessage::OK;
    case QMessageBox::Yes:
        return ReponseMessage::Oui;
    case QMessageBox::No:
        return ReponseMessage::Non;
    default:
        break;
    }
    // Closing the box by its title bar counts as its escape button.
    return boutons == BoutonsMessage::OuiNon ? ReponseMessage::Non : ReponseMessage::Annuler;
}

// A box without a parent window on screen (none, or the hidden main window) is centred on
// the screen, as the dialogs are: Qt would centre it over the hidden window's place, near
// the top-left corner, or leave it to the window manager.
// Its size is known only once it is laid out for showing, and a wrapped text settles only
// at its second layout: both are done here, before the window is mapped, so that the window
// manager gets the final place and size at once.
class BoiteMessage : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* evenement) override {
        QMessageBox::showEvent(evenement);
        const QScreen* ecran = QGuiApplication::primaryScreen();
        if ((parentWidget() && parentWidget()->window()->isVisible()) || !ecran) return;
        QEvent miseEnPage(QEvent::LayoutRequest);
        QCoreApplication::sendEvent(this, &miseEnPage);
        const QRect zone = ecran->geometry();
        const QSize taille = frameGeometry().size();
        move(zone.x() + (zone.width() - taille.width()) / 2,
             zone.y() + (zone.height() - taille.height()) / 2);
    }
};

} // namespace

ReponseMessage MessagesQt::afficher(QWidget* parent, const Message& message) {
    BoiteMessage boite(iconeQt(message.icone), message.titre, message.texte,
                       boutonsQt(message.boutons), parent);
    boite.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    const ReponseMessage choisie = reponse(boite.exec(), message.boutons);
    // The window under the box takes the keys again, with its focus where it was: some
    // window managers give the focus back to no window at all once the box is gone.
    if (QWidget* fenetre = parent ? parent->window() : nullptr; fenetre && fenetre->isVisible()) {
        fenetre->activateWindow();
        if (QWidget* focus = fenetre->focusWidget()) focus->setFocus(Qt::ActiveWindowFocusReason);
    }
    return choisie;
}
