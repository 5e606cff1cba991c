#include "support/DialoguesScriptes.h"

#include <QDir>
#include <QFileInfo>

std::optional<QString> DialoguesScriptes::fichierAOuvrir(QWidget*,
                                                         const DemandeOuverture& demande) {
    ouvertures << demande;
    return fichiers.isEmpty() ? std::nullopt : fichiers.takeFirst();
}

std::optional<QString> DialoguesScriptes::fichierAEnregistrer(
    QWidget*, const DemandeEnregistrement& demande) {
    enregistrements << demande;
    std::optional<QString> nom = fichiers.isEmpty() ? std::nullopt : fichiers.takeFirst();
    // As the real dialog does: a name typed without extension takes the default one.
    if (nom && QFileInfo(*nom).suffix().isEmpty() && !demande.extensionParDefaut.isEmpty())
        *nom += QLatin1Char('.') + demande.extensionParDefaut;
    return nom;
}

std::optional<QColor> DialoguesScriptes::couleur(QWidget*, const QColor& depart) {
    departsCouleur << depart;
    return couleurs.isEmpty() ? std::nullopt : couleurs.takeFirst();
}
