#include "launcher/SuiviEcrans.h"

#include "launcher/frmDalvire.h"

#include <QApplication>
#include <QScreen>

SuiviEcrans::SuiviEcrans(std::function<void()> rebatir, QObject* parent,
                         std::function<QRect()> zone)
    : QObject(parent)
    , rebatir_(std::move(rebatir))
    , zoneDeTravail_(zone ? std::move(zone) : &frmDalvire::zoneDeTravail) {
    attente_.setSingleShot(true);
    attente_.setInterval(250);
    connect(&attente_, &QTimer::timeout, this, &SuiviEcrans::verifier);
    const auto changement = [this] {
        suivrePrincipal();
        attente_.start();
    };
    connect(qApp, &QGuiApplication::primaryScreenChanged, this, changement);
    connect(qApp, &QGuiApplication::screenAdded, this, changement);
    connect(qApp, &QGuiApplication::screenRemoved, this, changement);
    suivrePrincipal();
    noterConstruction();
}

void SuiviEcrans::suivrePrincipal() {
    for (const QMetaObject::Connection& lien : std::as_const(liens_))
        disconnect(lien);
    liens_.clear();
    QScreen* ecran = QGuiApplication::primaryScreen();
    if (!ecran) return;
    const auto changement = [this] { attente_.start(); };
    liens_ << connect(ecran, &QScreen::geometryChanged, this, changement)
           << connect(ecran, &QScreen::availableGeometryChanged, this, changement);
}

void SuiviEcrans::noterConstruction() {
    ecran_ = QGuiApplication::primaryScreen();
    zone_ = zoneDeTravail_();
}

void SuiviEcrans::verifier() {
    // Rebuilt under a dialog, the windows would take with them a chooser or a message
    // that one of them has open; under its drop-down list, the list itself.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        attente_.start();
        return;
    }
    const QRect zone = zoneDeTravail_();
    if (zone.isEmpty()) return; // no screen for now: the next one brings a change
    if (QGuiApplication::primaryScreen() == ecran_ && zone == zone_) return;
    if (rebatir_) rebatir_();
}
