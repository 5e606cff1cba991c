#pragma once

// Callers of the launcher also check and send links.
#include "core/Liens.h"

#include <QString>

class Contexte;
class QWidget;
class frmDalvire;

// Starts the item picked in the window's list: checked by its type, opened with its
// display mode, the Open With chooser offered when no application takes the document;
// the window then slides back.
void Lancer_Element(frmDalvire& fenetre);

// The window show command for a display-mode text: "0" minimised (6), "1" normal (1),
// "2" maximised (3), any other number passed as it is; the text is read with the shared
// numeric reading, and anything beyond 16 bits counts as 0.
int Commande_Affichage(const QString& demarrage);

