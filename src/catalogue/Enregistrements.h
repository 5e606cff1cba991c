#pragma once

#include <QString>

#include <optional>

// What an item is, and how its program shows when started. Their stored codes are the
// positions of the program editor's type options and mode list.
enum class TypeElement { Programme = 0, Fichier = 1, LienInternet = 2, Mail = 3 };
enum class ModeAffichage { Minimise = 0, Normal = 1, Maximise = 2 };

// The stored code of a value, and the value a stored code names; a code written by
// another tool may name none, and is then shown and used as it is stored.
QString Code(TypeElement type);
QString Code(ModeAffichage mode);
std::optional<TypeElement> Type_Element(const QString& code);
std::optional<ModeAffichage> Mode_Affichage(const QString& code);

// A row of the categories. The colour is stored as "-1" for a colour drawn at each build
// of the windows, else as the number red + 256 x green + 65536 x blue.
struct Categorie {
    QString nom;
    QString icone;
    bool affichee = true;
    std::optional<qint64> couleur; // nothing: random
    // The stored texts, as another tool may have written them.
    QString afficheStocke;
    QString couleurStockee;
};

// A row of the items. The codes are kept as stored: a code that names no value still
// shows, and starts, as it is.
struct Element {
    QString nom;
    QString chemin;
    QString categorie;
    QString demarrage;
    QString typefichier;

    std::optional<TypeElement> type() const { return Type_Element(typefichier); }
    std::optional<ModeAffichage> mode() const { return Mode_Affichage(demarrage); }
};
// Texts alone: a list of ten thousand grows by moving their bytes, not item by item.
Q_DECLARE_TYPEINFO(Element, Q_RELOCATABLE_TYPE);

// What the deletion of a category took with it.
struct SuppressionCategorie {
    int categories = 0;
    int elements = 0;
};
