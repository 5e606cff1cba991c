#pragma once

#include <QDate>

class Contexte;
class VerrouInstance;

// The decisions of start-up, apart from any window: one copy only, the catalogue there
// and usable, the version text, every missing setting written with its default, the
// user's first start noted and the days of use counted. The composition root runs it
// before the splash shows; the splash only shows.
class Demarrage {
public:
    Demarrage(Contexte& contexte, VerrouInstance& verrou);

    // False when the program must end at once (another copy runs, or the catalogue is
    // missing or unusable): the message has been shown, and no setting written.
    bool preparer(const QDate& aujourdhui = QDate::currentDate());

private:
    // At a system-wide install's first start for this user, the pristine catalogue copied
    // into the user's folder. False when that failed: the message has been shown.
    bool creerCatalogueUtilisateur();
    void ecrireParametresAbsents(const QDate& aujourdhui);

    Contexte& contexte_;
    VerrouInstance& verrou_;
};

// Opens the catalogue for the run, once the splash has gone, and on the user's first
// start writes its first rows before any window reads it. False when it cannot be
// opened: the message has been shown.
bool Ouvrir_Catalogue(Contexte& contexte);
