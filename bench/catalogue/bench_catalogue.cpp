// Prints how long the catalogue's statements and the first start take on a large
// catalogue. Figures only: nothing here passes or fails.
#include "catalogue/Catalogue.h"
#include "core/Contexte.h"
#include "core/Demarrage.h"
#include "platform/Verrou.h"
#include "tray/frmPrincipale.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Categories = 200;
constexpr int Programmes = 10000;
constexpr int Tours = 7;

struct Mesure {
    const char* nom;
    std::vector<double> ms;
};

void imprimer(const Mesure& m) {
    std::vector<double> v = m.ms;
    std::sort(v.begin(), v.end());
    std::printf("%-44s min %8.2f ms   median %8.2f ms   max %8.2f ms\n", m.nom, v.front(),
                v[v.size() / 2], v.back());
}

QString nomCategorie(int i) {
    // Mixed case and accents, so the collation takes both of its paths.
    return (i % 3 == 0 ? QStringLiteral("Catégorie %1") : QStringLiteral("categorie %1")).arg(i);
}

void remplir(Catalogue& c) {
    QList<Categorie> categories;
    for (int i = 0; i < Categories; ++i)
        categories << Categorie{nomCategorie(i), QStringLiteral("/i.ico"), i % 4 != 0, 16761024};
    QList<Element> elements;
    for (int j = 0; j < Programmes; ++j)
        elements << Element{
            (j % 5 == 0 ? QStringLiteral("Éditeur n°%1") : QStringLiteral("programme %1")).arg(j),
            QStringLiteral("/usr/bin/p%1").arg(j), nomCategorie(j % Categories),
            ModeAffichage::Normal, TypeElement::Programme};
    c.ajouterEnsemble(categories, elements);
}

template <typename Ligne> int lire(const QList<Ligne>& lignes) {
    int n = 0;
    for (const Ligne& l : lignes)
        n += !l.nom.isEmpty();
    return n;
}

double depuis(QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("donnees.fdl"));
    QFile::copy(QStringLiteral(DALVIRE_CATALOGUE_VIERGE), chemin);
    QFile::setPermissions(chemin, QFile::ReadOwner | QFile::WriteOwner);
    {
        Catalogue c;
        c.ouvrir(chemin);
        remplir(c);
    }
    std::printf("Catalogue of %d categories and %d items\n", Categories, Programmes);

    Mesure ouverture{"open the connection", {}}, s1{"displayed categories", {}},
        s2{"items of every category (200 statements)", {}}, s4{"all categories", {}},
        s5{"all items, sorted", {}};
    for (int tour = 0; tour < Tours; ++tour) {
        Catalogue c;
        QElapsedTimer t;
        t.start();
        c.ouvrir(chemin);
        ouverture.ms.push_back(depuis(t));
        t.restart();
        lire(c.categoriesAffichees());
        s1.ms.push_back(depuis(t));
        t.restart();
        int total = 0;
        for (int i = 0; i < Categories; ++i)
            total += lire(c.elementsDe(nomCategorie(i)));
        s2.ms.push_back(depuis(t));
        if (total != Programmes) std::printf("unexpected item count %d\n", total);
        t.restart();
        lire(c.categories());
        s4.ms.push_back(depuis(t));
        t.restart();
        lire(c.elements());
        s5.ms.push_back(depuis(t));
    }
    for (const Mesure* m : {&ouverture, &s1, &s2, &s4, &s5})
        imprimer(*m);

    // A first start of a new user, without the splash's two seconds: start-up checks,
    // defaults written, catalogue opened and seeded, windows built, tray icon installed.
    Mesure premier{"first start (splash excluded)", {}};
    for (int tour = 0; tour < Tours; ++tour) {
        QTemporaryDir app, config, runtime;
        QFile::copy(QStringLiteral(DALVIRE_CATALOGUE_VIERGE),
                    app.filePath(QStringLiteral("donnees.fdl")));
        QFile::setPermissions(app.filePath(QStringLiteral("donnees.fdl")),
                              QFile::ReadOwner | QFile::WriteOwner);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
        QElapsedTimer t;
        t.start();
        Contexte contexte(app.path(), ServicesPlateforme::reels(app.path()));
        VerrouInstance verrou;
        if (!Demarrage(contexte, verrou).preparer()) return 1;
        if (!Ouvrir_Catalogue(contexte)) return 1;
        frmPrincipale principale(contexte);
        principale.Form_Load();
        QCoreApplication::processEvents();
        premier.ms.push_back(depuis(t));
        principale.Form_Unload();
    }
    imprimer(premier);
    return 0;
}
