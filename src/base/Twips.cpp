#include "base/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {

QScreen* ecran() {
    return QGuiApplication::primaryScreen();
}

double ppp(bool horizontal) {
    const QScreen* e = ecran();
    if (!e) return 96.0;
    const double valeur = horizontal ? e->logicalDotsPerInchX() : e->logicalDotsPerInchY();
    return valeur > 0 ? valeur : 96.0;
}

int arrondi(double v) {
    return static_cast<int>(std::lround(v));
}

} // namespace

namespace Twips {

int enPixelsX(int twips) {
    return arrondi(twips * ppp(true) / ParPouce);
}
int enPixelsY(int twips) {
    return arrondi(twips * ppp(false) / ParPouce);
}
int versTwipsX(int pixels) {
    return arrondi(pixels * ParPouce / ppp(true));
}
int versTwipsY(int pixels) {
    return arrondi(pixels * ParPouce / ppp(false));
}

QRect rectEnPixels(int gauche, int haut, int largeur, int hauteur) {
    return QRect(enPixelsX(gauche), enPixelsY(haut), enPixelsX(largeur), enPixelsY(hauteur));
}

QSize tailleEnPixels(int largeur, int hauteur) {
    return QSize(enPixelsX(largeur), enPixelsY(hauteur));
}

int largeurEcran() {
    const QScreen* e = ecran();
    return e ? versTwipsX(e->geometry().width()) : 0;
}

int hauteurEcran() {
    const QScreen* e = ecran();
    return e ? versTwipsY(e->geometry().height()) : 0;
}

} // namespace Twips
