#pragma once

#include "base/Textes.h"
#include "ui/Controles.h"

#include <QColor>
#include <QString>

#include <array>

class Contexte;
class QLabel;
class QAbstractItemView;
class QListView;
class QWidget;

// The pieces both pages of the management window are built from, and how they read
// their lists.
namespace PagesGestion {

inline const QString ToutesCategories = QStringLiteral("(Toutes les catégories)");
inline const QString Total = QStringLiteral("Total: ");
inline constexpr int PagesGauche = 1500;

// The program's own pictures, in the application folder.
QString Image(const Contexte& contexte, const char* nom);

// A detail's value, in bold, beside its caption.
Controles::EtiquetteValeur* Donnee(QWidget* page, const QString& bulle, int haut,
                                   int hauteur = 255);

// "Total: n" under a list.
Controles::EtiquetteValeur* Total_Lignes(QWidget* page, const QString& bulle);

// The row of buttons under a list: each as wide as its caption needs in the windows' face
// at 96 to 192 dpi, the row no wider than the list and the gap beside it.
inline constexpr std::array<int, 3> GaucheBoutons{120, 885, 1575};
inline constexpr std::array<int, 3> LargeurBoutons{750, 675, 825};

// As tall as a line of its face, whose ascent leaves room for accents above capitals.
QLabel* Titre(QWidget* page, const QString& texte);

// A picture of the application folder, beside the pages.
QLabel* Decoration(QWidget* parent, const QString& image, int cote, int gauche, int haut);

QListView* Liste(QWidget* page, const QString& bulle, int haut, int hauteur);

// Puts a list on a line, or on none for a position it does not hold.
void Positionner(QAbstractItemView* liste, int position);

// The selected line, whichever way it was chosen (a click selects after the line became
// the current one; Space selects the current line without moving).
int Position(const QAbstractItemView* liste);

QString Texte_Choisi(const QAbstractItemView* liste);

// A colour as a screen reader says it.
QString Nom_Couleur(const QColor& c);

} // namespace PagesGestion
