#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Window geometry is written in twips (1440 per inch) and turned into pixels here,
// from the logical resolution of the primary screen, and nowhere else.
namespace Twips {

inline constexpr int ParPouce = 1440;

int enPixelsX(int twips);
int enPixelsY(int twips);
int versTwipsX(int pixels);
int versTwipsY(int pixels);
QRect rectEnPixels(int gauche, int haut, int largeur, int hauteur);
QSize tailleEnPixels(int largeur, int hauteur);

// The primary screen, in twips, read at the moment of the call.
int largeurEcran();
int hauteurEcran();

} // namespace Twips
