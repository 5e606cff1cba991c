#pragma once

#include <QAccessible>
#include <QWidget>

// The control of a window that a screen reader names so, as a user finds it; the test
// ends at once when there is none.
template <typename T> T* Controle(QWidget& racine, const QString& nomAccessible) {
    for (T* c : racine.findChildren<T*>())
        if (QAccessibleInterface* i = QAccessible::queryAccessibleInterface(c);
            i && i->text(QAccessible::Name) == nomAccessible)
            return c;
    qFatal("Aucun contrôle « %s » dans %s", qPrintable(nomAccessible),
           racine.metaObject()->className());
}
