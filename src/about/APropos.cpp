#include "about/APropos.h"

#include "about/frmApropos.h"

#include <QPointer>

void Afficher_A_Propos(Contexte& contexte, QWidget* parent) {
    // Held by a guard: quitting from elsewhere may unload the box while it is shown.
    QPointer<frmApropos> boite = new frmApropos(contexte, parent);
    boite->exec();
    delete boite;
}
