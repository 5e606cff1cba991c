#include "support/ShellFactice.h"

ResultatOuverture ShellFactice::ouvrir(const QString& cheminOuLien, AffichageFenetre affichage,
                                       QWidget* proprietaire) {
    appels.append({QStringLiteral("ouvrir"), cheminOuLien, affichage, proprietaire, {}});
    if (pendant) pendant();
    return reponseOuvrir;
}

bool ShellFactice::demarrer(const QString& programme, AffichageFenetre affichage) {
    appels.append({QStringLiteral("demarrer"), programme, affichage, nullptr, {}});
    if (pendant) pendant();
    return reponseDemarrer;
}

ChoixOuverture ShellFactice::choixPour(const QString& cheminOuLien) {
    appels.append({QStringLiteral("choixPour"), cheminOuLien, std::nullopt, nullptr, {}});
    if (pendant) pendant();
    return reponseChoix;
}

QList<ApplicationProposee> ShellFactice::toutesLesApplications() {
    appels.append({QStringLiteral("toutesLesApplications"), {}, std::nullopt, nullptr, {}});
    if (pendant) pendant();
    return reponseToutes;
}

ResultatLancement ShellFactice::lancerEntreeBureau(const QString& entree,
                                                   AffichageFenetre affichage) {
    appels.append({QStringLiteral("lancerEntreeBureau"), entree, affichage, nullptr, {}});
    if (pendant) pendant();
    return reponseEntreeBureau;
}

ResultatLancement ShellFactice::ouvrirAvecApplication(const QString& cheminOuLien,
                                                      const QString& idApplication) {
    appels.append({QStringLiteral("ouvrirAvecApplication"), cheminOuLien, std::nullopt, nullptr,
                   idApplication});
    if (pendant) pendant();
    return reponseLancement;
}

bool ShellFactice::definirParDefaut(const QString& type, const QString& idApplication) {
    appels.append({QStringLiteral("definirParDefaut"), type, std::nullopt, nullptr, idApplication});
    if (pendant) pendant();
    return reponseDefaut;
}

// AffichageFenetre's values, in their order.
static const char* const Noms[] = {"normal", "minimise", "maximise", "cache"};

QStringList ShellFactice::journal() const {
    QStringList lignes;
    for (const AppelShell& a : appels) {
        QString ligne = a.operation + QLatin1Char('|') + a.cible + QLatin1Char('|') +
                        QLatin1String(a.affichage ? Noms[static_cast<int>(*a.affichage)] : "-");
        if (!a.application.isEmpty()) ligne += QLatin1Char('|') + a.application;
        lignes << ligne;
    }
    return lignes;
}
