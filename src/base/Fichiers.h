#pragma once

#include <QString>

// True for an existing plain file (a link to one counts); folders, missing paths,
// empty or malformed ones are absent. Never fails.
bool Fichier_Existe(const QString& chemin);

// Normalises a folder to end with exactly one separator ("/" stays "/").
QString Avec_Separateur_Final(const QString& dossier);

// Copies source to destination, never over anything there (a file, a folder, a link):
// written aside in the destination's folder, made as needed, then renamed to its name.
// On failure nothing is left behind and reason says why, in French.
bool Copier_Sans_Remplacer(const QString& source, const QString& destination, QString& raison);
