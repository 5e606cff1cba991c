#pragma once

#include <QList>
#include <QPalette>

// One palette object for each set of colours, shared by the windows built again and
// again (the strips, at each rebuild). Qt's style keeps what it draws of a control (a
// list's frame, its arrow) in the application's picture cache, under a key made of the
// palette object it was drawn with, and every widget has a palette object of its own:
// each rebuild added some 60 KB of pictures a strip, kept until the cache is full
// (10 MB), and their keys, which Qt 6.4 lets go only when they are looked up again. Drawn
// with the palette handed out here, a strip finds what was drawn for the strips of its
// colours before it.
class PalettesCommunes {
public:
    // The palette handed out for these colours (the first one given them), in the colour
    // group of the one given.
    QPalette commune(const QPalette& palette);
    // A new set of windows is being built: the palettes neither it nor the set before
    // asks for go (a colour drawn at random is seldom drawn again).
    void nouvelleSerie();
    qsizetype taille() const { return courantes_.size() + precedentes_.size(); }

private:
    QList<QPalette> courantes_;
    QList<QPalette> precedentes_;
};
