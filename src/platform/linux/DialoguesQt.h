#pragma once

#include "platform/Dialogues.h"

// Qt's own dialogs (the platform's where it has them), in French.
class DialoguesQt final : public ServiceDialogues {
public:
    std::optional<QString> fichierAOuvrir(QWidget* parent,
                                          const DemandeOuverture& demande) override;
    std::optional<QString> fichierAEnregistrer(QWidget* parent,
                                               const DemandeEnregistrement& demande) override;
    std::optional<QColor> couleur(QWidget* parent, const QColor& depart) override;
};
