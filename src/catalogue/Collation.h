#pragma once

#include <QString>

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

// What the collation compares first: the base letters, case folded, marks removed
// ("Éditeur d'été" gives "editeur d'ete"). Two names this makes equal differ at most by
// their accents; a text found in a name this way is found whatever its case or accents.
QString plier(const QString& texte);

// The comparison as SQLite calls a collation (UTF-8 texts), for the program's connections
// and for the extension.
int rappel(void* inutilise, int longueurA, const void* a, int longueurB, const void* b);

} // namespace Collation
