#pragma once

#include "platform/RaccourciGlobal.h"

#include <QList>

// A desktop key that answers from a script (reponse) and notes the keys asked for.
class RaccourciScripte final : public ServiceRaccourciGlobal {
public:
    Prise prendre(const QKeySequence& touche) override {
        demandes.append(touche);
        tenue = reponse == Prise::Prise ? touche : QKeySequence();
        return touche.isEmpty() ? Prise::Aucune : reponse;
    }
    void relacher() override { tenue = QKeySequence(); }

    Prise reponse = Prise::Prise;
    QList<QKeySequence> demandes;
    QKeySequence tenue;
};
