#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// What a file-open dialog is asked to show. Filters read as Qt writes them:
// "Fichiers Icônes (*.ico)", the first one selected.
struct DemandeOuverture {
    QString titre;
    QStringList filtres;
    QString dossierInitial;
    // Executables only, under the first filter: the list shows files the user may run
    // (and folders to walk).
    bool executablesSeulement = false;
};

// What a save dialog is asked to show. A name typed without extension takes the default
// one; an existing file is confirmed before it is overwritten; the folder must exist.
struct DemandeEnregistrement {
    QString titre;
    QStringList filtres;
    QString extensionParDefaut;
    QString nomInitial;
};

// File and colour dialogs go through this seam so that tests answer them from a script.
// Each returns nothing when the user cancelled.
class ServiceDialogues {
public:
    virtual ~ServiceDialogues() = default;
    virtual std::optional<QString> fichierAOuvrir(QWidget* parent,
                                                  const DemandeOuverture& demande) = 0;
    virtual std::optional<QString> fichierAEnregistrer(QWidget* parent,
                                                       const DemandeEnregistrement& demande) = 0;
    virtual std::optional<QColor> couleur(QWidget* parent, const QColor& depart) = 0;
};
