#pragma once

#include <QImage>
#include <QPalette>
#include <QStringList>

class QWidget;

// What the eye gets of a window, checked on what is drawn: text that stands out from its
// background, and controls that show when they have the keyboard.

// A palette as a dark desktop theme gives one, its link colour as faint as some are.
QPalette Palette_Sombre();

// The rows of a test run under a light theme and a dark one: a column "sombre".
void Lignes_Claire_Et_Sombre();
// The application's palette, the dark one when asked, for the life of the object.
class Theme {
public:
    explicit Theme(bool sombre);
    ~Theme();

private:
    QPalette avant_;
};

// The strongest contrast, in the zone, between a drawn pixel and the zone's background
// (its most frequent colour): the text's own colour, at the core of its strokes.
double Contraste_Dessine(const QImage& image, const QRect& zone);

// The controls of the window that the Tab key reaches and that look the same with the
// keyboard as without it, named by their accessible name.
QStringList Sans_Marque_De_Focus(QWidget* fenetre);
