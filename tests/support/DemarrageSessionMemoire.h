#pragma once

#include "platform/Autostart.h"

#include <QMap>
#include <QStringList>

// An autostart service that keeps its entries in memory and a journal of every request.
class DemarrageSessionMemoire final : public ServiceDemarrageSession {
public:
    void ecrire(const QString& nomValeur, const QString& chemin) override {
        valeurs.insert(nomValeur, chemin);
        journal << QStringLiteral("ecrire ") + nomValeur + QStringLiteral("=") + chemin;
    }
    void supprimer(const QString& nomValeur) override {
        journal << QStringLiteral("supprimer ") + nomValeur +
                       (valeurs.remove(nomValeur) ? QString() : QStringLiteral(" (absente)"));
    }
    QMap<QString, QString> valeurs;
    QStringList journal;
};
