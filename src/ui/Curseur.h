#pragma once

#include <QCursor>
#include <QString>

class Contexte;

// The pointing hand shown over the clickable controls of every window: icones/main.png
// of the application folder, a 32 x 32 picture whose hot spot is the tip of the finger
// at (12, 9). When the file cannot be read, the system's pointing hand stands in.
QCursor Curseur_Main(const Contexte& contexte);
// The same from an application folder, for windows that are given no context.
QCursor Curseur_Main(const QString& dossierApplication);
