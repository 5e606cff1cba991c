#pragma once

#include "platform/Messages.h"

#include <QList>

// Answers message boxes from a script and keeps every message shown, in order.
class MessagesScriptes final : public ServiceMessages {
public:
    using ServiceMessages::afficher;
    ReponseMessage afficher(QWidget* parent, const Message& message) override;

    // The next answers, used first to last; once spent, an OK box answers OK and any
    // other box its negative button (Non, or Annuler).
    QList<ReponseMessage> reponses;
    QList<Message> vus;

    QStringList textes() const;
};
