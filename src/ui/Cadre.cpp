#include "ui/Cadre.h"

#include "base/Twips.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// What the window manager puts around the window: known once the window has been shown;
// before, what the style draws around a window of its own, as much as most window
// managers add.
QMargins Cadre_Gestionnaire(const QWidget* fenetre) {
    if (fenetre->windowFlags().testFlag(Qt::FramelessWindowHint)) return {};
    const QRect dehors = fenetre->frameGeometry();
    const QRect dedans = fenetre->geometry();
    if (dehors != dedans)
        return {dedans.left() - dehors.left(), dedans.top() - dehors.top(),
                dehors.right() - dedans.right(), dehors.bottom() - dedans.bottom()};
    const QStyle* style = fenetre->style();
    const int bord = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, fenetre);
    const int titre = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, fenetre);
    return {bord, titre + bord, bord, bord};
}

// The start of a side of the window, frame included: centred on the screen by the size
// known, yet kept within the work area by the size the frame may give it; a side longer
// than the area starts where the area starts.
int Debut_Centre(int debutEcran, int longueurEcran, int debutZone, int longueurZone,
                 int longueurConnue, int longueurCadree) {
    const int centre = debutEcran + (longueurEcran - longueurConnue) / 2;
    return std::max(debutZone, std::min(centre, debutZone + longueurZone - longueurCadree));
}

} // namespace

void Centrer_Fenetre(QWidget* fenetre) {
    const QScreen* ecran = QGuiApplication::primaryScreen();
    if (!fenetre || !ecran) return;
    const QRect tout = ecran->geometry();
    const QRect zone = ecran->availableGeometry();
    const QMargins cadre = Cadre_Gestionnaire(fenetre);
    // A window that may be made smaller is, to what the work area holds; one of fixed
    // size keeps it, its title bar in the area.
    const QSize taille =
        fenetre->size().boundedTo(zone.size().shrunkBy(cadre)).expandedTo(fenetre->minimumSize());
    if (taille != fenetre->size()) fenetre->resize(taille);
    // Until it is shown, the frame is the window manager's to add.
    const QSize connue = fenetre->frameGeometry().size();
    const QSize cadree = taille.grownBy(cadre);
    fenetre->move(Debut_Centre(tout.x(), tout.width(), zone.x(), zone.width(), connue.width(),
                               cadree.width()),
                  Debut_Centre(tout.y(), tout.height(), zone.y(), zone.height(), connue.height(),
                               cadree.height()));
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
