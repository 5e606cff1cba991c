#pragma once

#include <QString>

// The per-user settings store: named text values of one section. A key that does not
// exist reads as the empty text, which is also how every reader tells it is absent.
class StockParametres {
public:
    virtual ~StockParametres() = default;
    virtual QString lire(const QString& cle) const = 0;
    virtual void ecrire(const QString& cle, const QString& valeur) = 0;
};
