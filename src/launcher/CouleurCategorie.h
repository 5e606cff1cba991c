#pragma once

#include <QColor>
#include <QtGlobal>

#include <optional>

class GenerateurAleatoire;

// The colour of a category: a random one draws red, green and blue from the generator;
// a number is red + 256 x green + 65536 x blue, and one outside 0 to 16777215 keeps its
// three low bytes.
QColor Couleur_Categorie(const std::optional<qint64>& couleur, GenerateurAleatoire& aleatoire);
