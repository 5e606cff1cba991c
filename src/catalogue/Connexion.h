#pragma once

#include <QString>

#include <memory>
#include <stdexcept>

struct sqlite3;
class PriseMoteur;

// A failure of the catalogue, with a French description fit for a message box and the
// number of the underlying error.
class ErreurCatalogue : public std::runtime_error {
public:
    ErreurCatalogue(const QString& description, int numero);
    const QString& description() const { return description_; }
    int numero() const { return numero_; }
    // The catalogue refused a name equal (under its collation) to one it holds.
    bool doublon() const;
    // What went wrong, in one French sentence, for a refused change.
    QString cause() const;
    // The same sentence for an error number of the engine.
    static QString causeDe(int code);

    // The number of a failure to load the engine itself, outside the engine's own.
    static constexpr int MoteurIntrouvable = -1;

private:
    QString description_;
    int numero_;
};

// The one connection to the catalogue file. The file must already exist with its two
// tables: the program never creates it.
class Connexion {
public:
    Connexion();
    ~Connexion();
    Connexion(const Connexion&) = delete;
    Connexion& operator=(const Connexion&) = delete;

    // Opens the file for reading and writing, or throws ErreurCatalogue saying why not.
    void Open(const QString& chemin);
    // Opens again a file that Open accepted, without its checks: a change since then
    // shows in the statements' own failures.
    void Reprendre(const QString& chemin);
    void Close();
    bool estOuverte() const { return base_ != nullptr; }
    sqlite3* base() const { return base_.get(); }
    const QString& chemin() const { return chemin_; }

    // Checks, without changing a byte of it, that the file can serve as the catalogue:
    // a database holding both tables with their columns, readable now and writable.
    // Throws ErreurCatalogue otherwise.
    static void verifier(const QString& chemin);

private:
    void ouvrir(const QString& chemin, bool verifications);
    struct Fermeture {
        void operator()(sqlite3* base) const;
    };
    // Declared first, so that the connection is closed before the engine is let go.
    std::unique_ptr<PriseMoteur> moteur_;
    std::unique_ptr<sqlite3, Fermeture> base_;
    QString chemin_;
};
