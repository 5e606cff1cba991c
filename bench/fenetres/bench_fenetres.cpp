// bench_fenetres: the build of the launcher windows for 50 displayed categories holding
// 10,000 items in all (offscreen, on a screen tall enough for all of them), then the
// rebuild after closing them: time, and resident memory per window.
#include "launcher/Bandes.h"
#include "launcher/ListeProgrammes.h"
#include "launcher/frmDalvire.h"
#include "support/Environnement.h"
#include "support/MessagesScriptes.h"
#include "support/SansAvertissements.h"
#include "support/ShellFactice.h"
#include "tray/frmPrincipale.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int Categories = 50;
constexpr int Elements = 10000;

long residentKo() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> champs = statm.readAll().split(' ');
    return champs.size() > 1 ? champs.at(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

void remplirCatalogue(Environnement& env) {
    env.executer(QStringLiteral("BEGIN"));
    for (int c = 0; c < Categories; ++c) {
        const QString nom = QStringLiteral("Catégorie %1").arg(c, 2, 10, QLatin1Char('0'));
        env.ajouterCategorie(nom, QString(), QStringLiteral("1"),
                             c % 2 ? QStringLiteral("-1") : QStringLiteral("16761024"));
        for (int e = c; e < Elements; e += Categories)
            env.ajouterProgramme(QStringLiteral("Élément %1").arg(e, 5, 10, QLatin1Char('0')),
                                 QStringLiteral("/usr/share/doc/element-%1/notes.txt").arg(e), nom,
                                 QString::number(e % 3), QString::number(e % 4));
    }
    env.executer(QStringLiteral("COMMIT"));
}

int compterFenetres(Contexte& contexte) {
    int n = 0;
    for (QWidget* w : contexte.fenetres().ouvertes<QWidget>())
        if (qobject_cast<frmDalvire*>(w)) ++n;
    return n;
}

// One strip holding all the items, its list opened and drawn: the first opening (every
// icon shown looked for) and the mean of the following ones.
std::pair<double, double> ouvertureListe(Contexte& contexte) {
    frmDalvire fenetre(contexte);
    QList<Element> elements;
    for (int e = 0; e < Elements; ++e)
        elements << Element{QStringLiteral("Élément %1").arg(e, 5, 10, QLatin1Char('0')),
                            e % 4 == 1
                                ? QStringLiteral("/usr/share/doc/element-%1/notes-%2.%3")
                                      .arg(e)
                                      .arg(e)
                                      .arg(QStringList{"txt", "pdf", "html", "png"}.at(e % 16 / 4))
                                : QStringLiteral("/usr/bin/element-%1").arg(e),
                            QString(), ModeAffichage::Normal, static_cast<TypeElement>(e % 4)};
    fenetre.definirLignes(elements);
    auto* const liste = fenetre.findChild<ListeProgrammes*>(QStringLiteral("cboProgrammes"));
    fenetre.show();
    QCoreApplication::processEvents();
    auto ouvrir = [&] {
        QElapsedTimer chrono;
        chrono.start();
        liste->showPopup();
        liste->view()->grab();
        const double duree = static_cast<double>(chrono.nsecsElapsed()) / 1e6;
        liste->hidePopup();
        QCoreApplication::processEvents();
        return duree;
    };
    const double premiere = ouvrir();
    double suivantes = 0;
    for (int k = 0; k < 5; ++k)
        suivantes += ouvrir();
    return {premiere, suivantes / 5};
}

} // namespace

int main(int argc, char** argv) {
    Taire_Avertissements();
    // A screen tall enough for every window, so that the whole set is built.
    QTemporaryDir dossier;
    const QString config = dossier.filePath(QStringLiteral("ecran.json"));
    {
        QFile f(config);
        if (!f.open(QIODevice::WriteOnly)) return 1;
        f.write(R"({"screens": [{"name": "ecran", "x": 0, "y": 0, "width": 1920,
                    "height": 1800, "logicalDpi": 96}]})");
    }
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QFile::encodeName(config));
    QApplication application(argc, argv);

    Environnement env{Environnement::lanceur()};
    remplirCatalogue(env);
    frmPrincipale principale(env.contexte());
    // As the main window builds them: the catalogue model brought up to the file (read
    // whole the first time), then the strips from it.
    const auto batir = [&] {
        if (Actualiser_Modele_Ou_Signaler(env.contexte())) Creer_Bandes(env.contexte(), principale);
    };

    // One window built and closed first: what the first window of a run pays once (the
    // style, the fonts) is not a cost of each window.
    delete new frmDalvire(env.contexte());

    const long avant = residentKo();
    QElapsedTimer chrono;
    chrono.start();
    batir();
    const double construction = static_cast<double>(chrono.nsecsElapsed()) / 1e6;
    QCoreApplication::processEvents();
    const long apres = residentKo();
    const int construites = compterFenetres(env.contexte());

    // Rebuilds as the tray menu runs them: close every launcher window, build again.
    constexpr int Reconstructions = 10;
    double fermeture = 0;
    double reconstruction = 0;
    double pireReconstruction = 0;
    for (int k = 0; k < Reconstructions; ++k) {
        chrono.restart();
        principale.Fermer_Fenetres(false);
        fermeture += static_cast<double>(chrono.nsecsElapsed()) / 1e6;
        chrono.restart();
        batir();
        const double duree = static_cast<double>(chrono.nsecsElapsed()) / 1e6;
        reconstruction += duree;
        pireReconstruction = std::max(pireReconstruction, duree);
        QCoreApplication::processEvents();
    }
    const long apresReconstructions = residentKo();
    principale.Fermer_Fenetres(false);
    const auto [premiereOuverture, ouvertures] = ouvertureListe(env.contexte());

    std::printf("bench_fenetres: %d displayed categories, %d items, %d windows built%s\n",
                Categories, Elements, construites,
                env.messages().vus.isEmpty() ? "" : " (a message was shown)");
    std::printf("  build (catalogue read, strips)      %7.1f ms   aim < 250 ms\n", construction);
    std::printf("  close (Fermer_Fenetres), mean       %7.1f ms\n", fermeture / Reconstructions);
    std::printf("  rebuild (strips), mean              %7.1f ms   worst %.1f ms   aim < 250 ms\n",
                reconstruction / Reconstructions, pireReconstruction);
    std::printf("  resident memory of the build        %7ld KB, %ld KB per window   aim < 300 KB\n",
                apres - avant, (apres - avant) / Categories);
    std::printf("  resident memory after %d rebuilds   %7ld KB (Qt's pixmap cache, bounded, keeps\n"
                "                                      the style's drawings of each colour)\n",
                Reconstructions, apresReconstructions - avant);
    std::printf(
        "  open a list of %d items, drawn      %7.1f ms first, %.1f ms after   aim < 200 ms\n",
        Elements, premiereOuverture, ouvertures);
    return construites == Categories && env.messages().vus.isEmpty() ? 0 : 1;
}
