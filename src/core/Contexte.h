#pragma once

#include "catalogue/Catalogue.h"
#include "core/Aleatoire.h"
#include "core/Emplacements.h"
#include "core/Fenetres.h"
#include "core/ModeleCatalogue.h"
#include "core/Reglages.h"
#include "core/Utilisations.h"

#include <QString>

#include <functional>
#include <memory>

class StockParametres;
class ServiceMessages;
class ServiceDemarrageSession;
class ServiceShell;
class ServiceAide;
class QWidget;
class ServiceDialogues;
class ServiceImpression;
class ServiceRaccourciGlobal;

// The platform services a run of the program works with. The program builds the real
// ones; a test hands in its own.
struct ServicesPlateforme {
    std::unique_ptr<StockParametres> parametres;
    std::unique_ptr<ServiceMessages> messages;
    std::unique_ptr<ServiceDemarrageSession> demarrageSession;
    std::unique_ptr<ServiceShell> shell;
    std::unique_ptr<ServiceAide> aide;
    std::unique_ptr<ServiceDialogues> dialogues;
    std::unique_ptr<ServiceImpression> impression;
    std::unique_ptr<ServiceRaccourciGlobal> raccourciGlobal;

    ServicesPlateforme();
    ServicesPlateforme(ServicesPlateforme&&) noexcept;
    ServicesPlateforme& operator=(ServicesPlateforme&&) noexcept;
    ~ServicesPlateforme();

    // The services a user runs with: QSettings, message boxes, XDG autostart, GIO,
    // the help viewer, Qt's file and colour dialogs, the default printer, the X11 key grab.
    // The modules that bring GIO and the print support are loaded from dossierModules.
    static ServicesPlateforme reels(const QString& dossierModules);
};

// Everything shared between the windows of one run: the values set at start-up, the
// catalogue, the collection of open windows and the platform services. The application
// owns one and hands it to its windows; a test can build an isolated one.
class Contexte {
public:
    // Everything in one application folder, as the build lays it out.
    Contexte(const QString& dossierApplication, ServicesPlateforme services);
    Contexte(Emplacements emplacements, ServicesPlateforme services);
    ~Contexte();
    Contexte(const Contexte&) = delete;
    Contexte& operator=(const Contexte&) = delete;

    // Shared values, with the names the windows know them by.
    QString CheminDonnees;
    QString TexteVersion;
    bool PremiereUtilisation = false;
    QString JoursUtilisation;

    const QString& dossierApplication() const { return emplacements_.dossierApplication; }
    const Emplacements& emplacements() const { return emplacements_; }

    // The user's settings, over the settings store.
    Reglages& reglages() { return reglages_; }
    ServiceMessages& messages() const { return *services_.messages; }
    ServiceDemarrageSession& demarrageSession() const { return *services_.demarrageSession; }
    ServiceShell& shell() const { return *services_.shell; }
    ServiceAide& aide() const { return *services_.aide; }
    ServiceDialogues& dialogues() const { return *services_.dialogues; }
    ServiceImpression& impression() const { return *services_.impression; }
    ServiceRaccourciGlobal& raccourciGlobal() const { return *services_.raccourciGlobal; }

    // The About box sits above the shared services that open it with F2: the program
    // hands it in when it builds its windows.
    using AfficheurAPropos = std::function<void(Contexte&, QWidget*)>;
    void definirAPropos(AfficheurAPropos afficheur) { aPropos_ = std::move(afficheur); }
    void afficherAPropos(QWidget* parent) {
        if (aPropos_) aPropos_(*this, parent);
    }

    Catalogue& catalogue() { return catalogue_; }
    // The catalogue the windows show and change, read from catalogue().
    ModeleCatalogue& modele() { return modele_; }
    Fenetres& fenetres() { return fenetres_; }
    GenerateurAleatoire& aleatoire() { return aleatoire_; }
    // The starts of each item, read from their file at the first start or search.
    Utilisations& utilisations() { return utilisations_; }

private:
    Emplacements emplacements_;
    ServicesPlateforme services_;
    Reglages reglages_;
    Catalogue catalogue_;
    ModeleCatalogue modele_{catalogue_};
    Fenetres fenetres_;
    GenerateurAleatoire aleatoire_;
    Utilisations utilisations_{Utilisations::cheminParDefaut()};
    AfficheurAPropos aPropos_;
};
