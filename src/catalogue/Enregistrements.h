#pragma once

#include <QString>

#include <optional>

// What an item is, and how its program shows when started. Their stored codes are the
// positions of the program editor's type options and mode list.
enum class TypeElement { Programme = 0, Fichier = 1, LienInternet = 2, Mail = 3 };
enum class ModeAffichage { Minimise = 0, Normal = 1, Maximise = 2 };

// A code as the catalogue holds it: the value it names, or, when another tool wrote a
// text that names none (" 1", "7", nothing), that text kept as it is, so that it shows,
// starts and is written back as before.
template <typename Valeur> class CodeStocke {
public:
    CodeStocke() = default;
    // NOLINTNEXTLINE(google-explicit-constructor): a value is always a valid code
    CodeStocke(Valeur valeur)
        : valeur_(valeur) {}
    // The stored codes are the values' numbers, as exact texts.
    static CodeStocke lu(const QString& texte);

    std::optional<Valeur> valeur() const { return valeur_; }
    bool est(Valeur valeur) const { return valeur_ == valeur; }
    // What is stored: the value's number, or the text that named none.
    QString texte() const { return valeur_ ? QString::number(static_cast<int>(*valeur_)) : autre_; }
    bool operator==(const CodeStocke& autre) const = default;

private:
    // " 1" or "01" name nothing: they are kept as written.
    static CodeStocke depuis(const QString& texte, int nombre) {
        CodeStocke code;
        for (int i = 0; i < nombre; ++i)
            if (texte == QString::number(i)) code.valeur_ = static_cast<Valeur>(i);
        if (!code.valeur_) code.autre_ = texte;
        return code;
    }

    std::optional<Valeur> valeur_;
    QString autre_;
};

template <> CodeStocke<TypeElement> CodeStocke<TypeElement>::lu(const QString& texte);
template <> CodeStocke<ModeAffichage> CodeStocke<ModeAffichage>::lu(const QString& texte);

// A row of the categories. The colour is stored as "-1" for a colour drawn at each build
// of the windows, else as the number red + 256 x green + 65536 x blue; a display flag
// other than "1" is read as not displayed.
struct Categorie {
    QString nom;
    QString icone;
    bool affichee = true;
    std::optional<qint64> couleur; // nothing: random

    bool operator==(const Categorie&) const = default;
};

// A row of the items.
struct Element {
    QString nom;
    QString chemin;
    QString categorie;
    CodeStocke<ModeAffichage> mode;
    CodeStocke<TypeElement> type;

    bool operator==(const Element&) const = default;
};
// Texts alone: a list of ten thousand grows by moving their bytes, not item by item.
Q_DECLARE_TYPEINFO(Element, Q_RELOCATABLE_TYPE);

// What the deletion of a category took with it.
struct SuppressionCategorie {
    int categories = 0;
    int elements = 0;
};
