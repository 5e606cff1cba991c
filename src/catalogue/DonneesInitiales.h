#pragma once

#include <QString>

class Catalogue;

// Inserts the first-use rows. The first statement that fails ends it silently: the
// rows before it stay, and start-up goes on.
void Donnees_Initiales(Catalogue& catalogue, const QString& dossierApplication);
