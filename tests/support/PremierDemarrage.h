#pragma once

#include "core/Contexte.h"
#include "support/Environnement.h"
#include "tray/frmPrincipale.h"

// A first start: its rows give three launcher windows once the catalogue is opened as
// start-up opens it and the main window loaded.
struct PremierDemarrage {
    Environnement env;
    Contexte& c = env.contexte();
    frmPrincipale principale{premiereUtilisation(c)};

    static Contexte& premiereUtilisation(Contexte& c) {
        c.PremiereUtilisation = true;
        return c;
    }
};
