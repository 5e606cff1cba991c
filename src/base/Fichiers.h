#pragma once

#include <QString>

// True for an existing plain file (a link to one counts); folders, missing paths,
// empty or malformed ones are absent. Never fails.
bool Fichier_Existe(const QString& chemin);

// Normalises a folder to end with exactly one separator ("/" stays "/").
QString Avec_Separateur_Final(const QString& dossier);
