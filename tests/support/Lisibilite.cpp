#include "support/Lisibilite.h"

#include "ui/Couleurs.h"

#include <QApplication>
#include <QHash>
#include <QTest>
#include <QWidget>

QPalette Palette_Sombre() {
    QPalette p(QColor(0x32, 0x32, 0x32));
    p.setColor(QPalette::Link, QColor(0x0c, 0x0c, 0xd0));
    return p;
}

void Lignes_Claire_Et_Sombre() {
    QTest::addColumn<bool>("sombre");
    QTest::newRow("clair") << false;
    QTest::newRow("sombre") << true;
}

Theme::Theme(bool sombre)
    : avant_(QApplication::palette()) {
    if (sombre) QApplication::setPalette(Palette_Sombre());
}

Theme::~Theme() {
    QApplication::setPalette(avant_);
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
            sans << w->metaObject()->className() + QLatin1Char(' ') + w->accessibleName();
    }
    return sans;
}
