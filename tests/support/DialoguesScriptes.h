#pragma once

#include "platform/Dialogues.h"

#include <QList>

// Answers file and colour dialogs from a script and keeps what each was asked to show.
// An answer left unset (std::nullopt) is the user cancelling; once the script is spent,
// every dialog is cancelled.
class DialoguesScriptes final : public ServiceDialogues {
public:
    std::optional<QString> fichierAOuvrir(QWidget* parent,
                                          const DemandeOuverture& demande) override;
    std::optional<QString> fichierAEnregistrer(QWidget* parent,
                                               const DemandeEnregistrement& demande) override;
    std::optional<QColor> couleur(QWidget* parent, const QColor& depart) override;

    QList<std::optional<QString>> fichiers;
    QList<std::optional<QColor>> couleurs;

    QList<DemandeOuverture> ouvertures;
    QList<DemandeEnregistrement> enregistrements;
    QList<QColor> departsCouleur;
};
