#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

struct sqlite3_stmt;
class Connexion;

// The one result set through which every statement is issued, one at a time. A SELECT
// leaves it open on its rows, forward only; any other statement runs to its end and
// leaves it closed. (Bof/Eof stand for BOF/EOF: the C library owns the name EOF.)
class JeuEnregistrements {
public:
    JeuEnregistrements() = default;
    ~JeuEnregistrements();
    JeuEnregistrements(const JeuEnregistrements&) = delete;
    JeuEnregistrements& operator=(const JeuEnregistrements&) = delete;

    // Throws ErreurCatalogue when the statement fails, or when the set is still open
    // on an earlier SELECT.
    void Open(const QString& source, Connexion& connexion);
    void Close();
    bool estOuvert() const { return requete_ != nullptr; }

    bool Bof() const { return bof_; }
    bool Eof() const { return eof_; }
    // Forward only: the first row is the current one until MoveNext.
    void MoveFirst();
    void MoveNext();

    // The value of the named column on the current row; a NULL is an invalid variant.
    QVariant Fields(const QString& colonne) const;

private:
    void lireLigne();
    [[noreturn]] void echouer(int code);

    sqlite3_stmt* requete_ = nullptr;
    QStringList colonnes_;
    QVariantList ligne_;
    bool bof_ = true;
    bool eof_ = true;
    bool aBouge_ = false;
};

// A field read as text: NULL, or no such field, reads as "".
QString Valeur_Champ(const QVariant& champ);
