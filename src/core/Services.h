#pragma once

// The leaf routines every window uses come with the window helpers.
#include "base/Fichiers.h"
#include "base/Textes.h"

#include <QString>

class Contexte;

// The application folder, always ending with its separator.
QString Dossier_Application(const Contexte& contexte);
// The same folder as the runtime reports it, without an added separator.
QString Chemin_Application(const Contexte& contexte);
