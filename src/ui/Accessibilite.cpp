#include "ui/Accessibilite.h"

#include <QLabel>

void Decrire_Valeur(QLabel* etiquette, const QString& bulle) {
    etiquette->setToolTip(bulle);
    etiquette->setAccessibleName(QString());
    etiquette->setAccessibleDescription(bulle);
}
