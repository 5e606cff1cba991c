#pragma once

#include <QAccessible>
#include <QList>
#include <QString>
#include <QWidget>
#include <QtGlobal>

// The control of a window named so: its accessible name, or the name a screen reader
// reads for it (a button's caption, "&Ouvrir" read "Ouvrir"), or for a control without
// words, its object name. Stops the test unless exactly one
// control of that kind bears the name: a test that went on with another would check the wrong one.
template <typename T> T* Controle(QWidget& racine, const QString& nomAccessible) {
    QList<T*> trouves;
    for (T* controle : racine.findChildren<T*>()) {
        const QAccessibleInterface* lecture = QAccessible::queryAccessibleInterface(controle);
        if (controle->accessibleName() == nomAccessible ||
            controle->objectName() == nomAccessible ||
            (lecture && lecture->text(QAccessible::Name) == nomAccessible))
            trouves << controle;
    }
    if (trouves.size() != 1)
        qFatal("%lld contrôles nommés « %s » au lieu d'un", static_cast<long long>(trouves.size()),
               qUtf8Printable(nomAccessible));
    return trouves.first();
}
