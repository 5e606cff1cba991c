#pragma once

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>

#include <functional>

class QScreen;

// Watches the screens for what moves the launcher windows' place: the primary screen's
// work area changing (a new size, a panel), the screen unplugged, another made primary.
// A quarter of a second after the last such change it calls back, once, when the work
// area differs from the one the windows were built for; while a dialog or a drop-down
// list is open it waits for it to close. An area without a screen calls nothing back.
class SuiviEcrans : public QObject {
public:
    // The work area is read through zone: the primary screen's (frmDalvire::zoneDeTravail)
    // unless a test scripts it.
    explicit SuiviEcrans(std::function<void()> rebatir, QObject* parent = nullptr,
                         std::function<QRect()> zone = {});
    // The windows are about to be built for the present work area.
    void noterConstruction();
    // What the quarter of a second leads to, also for the tests.
    void verifier();
    bool enAttente() const { return attente_.isActive(); }

private:
    void suivrePrincipal();

    std::function<void()> rebatir_;
    std::function<QRect()> zoneDeTravail_;
    QTimer attente_;
    QRect zone_;
    QPointer<QScreen> ecran_;
    QList<QMetaObject::Connection> liens_;
};
