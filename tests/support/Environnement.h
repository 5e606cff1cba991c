#pragma once

#include "core/Contexte.h"

#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class AideFactice;
class DemarrageSessionMemoire;
class DialoguesScriptes;
class ImpressionPdf;
class MessagesScriptes;
class ParametresMemoire;
class RaccourciScripte;
class ShellFactice;

// An isolated run of the program for a test: a temporary application folder holding a
// fresh copy of the delivered files, and a context whose services are fakes that the
// test scripts and reads back: in-memory settings and autostart, scripted message boxes
// and dialogs, desktop services and help that start nothing, printing into a PDF file,
// a desktop key that a test presses.
class Environnement {
public:
    struct Options {
        // False: the folder has no donnees.fdl.
        bool copierCatalogue = true;
        // True: the context's connection is open on the folder's catalogue.
        bool ouvrirCatalogue = false;
        qint32 delaiFermeture = 0;
        // True: laid out as installed system-wide, the folder's donnees.fdl being the
        // pristine one and the user's catalogue under maison/ (not made).
        bool installationSysteme = false;
        // Puts real services, or fakes of its own, in place of the fakes before the
        // context is built; a service it replaces has no accessor here any more.
        std::function<void(ServicesPlateforme&)> remplacerServices = nullptr;
    };
    // What the launcher windows expect: the catalogue open, a five-second delay.
    static Options lanceur() { return {.ouvrirCatalogue = true, .delaiFermeture = 5}; }

    Environnement();
    explicit Environnement(Options options);
    ~Environnement();

    QString dossier() const; // ends with "/"
    QString cheminCatalogue() const { return dossier() + QStringLiteral("donnees.fdl"); }
    // The user's own catalogue of a system-wide install.
    QString catalogueUtilisateur() const {
        return dossier() + QStringLiteral("maison/dalvire/donnees.fdl");
    }

    Contexte& contexte() { return *contexte_; }
    MessagesScriptes& messages() { return *messages_; }
    ParametresMemoire& parametres() { return *parametres_; }
    DemarrageSessionMemoire& demarrageSession() { return *demarrage_; }
    ShellFactice& shell() { return *shell_; }
    AideFactice& aide() { return *aide_; }
    DialoguesScriptes& dialogues() { return *dialogues_; }
    ImpressionPdf& impression() { return *impression_; }
    RaccourciScripte& raccourci() { return *raccourci_; }

    // Opens the catalogue of the folder on the context's connection.
    void ouvrirCatalogue();
    // Statements written by hand, as another tool would write them; throws ErreurCatalogue.
    void executer(const QString& instructions);
    // Runs one statement and returns the rows as "a|b|c" lines, in result order.
    QStringList lignes(const QString& selection, const QStringList& colonnes);
    // Test rows written as they are; a null QString is a NULL column.
    void ajouterCategorie(const QString& nom, const QString& icone, const QString& affiche,
                          const QString& couleur);
    void ajouterProgramme(const QString& nom, const QString& chemin, const QString& categorie,
                          const QString& demarrage, const QString& typefichier);
    // "file number" per help topic asked for, in order.
    QStringList rubriques() const;

private:
    QTemporaryDir dossier_;
    MessagesScriptes* messages_ = nullptr;
    ParametresMemoire* parametres_ = nullptr;
    DemarrageSessionMemoire* demarrage_ = nullptr;
    ShellFactice* shell_ = nullptr;
    AideFactice* aide_ = nullptr;
    DialoguesScriptes* dialogues_ = nullptr;
    ImpressionPdf* impression_ = nullptr;
    RaccourciScripte* raccourci_ = nullptr;
    std::unique_ptr<Contexte> contexte_;
};

// A control as a screen reader gets it: "name|description|its captions|what it captions".
QString Lecture_Accessible(QWidget* controle);

// The names of catalogue rows (categories or items), in their order.
template <typename Ligne> QStringList Noms(const QList<Ligne>& lignes) {
    QStringList noms;
    for (const Ligne& l : lignes)
        noms << l.nom;
    return noms;
}

// Path of a delivered file of the built application folder.
QString Fichier_Livre(const QString& nomRelatif);
