#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// True for an existing plain file (a link to one counts); folders, missing paths,
// empty or malformed ones are absent. Never fails.
bool Fichier_Existe(const QString& chemin);

// Normalises a folder to end with exactly one separator ("/" stays "/").
QString Avec_Separateur_Final(const QString& dossier);

// The folder an XDG variable names ("XDG_STATE_HOME"), or the home's folder given
// (".local/state") when the variable is unset or relative, as the XDG rules ask.
QString Dossier_Xdg(const char* variable, const char* dansLaMaison);

// The whole content of a plain file of at most `maximum` bytes, or nothing: a link, a
// pipe, a device, a folder, a missing or unreadable file, or one that holds more (or grows
// past the limit while it is read) is not read at all. Never blocks, never follows a link.
std::optional<QByteArray> Lire_Fichier_Ordinaire(const QString& chemin, qint64 maximum);

// Puts contenu in place of the file at chemin: written whole to a new file beside it
// (mode 0600), flushed to the disk, then renamed over the old one, so that a link at that
// place is replaced, never followed, and a crash leaves the old file or the new one.
// False when any step fails (no space, a quota, a size limit, an I/O error): the old file
// is then left as it was and nothing of the attempt remains.
bool Remplacer_Fichier(const QString& chemin, const QByteArray& contenu);

// Copies source to destination, never over anything there (a file, a folder, a link):
// written aside in the destination's folder, made as needed, then renamed to its name.
// On failure nothing is left behind and reason says why, in French.
bool Copier_Sans_Remplacer(const QString& source, const QString& destination, QString& raison);
