#include "support/Lisibilite.h"

#include "ui/Couleurs.h"

#include <QApplication>
#include <QHash>
#include <QTest>
#include <QWidget>

QPalette Palette_Sombre() {
    QPalette p;
    const QColor fenetre(0x32, 0x32, 0x32), texte(0xee, 0xee, 0xee), base(0x2a, 0x2a, 0x2a);
    for (const auto groupe : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(groupe, QPalette::Window, fenetre);
        p.setColor(groupe, QPalette::WindowText, texte);
        p.setColor(groupe, QPalette::Base, base);
        p.setColor(groupe, QPalette::AlternateBase, fenetre);
        p.setColor(groupe, QPalette::Text, texte);
        p.setColor(groupe, QPalette::Button, fenetre);
        p.setColor(groupe, QPalette::ButtonText, texte);
        p.setColor(groupe, QPalette::Highlight, QColor(0x15, 0x53, 0x9e));
        p.setColor(groupe, QPalette::HighlightedText, Qt::white);
        p.setColor(groupe, QPalette::Link, QColor(0x0c, 0x0c, 0xd0));
        p.setColor(groupe, QPalette::PlaceholderText, QColor(0x9a, 0x9a, 0x9a));
    }
    return p;
}

double Contraste_Dessine(const QImage& image, const QRect& zone) {
    QHash<QRgb, int> nombres;
    const QRect z = zone.intersected(image.rect());
    for (int y = z.top(); y <= z.bottom(); ++y)
        for (int x = z.left(); x <= z.right(); ++x)
            ++nombres[image.pixel(x, y)];
    QRgb fond = 0;
    for (auto it = nombres.cbegin(); it != nombres.cend(); ++it)
        if (it.value() > nombres.value(fond)) fond = it.key();
    double meilleur = 1;
    for (auto it = nombres.cbegin(); it != nombres.cend(); ++it)
        meilleur = std::max(meilleur, Couleurs::contraste(QColor(it.key()), QColor(fond)));
    return meilleur;
}

QStringList Sans_Marque_De_Focus(QWidget* fenetre) {
    // As once the user has pressed Tab: styles draw the mark for the keyboard only.
    fenetre->setAttribute(Qt::WA_KeyboardFocusChange);
    QStringList sans;
    for (QWidget* w : fenetre->findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus) ||
            w->focusProxy())
            continue;
        w->clearFocus();
        QApplication::processEvents();
        const QImage sansFocus = w->grab().toImage();
        w->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        if (w->grab().toImage() == sansFocus)
            sans << w->accessibleName() + QLatin1Char('/') + w->metaObject()->className() +
                        QLatin1Char('/') + w->property("text").toString();
    }
    return sans;
}
