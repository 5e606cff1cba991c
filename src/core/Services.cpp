#include "core/Services.h"

#include "core/Contexte.h"

QString Dossier_Application(const Contexte& contexte) {
    return Avec_Separateur_Final(contexte.dossierApplication());
}

QString Chemin_Application(const Contexte& contexte) {
    QString chemin = contexte.dossierApplication();
    while (chemin.size() > 1 && chemin.endsWith(QLatin1Char('/')))
        chemin.chop(1);
    return chemin;
}
