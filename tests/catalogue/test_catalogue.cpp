// The catalogue layer against the delivered schema: its typed operations, their bound
// values, name matching, ordering, stored codes, failures and the first-use rows.
#include "catalogue/Catalogue.h"
#include "catalogue/Collation.h"
#include "catalogue/DonneesInitiales.h"
#include "core/Contexte.h"
#include "support/Environnement.h"

#include <QFile>
#include <QTest>

#include <sqlite3.h>

namespace {

Categorie categorie(const QString& nom) {
    return {nom, QStringLiteral("/i.ico"), true, 16761024};
}

// "nom|chemin|categorie|mode|type"
QString ligne(const Element& e) {
    return QStringList{e.nom, e.chemin, e.categorie, e.mode.texte(), e.type.texte()}.join('|');
}

Element element(const QString& nom, const QString& categorie) {
    return {nom, QStringLiteral("/bin/") + nom, categorie, ModeAffichage::Normal,
            TypeElement::Programme};
}

// A catalogue open on a fresh copy of the delivered file.
struct Banc {
    Environnement env;
    Banc() { env.ouvrirCatalogue(); }
    Catalogue& c() { return env.contexte().catalogue(); }
    void categories(std::initializer_list<const char*> noms) {
        for (const char* n : noms)
            QCOMPARE(c().ajouter(categorie(QString::fromUtf8(n))), 1);
    }
};

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Values are bound, never written into a statement: each is stored and found whole.
    void valeursLiees_data() {
        QTest::addColumn<QString>("nom");
        QTest::newRow("apostrophe") << "L'atelier d'été";
        QTest::newRow("pourcent") << "100% utile";
        QTest::newRow("souligne") << "a_b";
        QTest::newRow("barre inverse") << "C:\\Program Files\\x";
        QTest::newRow("emoji") << "🚀 Fusée";
        QTest::newRow("255 caracteres") << QString(255, QLatin1Char('n'));
        QTest::newRow("guillemets et point-virgule") << "dit \"bonjour\"; DROP TABLE x";
    }
    void valeursLiees() {
        QFETCH(QString, nom);
        Banc b;
        QCOMPARE(b.c().ajouter(categorie(nom)), 1);
        QCOMPARE(b.c().ajouter(element(nom, nom)), 1);
        QCOMPARE(b.c().categorie(nom)->nom, nom);
        QCOMPARE(b.c().element(nom)->chemin, QStringLiteral("/bin/") + nom);
        QCOMPARE(Noms(b.c().elementsDe(nom)), QStringList(nom));
        QCOMPARE(b.c().compterElementsDe(nom), 1);
        QCOMPARE(b.c().supprimerElement(nom), 1);
        QVERIFY(b.c().elements().isEmpty());
        // The same statements serve every call: prepared once per connection.
        b.c().categories();
        b.c().categories();
        int preparees = 0;
        for (sqlite3_stmt* r = nullptr; (r = sqlite3_next_stmt(b.c().connexion.base(), r));)
            ++preparees;
        QCOMPARE(preparees, 9); // one per operation used above
    }

    // A name holding a pattern character selects, changes and deletes only the row of that
    // very name, letter case aside.
    void caracteresDeMotif_data() {
        QTest::addColumn<QString>("cherche");
        QTest::addColumn<QStringList>("trouves");
        QTest::newRow("pourcent") << "a%" << QStringList{"a%"};
        QTest::newRow("souligne") << "a_" << QStringList{"a_"};
        QTest::newRow("etoile") << "a*" << QStringList{};
        QTest::newRow("barre inverse") << "a\\" << QStringList{"a\\"};
        QTest::newRow("casse") << "AIDE" << QStringList{"Aide"};
        QTest::newRow("accent en capitale") << "éCOLE" << QStringList{"École"};
        QTest::newRow("sans accent ne trouve pas") << "ecole" << QStringList{};
        QTest::newRow("blanc final compte") << "Aide " << QStringList{};
    }
    void caracteresDeMotif() {
        QFETCH(QString, cherche);
        QFETCH(QStringList, trouves);
        Banc b;
        b.categories({"a%", "a%b", "ab", "a_", "ax", "a\\", "a\\b", "Aide", "École"});
        QCOMPARE(b.c().categorie(cherche) ? QStringList(b.c().categorie(cherche)->nom)
                                          : QStringList(),
                 trouves);
        Categorie changee = categorie(cherche);
        changee.affichee = false;
        QCOMPARE(b.c().modifier(changee), int(trouves.size()));
        QCOMPARE(b.c().categoriesAffichees().size(), 9 - trouves.size());
        QCOMPARE(b.c().supprimerCategorie(cherche).categories, int(trouves.size()));
        QCOMPARE(b.c().categories().size(), 9 - trouves.size());
    }

    // Items of one category in French order; its deletion takes them, and only them.
    void elementsDUneCategorie() {
        Banc b;
        b.categories({"Outils"});
        for (const char* n : {"zz", "Éditeur", "agenda"})
            b.c().ajouter(element(QString::fromUtf8(n), QStringLiteral("OUTILS")));
        b.c().ajouter(element(QStringLiteral("autre"), QStringLiteral("Outils%")));
        QCOMPARE(Noms(b.c().elementsDe(QStringLiteral("outils"))),
                 QStringList({"agenda", "Éditeur", "zz"}));
        QCOMPARE(b.c().compterElementsDe(QStringLiteral("Outils")), 3);
        const SuppressionCategorie faite = b.c().supprimerCategorie(QStringLiteral("outils"));
        QCOMPARE(faite.categories, 1);
        QCOMPARE(faite.elements, 3);
        QCOMPARE(Noms(b.c().elements()), QStringList("autre"));
    }

    // Read in no order, each row keeps its own texts, though rows share those they repeat.
    void elementsSansOrdre() {
        Banc b;
        b.categories({"Outils", "Jeux"});
        QStringList ecrits;
        for (int i = 0; i < 6; ++i) {
            const Element e{
                QStringLiteral("e%1").arg(i), QStringLiteral("/bin/%1").arg(i),
                i % 2 ? QStringLiteral("Jeux") : QStringLiteral("Outils"),
                static_cast<ModeAffichage>(i % 3),
                CodeStocke<TypeElement>::lu(i % 4 ? QString::number(i % 4) : QString())};
            b.c().ajouter(e);
            ecrits << ligne(e);
        }
        QStringList lus;
        for (const Element& e : b.c().elementsSansOrdre())
            lus << ligne(e);
        lus.sort();
        QCOMPARE(lus, ecrits);
    }

    // Stored codes as another tool may write them: a code that names no value is kept as
    // stored, and a NULL column reads as the empty text.
    void codesStockes_data() {
        QTest::addColumn<QString>("demarrage");
        QTest::addColumn<QString>("typefichier");
        QTest::addColumn<int>("mode"); // -1: none
        QTest::addColumn<int>("type");
        const auto ligne = [](const char* nom, const QString& demarrage, const QString& typefichier,
                              int mode, int type) {
            QTest::newRow(nom) << demarrage << typefichier << mode << type;
        };
        ligne("maximum, e-mail", "2", "3", 2, 3);
        ligne("minimum, programme", "0", "0", 0, 0);
        ligne("hors des tables", "7", "4", -1, -1);
        ligne("texte", "x", "deux", -1, -1);
        ligne("blanc devant", " 1", " 2", -1, -1);
        ligne("NULL", QString(), QString(), -1, -1);
    }
    void codesStockes() {
        QFETCH(QString, demarrage);
        QFETCH(QString, typefichier);
        QFETCH(int, mode);
        QFETCH(int, type);
        Banc b;
        const auto texte = [](const QString& v) {
            return v.isNull() ? QStringLiteral("NULL") : "'" + v + "'";
        };
        b.env.executer("INSERT INTO categorie (nom) VALUES ('seule')");
        b.env.executer("INSERT INTO programmes VALUES ('p', NULL, 'seule', " + texte(demarrage) +
                       ", " + texte(typefichier) + ")");
        const Element lu = *b.c().element(QStringLiteral("P"));
        QCOMPARE(lu.mode.texte(), demarrage.isNull() ? QString("") : demarrage);
        QCOMPARE(lu.type.texte(), typefichier.isNull() ? QString("") : typefichier);
        QCOMPARE(lu.chemin, QString(""));
        QCOMPARE(lu.mode.valeur() ? int(*lu.mode.valeur()) : -1, mode);
        QCOMPARE(lu.type.valeur() ? int(*lu.type.valeur()) : -1, type);
        const Categorie seule = *b.c().categorie(QStringLiteral("seule"));
        QVERIFY(seule.icone.isEmpty() && !seule.affichee);
        QCOMPARE(seule.couleur, std::optional<qint64>(0));
    }

    // Every failure is one error carrying the engine's number and a French cause.
    void causesEnFrancais_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("cause");
        QTest::newRow("endommagé")
            << SQLITE_NOTADB << "Le fichier contenant les données est endommagé.";
        QTest::newRow("corrompu") << SQLITE_CORRUPT
                                  << "Le fichier contenant les données est endommagé.";
        QTest::newRow("verrouillé")
            << SQLITE_BUSY
            << "Le fichier contenant les données est verrouillé par un autre programme.";
        QTest::newRow("lecture seule")
            << SQLITE_READONLY << "Le fichier contenant les données ne peut pas être modifié.";
        QTest::newRow("absent")
            << SQLITE_CANTOPEN
            << "Le fichier contenant les données est introuvable ou ne peut pas être ouvert.";
        QTest::newRow("disque plein") << SQLITE_FULL << "Le disque est plein.";
        QTest::newRow("illisible")
            << SQLITE_IOERR_READ << "Le fichier contenant les données n'a pas pu être lu ou écrit.";
        QTest::newRow("doublon") << SQLITE_CONSTRAINT_UNIQUE
                                 << "Le fichier contenant les données a refusé la modification.";
        QTest::newRow("autre") << SQLITE_ERROR
                               << "Le fichier contenant les données n'a pas accepté l'opération.";
    }
    void causesEnFrancais() {
        QFETCH(int, code);
        QFETCH(QString, cause);
        QCOMPARE(ErreurCatalogue(QString(), code).cause(), cause);
    }

    // Real failures: a duplicate name, and garbage written over the file while it is open.
    void echecs() {
        Banc b;
        b.categories({"Double"});
        try {
            b.c().ajouter(categorie(QStringLiteral("DOUBLE")));
            QFAIL("a name equal but for its case must be refused");
        } catch (const ErreurCatalogue& e) {
            QVERIFY(e.doublon());
        }
        QFile fichier(b.env.cheminCatalogue());
        QVERIFY(fichier.open(QIODevice::ReadWrite));
        fichier.write(QByteArray(8192, 'x'));
        fichier.close();
        try {
            b.c().categories();
            QFAIL("a damaged file must be refused");
        } catch (const ErreurCatalogue& e) {
            QCOMPARE(e.numero(), SQLITE_NOTADB);
            QCOMPARE(e.description(), QStringLiteral("Erreur de la base de données : Le fichier "
                                                     "contenant les données est endommagé."));
        }
    }

    // Seeded once, whatever the letter case of a row another user seeded; the application
    // folder is a value like any other.
    void donneesInitialesUneSeuleFois() {
        Banc b;
        b.c().ajouter(Categorie{QStringLiteral("internet"), QStringLiteral("/x.ico"), false, 1});
        const QString dossier = QStringLiteral("/home/l'ami/Dalvire/");
        Donnees_Initiales(b.c(), dossier);
        Donnees_Initiales(b.c(), dossier);
        QCOMPARE(Noms(b.c().categories()),
                 QStringList({QStringLiteral("DALVIRE - version 2.0.0"), QStringLiteral("internet"),
                              QStringLiteral("MESSAGERIE")}));
        QCOMPARE(b.env.lignes(QStringLiteral("SELECT * FROM programmes ORDER BY nom"),
                              {QStringLiteral("nom"), QStringLiteral("categorie"),
                               QStringLiteral("demarrage"), QStringLiteral("typefichier")}),
                 QStringList(
                     {QStringLiteral("Aide|DALVIRE - version 2.0.0|1|1"),
                      QStringLiteral("Envoyez un e-mail à QELM|MESSAGERIE|1|3"),
                      QStringLiteral("Informations sur le programme|DALVIRE - version 2.0.0|1|1"),
                      QStringLiteral("Visitez le site Internet de QELM|INTERNET|1|2")}));
        QCOMPARE(b.env.lignes(QStringLiteral("SELECT * FROM categorie WHERE nom = 'MESSAGERIE'"),
                              {QStringLiteral("icone"), QStringLiteral("couleur")}),
                 QStringList(dossier + QStringLiteral("icones/mail.ico|16761024")));
        QCOMPARE(b.c().element(QStringLiteral("Informations sur le programme"))->chemin,
                 dossier + QStringLiteral("informations.txt"));
    }

    // A row that cannot be written ends the seeding; those before it stay, and the
    // catalogue is left with no transaction open (later changes are written at once).
    void donneesInitialesInterrompues() {
        Banc b;
        Catalogue& c = b.c();
        sqlite3_exec(c.connexion.base(),
                     "CREATE TEMP TRIGGER refus BEFORE INSERT ON programmes "
                     "WHEN new.typefichier = '3' BEGIN SELECT RAISE(ABORT, 'refus'); END",
                     nullptr, nullptr, nullptr);
        Donnees_Initiales(c, b.env.dossier());
        QVERIFY(sqlite3_get_autocommit(c.connexion.base()));
        QCOMPARE(Noms(c.categories()),
                 QStringList({QStringLiteral("DALVIRE - version 2.0.0"), QStringLiteral("INTERNET"),
                              QStringLiteral("MESSAGERIE")}));
        QCOMPARE(Noms(c.elements()),
                 QStringList(QStringLiteral("Visitez le site Internet de QELM")));
        // What another connection sees is on disk.
        sqlite3* autre = nullptr;
        sqlite3_open_v2(QFile::encodeName(b.env.cheminCatalogue()).constData(), &autre,
                        SQLITE_OPEN_READONLY, nullptr);
        sqlite3_create_collation(autre, Collation::Nom, SQLITE_UTF8, nullptr, Collation::rappel);
        sqlite3_stmt* requete = nullptr;
        sqlite3_prepare_v2(autre, "SELECT count(*) FROM programmes", -1, &requete, nullptr);
        QCOMPARE(sqlite3_step(requete), SQLITE_ROW);
        QCOMPARE(sqlite3_column_int(requete, 0), 1);
        sqlite3_finalize(requete);
        sqlite3_close(autre);
    }

    void fichierAbsentJamaisCree() {
        Environnement env({.copierCatalogue = false});
        QVERIFY_THROWS_EXCEPTION(ErreurCatalogue, env.ouvrirCatalogue());
        QVERIFY(!QFile::exists(env.cheminCatalogue()));
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
