#pragma once

#include <QString>
#include <QStringList>

// Where this user's private files of a program (its lock, its channel) may go, in the
// order tried: $XDG_RUNTIME_DIR itself, else <state home>/<name>, else <cache home>/<name>,
// both under the user's home, where no other user can make a folder first.
struct LieuxPrives {
    QString runtime;      // used only when it is already a folder of the user's alone
    QStringList dossiers; // made when absent
    // From the environment: $XDG_RUNTIME_DIR, $XDG_STATE_HOME and $XDG_CACHE_HOME, the
    // home's .local/state and .cache standing for an unset or relative variable.
    static LieuxPrives session(const QString& nomProgramme);
};
// The first of those places that is a folder of the user's alone (made when absent) and
// leaves room after it for a name of longueurNom characters (a socket's path is short); empty when
// none does. A place that another user could have prepared (a link, someone else's, open to others)
// is never used.
QString Dossier_Prive(const LieuxPrives& lieux, qsizetype longueurNom = 0);
// A folder of this user only: a directory, not a link, owned by the user, mode 0700.
bool Dossier_Sur(const QString& chemin);
