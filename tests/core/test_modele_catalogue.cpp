// The catalogue in memory: what each change says, what it leaves in memory and in the
// file, and when another tool's writes are read again.
#include "core/ModeleCatalogue.h"
#include "support/Environnement.h"

#include <QTest>

#include <functional>

namespace {

// Every signal of the model, in order, as "name row", into journal while gardien lives.
void Journaliser(ModeleCatalogue& modele, QObject& gardien, QStringList& journal) {
    const auto noter = [&](auto signal, const char* nom) {
        QObject::connect(&modele, signal, &gardien, [&journal, nom](int ligne) {
            journal << QStringLiteral("%1 %2").arg(nom).arg(ligne);
        });
    };
    noter(&ModeleCatalogue::avantAjoutElement, "+e?");
    noter(&ModeleCatalogue::elementAjoute, "+e");
    noter(&ModeleCatalogue::elementModifie, "~e");
    noter(&ModeleCatalogue::avantSuppressionElement, "-e?");
    noter(&ModeleCatalogue::elementSupprime, "-e");
    noter(&ModeleCatalogue::avantAjoutCategorie, "+c?");
    noter(&ModeleCatalogue::categorieAjoutee, "+c");
    noter(&ModeleCatalogue::categorieModifiee, "~c");
    noter(&ModeleCatalogue::avantSuppressionCategorie, "-c?");
    noter(&ModeleCatalogue::categorieSupprimee, "-c");
    QObject::connect(&modele, &ModeleCatalogue::recharge, &gardien,
                     [&journal] { journal << QStringLiteral("relu"); });
}

QStringList Lignes_Fichier(Environnement& env) {
    return env.lignes(QStringLiteral("SELECT nom, chemin, categorie, demarrage, typefichier FROM "
                                     "programmes ORDER BY nom"),
                      {"nom", "chemin", "categorie", "demarrage", "typefichier"});
}

struct Cas {
    const char* nom;
    std::function<void(ModeleCatalogue&, Environnement&)> faire;
    QStringList journal;
    QStringList elements; // "name|path|category|mode|type", in the model and in the file
    QStringList categories;
};

} // namespace

class TestModeleCatalogue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void changements() {
        const Element beta{"bêta", "/b", "Jeux", ModeAffichage::Normal, TypeElement::Programme};
        const QList<Cas> tous{
            {"ajout",
             [&](ModeleCatalogue& m, Environnement&) { QCOMPARE(m.ajouter(beta), 1); },
             {"+e? 1", "+e 1"},
             {"alpha|/a|Outils|1|0", "bêta|/b|Jeux|1|0", "Échecs|/e|Jeux|2|3",
              "zèbre|/z|outils|0|1"},
             {"Jeux", "Outils"}},
            {"modification sous un autre cas : le nom reste tel qu'il est stocké",
             [](ModeleCatalogue& m, Environnement&) {
                 QCOMPARE(m.modifier(Element{"ALPHA", "/x", "Jeux", ModeAffichage::Maximise,
                                             TypeElement::Fichier}),
                          1);
                 QCOMPARE(m.compterElementsDe("JEUX"), 2);
             },
             {"~e 0"},
             {"alpha|/x|Jeux|2|1", "Échecs|/e|Jeux|2|3", "zèbre|/z|outils|0|1"},
             {"Jeux", "Outils"}},
            {"suppression",
             [](ModeleCatalogue& m, Environnement&) { QCOMPARE(m.supprimerElement("ÉCHECS"), 1); },
             {"-e? 1", "-e 1"},
             {"alpha|/a|Outils|1|0", "zèbre|/z|outils|0|1"},
             {"Jeux", "Outils"}},
            {"une catégorie et ses éléments",
             [](ModeleCatalogue& m, Environnement&) {
                 QCOMPARE(m.supprimerCategorie("outils").elements, 2);
             },
             {"-e? 2", "-e 2", "-e? 0", "-e 0", "-c? 1", "-c 1"},
             {"Échecs|/e|Jeux|2|3"},
             {"Jeux"}},
            {"nouvelle catégorie à sa place",
             [](ModeleCatalogue& m, Environnement&) {
                 QCOMPARE(m.ajouter(Categorie{"Musique", {}, true, {}}), 1);
                 QCOMPARE(m.modifier(Categorie{"OUTILS", "/o.ico", false, 255}), 1);
                 QCOMPARE(m.categoriesAffichees().size(), 1);
             },
             {"+c? 1", "+c 1", "~c 2"},
             {"alpha|/a|Outils|1|0", "Échecs|/e|Jeux|2|3", "zèbre|/z|outils|0|1"},
             {"Jeux", "Musique", "Outils"}},
            {"un code qu'un autre outil a écrit reste tel quel, réécrit aussi",
             [](ModeleCatalogue& m, Environnement& env) {
                 env.executer("UPDATE programmes SET demarrage = ' 2', typefichier = '7' "
                              "WHERE nom = 'alpha'");
                 QVERIFY(m.rechargerSiModifie());
                 Element alpha = *m.element("alpha");
                 QVERIFY(!alpha.mode.valeur() && !alpha.type.valeur());
                 alpha.chemin = "/a2";
                 QCOMPARE(m.modifier(alpha), 1);
             },
             {"relu", "~e 0"},
             {"alpha|/a2|Outils| 2|7", "Échecs|/e|Jeux|2|3", "zèbre|/z|outils|0|1"},
             {"Jeux", "Outils"}},
            {"relu seulement quand un autre outil a écrit",
             [](ModeleCatalogue& m, Environnement& env) {
                 QVERIFY(!m.rechargerSiModifie());
                 QCOMPARE(m.supprimerElement("zèbre"), 1);
                 QVERIFY(!m.rechargerSiModifie()); // its own write
                 env.executer("INSERT INTO programmes VALUES ('Dames', '/d', 'Jeux', '1', '0')");
                 QVERIFY(m.rechargerSiModifie());
                 QVERIFY(!m.rechargerSiModifie());
             },
             {"-e? 2", "-e 2", "relu"},
             {"alpha|/a|Outils|1|0", "Dames|/d|Jeux|1|0", "Échecs|/e|Jeux|2|3"},
             {"Jeux", "Outils"}},
            {"une ligne qu'un autre outil a supprimée : rien d'écrit, le fichier relu",
             [](ModeleCatalogue& m, Environnement& env) {
                 env.executer("DELETE FROM programmes WHERE nom = 'alpha'");
                 QCOMPARE(m.modifier(Element{"alpha", "/x", "Jeux", {}, {}}), 0);
                 QCOMPARE(m.supprimerCategorie("Disparue").categories, 0);
             },
             {"relu", "relu"},
             {"Échecs|/e|Jeux|2|3", "zèbre|/z|outils|0|1"},
             {"Jeux", "Outils"}},
            {"un doublon refusé laisse tout en place",
             [](ModeleCatalogue& m, Environnement&) {
                 QVERIFY_THROWS_EXCEPTION(ErreurCatalogue,
                                          m.ajouter(Element{"ZÈBRE", "/y", "Jeux", {}, {}}));
             },
             {},
             {"alpha|/a|Outils|1|0", "Échecs|/e|Jeux|2|3", "zèbre|/z|outils|0|1"},
             {"Jeux", "Outils"}},
        };
        for (const Cas& cas : tous) {
            Environnement env({.ouvrirCatalogue = true});
            env.executer("DELETE FROM programmes; DELETE FROM categorie;"
                         "INSERT INTO categorie VALUES ('Outils', '', '1', '-1');"
                         "INSERT INTO categorie VALUES ('Jeux', '', '0', '255');"
                         "INSERT INTO programmes VALUES ('zèbre', '/z', 'outils', '0', '1');"
                         "INSERT INTO programmes VALUES ('Échecs', '/e', 'Jeux', '2', '3');"
                         "INSERT INTO programmes VALUES ('alpha', '/a', 'Outils', '1', '0');");
            ModeleCatalogue& modele = env.contexte().modele();
            modele.charger();
            QStringList journal;
            QObject gardien;
            Journaliser(modele, gardien, journal);
            cas.faire(modele, env);
            QStringList enMemoire;
            for (const Element& e : modele.elements())
                enMemoire << QStringList{e.nom, e.chemin, e.categorie, e.mode.texte(),
                                         e.type.texte()}
                                 .join('|');
            QVERIFY2(journal == cas.journal,
                     qPrintable(QString(cas.nom) + " : " + journal.join(", ")));
            QVERIFY2(enMemoire == cas.elements,
                     qPrintable(QString(cas.nom) + " : " + enMemoire.join(", ")));
            QVERIFY2(Lignes_Fichier(env) == cas.elements, cas.nom);
            QVERIFY2(Noms(modele.categories()) == cas.categories, cas.nom);
        }
    }
};

QTEST_GUILESS_MAIN(TestModeleCatalogue)
#include "test_modele_catalogue.moc"
