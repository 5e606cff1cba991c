#include "platform/linux/MessagesQt.h"

#include <QMessageBox>

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

} // namespace

ReponseMessage MessagesQt::afficher(QWidget* parent, const Message& message) {
    QMessageBox boite(iconeQt(message.icone), message.titre, message.texte,
                      boutonsQt(message.boutons), parent);
    boite.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    return reponse(boite.exec(), message.boutons);
}
