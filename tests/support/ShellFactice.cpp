#include "support/ShellFactice.h"

#include "about/APropos.h"

#include "core/Services.h"
#include "support/MessagesScriptes.h"
#include "support/ParametresMemoire.h"

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

QList<ApplicationProposee> ShellFactice::applicationsInstallees() {
    appels.append({QStringLiteral("applicationsInstallees"), {}, -1, nullptr, {}});
    if (pendant) pendant();
    return reponseInstallees;
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

namespace {

QString litteral(const QString& valeur) {
    if (valeur.isNull()) return QStringLiteral("NULL");
    return QLatin1Char('\'') + Doubler_Apostrophes(valeur) + QLatin1Char('\'');
}

} // namespace

EnvironnementLanceur::EnvironnementLanceur() {
    ServicesPlateforme services = Environnement::servicesDeTest(messages_, parametres_, demarrage_);
    auto shell = std::make_unique<ShellFactice>();
    shell_ = shell.get();
    services.shell = std::move(shell);
    contexte_ = std::make_unique<Contexte>(base_.dossier(), std::move(services));
    contexte_->CheminDonnees = base_.cheminCatalogue();
    contexte_->DelaiFermeture = 5;
    contexte_->definirAPropos(&Afficher_A_Propos);
    contexte_->catalogue().ouvrir(base_.cheminCatalogue());
}

EnvironnementLanceur::~EnvironnementLanceur() = default;

void EnvironnementLanceur::ajouterCategorie(const QString& nom, const QString& icone,
                                            const QString& affiche, const QString& couleur) {
    contexte_->catalogue().executer(QStringLiteral("INSERT INTO categorie VALUES (") +
                                    litteral(nom) + QLatin1Char(',') + litteral(icone) +
                                    QLatin1Char(',') + litteral(affiche) + QLatin1Char(',') +
                                    litteral(couleur) + QLatin1Char(')'));
}

void EnvironnementLanceur::ajouterProgramme(const QString& nom, const QString& chemin,
                                            const QString& categorie, const QString& demarrage,
                                            const QString& typefichier) {
    contexte_->catalogue().executer(
        QStringLiteral("INSERT INTO programmes VALUES (") + litteral(nom) + QLatin1Char(',') +
        litteral(chemin) + QLatin1Char(',') + litteral(categorie) + QLatin1Char(',') +
        litteral(demarrage) + QLatin1Char(',') + litteral(typefichier) + QLatin1Char(')'));
}
