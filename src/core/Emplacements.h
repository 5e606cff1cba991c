#pragma once

#include <QString>

class QProcessEnvironment;

// Where a run finds its files and where it writes its own. Two layouts: the application
// folder (the build's app/, `make install`), which holds everything, the catalogue
// included; and the system-wide install, where the command, the modules and the
// read-only files are in three folders the user cannot write to, and each user's
// catalogue and working files are in that user's own folders.
struct Emplacements {
    QString dossierApplication; // read-only files: help, icons, informations.txt, cursor
    QString dossierModules;     // shellgio.so, impressionqt.so
    QString executable;         // what the session's autostart entry starts; empty: the running
                                // program's name in the application folder
    QString catalogue;          // the donnees.fdl of this run
    QString catalogueVierge;    // copied to `catalogue` when nothing is there; empty: never
    QString dossierTravail;     // the report tool's working file

    // Everything in one folder, as the build and `make install` lay it out.
    static Emplacements dossierUnique(const QString& dossier, const QString& executable = {});
};

// The layout of the program whose command is cheminExecutable: the system-wide one when
// the shared folder lies where the install puts it relative to the command, the
// application folder otherwise. The user's folders follow XDG_DATA_HOME and
// XDG_STATE_HOME (absolute values only), else ~/.local/share and ~/.local/state.
Emplacements Emplacements_Programme(const QString& cheminExecutable,
                                    const QProcessEnvironment& environnement);
