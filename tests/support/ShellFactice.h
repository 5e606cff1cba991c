#pragma once

#include "platform/Shell.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// One request that reached the desktop services.
struct AppelShell {
    // "ouvrir", "demarrer", "choixPour", "toutesLesApplications", "lancerEntreeBureau",
    // "ouvrirAvecApplication" or "definirParDefaut".
    QString operation;
    QString cible; // the path or link; the type for definirParDefaut
    std::optional<AffichageFenetre> affichage; // for the requests that start something
    QWidget* proprietaire = nullptr;
    QString application; // the id of the chosen application
};

// Desktop services that start nothing: they keep every request and answer as told.
class ShellFactice final : public ServiceShell {
public:
    ResultatOuverture ouvrir(const QString& cheminOuLien, AffichageFenetre affichage,
                             QWidget* proprietaire) override;
    bool demarrer(const QString& programme, AffichageFenetre affichage) override;
    ChoixOuverture choixPour(const QString& cheminOuLien) override;
    QList<ApplicationProposee> toutesLesApplications() override;
    ResultatLancement lancerEntreeBureau(const QString& entree,
                                         AffichageFenetre affichage) override;
    ResultatLancement ouvrirAvecApplication(const QString& cheminOuLien,
                                            const QString& idApplication) override;
    bool definirParDefaut(const QString& type, const QString& idApplication) override;

    // Runs inside every request, as the user's doings while a request is being served.
    std::function<void()> pendant;
    ResultatOuverture reponseOuvrir = ResultatOuverture::Reussi;
    bool reponseDemarrer = true;
    ChoixOuverture reponseChoix;
    QList<ApplicationProposee> reponseToutes;
    ResultatLancement reponseLancement = ResultatLancement::Reussi;
    ResultatLancement reponseEntreeBureau = ResultatLancement::Reussi;
    bool reponseDefaut = true;
    QList<AppelShell> appels;

    // "operation|cible|affichage" ("normal", "minimise", "maximise", "cache", or "-" when
    // the request starts nothing), and "|application" when there is one, per request, in
    // order.
    QStringList journal() const;
};
