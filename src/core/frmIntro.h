#pragma once

#include <QDate>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <optional>

class Contexte;
class QFrame;
class QLabel;
class VerrouInstance;

// The splash window: it runs the start-up checks and settings while it loads, then
// unloads itself two ticks later and hands over to the hidden main window.
class frmIntro : public QWidget {
    Q_OBJECT
public:
    frmIntro(Contexte& contexte, VerrouInstance& verrou, QWidget* parent = nullptr);

    // The first half of start-up: one copy only, the catalogue there, the version text,
    // the settings. False when the program must end at once (another copy
    // runs, or the catalogue is missing or unusable); the message has been shown.
    bool Form_Load(const QDate& aujourdhui = QDate::currentDate());

    // The two ticks fall one and two seconds after this instant; without it, after the
    // end of the load. The program gives the start of its process, so that its windows
    // come two seconds after the user started it, however long loading the libraries
    // and the load itself took.
    void compterDepuis(std::chrono::steady_clock::time_point origine) { origine_ = origine; }

    QLabel* lblTitre = nullptr;
    QLabel* lblVersion = nullptr;
    QFrame* Shape1 = nullptr;
    QTimer Timer1;

Q_SIGNALS:
    // Emitted when the splash unloads: time to load the main window.
    void dechargee();

private:
    void Timer1_Timer();
    void programmerTick();
    void Form_Unload();
    void ecrireParametresAbsents(const QDate& aujourdhui);

    Contexte& contexte_;
    VerrouInstance& verrou_;
    qint16 compteurTicks_ = 0;
    std::optional<std::chrono::steady_clock::time_point> origine_;
};
