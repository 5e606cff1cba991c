#pragma once

#include "core/ClesParametres.h"

#include <QList>
#include <QMap>
#include <QPair>

// A settings store in memory that remembers the order of its writes.
class ParametresMemoire final : public StockParametres {
public:
    QString lire(const QString& cle) const override { return valeurs.value(cle); }
    void ecrire(const QString& cle, const QString& valeur) override {
        valeurs.insert(cle, valeur);
        ecritures.append({cle, valeur});
    }

    QMap<QString, QString> valeurs;
    QList<QPair<QString, QString>> ecritures;
};
