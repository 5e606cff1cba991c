#pragma once

// Callers of the launcher also check and send links.
#include "core/Liens.h"

#include "catalogue/Enregistrements.h"

#include <QString>

class Contexte;
enum class AffichageFenetre;
class QWidget;
class frmDalvire;

// Starts an item of the catalogue: checked by its type, opened with its display mode, the
// Open With chooser (owned by the window given) offered when no application takes the
// document. A start that reached the desktop counts among the item's starts. False when
// the check failed, or the program of its desktop entry is gone: a message has said so
// and nothing was started; any other failure is silent.
bool Demarrer_Element(Contexte& contexte, const Element& element, QWidget* proprietaire);

// Starts the item picked in the window's list, as above; the window then slides back.
void Lancer_Element(frmDalvire& fenetre);

// How a display mode shows the started program. A stored text that names no mode is read
// with the shared numeric reading (anything beyond 16 bits counts as 0): 0, 6, 7 and 11
// minimise, 2 and 3 maximise, the rest show as normal.
AffichageFenetre Affichage_Fenetre(const CodeStocke<ModeAffichage>& mode);
