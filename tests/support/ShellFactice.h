#pragma once

#include "core/Contexte.h"
#include "platform/Shell.h"
#include "support/Environnement.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <memory>

class MessagesScriptes;
class ParametresMemoire;

// One request that reached the desktop services.
struct AppelShell {
    // "ouvrir", "demarrer", "choixPour", "toutesLesApplications", "ouvrirAvecApplication"
    // or "definirParDefaut".
    QString operation;
    QString cible; // the path or link; the type for definirParDefaut
    int commande = -1;
    QWidget* proprietaire = nullptr;
    QString application; // the id of the chosen application
};

// Desktop services that start nothing: they keep every request and answer as told.
class ShellFactice final : public ServiceShell {
public:
    ResultatOuverture ouvrir(const QString& cheminOuLien, int commandeAffichage,
                             QWidget* proprietaire) override;
    bool demarrer(const QString& programme, int commandeAffichage) override;
    ChoixOuverture choixPour(const QString& cheminOuLien) override;
    QList<ApplicationProposee> toutesLesApplications() override;
    QList<ApplicationProposee> applicationsInstallees() override;
    ResultatLancement ouvrirAvecApplication(const QString& cheminOuLien,
                                            const QString& idApplication) override;
    bool definirParDefaut(const QString& type, const QString& idApplication) override;

    // Runs inside every request, as the user's doings while a request is being served.
    std::function<void()> pendant;
    ResultatOuverture reponseOuvrir = ResultatOuverture::Reussi;
    bool reponseDemarrer = true;
    ChoixOuverture reponseChoix;
    QList<ApplicationProposee> reponseToutes;
    QList<ApplicationProposee> reponseInstallees;
    ResultatLancement reponseLancement = ResultatLancement::Reussi;
    bool reponseDefaut = true;
    QList<AppelShell> appels;

    // "operation|cible|commande", and "|application" when there is one, per request, in
    // order.
    QStringList journal() const;
};

// An isolated run like Environnement's, whose context also has the fake desktop
// services, with the catalogue open.
class EnvironnementLanceur {
public:
    EnvironnementLanceur();
    ~EnvironnementLanceur();

    Contexte& contexte() { return *contexte_; }
    MessagesScriptes& messages() { return *messages_; }
    ParametresMemoire& parametres() { return *parametres_; }
    ShellFactice& shell() { return *shell_; }
    QString dossier() const { return base_.dossier(); }

    // Test rows written as they are; a null QString is a NULL column.
    void ajouterCategorie(const QString& nom, const QString& icone, const QString& affiche,
                          const QString& couleur);
    void ajouterProgramme(const QString& nom, const QString& chemin, const QString& categorie,
                          const QString& demarrage, const QString& typefichier);

private:
    Environnement base_;
    MessagesScriptes* messages_ = nullptr;
    ParametresMemoire* parametres_ = nullptr;
    DemarrageSessionMemoire* demarrage_ = nullptr;
    ShellFactice* shell_ = nullptr;
    std::unique_ptr<Contexte> contexte_;
};
