#pragma once

#include "catalogue/Enregistrements.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <functional>
#include <vector>

// Finding items by what the user types, in memory, over the catalogue's items as they
// were when the search opened. Letter case and accents never count: names and text are folded by the
// catalogue's collation. The text is plain text: no character of it is a wildcard.
//
// A text of several words (split at blanks) finds the names that hold every word. The
// names found come in three groups, each word placing the name:
//   0  the name begins with the text: its first word begins the name, and every other
//      word begins a word of the name;
//   1  a word of the name begins with the text: the first word, and every other, begins
//      a word of the name;
//   2  the name only holds the text: some word lies inside a word of the name.
// A word of a name begins after anything that is neither a letter nor a digit ("été" in
// "Notes d'été"). Within a group, the items started most lately first, then French order.
// An empty text finds every item, in that order.
class IndexRecherche {
public:
    // What an item's starts weigh, by its name, at the moment the search opened.
    using Poids = std::function<double(const QString& nom)>;

    IndexRecherche() = default;
    // The items in any order: the search orders only what it gives.
    IndexRecherche(QList<Element> elements, const Poids& poids);

    // The items found for the text, best first, at most that many.
    QList<Element> chercher(const QString& texte, int maximum) const;

    qsizetype taille() const { return static_cast<qsizetype>(entrees_.size()); }

    // The group of a name for a text (as above), or -1 when the text does not find it.
    static int groupe(QStringView nomPlie, const QStringList& motsPlies);

private:
    struct Entree {
        Element element;
        qsizetype debutPlie = 0; // where its folded name lies in plies_
        qsizetype longueurPlie = 0;
        double poids = 0;
    };
    QStringView plie(std::size_t entree) const;
    bool avantEnFrancais(std::size_t a, std::size_t b) const;

    // In the order given, which settles the ties French order leaves.
    std::vector<Entree> entrees_;
    // Every folded name end to end: one block rather than one per name.
    QString plies_;
};

// The items an empty text gives, as IndexRecherche::chercher(QString(), maximum) over
// those items (in French order of the names, as the catalogue lists them) with those
// weights, found without folding every name: the items started, the heaviest first, then
// the first names. What a search window shows while its index is being made.
QList<Element> Premiers_Elements(const QList<Element>& elements,
                                 const QHash<QString, double>& poids, int maximum);
