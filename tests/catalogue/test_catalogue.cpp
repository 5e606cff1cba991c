// The catalogue layer against the delivered schema: statements, reading, name matching,
// ordering and the first-use rows.
#include "catalogue/Catalogue.h"
#include "catalogue/Collation.h"
#include "catalogue/DonneesInitiales.h"
#include "catalogue/Requetes.h"
#include "core/Contexte.h"
#include "support/Environnement.h"

#include <QFile>
#include <QTest>

#include <sqlite3.h>

namespace {

QStringList noms(Environnement& env, const QString& selection) {
    return env.lignes(selection, {QStringLiteral("nom")});
}

void ajouterCategorie(Catalogue& c, const QString& nom) {
    c.executer(Requetes::NouvelleCategorie(nom, QStringLiteral("/i.ico"), true, 16761024));
}

void ajouterProgramme(Catalogue& c, const QString& nom, const QString& categorie) {
    c.executer(Requetes::NouveauProgramme(nom, QStringLiteral("/bin/") + nom, categorie, 1, 0));
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textesDesInstructions() {
        QCOMPARE(Requetes::NouvelleCategorie(QStringLiteral("l'été"), QStringLiteral("/a'b.ico"),
                                                true, std::nullopt),
                 QStringLiteral("INSERT INTO categorie VALUES ('l''été','/a''b.ico','1','-1')"));
        QCOMPARE(Requetes::NouvelleCategorie(QStringLiteral("X"), QString(), false, 255),
                 QStringLiteral("INSERT INTO categorie VALUES ('X','','0','255')"));
        QCOMPARE(Requetes::ModifierCategorie(QStringLiteral("X"), QStringLiteral("/i"), false,
                                                std::nullopt),
                 QStringLiteral("UPDATE categorie SET icone = '/i', affiche = '0', couleur = '-1' "
                                "WHERE nom = 'X'"));
        QCOMPARE(Requetes::NouveauProgramme(QStringLiteral("N"), QStringLiteral("/p"),
                                                QStringLiteral("C"), 2, 3),
                 QStringLiteral("INSERT INTO programmes VALUES ('N','/p','C','2','3')"));
        QCOMPARE(Requetes::ModifierProgramme(QStringLiteral("N"), QStringLiteral("/p"),
                                                 QStringLiteral("C"), 0, 1),
                 QStringLiteral("UPDATE programmes SET chemin = '/p',categorie = 'C', demarrage = "
                                "'0', typefichier = '1' WHERE nom = 'N'"));
        QCOMPARE(Requetes::SupprimerCategorie(QStringLiteral("a'b")),
                 QStringLiteral("DELETE FROM categorie WHERE nom = 'a''b'"));
    }

    void apostropheEtValeursExtremes_data() {
        QTest::addColumn<QString>("nom");
        QTest::newRow("apostrophe") << "L'atelier d'été";
        QTest::newRow("pourcent") << "100% utile";
        QTest::newRow("souligne") << "a_b";
        QTest::newRow("barre inverse") << "C:\\Program Files\\x";
        QTest::newRow("emoji") << "🚀 Fusée";
        QTest::newRow("255 caracteres") << QString(255, QLatin1Char('n'));
        QTest::newRow("guillemets") << "dit \"bonjour\"";
    }
    void apostropheEtValeursExtremes() {
        QFETCH(QString, nom);
        Environnement env;
        env.ouvrirCatalogue();
        Catalogue& c = env.contexte().catalogue();
        ajouterCategorie(c, nom);
        ajouterProgramme(c, nom, nom);
        QCOMPARE(noms(env, Requetes::Categorie(nom)), QStringList(nom));
        QCOMPARE(env.lignes(Requetes::Programme(nom), {QStringLiteral("chemin")}),
                 QStringList(QStringLiteral("/bin/") + nom));
        QCOMPARE(noms(env, Requetes::ProgrammesDeCategorieTries(nom)), QStringList(nom));
        c.executer(Requetes::SupprimerProgramme(nom));
        QVERIFY(noms(env, Requetes::Programmes()).isEmpty());
    }

    // A name holding a pattern character selects only the row of that very name.
    void caracteresDeMotif_data() {
        QTest::addColumn<QString>("cherche");
        QTest::addColumn<QStringList>("trouves");
        QTest::newRow("pourcent") << "a%" << QStringList{"a%"};
        QTest::newRow("souligne") << "a_" << QStringList{"a_"};
        QTest::newRow("barre inverse") << "a\\" << QStringList{"a\\"};
        QTest::newRow("casse") << "AIDE" << QStringList{"Aide"};
        QTest::newRow("accent en capitale") << "éCOLE" << QStringList{"École"};
        QTest::newRow("sans accent ne trouve pas") << "ecole" << QStringList{};
        QTest::newRow("blanc final compte") << "Aide " << QStringList{};
    }
    void caracteresDeMotif() {
        QFETCH(QString, cherche);
        QFETCH(QStringList, trouves);
        Environnement env;
        env.ouvrirCatalogue();
        Catalogue& c = env.contexte().catalogue();
        for (const char* n : {"a%", "a%b", "ab", "a_", "ax", "a\\", "a\\b", "Aide", "École"})
            ajouterCategorie(c, QString::fromUtf8(n));
        QCOMPARE(noms(env, Requetes::Categorie(cherche)), trouves);
        c.executer(Requetes::ModifierCategorie(cherche, QStringLiteral("/neuf.ico"), false, 1));
        c.executer(Requetes::SupprimerCategorie(cherche));
        QCOMPARE(noms(env, Requetes::Categories()).size(), 9 - trouves.size());
    }

    void programmesDUneCategorie() {
        Environnement env;
        env.ouvrirCatalogue();
        Catalogue& c = env.contexte().catalogue();
        ajouterProgramme(c, QStringLiteral("zz"), QStringLiteral("Outils"));
        ajouterProgramme(c, QStringLiteral("Éditeur"), QStringLiteral("OUTILS"));
        ajouterProgramme(c, QStringLiteral("agenda"), QStringLiteral("outils"));
        ajouterProgramme(c, QStringLiteral("autre"), QStringLiteral("Outils%"));
        QCOMPARE(noms(env, Requetes::ProgrammesDeCategorieTries(QStringLiteral("Outils"))),
                 QStringList(
                     {QStringLiteral("agenda"), QStringLiteral("Éditeur"), QStringLiteral("zz")}));
        QCOMPARE(noms(env, Requetes::ProgrammesDeCategorie(QStringLiteral("outils"))).size(), 3);
        c.executer(Requetes::SupprimerProgrammesDeCategorie(QStringLiteral("Outils")));
        QCOMPARE(noms(env, Requetes::Programmes()), QStringList(QStringLiteral("autre")));
    }

    void ordreDesListes() {
        Environnement env;
        env.ouvrirCatalogue();
        Catalogue& c = env.contexte().catalogue();
        for (const char* n : {"Zèbre", "avion", "École", "z", "Bateau"})
            ajouterCategorie(c, QString::fromUtf8(n));
        QCOMPARE(
            noms(env, Requetes::Categories()),
            QStringList({QStringLiteral("avion"), QStringLiteral("Bateau"), QStringLiteral("École"),
                         QStringLiteral("z"), QStringLiteral("Zèbre")}));
    }

    void nullLuCommeVide() {
        Environnement env;
        env.ouvrirCatalogue();
        Catalogue& c = env.contexte().catalogue();
        c.executer(QStringLiteral("INSERT INTO categorie (nom) VALUES ('seul')"));
        c.executer(
            QStringLiteral("INSERT INTO programmes VALUES (NULL, NULL, 'seul', NULL, NULL)"));
        QCOMPARE(
            env.lignes(Requetes::Categorie(QStringLiteral("seul")),
                       {QStringLiteral("nom"), QStringLiteral("icone"), QStringLiteral("affiche"),
                        QStringLiteral("couleur"), QStringLiteral("inconnue")}),
            QStringList(QStringLiteral("seul||||")));
        QCOMPARE(env.lignes(Requetes::ProgrammesDeCategorie(QStringLiteral("seul")),
                            {QStringLiteral("nom"), QStringLiteral("chemin")}),
                 QStringList(QStringLiteral("|")));
        QCOMPARE(Valeur_Champ(QVariant()), QString());
        QCOMPARE(Valeur_Champ(QVariant(qint64(12))), QStringLiteral("12"));
    }

    void unJeuALaFois() {
        Environnement env;
        env.ouvrirCatalogue();
        Catalogue& c = env.contexte().catalogue();
        ajouterCategorie(c, QStringLiteral("A"));
        c.executer(Requetes::Categories());
        QVERIFY(c.jeu.estOuvert());
        QVERIFY(!c.jeu.Bof() && !c.jeu.Eof());
        try {
            c.executer(Requetes::Programmes());
            QFAIL("a second statement while the set is open must be refused");
        } catch (const ErreurCatalogue& e) {
            QCOMPARE(e.numero(), 3705);
        }
        c.jeu.MoveFirst();
        QCOMPARE(Valeur_Champ(c.jeu.Fields(QStringLiteral("NOM"))), QStringLiteral("A"));
        c.jeu.MoveNext();
        QVERIFY(c.jeu.Eof());
        QVERIFY_THROWS_EXCEPTION(ErreurCatalogue, c.jeu.MoveNext());
        c.jeu.Close();
        // Action statements leave the set closed; an empty result is both BOF and EOF.
        c.executer(Requetes::SupprimerProgramme(QStringLiteral("rien")));
        QVERIFY(!c.jeu.estOuvert());
        c.executer(Requetes::Programmes());
        QVERIFY(c.jeu.Bof() && c.jeu.Eof());
        c.jeu.Close();
    }

    void erreurDInstruction() {
        Environnement env;
        env.ouvrirCatalogue();
        Catalogue& c = env.contexte().catalogue();
        QVERIFY_THROWS_EXCEPTION(ErreurCatalogue, c.executer(QStringLiteral("SELECT * FROM rien")));
        QVERIFY(!c.jeu.estOuvert());
        ajouterCategorie(c, QStringLiteral("Double"));
        // Names stay unique ignoring case, even if a caller forgot to check.
        QVERIFY_THROWS_EXCEPTION(ErreurCatalogue, ajouterCategorie(c, QStringLiteral("DOUBLE")));
        QCOMPARE(noms(env, Requetes::Categories()), QStringList(QStringLiteral("Double")));
    }

    void jeuFermeSiLeLecteurEchoue() {
        Environnement env;
        env.ouvrirCatalogue();
        Catalogue& c = env.contexte().catalogue();
        ajouterCategorie(c, QStringLiteral("A"));
        try {
            c.parcourir(Requetes::Categories(),
                        [](const JeuEnregistrements&) { throw ErreurCatalogue(QString(), 1); });
        } catch (const ErreurCatalogue&) {
        }
        QVERIFY(!c.jeu.estOuvert());
    }

    void donneesInitialesUneSeuleFois() {
        Environnement env;
        env.ouvrirCatalogue();
        Catalogue& c = env.contexte().catalogue();
        // A catalogue already seeded by another user, with a name in other letter case.
        c.executer(Requetes::NouvelleCategorie(QStringLiteral("internet"),
                                                  QStringLiteral("/x.ico"), false, 1));
        Donnees_Initiales(c, env.dossier());
        Donnees_Initiales(c, env.dossier());
        QCOMPARE(noms(env, Requetes::Categories()),
                 QStringList({QStringLiteral("DALVIRE - version 2.0.0"), QStringLiteral("internet"),
                              QStringLiteral("MESSAGERIE")}));
        QCOMPARE(env.lignes(Requetes::Programmes(),
                            {QStringLiteral("nom"), QStringLiteral("categorie"),
                             QStringLiteral("demarrage"), QStringLiteral("typefichier")}),
                 QStringList(
                     {QStringLiteral("Aide|DALVIRE - version 2.0.0|1|1"),
                      QStringLiteral("Envoyez un e-mail à QELM|MESSAGERIE|1|3"),
                      QStringLiteral("Informations sur le programme|DALVIRE - version 2.0.0|1|1"),
                      QStringLiteral("Visitez le site Internet de QELM|INTERNET|1|2")}));
        QCOMPARE(env.lignes(Requetes::Categorie(QStringLiteral("MESSAGERIE")),
                            {QStringLiteral("icone"), QStringLiteral("couleur")}),
                 QStringList(env.dossier() + QStringLiteral("icones/mail.ico|16761024")));
    }

    // A row that cannot be written ends the seeding; those before it stay, and the
    // catalogue is left with no transaction open (later changes are written at once).
    void donneesInitialesInterrompues() {
        Environnement env;
        env.ouvrirCatalogue();
        Catalogue& c = env.contexte().catalogue();
        sqlite3_exec(c.connexion.base(),
                     "CREATE TEMP TRIGGER refus BEFORE INSERT ON programmes "
                     "WHEN new.typefichier = '3' BEGIN SELECT RAISE(ABORT, 'refus'); END",
                     nullptr, nullptr, nullptr);
        Donnees_Initiales(c, env.dossier());
        QVERIFY(sqlite3_get_autocommit(c.connexion.base()));
        QVERIFY(!c.jeu.estOuvert());
        QCOMPARE(noms(env, Requetes::Categories()),
                 QStringList({QStringLiteral("DALVIRE - version 2.0.0"), QStringLiteral("INTERNET"),
                              QStringLiteral("MESSAGERIE")}));
        QCOMPARE(noms(env, Requetes::Programmes()),
                 QStringList(QStringLiteral("Visitez le site Internet de QELM")));
        // What another connection sees is on disk.
        sqlite3* autre = nullptr;
        sqlite3_open_v2(QFile::encodeName(env.cheminCatalogue()).constData(), &autre,
                        SQLITE_OPEN_READONLY, nullptr);
        Collation::enregistrer(autre);
        sqlite3_stmt* requete = nullptr;
        sqlite3_prepare_v2(autre, "SELECT count(*) FROM programmes", -1, &requete, nullptr);
        QCOMPARE(sqlite3_step(requete), SQLITE_ROW);
        QCOMPARE(sqlite3_column_int(requete, 0), 1);
        sqlite3_finalize(requete);
        sqlite3_close(autre);
    }

    void donneesInitialesDossierAvecApostrophe() {
        Environnement env;
        env.ouvrirCatalogue();
        Catalogue& c = env.contexte().catalogue();
        const QString dossier = QStringLiteral("/home/l'ami/Dalvire/");
        Donnees_Initiales(c, dossier);
        QCOMPARE(env.lignes(Requetes::Programme(QStringLiteral("Informations sur le programme")),
                            {QStringLiteral("chemin")}),
                 QStringList(dossier + QStringLiteral("informations.txt")));
    }

    void fichierAbsentJamaisCree() {
        Environnement env({.copierCatalogue = false});
        QVERIFY_THROWS_EXCEPTION(ErreurCatalogue, env.ouvrirCatalogue());
        QVERIFY(!QFile::exists(env.cheminCatalogue()));
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
