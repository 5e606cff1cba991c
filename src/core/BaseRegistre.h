#pragma once

#include <QString>

class Contexte;
class ServiceDemarrageSession;

// The per-user start-with-the-session registration, in the place of the Run key.
namespace Registre {
inline const QString CleRun = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run");
inline const QString NomValeur = QStringLiteral("Dalvire");
} // namespace Registre

// Creates or replaces the registration; failures are ignored.
void Ecrire_Valeur_Registre(ServiceDemarrageSession& registre, const QString& cle,
                            const QString& nomValeur, const QString& valeur);
// Removes it; removing one that does not exist is silent.
void Supprimer_Valeur_Registre(ServiceDemarrageSession& registre, const QString& cle,
                               const QString& nomValeur);

// The full path of the running program's executable in the application folder.
QString Chemin_Executable(const Contexte& contexte);

// Mode 1 registers the program to start with the user's session, mode 0 removes it,
// any other mode does nothing. Returns false when registering failed: the message has
// been shown and the registration removed, and the caller unticks its check box.
bool Demarrage_Windows(Contexte& contexte, int mode);
