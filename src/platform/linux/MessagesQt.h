#pragma once

#include "platform/Messages.h"

// The real modal message boxes.
class MessagesQt final : public ServiceMessages {
public:
    using ServiceMessages::afficher;
    ReponseMessage afficher(QWidget* parent, const Message& message) override;
};
