#pragma once

#include <QFont>
#include <QString>

class QWidget;

// The frame every window of the program shares: where it sits, whether it stays above,
// its face and its fixed size in twips.
// Centres the window on the primary screen, its frame included, within the screen's work
// area: a window larger than that area is made smaller where it can be, and otherwise
// keeps its title bar in the area.
void Centrer_Fenetre(QWidget* fenetre);

// Keeps the window above the others, or stops doing so, without moving, resizing,
// hiding or re-creating it.
void Placer_Premier_Plan(QWidget* fenetre, bool auPremierPlan);
bool Est_Premier_Plan(const QWidget* fenetre);

// The face the windows are laid out for (Tahoma 8.25 pt), or a size and weight of it.
QFont Police_Fenetres(double points = 8.25, bool gras = false);

// The frame of a dialog: a title and a close box, no minimise or maximise box.
inline constexpr Qt::WindowFlags Cadre_Dialogue =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

// A dialog laid out in twips: its first caption (a window may change it as it loads),
// the windows' face and its fixed size.
void Preparer_Dialogue(QWidget* fenetre, const QString& titre, int largeurTwips, int hauteurTwips);

// Makes the windows' face the application's default, so that what no window sets itself
// (the tray menu, message boxes, tooltips) reads in the same face as the windows. Where
// Tahoma is not installed a face of close metrics stands in for it, everywhere alike.
void Installer_Police_Application();
