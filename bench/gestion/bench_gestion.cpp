// bench_gestion: the management window over a catalogue of 200 categories holding
// 10,000 items (offscreen, message boxes answered by a script): opening it until both
// lists are filled (the file changed since the last opening, and not), "(Toutes les
// catégories)" chosen, a category created (save, report,
// refresh) and a category of 50 items deleted with them. Medians of 7 runs.
#include "catalogue/Catalogue.h"
#include "core/Contexte.h"
#include "manage/frmCategories.h"
#include "manage/frmGestion.h"
#include "support/Controles.h"
#include "support/Environnement.h"
#include "support/MessagesScriptes.h"
#include "support/SansAvertissements.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Categories = 200;
constexpr int Elements = 10000;
constexpr int Mesures = 7;

QString nomCategorie(int c) {
    return QStringLiteral("Catégorie %1").arg(c, 3, 10, QLatin1Char('0'));
}

void remplirCatalogue(Environnement& env) {
    QList<Categorie> categories;
    QList<Element> elements;
    for (int c = 0; c < Categories; ++c) {
        categories << Categorie{nomCategorie(c), env.dossier() + "icones/dalvire.ico", true,
                                c % 2 ? std::nullopt : std::optional<qint64>(16761024)};
        for (int e = c; e < Elements; e += Categories)
            elements << Element{QStringLiteral("Élément %1").arg(e, 5, 10, QLatin1Char('0')),
                                QStringLiteral("/usr/share/doc/element-%1/notes.txt").arg(e),
                                nomCategorie(c), static_cast<ModeAffichage>(e % 3),
                                static_cast<TypeElement>(e % 4)};
    }
    env.contexte().catalogue().ajouterEnsemble(categories, elements);
}

double mesurer(const std::function<void()>& action) {
    QElapsedTimer chrono;
    chrono.start();
    action();
    return static_cast<double>(chrono.nsecsElapsed()) / 1e6;
}

double mediane(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void afficher(const char* quoi, const std::vector<double>& v) {
    std::printf("  %-44s %7.1f ms (worst %.1f)   aim < 100 ms\n", quoi, mediane(v),
                *std::max_element(v.begin(), v.end()));
}

} // namespace

int main(int argc, char** argv) {
    Taire_Avertissements();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Environnement env;
    env.ouvrirCatalogue();
    remplirCatalogue(env);
    Contexte& c = env.contexte();
    MessagesScriptes& messages = env.messages();

    std::vector<double> ouverture, ouvertureSansChangement, toutes, creation, suppression;
    bool juste = true;
    delete new frmGestion(c); // the first window of a run pays for the style and fonts
    for (int k = 0; k < Mesures; ++k) {
        frmGestion* g = nullptr;
        ouverture.push_back(mesurer([&] { g = new frmGestion(c, PageGestion::Programmes); }));
        juste = juste && g->lignesProgrammes().size() == Elements &&
                g->lignesCategories().size() == Categories;

        auto* boite = Controle<QComboBox>(*g, QStringLiteral("Liste des catégories"));
        boite->setCurrentIndex(1 + k);
        toutes.push_back(mesurer([&] { boite->setCurrentIndex(0); }));

        // Through the window's own button, so that the window follows the save.
        QTimer::singleShot(0, g, [&] {
            auto* editeur = qobject_cast<frmCategories*>(QApplication::activeModalWidget());
            if (!editeur) return;
            Controle<QLineEdit>(*editeur, QStringLiteral("Nom de la catégorie"))
                ->setText(QStringLiteral("Nouvelle %1").arg(k));
            Controle<QLineEdit>(*editeur, QStringLiteral("Icône de la catégorie"))
                ->setText(env.dossier() + "icones/dalvire.ico");
            auto* valider = Controle<QPushButton>(*editeur, QStringLiteral("Valider"));
            messages.reponses = {ReponseMessage::OK, ReponseMessage::Non};
            creation.push_back(mesurer([&] { valider->click(); }));
        });
        Controle<QPushButton>(*g, QStringLiteral("Nouvelle catégorie"))->click();
        juste = juste && g->categorieChoisie() == QStringLiteral("Nouvelle %1").arg(k);

        // A category of 50 items, not the new one (which has none).
        auto* liste = Controle<QListView>(*g, QStringLiteral("Liste des catégories"));
        liste->selectionModel()->setCurrentIndex(
            liste->model()->index(static_cast<int>(g->lignesCategories().indexOf(nomCategorie(k))),
                                  0),
            QItemSelectionModel::ClearAndSelect);
        messages.reponses = {ReponseMessage::Oui, ReponseMessage::OK};
        auto* supprimer = Controle<QPushButton>(*g, QStringLiteral("Supprimer la catégorie"));
        suppression.push_back(mesurer([&] { supprimer->click(); }));
        delete g;
        ouvertureSansChangement.push_back(
            mesurer([&] { g = new frmGestion(c, PageGestion::Programmes); }));
        delete g;
        // Back to the same size for the next run.
        c.modele().supprimerCategorie(QStringLiteral("Nouvelle %1").arg(k));
        QList<Element> ajout;
        for (int e = k; e < Elements; e += Categories)
            ajout << Element{QStringLiteral("Élément %1").arg(e, 5, 10, QLatin1Char('0')),
                             QStringLiteral("/x"), nomCategorie(k), ModeAffichage::Normal,
                             TypeElement::Fichier};
        c.catalogue().ajouterEnsemble({Categorie{nomCategorie(k), QString(), true, {}}}, ajout);
    }
    std::printf("bench_gestion: %d categories, %d items, medians of %d runs%s\n", Categories,
                Elements, Mesures, juste ? "" : " (UNEXPECTED RESULT)");
    afficher("open the window, both lists filled", ouverture);
    afficher("open it again, the file unchanged since", ouvertureSansChangement);
    afficher("\"(Toutes les catégories)\" chosen", toutes);
    afficher("category created (save, report, refresh)", creation);
    afficher("category of 50 items deleted with them", suppression);
    return juste ? 0 : 1;
}
