#include "support/MessagesScriptes.h"

ReponseMessage MessagesScriptes::afficher(QWidget*, const Message& message) {
    vus.append(message);
    if (!reponses.isEmpty()) return reponses.takeFirst();
    switch (message.boutons) {
    case BoutonsMessage::OK:
        return ReponseMessage::OK;
    case BoutonsMessage::OuiNon:
        return ReponseMessage::Non;
    default:
        return ReponseMessage::Annuler;
    }
}

QStringList MessagesScriptes::textes() const {
    QStringList t;
    for (const Message& m : vus)
        t << m.texte;
    return t;
}
