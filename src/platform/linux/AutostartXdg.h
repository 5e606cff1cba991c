#pragma once

#include "platform/Autostart.h"

// The freedesktop.org autostart entry of the user: $XDG_CONFIG_HOME/autostart/<name>.desktop.
class AutostartXdg final : public ServiceDemarrageSession {
public:
    void ecrire(const QString& nomValeur, const QString& cheminExecutable) override;
    void supprimer(const QString& nomValeur) override;

    static QString dossierAutostart();
    static QString cheminEntree(const QString& nomValeur);
    // The Exec value for one program path, quoted and escaped as desktop entry files
    // require, so that any path reaches the program as one argument.
    static QString valeurExec(const QString& cheminExecutable);
    static QString contenuEntree(const QString& nomValeur, const QString& cheminExecutable);
};
