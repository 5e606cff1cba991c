#include "ui/Cadre.h"

#include "base/Twips.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

void Centrer_Fenetre(QWidget* fenetre) {
    const QScreen* ecran = QGuiApplication::primaryScreen();
    if (!fenetre || !ecran) return;
    const QRect zone = ecran->geometry();
    const QSize taille = fenetre->frameGeometry().size();
    fenetre->move(zone.x() + (zone.width() - taille.width()) / 2,
                  zone.y() + (zone.height() - taille.height()) / 2);
}

void Placer_Premier_Plan(QWidget* fenetre, bool auPremierPlan) {
    if (!fenetre) return;
    QWindow* natif = fenetre->windowHandle();
    if (natif && natif->handle()) {
        // Through the native window the change reaches the window manager at once;
        // QWidget::setWindowFlag would hide the window and build it anew. Before the
        // native window exists the widget's own flags are the ones it will be made with.
        natif->setFlag(Qt::WindowStaysOnTopHint, auPremierPlan);
    } else {
        fenetre->setWindowFlag(Qt::WindowStaysOnTopHint, auPremierPlan);
    }
}

bool Est_Premier_Plan(const QWidget* fenetre) {
    if (!fenetre) return false;
    const QWindow* natif = fenetre->windowHandle();
    if (natif && natif->handle()) return natif->flags().testFlag(Qt::WindowStaysOnTopHint);
    return fenetre->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

QFont Police_Fenetres(double points, bool gras) {
    QFont police(QStringLiteral("Tahoma"));
    police.setPointSizeF(points);
    police.setBold(gras);
    return police;
}

void Installer_Police_Application() {
    // Every window is laid out for Tahoma; the default face of the desktop is much wider
    // and would push the captions out of their controls.
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("Nimbus Sans"), QStringLiteral("Arial"),
                                QStringLiteral("DejaVu Sans Condensed")});
    // Without a class name this also drops the faces the platform gives menus and
    // message boxes of their own.
    QApplication::setFont(Police_Fenetres());
}

void Preparer_Dialogue(QWidget* fenetre, const QString& titre, int largeurTwips, int hauteurTwips) {
    fenetre->setWindowTitle(titre);
    fenetre->setFont(Police_Fenetres());
    fenetre->setFixedSize(Twips::tailleEnPixels(largeurTwips, hauteurTwips));
}
