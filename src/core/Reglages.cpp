#include "core/Reglages.h"

#include "base/Dates.h"
#include "base/Nombres.h"
#include "core/ClesParametres.h"

namespace {

// The defaults, which start-up writes where a setting is missing (the search key is never
// written there: its absence is its default).
constexpr bool CouleurParDefaut = true; // no reader: kept for the file's sake
constexpr bool DemarrageAvecSessionParDefaut = true;
constexpr bool ConfirmationFermetureParDefaut = true;
constexpr qint32 DelaiFermetureParDefaut = 5;
constexpr bool PremierPlanParDefaut = false;
const QString RaccourciParDefaut = QStringLiteral("Ctrl+Alt+Space");

// The user's choice of no key, a word of its own: an empty value reads as never written.
const QString AucunRaccourci = QStringLiteral("aucun");
// What notes that the user has started the program before.
const QString DejaUtilise = QStringLiteral("ok");

QString Texte(bool actif) {
    return actif ? QStringLiteral("1") : QStringLiteral("0");
}

QString Texte(qint32 nombre) {
    return QString::number(nombre);
}

} // namespace

namespace {

// Stateless: what every run without a store of its own reads from and writes to.
StockParametres& Aucun_Stock() {
    class Aucun final : public StockParametres {
    public:
        QString lire(const QString&) const override { return {}; }
        void ecrire(const QString&, const QString&) override {}
    };
    static Aucun aucun;
    return aucun;
}

} // namespace

Reglages::Reglages(StockParametres* stock)
    : stock_(stock ? *stock : Aucun_Stock()) {}

bool Reglages::ecrireAbsents(const QDate& aujourdhui, const QString& dossierApplication,
                             const QString& version) {
    const auto siAbsent = [this](const QString& cle, const QString& valeur) {
        const bool absent = stock_.lire(cle).isEmpty();
        if (absent) stock_.ecrire(cle, valeur);
        return absent;
    };
    siAbsent(Cle::DateDebut, Ecrire_Date_Debut(aujourdhui));
    stock_.ecrire(Cle::DossierApplication, dossierApplication);
    siAbsent(Cle::Version, version);
    siAbsent(Cle::Couleur, Texte(CouleurParDefaut));
    siAbsent(Cle::DemarragePc, Texte(DemarrageAvecSessionParDefaut));
    siAbsent(Cle::ConfirmationFermeture, Texte(ConfirmationFermetureParDefaut));
    siAbsent(Cle::Fermeture, Texte(DelaiFermetureParDefaut));
    siAbsent(Cle::Plan, Texte(PremierPlanParDefaut));
    return siAbsent(Cle::Utilisation, DejaUtilise);
}

void Reglages::charger() {
    premierPlan_ = Valeur_Entiere_16(stock_.lire(Cle::Plan)) != 0;
    delaiFermeture_ = Valeur_Entiere_32(stock_.lire(Cle::Fermeture));
}

QDate Reglages::dateDebut() const {
    return Lire_Date_Debut(stock_.lire(Cle::DateDebut));
}

bool Reglages::demarrageAvecSession() const {
    return Valeur_Entiere(stock_.lire(Cle::DemarragePc)) == 1;
}

void Reglages::definirDemarrageAvecSession(bool actif) {
    stock_.ecrire(Cle::DemarragePc, Texte(actif));
}

bool Reglages::confirmationFermeture() const {
    return stock_.lire(Cle::ConfirmationFermeture) == Texte(true);
}

void Reglages::definirConfirmationFermeture(bool actif) {
    stock_.ecrire(Cle::ConfirmationFermeture, Texte(actif));
}

void Reglages::definirPremierPlan(bool actif) {
    stock_.ecrire(Cle::Plan, Texte(actif));
    premierPlan_ = actif;
}

void Reglages::definirDelaiFermeture(qint32 secondes) {
    stock_.ecrire(Cle::Fermeture, Texte(secondes));
    delaiFermeture_ = secondes;
}

QKeySequence Reglages::raccourciRecherche() const {
    const QString texte = stock_.lire(Cle::RaccourciRecherche).trimmed();
    if (texte.isEmpty()) return QKeySequence(RaccourciParDefaut, QKeySequence::PortableText);
    if (texte.compare(AucunRaccourci, Qt::CaseInsensitive) == 0) return {};
    const QKeySequence touche(texte, QKeySequence::PortableText);
    // One key only: a damaged text that Qt reads as a chain of keys names none.
    if (touche.count() != 1 || touche[0].key() == Qt::Key_unknown) return {};
    return touche;
}

void Reglages::definirRaccourciRecherche(const QKeySequence& touche) {
    stock_.ecrire(Cle::RaccourciRecherche,
                  touche.isEmpty() ? AucunRaccourci
                                   : QKeySequence(touche[0]).toString(QKeySequence::PortableText));
}
