#pragma once

#include <QTimer>
#include <QWidget>

#include <chrono>
#include <optional>

class Contexte;
class QFrame;
class QLabel;

// The splash window: it shows the program's name and version once start-up has decided
// the program goes on, unloads itself two ticks later and hands over to the hidden main
// window.
class frmIntro : public QWidget {
    Q_OBJECT
public:
    explicit frmIntro(Contexte& contexte, QWidget* parent = nullptr);

    // Shows the name and version, and starts counting the two ticks.
    void Form_Load();

    // The two ticks fall one and two seconds after this instant; without it, after the
    // end of the load. The program gives the start of its process, so that its windows
    // come two seconds after the user started it, however long loading the libraries
    // and the load itself took.
    void compterDepuis(std::chrono::steady_clock::time_point origine) { origine_ = origine; }

    QTimer Timer1;

Q_SIGNALS:
    // Emitted when the splash unloads: time to load the main window.
    void dechargee();

private:
    void Timer1_Timer();
    void programmerTick();
    void Form_Unload();

    QLabel* lblTitre = nullptr;
    QLabel* lblVersion = nullptr;
    QFrame* Shape1 = nullptr;

    Contexte& contexte_;
    qint16 compteurTicks_ = 0;
    std::optional<std::chrono::steady_clock::time_point> origine_;
};
