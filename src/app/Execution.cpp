#include "app/Execution.h"

#include "about/APropos.h"
#include "base/Version.h"
#include "core/Contexte.h"
#include "core/Demarrage.h"
#include "platform/Canal.h"
#include "platform/DebutProcessus.h"
#include "platform/Verrou.h"
#include "platform/linux/AutostartXdg.h"
#include "platform/linux/DialoguesQt.h"
#include "platform/linux/MessagesQt.h"
#include "platform/linux/ParametresQSettings.h"
#include "platform/linux/RaccourciX11.h"
#include "platform/linux/ServicesDifferes.h"
#include "tray/frmPrincipale.h"
#include "ui/AideChm.h"
#include "ui/frmIntro.h"

#include <QApplication>
#include <QProcessEnvironment>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <thread>

ServicesPlateforme ServicesPlateforme::reels(const QString& dossierModules) {
    ServicesPlateforme s;
    s.parametres = std::make_unique<ParametresQSettings>();
    s.messages = std::make_unique<MessagesQt>();
    s.demarrageSession = std::make_unique<AutostartXdg>();
    s.shell = std::make_unique<ShellDiffere>(dossierModules + QStringLiteral("/shellgio.so"));
    s.aide = std::make_unique<AideChm>();
    s.dialogues = std::make_unique<DialoguesQt>();
    s.raccourciGlobal = std::make_unique<RaccourciX11>();
    s.impression =
        std::make_unique<ImpressionDifferee>(dossierModules + QStringLiteral("/impressionqt.so"));
    return s;
}

ChoixPlateforme Choisir_Plateforme(const QProcessEnvironment& environnement) {
    const QString demandee = environnement.value(QStringLiteral("QT_QPA_PLATFORM")).trimmed();
    if (!demandee.isEmpty() && !demandee.startsWith(QLatin1String("wayland"), Qt::CaseInsensitive))
        return {};
    const bool wayland = environnement.value(QStringLiteral("XDG_SESSION_TYPE"))
                                 .compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0 ||
                         !environnement.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
    if (!wayland) return {};
    if (!environnement.value(QStringLiteral("DISPLAY")).isEmpty())
        return {ChoixPlateforme::Issue::XWayland,
                QStringLiteral("Dalvire : session Wayland, le programme passe par XWayland pour "
                               "placer ses fenêtres au bord de l'écran.")};
    return {ChoixPlateforme::Issue::Impossible,
            QStringLiteral(
                "Dalvire ne peut pas fonctionner dans cette session Wayland : ses fenêtres se "
                "placent d'elles-mêmes au bord droit de l'écran, ce que Wayland ne permet pas "
                "aux programmes, et XWayland, qui le permet, n'est pas disponible (la variable "
                "DISPLAY est vide).\nOuvrez une session X11, ou activez XWayland, puis "
                "relancez Dalvire.")};
}

bool Recherche_Demandee(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--rechercher") == 0) return true;
    return false;
}

namespace {

// A copy that took the call answers at once; this is for one whose loop is held up.
constexpr std::chrono::milliseconds DelaiReponse{500};
constexpr std::chrono::milliseconds Intervalle{100};

QString Raison_Echec(Canal::Issue issue) {
    switch (issue) {
    case Canal::Issue::Refusee:
        return QStringLiteral("Dalvire : la copie en cours a refusé la demande de recherche "
                              "(elle en reçoit trop à la fois) ; aucune recherche ne s'est "
                              "ouverte. Réessayez dans un instant.");
    case Canal::Issue::SansReponse:
        return QStringLiteral("Dalvire : la copie en cours n'a pas répondu à la demande de "
                              "recherche ; aucune recherche ne s'est ouverte.");
    case Canal::Issue::Personne:
    case Canal::Issue::Acceptee:
        break;
    }
    return QStringLiteral("Dalvire : une autre copie du programme est en cours de démarrage et "
                          "ne reçoit pas encore les demandes ; aucune recherche ne s'est "
                          "ouverte. Réessayez dans un instant.");
}

void Signaler_Lieux_Manquants(const VerrouInstance& verrou, const QString& cheminCanal) {
    const bool sansCanal = cheminCanal.isEmpty();
    if (verrou.estDetenu() && !sansCanal) return;
    const QString message =
        !verrou.estDetenu()
            ? QStringLiteral("Dalvire : aucun dossier sûr pour le verrou du programme "
                             "($XDG_RUNTIME_DIR, ~/.local/state/dalvire ou ~/.cache/dalvire) ; "
                             "une seconde copie ne sera pas empêchée de démarrer, et la commande "
                             "« dalvire --rechercher » ne pourra pas s'adresser à celle-ci.")
            : QStringLiteral("Dalvire : aucun dossier sûr pour recevoir les demandes "
                             "($XDG_RUNTIME_DIR, ~/.local/state/dalvire ou ~/.cache/dalvire) ; "
                             "la commande « dalvire --rechercher » ne pourra pas s'adresser à "
                             "cette copie, qui reste la seule à tourner.");
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

} // namespace

RemiseRecherche Remettre_Recherche(VerrouInstance& verrou, std::chrono::milliseconds delai) {
    using Issue = RemiseRecherche::Issue;
    const auto fin = std::chrono::steady_clock::now() + delai;
    const QString canal = Canal::chemin(TitreApplication);
    for (;;) {
        const auto reste = std::chrono::duration_cast<std::chrono::milliseconds>(
            fin - std::chrono::steady_clock::now());
        const Canal::Issue issue = canal.isEmpty()
                                       ? Canal::Issue::Personne
                                       : Canal::demander(canal, QByteArray(Canal::Recherche),
                                                         std::max(reste, DelaiReponse));
        if (issue == Canal::Issue::Acceptee) return {Issue::Confiee, {}};
        // Nobody listens and nobody holds the lock: no copy runs, this one will.
        if (issue == Canal::Issue::Personne && verrou.acquerir(TitreApplication))
            return {Issue::ACetteCopie, {}};
        if (canal.isEmpty())
            return {Issue::Echec,
                    QStringLiteral("Dalvire : une autre copie du programme tourne, mais aucun "
                                   "dossier sûr ne permet de lui transmettre la demande de "
                                   "recherche ; aucune recherche ne s'est ouverte.")};
        if (std::chrono::steady_clock::now() >= fin) return {Issue::Echec, Raison_Echec(issue)};
        std::this_thread::sleep_for(Intervalle);
    }
}

int Executer_Dalvire(QApplication& application, VerrouInstance& verrou,
                     const std::function<void(Contexte*)>& contexteEnService, bool rechercher) {
    const Emplacements lieux = Emplacements_Programme(QCoreApplication::applicationFilePath(),
                                                      QProcessEnvironment::systemEnvironment());
    Contexte contexte(lieux, ServicesPlateforme::reels(lieux.dossierModules));
    contexte.definirAPropos(&Afficher_A_Propos);
    struct Service {
        const std::function<void(Contexte*)>& rappel;
        Service(const std::function<void(Contexte*)>& r, Contexte& c)
            : rappel(r) {
            if (rappel) rappel(&c);
        }
        ~Service() {
            if (rappel) rappel(nullptr);
        }
    } service(contexteEnService, contexte);
    if (!Demarrage(contexte, verrou).preparer()) return 0;
    // Found once: each look makes sure of the folder on disk.
    const QString cheminCanal = Canal::chemin(TitreApplication);
    Signaler_Lieux_Manquants(verrou, cheminCanal);
    auto intro = std::make_unique<frmIntro>(contexte);
    intro->compterDepuis(Debut_Processus());
    intro->Form_Load();

    std::unique_ptr<frmPrincipale> principale;
    // A search asked for before the launcher windows are up waits for them.
    bool rechercheEnAttente = rechercher;
    bool pret = false;
    ServeurCanal canal({QByteArray(Canal::Recherche)}, [&](const QByteArray&) {
        if (pret && principale)
            principale->Afficher_Recherche();
        else
            rechercheEnAttente = true;
    });
    if (verrou.estDetenu() && !cheminCanal.isEmpty()) canal.ecouter(cheminCanal);
    // Queued, so that the splash has left its own timer's signal: it is freed (its window,
    // its picture, its fonts) before the main window and the strips are made, which then
    // take its place rather than adding to it.
    QObject::connect(
        intro.get(), &frmIntro::dechargee, &application,
        [&] {
            intro.reset();
            if (!Ouvrir_Catalogue(contexte)) {
                QCoreApplication::exit(1);
                return;
            }
            principale = std::make_unique<frmPrincipale>(contexte);
            QObject::connect(principale.get(), &frmPrincipale::dechargee, &application,
                             &QCoreApplication::quit, Qt::QueuedConnection);
            principale->Form_Load();
            pret = true;
            if (rechercheEnAttente) {
                rechercheEnAttente = false;
                // Once the windows just made are shown.
                QTimer::singleShot(0, principale.get(), [&] { principale->Afficher_Recherche(); });
            }
        },
        Qt::QueuedConnection);
    intro->show();
    const int code = application.exec();
    principale.reset();
    return code;
}
