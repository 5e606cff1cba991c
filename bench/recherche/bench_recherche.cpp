// bench_recherche: the search window over a catalogue of 10,000 items in 200 categories,
// three of them with a strip (offscreen, the strips built first as at start-up), a
// tenth of the items with starts of their own. Opening it, from the call of the main window
// until its list is painted, the first time (window built, starts and first lines read,
// icons looked for) and the next ones; then each keystroke of typed texts, from the new
// text to the new list painted, and the matching alone. The window shows before every
// item is read: keys are typed a tenth of a second after an opening, as a person would,
// and the first key typed at once, which waits for the reading, is timed apart.
#include "catalogue/Catalogue.h"
#include "core/Contexte.h"
#include "core/Recherche.h"
#include "core/Services.h"
#include "core/Utilisations.h"
#include "launcher/frmRechercher.h"
#include "support/Environnement.h"
#include "support/MessagesScriptes.h"
#include "support/SansAvertissements.h"
#include "tray/frmPrincipale.h"
#include "ui/Cadre.h"
#include "ui/frmIntro.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListView>
#include <QRandomGenerator>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Categories = 200;
constexpr int Elements = 10000;

const QStringList Mots = {"Éditeur",     "notes",        "été",      "Calcul",     "agenda",
                          "Lecteur",     "vidéo",        "musique",  "Écran",      "capture",
                          "Bureau",      "tâches",       "Journal",  "photos",     "Courrier",
                          "Planète",     "Gestion",      "comptes",  "Atelier",    "dessin",
                          "Terminal",    "réseau",       "Carte",    "météo",      "Outil",
                          "archives",    "Visionneuse",  "plans",    "Traducteur", "français",
                          "Chronomètre", "Dictionnaire", "Moniteur", "système",    "Navigateur",
                          "Internet",    "Album",        "École",    "Recettes",   "cuisine"};

QString nomCategorie(int c) {
    return QStringLiteral("Catégorie %1").arg(c, 3, 10, QLatin1Char('0'));
}

void remplirCatalogue(Environnement& env) {
    QRandomGenerator alea(17);
    QList<Categorie> categories;
    QList<Element> elements;
    // Three categories have a strip; the others are reached by the search alone.
    for (int c = 0; c < Categories; ++c)
        categories << Categorie{nomCategorie(c), env.dossier() + "icones/dalvire.ico", c < 3, {}};
    for (int e = 0; e < Elements; ++e) {
        QStringList nom;
        const int n = 2 + static_cast<int>(alea.bounded(2));
        for (int m = 0; m < n; ++m)
            nom << Mots.at(static_cast<int>(alea.bounded(Mots.size())));
        nom << QString::number(e);
        elements << Element{nom.join(' '),
                            QStringLiteral("/usr/share/doc/element-%1/notes.txt").arg(e),
                            nomCategorie(e % Categories), static_cast<ModeAffichage>(e % 3),
                            static_cast<TypeElement>(e % 4)};
    }
    env.contexte().catalogue().ajouterEnsemble(categories, elements);
    // Starts of a tenth of the items, spread over the last three months.
    const QDateTime maintenant = QDateTime::currentDateTimeUtc();
    for (int e = 0; e < Elements; e += 10)
        env.contexte().utilisations().noter(elements.at(e).nom,
                                            maintenant.addDays(-alea.bounded(90)));
}

double mediane(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

long residentKo() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> champs = statm.readAll().split(' ');
    return champs.size() > 1 ? champs.at(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

// Notes when the list of the search window is first painted.
class Peinture : public QObject {
public:
    bool peinte = false;
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        if (evenement->type() == QEvent::Paint) {
            const auto* w = qobject_cast<QWidget*>(objet);
            const auto* liste = w ? qobject_cast<QListView*>(w->parentWidget()) : nullptr;
            if (liste && liste->objectName() == QLatin1String("lstTrouves") &&
                liste->viewport() == w && qobject_cast<frmRechercher*>(w->window()))
                peinte = true;
        }
        return false;
    }
};

frmRechercher* fenetreRecherche() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<frmRechercher*>(w)) return f;
    return nullptr;
}

// From the call to the list painted, in ms.
double ouvrir(frmPrincipale& principale, Peinture& peinture) {
    peinture.peinte = false;
    QElapsedTimer chrono;
    chrono.start();
    principale.Afficher_Recherche();
    while (!peinture.peinte && chrono.elapsed() < 5000)
        QCoreApplication::processEvents();
    return static_cast<double>(chrono.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    mallopt(M_ARENA_MAX, 1); // as the program does
    Taire_Avertissements();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Installer_Police_Application();
    Environnement env{Environnement::lanceur()};
    remplirCatalogue(env);
    // Read again from its file at the first opening, as in a new run.
    env.contexte().utilisations().definirChemin(env.contexte().utilisations().chemin());
    // The program as it runs before the first search: its splash drawn (and with it the
    // windows' face), its strips built.
    frmIntro(env.contexte()).grab();
    frmPrincipale principale(env.contexte());
    principale.Form_Load();
    QCoreApplication::processEvents();
    Peinture peinture;
    application.installEventFilter(&peinture);

    const long avant = residentKo();
    const double premiere = ouvrir(principale, peinture);
    frmRechercher* fenetre = fenetreRecherche();
    if (!fenetre || !peinture.peinte) {
        std::fprintf(stderr, "bench_recherche: the search window did not show\n");
        return 1;
    }
    auto* const saisie = fenetre->findChild<QLineEdit*>(QStringLiteral("txtRecherche"));
    std::vector<double> suivantes;
    for (int k = 0; k < 11; ++k) {
        fenetre->fermer();
        QCoreApplication::processEvents();
        suivantes.push_back(ouvrir(principale, peinture));
    }
    // A key typed as soon as the window shows waits for the items still being read.
    const auto frappe = [&](const QString& texte) {
        peinture.peinte = false;
        QElapsedTimer chrono;
        chrono.start();
        saisie->setText(texte);
        while (!peinture.peinte && chrono.elapsed() < 2000)
            QCoreApplication::processEvents();
        return static_cast<double>(chrono.nsecsElapsed()) / 1e6;
    };
    std::vector<double> aussitot;
    for (int k = 0; k < 5; ++k) {
        fenetre->fermer();
        QCoreApplication::processEvents();
        ouvrir(principale, peinture);
        aussitot.push_back(frappe(QStringLiteral("é")));
    }
    saisie->clear();
    QElapsedTimer pause;
    pause.start();
    while (pause.elapsed() < 100)
        QCoreApplication::processEvents();
    const long ouverte = residentKo();

    // Each keystroke: the new text, the list computed and painted.
    const QStringList textes = {QStringLiteral("éditeur notes"), QStringLiteral("calcul 12"),
                                QStringLiteral("e"), QStringLiteral("ZZZZ")};
    std::vector<double> frappes, pireParTexte;
    double pire = 0;
    for (const QString& texte : textes) {
        saisie->clear();
        QCoreApplication::processEvents();
        for (qsizetype n = 1; n <= texte.size(); ++n) {
            const double duree = frappe(texte.left(n));
            frappes.push_back(duree);
            pire = std::max(pire, duree);
        }
    }
    fenetre->fermer();

    // The matching alone, on the same items and starts.
    const QList<Element> elements = env.contexte().catalogue().elementsSansOrdre();
    const QDateTime maintenant = QDateTime::currentDateTimeUtc();
    QElapsedTimer chrono;
    chrono.start();
    const QHash<QString, double> poids = env.contexte().utilisations().poidsDe(maintenant);
    const IndexRecherche index(elements, [&](const QString& nom) { return poids.value(nom); });
    const double construction = static_cast<double>(chrono.nsecsElapsed()) / 1e6;
    std::vector<double> seules;
    for (const QString& texte : textes)
        for (qsizetype n = 1; n <= texte.size(); ++n) {
            chrono.restart();
            const QList<Element> trouves = index.chercher(texte.left(n), 10);
            seules.push_back(static_cast<double>(chrono.nsecsElapsed()) / 1e6);
        }

    // The starts file at its bounds: what a first opening may have to read at most.
    const QString pleinChemin = env.dossier() + QStringLiteral("etat/plein.json");
    {
        QJsonArray liste;
        for (qsizetype i = 0; i < Utilisations::EntreesMaximum; ++i)
            liste.append(QJsonObject{
                {"nom", QString(Utilisations::NomMaximum - 4, u'é') + QString::number(i)},
                {"poids", 1.0},
                {"dernier", maintenant.toString(Qt::ISODate)},
                {"nombre", 1}});
        QFile plein(pleinChemin);
        if (!plein.open(QIODevice::WriteOnly)) return 1;
        plein.write(
            QJsonDocument(QJsonObject{{"lancements", liste}}).toJson(QJsonDocument::Compact));
    }
    std::vector<double> lectures;
    qsizetype lus = 0;
    for (int k = 0; k < 7; ++k) {
        chrono.restart();
        lus = Utilisations(pleinChemin).poidsDe(maintenant).size();
        lectures.push_back(static_cast<double>(chrono.nsecsElapsed()) / 1e6);
    }

    std::printf("bench_recherche: %d items in %d categories, %d with starts%s\n", Elements,
                Categories, Elements / 10,
                env.messages().vus.isEmpty() ? "" : " (a message was shown)");
    std::printf("  open, call to list painted: first   %7.1f ms   (window built, starts and "
                "first lines read)   aim < 50 ms\n",
                premiere);
    std::printf("  open again, median of %zu           %7.1f ms   aim < 50 ms\n", suivantes.size(),
                mediane(suivantes));
    std::printf("  keystroke to list painted, median  %7.2f ms   worst %.2f ms (%zu keys)   aim "
                "< 5 ms\n",
                mediane(frappes), pire, frappes.size());
    std::printf("  first key typed at once after an opening, median of %zu %5.2f ms\n",
                aussitot.size(), mediane(aussitot));
    std::printf("  matching alone, median             %7.2f ms   worst %.2f ms\n", mediane(seules),
                *std::max_element(seules.begin(), seules.end()));
    std::printf("  folding the %d names              %7.1f ms\n", Elements, construction);
    std::printf("  resident memory of the first opening %5ld KB\n", ouverte - avant);
    std::printf("  starts file at its bounds (%lld starts, %lld KB), read, median of 7 %5.1f ms\n",
                static_cast<long long>(lus),
                static_cast<long long>(QFileInfo(pleinChemin).size() / 1024), mediane(lectures));
    return env.messages().vus.isEmpty() ? 0 : 1;
}
