#pragma once

#include "catalogue/Connexion.h"
#include "catalogue/Enregistrements.h"
#include "catalogue/JeuEnregistrements.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <initializer_list>
#include <memory>
#include <optional>
#include <utility>

struct sqlite3_stmt;

// The connection, the one result set and the text of the statement being issued.
class Catalogue {
public:
    Connexion connexion;
    JeuEnregistrements jeu;
    QString TexteSQL;

    // Puts the text into TexteSQL and opens the result set on it.
    void executer(const QString& instruction);

    // Runs a statement that changes rows and gives the number of rows it changed: an
    // UPDATE or a DELETE whose row has gone meanwhile changes none, without failing.
    int modifier(const QString& instruction);

    // Runs the statements in one transaction: all of them are applied, or, when one
    // fails, none, and the failure is thrown. Gives the rows each statement changed.
    QList<int> executerEnsemble(const QStringList& instructions);

    // Row readers for the windows: one column of every row, the named columns of the
    // first row (nothing when there is none), the number of rows.
    QStringList colonne(const QString& selection, const QString& nomColonne);
    std::optional<QStringList> premiereLigne(const QString& selection,
                                             const QStringList& colonnes);
    int compter(const QString& selection);

    // Issues a SELECT and calls the reader once per row, the set positioned on it;
    // the set is closed afterwards, whatever happens.
    template <typename Lecteur> void parcourir(const QString& selection, Lecteur&& lecteur);

    void ouvrir(const QString& chemin) {
        oublierPreparees();
        connexion.Open(chemin);
    }
    // Releases the set and the connection; never fails.
    void fermer() noexcept;

    // The operations of the windows, each a statement prepared once per connection with
    // its values bound. Each throws ErreurCatalogue, whose cause is in French. Lists come
    // in French order of the names.
    QList<Categorie> categoriesAffichees();
    QList<Categorie> categories();
    std::optional<Categorie> categorie(const QString& nom);
    int compterElementsDe(const QString& categorie);
    QList<Element> elementsDe(const QString& categorie);
    QList<Element> elements();
    std::optional<Element> element(const QString& nom);
    // Each gives the number of rows it changed: a change of a row gone meanwhile changes
    // none, without failing.
    int ajouter(const Categorie& categorie);
    int modifier(const Categorie& categorie);
    int ajouter(const Element& element);
    int modifier(const Element& element);
    int supprimerElement(const QString& nom);
    // The category and its items in one transaction.
    SuppressionCategorie supprimerCategorie(const QString& nom);
    // The first-use rows, each only where no row of its name exists; the first that
    // fails ends the seeding, the rows before it kept.
    void donneesInitiales(const QList<Categorie>& categories, const QList<Element>& elements);

    enum class Instruction;
    static constexpr std::size_t NombreInstructions = 19;

private:
    class Execution;
    struct Finalisation {
        void operator()(sqlite3_stmt* requete) const;
    };
    sqlite3_stmt* preparee(Instruction instruction);
    void oublierPreparees() noexcept;
    void annuler() noexcept;
    QList<Categorie> lireCategories(Instruction instruction,
                                    std::initializer_list<QString> valeurs);
    QList<Element> lireElements(Instruction instruction, std::initializer_list<QString> valeurs);

    std::array<std::unique_ptr<sqlite3_stmt, Finalisation>, NombreInstructions> preparees_;
    const void* baseDesPreparees_ = nullptr;
};

// Closes the shared set when a reader leaves, by any path.
class FermetureJeu {
public:
    explicit FermetureJeu(JeuEnregistrements& jeu)
        : jeu_(jeu) {}
    ~FermetureJeu() { jeu_.Close(); }
    FermetureJeu(const FermetureJeu&) = delete;
    FermetureJeu& operator=(const FermetureJeu&) = delete;

private:
    JeuEnregistrements& jeu_;
};

template <typename Lecteur> void Catalogue::parcourir(const QString& selection, Lecteur&& lecteur) {
    executer(selection);
    FermetureJeu fermeture(jeu);
    if (jeu.Bof() || jeu.Eof()) return;
    jeu.MoveFirst();
    while (!jeu.Eof()) {
        std::forward<Lecteur>(lecteur)(static_cast<const JeuEnregistrements&>(jeu));
        jeu.MoveNext();
    }
}
