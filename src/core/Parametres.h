#pragma once

#include <QSettings>
#include <QString>

// Keys of the section "parametres".
namespace Cle {
inline const QString DateDebut = QStringLiteral("date de debut");
inline const QString DossierApplication = QStringLiteral("dossier application");
inline const QString Version = QStringLiteral("version");
inline const QString Couleur = QStringLiteral("couleur");
inline const QString DemarragePc = QStringLiteral("demarrage pc");
inline const QString ConfirmationFermeture = QStringLiteral("confirmation fermeture");
inline const QString Fermeture = QStringLiteral("fermeture");
inline const QString Plan = QStringLiteral("plan");
inline const QString Utilisation = QStringLiteral("utilisation");
} // namespace Cle

// The per-user settings store: named text values of one section. A key that does not
// exist reads as the empty text, which is also how every reader tells it is absent.
class StockParametres {
public:
    virtual ~StockParametres() = default;
    virtual QString lire(const QString& cle) const = 0;
    virtual void ecrire(const QString& cle, const QString& valeur) = 0;
};

// QSettings, application "Dalvire", group "parametres", in the user's configuration folder.
class ParametresQSettings final : public StockParametres {
public:
    ParametresQSettings();
    QString lire(const QString& cle) const override;
    void ecrire(const QString& cle, const QString& valeur) override;

private:
    mutable QSettings reglages_;
};
