#pragma once

#include "core/Contexte.h"

#include <QTemporaryDir>

#include <memory>

class AideFactice;
class DialoguesScriptes;
class MessagesScriptes;
class ParametresMemoire;
class ShellFactice;
class QWidget;

// A settings store and autostart service that a test reads back.
class DemarrageSessionMemoire;

// An isolated run of the program for a test: a temporary application folder holding a
// fresh copy of the delivered files, in-memory settings, scripted message boxes.
class Environnement {
public:
    // With copierCatalogue false the folder has no donnees.fdl.
    explicit Environnement(bool copierCatalogue = true);
    ~Environnement();

    QString dossier() const; // ends with "/"
    QString cheminCatalogue() const { return dossier() + QStringLiteral("donnees.fdl"); }

    Contexte& contexte() { return *contexte_; }
    MessagesScriptes& messages() { return *messages_; }
    ParametresMemoire& parametres() { return *parametres_; }
    DemarrageSessionMemoire& demarrageSession() { return *demarrage_; }
    // The fake desktop services and help of the context.
    ShellFactice& shell();
    AideFactice& aide();
    // The scripted file and colour dialogs of the context.
    DialoguesScriptes& dialogues();

    // Opens the catalogue of the folder on the context's connection.
    void ouvrirCatalogue();
    // Runs one statement and returns the rows as "a|b|c" lines, in result order.
    QStringList lignes(const QString& selection, const QStringList& colonnes);

    // Extra services a test may want to replace before building the context.
    static ServicesPlateforme servicesDeTest(MessagesScriptes*& messages,
                                             ParametresMemoire*& parametres,
                                             DemarrageSessionMemoire*& demarrage);

private:
    QTemporaryDir dossier_;
    MessagesScriptes* messages_ = nullptr;
    ParametresMemoire* parametres_ = nullptr;
    DemarrageSessionMemoire* demarrage_ = nullptr;
    std::unique_ptr<Contexte> contexte_;
};

#include "platform/Autostart.h"

#include <QList>
#include <QMap>

class DemarrageSessionMemoire final : public ServiceDemarrageSession {
public:
    void ecrire(const QString& nomValeur, const QString& chemin) override {
        valeurs.insert(nomValeur, chemin);
        journal << QStringLiteral("ecrire ") + nomValeur + QStringLiteral("=") + chemin;
    }
    void supprimer(const QString& nomValeur) override {
        journal << QStringLiteral("supprimer ") + nomValeur +
                       (valeurs.remove(nomValeur) ? QString() : QStringLiteral(" (absente)"));
    }
    QMap<QString, QString> valeurs;
    QStringList journal;
};

// Path of a delivered file of the built application folder.
QString Fichier_Livre(const QString& nomRelatif);
