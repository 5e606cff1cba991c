#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

class QObject;
class QWidget;

// What the program asks of windows on an X11 desktop. Every routine here does nothing
// (or answers "no") when the program does not talk to an X11 display.
namespace X11 {

bool Disponible();

// Keeps a window out of the taskbar and the pager. To be called before the window is
// first shown: Qt keeps these states when it maps the window, and sets neither itself.
void Hors_Barre_Des_Taches(QWidget* fenetre);

enum class Etat { Minimise, Maximise };

// Watches for the first top-level window of the process (by _NET_WM_PID, in the window
// manager's client list) for up to delaiMs, and minimises or maximises it once it is
// there. The watcher lives under parent and removes itself when done.
void Appliquer_Etat(qint64 pid, Etat etat, QObject* parent, int delaiMs = 15000);

// The first managed top-level window of the process, 0 if none (for checks).
quint32 Premiere_Fenetre(qint64 pid);
// The _NET_WM_STATE atoms of a window, by name (for checks).
QStringList Etats_Net(quint32 fenetre);
// Whether the window manager shows the window iconified (WM_STATE), for checks.
bool Est_Iconifiee(quint32 fenetre);

} // namespace X11
