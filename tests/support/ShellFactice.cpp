#include "support/ShellFactice.h"

ResultatOuverture ShellFactice::ouvrir(const QString& cheminOuLien, int commandeAffichage,
                                       QWidget* proprietaire) {
    appels.append({QStringLiteral("ouvrir"), cheminOuLien, commandeAffichage, proprietaire, {}});
    if (pendant) pendant();
    return reponseOuvrir;
}

bool ShellFactice::demarrer(const QString& programme, int commandeAffichage) {
    appels.append({QStringLiteral("demarrer"), programme, commandeAffichage, nullptr, {}});
    if (pendant) pendant();
    return reponseDemarrer;
}

ChoixOuverture ShellFactice::choixPour(const QString& cheminOuLien) {
    appels.append({QStringLiteral("choixPour"), cheminOuLien, -1, nullptr, {}});
    if (pendant) pendant();
    return reponseChoix;
}

QList<ApplicationProposee> ShellFactice::toutesLesApplications() {
    appels.append({QStringLiteral("toutesLesApplications"), {}, -1, nullptr, {}});
    if (pendant) pendant();
    return reponseToutes;
}

ResultatLancement ShellFactice::lancerEntreeBureau(const QString& entree, int commandeAffichage) {
    appels.append({QStringLiteral("lancerEntreeBureau"), entree, commandeAffichage, nullptr, {}});
    if (pendant) pendant();
    return reponseEntreeBureau;
}

ResultatLancement ShellFactice::ouvrirAvecApplication(const QString& cheminOuLien,
                                                      const QString& idApplication) {
    appels.append(
        {QStringLiteral("ouvrirAvecApplication"), cheminOuLien, -1, nullptr, idApplication});
    if (pendant) pendant();
    return reponseLancement;
}

bool ShellFactice::definirParDefaut(const QString& type, const QString& idApplication) {
    appels.append({QStringLiteral("definirParDefaut"), type, -1, nullptr, idApplication});
    if (pendant) pendant();
    return reponseDefaut;
}

QStringList ShellFactice::journal() const {
    QStringList lignes;
    for (const AppelShell& a : appels) {
        QString ligne = a.operation + QLatin1Char('|') + a.cible + QLatin1Char('|') +
                        QString::number(a.commande);
        if (!a.application.isEmpty()) ligne += QLatin1Char('|') + a.application;
        lignes << ligne;
    }
    return lignes;
}
