#pragma once

#include "platform/Parametres.h"

#include <QSettings>

// QSettings, application "Dalvire", group "parametres", in the user's configuration folder.
class ParametresQSettings final : public StockParametres {
public:
    ParametresQSettings();
    QString lire(const QString& cle) const override;
    void ecrire(const QString& cle, const QString& valeur) override;

private:
    mutable QSettings reglages_;
};
