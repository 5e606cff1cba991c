#pragma once

#include "catalogue/Connexion.h"
#include "catalogue/Enregistrements.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <utility>

struct sqlite3;
struct sqlite3_stmt;

// The connection and the operations on the catalogue. Statement texts, column names and
// result sets stay in this folder: the rest of the program gets and gives records.
class Catalogue {
public:
    Connexion connexion;

    void ouvrir(const QString& chemin) {
        oublierPreparees();
        connexion.Open(chemin);
        chemin_ = chemin;
    }
    // Releases the set and the connection; never fails. Operations fail from then on.
    void fermer() noexcept;
    // Lets the catalogue rest while nothing reads it: the connection is closed and the
    // engine unloaded; the next operation opens the file again. Only between operations,
    // never within a transaction.
    void liberer() noexcept;
    // What tells that someone wrote the file: its identity, size and times, and the change
    // counter the engine keeps in its header. Two equal readings: nobody wrote it between
    // them. A file that cannot be read gives a reading equal to no other.
    struct Empreinte {
        bool lue = false;
        quint64 peripherique = 0, inode = 0;
        qint64 taille = 0, modification = 0, changement = 0; // times in nanoseconds
        quint32 compteur = 0;
        bool operator==(const Empreinte& autre) const {
            return lue && autre.lue && peripherique == autre.peripherique && inode == autre.inode &&
                   taille == autre.taille && modification == autre.modification &&
                   changement == autre.changement && compteur == autre.compteur;
        }
    };
    Empreinte empreinte() const;
    // Between ouvrir and fermer, resting or not.
    bool estOuvert() const { return !chemin_.isEmpty(); }
    // The live connection, opened again if the catalogue was resting; throws
    // ErreurCatalogue once closed or when the file cannot be opened again.
    sqlite3* base();

    // The operations of the windows, each a statement prepared once per connection with
    // its values bound. Each throws ErreurCatalogue, whose cause is in French. Lists come
    // in French order of the names.
    QList<Categorie> categoriesAffichees();
    QList<Categorie> categories();
    std::optional<Categorie> categorie(const QString& nom);
    int compterElementsDe(const QString& categorie);
    QList<Element> elementsDe(const QString& categorie);
    QList<Element> elements();
    // Every item as elements() gives them, but in no order, for a reader that orders
    // what it keeps itself: much cheaper on a large catalogue.
    QList<Element> elementsSansOrdre();
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
    // Rows brought in together: all of them are written, or, when one fails, none.
    void ajouterEnsemble(const QList<Categorie>& categories, const QList<Element>& elements);

    enum class Instruction;
    static constexpr std::size_t NombreInstructions = 20;

private:
    class Execution;
    struct Finalisation {
        void operator()(sqlite3_stmt* requete) const;
    };
    sqlite3_stmt* preparee(Instruction instruction);
    void oublierPreparees() noexcept;
    void annuler() noexcept;
    QList<Categorie> lireCategories(Instruction instruction, const QStringList& valeurs);
    QList<Element> lireElements(Instruction instruction, const QStringList& valeurs);

    std::array<std::unique_ptr<sqlite3_stmt, Finalisation>, NombreInstructions> preparees_;
    const void* baseDesPreparees_ = nullptr;
    QString chemin_;
};

// Lets the catalogue rest when the scope that reads it ends, however it ends.
class ReposCatalogue {
public:
    explicit ReposCatalogue(Catalogue& catalogue)
        : catalogue_(catalogue) {}
    ~ReposCatalogue() { catalogue_.liberer(); }
    ReposCatalogue(const ReposCatalogue&) = delete;
    ReposCatalogue& operator=(const ReposCatalogue&) = delete;

private:
    Catalogue& catalogue_;
};
