#pragma once

#include <QColor>

class QPalette;

// Colours of text chosen against a background the theme gives, light or dark, so that
// every text reads at the ratio the accessibility guidelines ask (4.5:1).
namespace Couleurs {
inline constexpr double ContrasteMinimum = 4.5;

// The contrast ratio of two colours, from 1 (the same) to 21 (black on white).
double contraste(const QColor& a, const QColor& b);

// The wanted colour, or, when it reads too faintly against the background, the first
// colour from it toward texte (which the theme makes readable there) that reads well.
QColor lisible(const QColor& voulue, const QColor& texte, const QColor& fond);

// A lighter shade of texte against fond (a part of the way toward fond), still readable.
QColor attenuee(const QColor& texte, const QColor& fond);

// A background for texte, from fond toward black or white (away from the text) until the
// text reads on it.
QColor fond(const QColor& fond, const QColor& texte);

// The palette's link colour, readable against its window.
QColor lien(const QPalette& palette);
} // namespace Couleurs
