#pragma once

class QCoreApplication;

// Loads Qt's own French texts so that standard buttons and dialogs read "Oui", "Non",
// "Annuler"... whatever the user's language: the whole program speaks French.
void Charger_Traductions_Francaises(QCoreApplication& application);
