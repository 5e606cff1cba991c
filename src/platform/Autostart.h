#pragma once

#include <QString>

// Where the program registers itself to start with the user's session. The value name
// plays the part of a Run-key value: one entry per name, written or removed whole.
class ServiceDemarrageSession {
public:
    virtual ~ServiceDemarrageSession() = default;
    // Failures are the caller's to ignore: a registration that cannot be written
    // simply does not take effect.
    virtual void ecrire(const QString& nomValeur, const QString& cheminExecutable) = 0;
    virtual void supprimer(const QString& nomValeur) = 0;
};

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
