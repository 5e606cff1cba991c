#pragma once

#include <QHash>
#include <QString>

#include <utility>

// Names compare and sort as a French user expects: letter case never matters, for
// accented letters too ("éCOLE" equals "École"); accents matter for equality but sort
// after the base letter ("École" comes among the e, "Zèbre" after "avion"). The catalogue's
// text columns are declared with this collation, so "=" and ORDER BY use it.
namespace Collation {

inline constexpr const char* Nom = "FRANCAIS";

// Negative, zero or positive, as for a sort; zero exactly when the names are equal
// ignoring case (and canonical Unicode composition).
int comparer(const QString& a, const QString& b);
int comparerUtf8(const char* a, int longueurA, const char* b, int longueurB);

// Whether texts equal one name, as comparer tells, each distinct text compared once: most
// of a category's items write its name alike, so a pass over thousands of items compares
// a few texts, not thousands. The catalogue shares the text of a name among the rows it
// reads: such a text is known again by where it lies.
class MemeNom {
public:
    explicit MemeNom(QString nom = {})
        : nom_(std::move(nom)) {}
    bool operator()(const QString& texte) const;

private:
    QString nom_;
    mutable QHash<QString, bool> parTexte_;
    // Each text kept: nothing else can come to lie where it lies.
    mutable QHash<const QChar*, std::pair<QString, bool>> parAdresse_;
};

// What the collation compares first: the base letters, case folded, marks removed
// ("Éditeur d'été" gives "editeur d'ete"). Two names this makes equal differ at most by
// their accents; a text found in a name this way is found whatever its case or accents.
QString plier(const QString& texte);

// The comparison as SQLite calls a collation (UTF-8 texts), for the program's connections
// and for the extension.
int rappel(void* inutilise, int longueurA, const void* a, int longueurB, const void* b);

} // namespace Collation
