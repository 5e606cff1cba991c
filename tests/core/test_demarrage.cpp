// Start-up as a user lives it: first start, later starts, moved folder, odd settings,
// missing or damaged catalogue.
#include "core/ClesParametres.h"
#include "core/Contexte.h"
#include "core/Demarrage.h"
#include "platform/DebutProcessus.h"
#include "platform/Verrou.h"
#include "support/DemarrageSessionMemoire.h"
#include "support/Environnement.h"
#include "support/MaisonXdg.h"
#include "support/MessagesScriptes.h"
#include "support/ParametresMemoire.h"
#include "tray/frmPrincipale.h"
#include "ui/frmIntro.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <chrono>

namespace {

// Taken while the test program loads, before main.
const std::chrono::steady_clock::time_point ChargementDuTest = std::chrono::steady_clock::now();

using Ecritures = QList<QPair<QString, QString>>;

const QDate Aujourdhui(2026, 12, 7);

bool demarrer(Environnement& env, const QDate& jour = Aujourdhui) {
    VerrouInstance verrou;
    return Demarrage(env.contexte(), verrou).preparer(jour);
}

QByteArray empreinte(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void creerBase(const QString& chemin, const char* sql) {
    QFile::remove(chemin);
    sqlite3* base = nullptr;
    sqlite3_open(QFile::encodeName(chemin).constData(), &base);
    if (sql) sqlite3_exec(base, sql, nullptr, nullptr, nullptr);
    sqlite3_close(base);
}

} // namespace

class TestDemarrage : public QObject {
    Q_OBJECT
    QTemporaryDir runtime_;

private Q_SLOTS:
    void initTestCase() { qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path())); }

    // A first start writes the defaults and seeds the catalogue; a second one the same day
    // writes only the folder and seeds nothing again.
    void premierPuisSecondDemarrage() {
        Environnement env;
        QVERIFY(demarrer(env));
        const Ecritures attendues = {
            {Cle::DateDebut, QStringLiteral("07/12/2026")},
            {Cle::DossierApplication, env.dossier()},
            {Cle::Version, QStringLiteral("Version 2.0.0")},
            {Cle::Couleur, QStringLiteral("1")},
            {Cle::DemarragePc, QStringLiteral("1")},
            {Cle::ConfirmationFermeture, QStringLiteral("1")},
            {Cle::Fermeture, QStringLiteral("5")},
            {Cle::Plan, QStringLiteral("0")},
            {Cle::Utilisation, QStringLiteral("ok")},
        };
        QCOMPARE(env.parametres().ecritures, attendues);
        Contexte& c = env.contexte();
        QVERIFY(c.PremiereUtilisation);
        QCOMPARE(c.JoursUtilisation, QStringLiteral("0"));
        QVERIFY(c.reglages().delaiFermeture() == 5 && !c.reglages().premierPlan());
        QCOMPARE(c.TexteVersion, QStringLiteral("Version 2.0.0"));
        QCOMPARE(c.CheminDonnees, env.cheminCatalogue());
        QVERIFY(env.messages().vus.isEmpty());
        // The default "1" of "demarrage pc" alone registers nothing.
        QVERIFY(env.demarrageSession().journal.isEmpty());
        const QStringList categories{QStringLiteral("DALVIRE - version 2.0.0"),
                                     QStringLiteral("INTERNET"), QStringLiteral("MESSAGERIE")};
        {
            frmPrincipale principale(c);
            QVERIFY(Ouvrir_Catalogue(c));
            principale.Form_Load();
            // The seeded rows are in before the windows are built: the first start shows them.
            QStringList tags;
            for (QWidget* fenetre : c.fenetres().ouvertes<QWidget>())
                if (Fenetres::tag(fenetre) != Tag::Principale) tags << Fenetres::tag(fenetre);
            QCOMPARE(tags, categories);
            QCOMPARE(
                env.lignes(QStringLiteral("SELECT * FROM programmes WHERE nom = 'aide'"),
                           {QStringLiteral("chemin"), QStringLiteral("categorie")}),
                QStringList(env.dossier() + QStringLiteral("aide.chm|DALVIRE - version 2.0.0")));
        }

        env.parametres().ecritures.clear();
        QVERIFY(demarrer(env));
        QCOMPARE(env.parametres().ecritures, Ecritures({{Cle::DossierApplication, env.dossier()}}));
        QVERIFY(!c.PremiereUtilisation);
        QCOMPARE(c.JoursUtilisation, QStringLiteral("0"));
        frmPrincipale principale(c);
        QVERIFY(Ouvrir_Catalogue(c));
        principale.Form_Load();
        QCOMPARE(env.lignes(QStringLiteral("SELECT nom FROM categorie ORDER BY nom"),
                            {QStringLiteral("nom")}),
                 categories);
        QCOMPARE(env.lignes(QStringLiteral("SELECT nom FROM programmes"), {QStringLiteral("nom")})
                     .size(),
                 4);
    }

    void dossierDeplace() {
        Environnement env;
        env.parametres().valeurs = {{Cle::DateDebut, QStringLiteral("01/12/2026")},
                                    {Cle::DossierApplication, QStringLiteral("/ancien/dossier/")},
                                    {Cle::Version, QStringLiteral("Version 1.9.0")},
                                    {Cle::Utilisation, QStringLiteral("ok")}};
        QVERIFY(demarrer(env));
        QCOMPARE(env.parametres().lire(Cle::DossierApplication), env.dossier());
        QCOMPARE(env.parametres().lire(Cle::Version), QStringLiteral("Version 1.9.0"));
        QCOMPARE(env.contexte().JoursUtilisation, QStringLiteral("6"));
    }

    void parametresDeLaMain_data() {
        QTest::addColumn<QString>("cle");
        QTest::addColumn<QString>("valeur");
        QTest::addColumn<int>("delai");
        QTest::addColumn<int>("plan");
        QTest::addColumn<QString>("jours");
        // How each odd text reads is the settings' own test: here, that start-up holds it.
        QTest::newRow("fermeture 2.5") << Cle::Fermeture << "2.5" << 2 << 0 << "0";
        QTest::newRow("plan 1") << Cle::Plan << "1" << 5 << 1 << "0";
        QTest::newRow("date illisible") << Cle::DateDebut << "pas une date" << 5 << 0 << "0";
        QTest::newRow("date apres aujourd'hui") << Cle::DateDebut << "10/12/2026" << 5 << 0 << "3";
        QTest::newRow("date sans zeros") << Cle::DateDebut << "7/1/2026" << 5 << 0 << "334";
    }
    void parametresDeLaMain() {
        QFETCH(QString, cle);
        QFETCH(QString, valeur);
        QFETCH(int, delai);
        QFETCH(int, plan);
        QFETCH(QString, jours);
        Environnement env;
        env.parametres().valeurs.insert(cle, valeur);
        QVERIFY(demarrer(env));
        QCOMPARE(env.contexte().reglages().delaiFermeture(), delai);
        QCOMPARE(int(env.contexte().reglages().premierPlan()), plan);
        QCOMPARE(env.contexte().JoursUtilisation, jours);
        // A value that is present is never replaced by its default.
        QCOMPARE(env.parametres().lire(cle), valeur);
    }

    void catalogueIntrouvable_data() {
        QTest::addColumn<bool>("dossier"); // a folder where the file should be
        QTest::newRow("absent") << false;
        QTest::newRow("un dossier à sa place") << true;
    }
    void catalogueIntrouvable() {
        QFETCH(bool, dossier);
        Environnement env({.copierCatalogue = false});
        if (dossier) QVERIFY(QDir().mkpath(env.cheminCatalogue()));
        QVERIFY(!demarrer(env));
        QCOMPARE(env.messages().textes(),
                 QStringList(QStringLiteral("Le programme ne peut être utilisé.\r\n"
                                            "Le fichier contenant les données est introuvable.\r\n"
                                            "Contactez le concepteur du programme.")));
        QCOMPARE(env.messages().vus.first().icone, IconeMessage::Information);
        QCOMPARE(env.messages().vus.first().titre, QStringLiteral("Dalvire"));
        QVERIFY(env.parametres().ecritures.isEmpty());
    }

    void catalogueInutilisable_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QByteArray>("schema");
        QTest::addColumn<QString>("cause");
        QTest::newRow("texte") << QByteArray("ceci n'est pas une base\n") << QByteArray()
                               << "endommagé";
        QTest::newRow("en-tete tronque")
            << QByteArray("SQLite format 3\0\x10\0", 19) << QByteArray() << "endommagé";
        QTest::newRow("vide") << QByteArray() << QByteArray() << "tables attendues";
        QTest::newRow("sans tables")
            << QByteArray() << QByteArray("CREATE TABLE autre (x);") << "tables attendues";
        QTest::newRow("colonne absente")
            << QByteArray()
            << QByteArray(
                   "CREATE TABLE categorie (nom, icone, affiche);"
                   "CREATE TABLE programmes (nom, chemin, categorie, demarrage, typefichier);")
            << "tables attendues";
    }
    void catalogueInutilisable() {
        QFETCH(QByteArray, contenu);
        QFETCH(QByteArray, schema);
        QFETCH(QString, cause);
        Environnement env({.copierCatalogue = false});
        if (!schema.isEmpty())
            creerBase(env.cheminCatalogue(), schema.constData());
        else
            QVERIFY(MaisonXdg::ecrire(env.cheminCatalogue(), contenu));
        const QByteArray avant = empreinte(env.cheminCatalogue());
        QVERIFY(!demarrer(env));
        QCOMPARE(env.messages().vus.size(), 1);
        const QString texte = env.messages().vus.first().texte;
        QVERIFY2(texte.startsWith(QStringLiteral("Le programme ne peut être utilisé.\r\n")),
                 qPrintable(texte));
        QVERIFY2(texte.contains(cause), qPrintable(texte));
        QVERIFY2(texte.contains(env.cheminCatalogue()), qPrintable(texte));
        QCOMPARE(env.messages().vus.first().icone, IconeMessage::Critique);
        QVERIFY(env.parametres().ecritures.isEmpty());
        QCOMPARE(empreinte(env.cheminCatalogue()), avant);
        QVERIFY(!QFile::exists(env.cheminCatalogue() + QStringLiteral("-journal")));
    }

    // Installed system-wide: the user's own catalogue, copied from the pristine one at
    // the first start, written aside then renamed; what is there is never replaced; a
    // copy that fails says so and changes nothing.
    void catalogueUtilisateur_data() {
        QTest::addColumn<QString>("avant"); // what the user's folder holds
        QTest::addColumn<bool>("demarre");
        QTest::addColumn<QString>("message"); // part of it; empty: none
        QTest::newRow("absent, copié") << "" << true << "";
        QTest::newRow("présent, gardé") << "catalogue" << true << "";
        QTest::newRow("lien mort, gardé") << "lien" << false << "introuvable";
        QTest::newRow("dossier à la place du fichier") << "dossier" << false << "introuvable";
        QTest::newRow("le dossier dalvire est un fichier")
            << "fichier" << false << "Votre catalogue n'a pu être créé :";
        QTest::newRow("catalogue vierge absent")
            << "sans vierge" << false << "fichier ou dossier introuvable";
    }
    void catalogueUtilisateur() {
        QFETCH(QString, avant);
        QFETCH(bool, demarre);
        QFETCH(QString, message);
        Environnement env({.installationSysteme = true});
        const QString cible = env.catalogueUtilisateur();
        const QString dossier = QFileInfo(cible).path();
        const QByteArray vierge = empreinte(env.cheminCatalogue());
        QVERIFY(QDir().mkpath(QFileInfo(dossier).path()));
        if (avant == "catalogue" || avant == "lien") QVERIFY(QDir().mkpath(dossier));
        if (avant == "catalogue")
            creerBase(cible, "CREATE TABLE categorie (nom TEXT, icone TEXT, affiche TEXT, "
                             "couleur TEXT); CREATE TABLE programmes (nom TEXT, chemin TEXT, "
                             "categorie TEXT, demarrage TEXT, typefichier TEXT);");
        else if (avant == "lien")
            QVERIFY(QFile::link(env.dossier() + "ailleurs.fdl", cible));
        else if (avant == "dossier")
            QVERIFY(QDir().mkpath(cible));
        else if (avant == "fichier")
            QVERIFY(MaisonXdg::ecrire(dossier, {}));
        else if (avant == "sans vierge")
            QVERIFY(QFile::remove(env.cheminCatalogue()));
        const QByteArray present = empreinte(cible);

        QCOMPARE(demarrer(env), demarre);
        QCOMPARE(env.contexte().CheminDonnees, cible);
        if (message.isEmpty()) {
            QCOMPARE(env.messages().textes(), QStringList());
        } else {
            QCOMPARE(env.messages().textes().size(), 1);
            QVERIFY2(env.messages().textes().first().contains(message),
                     qPrintable(env.messages().textes().first()));
            QVERIFY(env.parametres().ecritures.isEmpty());
        }
        if (avant.isEmpty()) QCOMPARE(empreinte(cible), vierge);
        if (avant == "catalogue") QCOMPARE(empreinte(cible), present);
        QVERIFY(!QFileInfo::exists(env.dossier() + "ailleurs.fdl"));
        // Nothing left aside.
        const QStringList restes = QDir(dossier).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                           QDir::System | QDir::Hidden);
        QVERIFY2(restes.isEmpty() || restes == QStringList("donnees.fdl"),
                 qPrintable(restes.join(' ')));
        QCOMPARE(empreinte(env.cheminCatalogue()), avant == "sans vierge" ? QByteArray() : vierge);
    }

    void catalogueVerrouille() {
        Environnement env;
        sqlite3* autre = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(env.cheminCatalogue()).constData(), &autre),
                 SQLITE_OK);
        QCOMPARE(sqlite3_exec(autre, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;", nullptr,
                              nullptr, nullptr),
                 SQLITE_OK);
        QVERIFY(!demarrer(env));
        sqlite3_exec(autre, "ROLLBACK;", nullptr, nullptr, nullptr);
        sqlite3_close(autre);
        QVERIFY(env.messages().textes().first().contains(QStringLiteral("verrouillé")));
        QVERIFY(env.parametres().ecritures.isEmpty());
    }

    // Gone between the check and the opening, once the splash has shown: said, and the
    // program ends without writing a first-use row anywhere.
    void catalogueDisparuAvantOuverture() {
        Environnement env;
        QVERIFY(demarrer(env));
        QVERIFY(QFile::remove(env.cheminCatalogue()));
        QVERIFY(QDir().mkdir(env.cheminCatalogue()));
        QVERIFY(!Ouvrir_Catalogue(env.contexte()));
        QCOMPARE(env.messages().vus.size(), 1);
        QCOMPARE(env.messages().vus.first().icone, IconeMessage::Critique);
    }

    void secondeCopieRefusee() {
        Environnement env;
        VerrouInstance premiere;
        QVERIFY(premiere.acquerir(QStringLiteral("Dalvire")));
        QVERIFY(!demarrer(env));
        QCOMPARE(env.messages().textes(),
                 QStringList(QStringLiteral("Le programme est déjà en cours d'utilisation.")));
        QVERIFY(env.parametres().ecritures.isEmpty());
    }

    // The splash shows for two seconds, counted from the start of the process when the
    // program gives it: what loading took is not added to them, and the ticks are not moved
    // by a coarse timer.
    void splash_data() {
        QTest::addColumn<int>("ecoule");    // ms between the origin and the load; -1: none given
        QTest::addColumn<int>("auPlusTot"); // ms from the load to the unload
        QTest::addColumn<int>("auPlusTard");
        QTest::newRow("deux secondes depuis l'affichage") << -1 << 1300 << 4300;
        QTest::newRow("début il y a 1,5 s") << 1500 << 350 << 1300;
        QTest::newRow("deux secondes passées") << 2500 << 0 << 400;
    }
    void splash() {
        QFETCH(int, ecoule);
        QFETCH(int, auPlusTot);
        QFETCH(int, auPlusTard);
        Environnement env;
        QVERIFY(demarrer(env));
        frmIntro intro(env.contexte());
        QCOMPARE(intro.Timer1.timerType(), Qt::PreciseTimer);
        if (ecoule >= 0)
            intro.compterDepuis(std::chrono::steady_clock::now() -
                                std::chrono::milliseconds(ecoule));
        QSignalSpy dechargee(&intro, &frmIntro::dechargee);
        QElapsedTimer chrono;
        chrono.start();
        intro.Form_Load();
        QCOMPARE(intro.findChild<QLabel*>("lblTitre")->text(), QStringLiteral("Dalvire"));
        QCOMPARE(intro.findChild<QLabel*>("lblVersion")->text(), QStringLiteral("Version 2.0.0"));
        intro.show();
        QVERIFY(dechargee.wait(auPlusTard + 100));
        QCOMPARE(dechargee.count(), 1);
        QVERIFY2(chrono.elapsed() >= auPlusTot && chrono.elapsed() <= auPlusTard,
                 qPrintable(QString::number(chrono.elapsed())));
        QVERIFY(!intro.isVisible());
        QVERIFY(!intro.Timer1.isActive());
        QTest::qWait(50);
        QCOMPARE(dechargee.count(), 1);
    }

    void debutDuProcessus() {
        const auto debut = Debut_Processus();
        QVERIFY(debut <= ChargementDuTest);
        // Loading a test program takes far less; a unit mistake would not.
        QVERIFY(ChargementDuTest - debut < std::chrono::seconds(3));
    }
};

QTEST_MAIN(TestDemarrage)
#include "test_demarrage.moc"
