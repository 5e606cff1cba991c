#pragma once

#include <QObject>
#include <QPixmap>
#include <QSize>

class Contexte;
class PalettesCommunes;
class QPoint;

// What the strips are built for: the window that knows the application icon, owns the
// strips (they are deleted with it) and shows the main menu that a right click on a strip
// asks for.
class HoteBandes {
public:
    // The application icon at the given size, the picture the strips fall back on.
    virtual QPixmap imageConception(const QSize& taille) const = 0;
    virtual QObject& proprietaireFenetres() = 0;
    // The palettes the strips' lists are drawn with, kept from one build to the next.
    virtual PalettesCommunes& palettesCommunes() = 0;
    virtual void Afficher_Menu(const QPoint& positionGlobale) = 0;

protected:
    ~HoteBandes() = default;
};

// Brings the catalogue model up to the file before the strips are built from it: the file
// is read again only when another tool wrote it since the model last read or wrote it. A
// failure is reported (a French message naming the cause) and gives false, the model and
// the strips on screen staying as they were. The catalogue rests afterwards.
bool Actualiser_Modele_Ou_Signaler(Contexte& contexte);

// Builds one strip per displayed category of the catalogue model, in name order, stacked
// from the top of the primary screen's work area along its right edge; the first strip
// that would not fit whole in the work area is reported, and it and the later ones are
// not built. A strip holds the items its category had at the build, whatever the model
// becomes. Never closes strips: called while strips exist, it adds a second set. An icon
// that cannot be read is reported once and replaced by the application icon. Gives the
// number of displayed categories it was to build for.
qsizetype Creer_Bandes(Contexte& contexte, HoteBandes& hote);
