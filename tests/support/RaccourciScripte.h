#pragma once

#include "platform/RaccourciGlobal.h"

#include <QList>

// A desktop key that answers from a script and notes what was asked of it; a test
// presses the key with appuyer().
class RaccourciScripte final : public ServiceRaccourciGlobal {
public:
    Prise prendre(const QKeySequence& touche) override {
        demandes.append(touche);
        tenue = touche.isEmpty() || reponse != Prise::Prise ? QKeySequence() : touche;
        return touche.isEmpty() ? Prise::Aucune : reponse;
    }
    void relacher() override { tenue = QKeySequence(); }
    void appuyer() {
        if (!tenue.isEmpty()) declencher();
    }

    // The answer to the next takings.
    Prise reponse = Prise::Prise;
    QList<QKeySequence> demandes;
    QKeySequence tenue;
};
