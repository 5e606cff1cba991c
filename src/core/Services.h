#pragma once

// The leaf routines every window uses come with the window helpers.
#include "base/Fichiers.h"
#include "base/Textes.h"

#include <QString>

class QWidget;
class Contexte;

// The application folder, always ending with its separator.
QString Dossier_Application(const Contexte& contexte);
// The same folder as the runtime reports it, without an added separator.
QString Chemin_Application(const Contexte& contexte);

// Centres the window on the primary screen, its frame included.
void Centrer_Fenetre(QWidget* fenetre);

// Keeps the window above the others, or stops doing so, without moving, resizing,
// hiding or re-creating it.
void Placer_Premier_Plan(QWidget* fenetre, bool auPremierPlan);
bool Est_Premier_Plan(const QWidget* fenetre);
