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
