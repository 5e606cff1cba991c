#pragma once

#include <QAccessible>
#include <QWidget>

// The control of a window named so, as a user finds it: the name given to it, or the one a
// screen reader reads from its text. The test ends at once when there is none.
template <typename T> T* Controle(QWidget& racine, const QString& nomAccessible) {
    for (T* c : racine.findChildren<T*>()) {
        if (c->accessibleName() == nomAccessible) return c;
        if (QAccessibleInterface* i = QAccessible::queryAccessibleInterface(c);
            i && i->text(QAccessible::Name) == nomAccessible)
            return c;
    }
    qFatal("Aucun contrôle « %s » dans %s", qPrintable(nomAccessible),
           racine.metaObject()->className());
}
