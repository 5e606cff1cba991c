// The collation as the loadable extension other tools use: rows written from outside the
// program, in the program's order, are rows the program finds, sorts and deletes.
#include "catalogue/Catalogue.h"
#include "catalogue/Collation.h"
#include "support/Environnement.h"

#include <QFile>
#include <QTest>

#include <sqlite3.h>

#include <algorithm>

namespace {

// A connection as an outside tool makes it: SQLite alone, nothing of the program's.
class Outil {
public:
    explicit Outil(const QString& chemin) {
        sqlite3_open_v2(QFile::encodeName(chemin).constData(), &base_, SQLITE_OPEN_READWRITE,
                        nullptr);
    }
    ~Outil() { sqlite3_close(base_); }
    Outil(const Outil&) = delete;
    Outil& operator=(const Outil&) = delete;

    // What `.load ./francais` does in the sqlite3 shell.
    QString charger() {
        sqlite3_db_config(base_, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 1, nullptr);
        char* erreur = nullptr;
        const QByteArray extension = QFile::encodeName(QStringLiteral(DALVIRE_DOSSIER_APPLICATION) +
                                                       QStringLiteral("/francais"));
        if (sqlite3_load_extension(base_, extension.constData(), nullptr, &erreur) == SQLITE_OK)
            return {};
        const QString texte = QString::fromUtf8(erreur ? erreur : "?");
        sqlite3_free(erreur);
        return texte;
    }

    // The error message, empty on success.
    QString executer(const QString& sql) {
        char* erreur = nullptr;
        if (sqlite3_exec(base_, sql.toUtf8().constData(), nullptr, nullptr, &erreur) == SQLITE_OK)
            return {};
        const QString texte = QString::fromUtf8(erreur ? erreur : "?");
        sqlite3_free(erreur);
        return texte;
    }

    QStringList colonne(const QString& sql) {
        QStringList valeurs;
        sqlite3_stmt* requete = nullptr;
        if (sqlite3_prepare_v2(base_, sql.toUtf8().constData(), -1, &requete, nullptr) != SQLITE_OK)
            return {QString::fromUtf8(sqlite3_errmsg(base_))};
        while (sqlite3_step(requete) == SQLITE_ROW)
            valeurs << QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(requete, 0)));
        sqlite3_finalize(requete);
        return valeurs;
    }

private:
    sqlite3* base_ = nullptr;
};

QString categorie(const QString& nom) {
    return QStringLiteral("INSERT INTO categorie VALUES ('%1','/i.ico','1','16761024')")
        .arg(QString(nom).replace(QLatin1Char('\''), QStringLiteral("''")));
}

} // namespace

class TestExtension : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Why the extension is there: without it a tool can change nothing.
    void sansExtensionRien() {
        Environnement env;
        Outil outil(env.cheminCatalogue());
        QCOMPARE(outil.executer(categorie(QStringLiteral("Jeux"))),
                 QStringLiteral("no such collation sequence: FRANCAIS"));
        QCOMPARE(outil.colonne(QStringLiteral("PRAGMA integrity_check")).value(0),
                 QStringLiteral("no such collation sequence: FRANCAIS"));
    }

    // Names of every kind the comparison treats its own way: plain ASCII, the Latin
    // letters of its table, and what goes the general way (ligatures, other scripts,
    // decomposed accents).
    void memeOrdreQueLeProgramme() {
        const QStringList noms = {"Zèbre",       "avion",     "école", "Écran",   "eau", "ète",
                                  "Œuvres",      "straße",    "Ωmega", "🚀 Fusée", "ÉTÉ", "Bateau",
                                  "e\u0301tude", "L'atelier", "100%",  "garçon",  "Zz"};
        Environnement env;
        Outil outil(env.cheminCatalogue());
        QCOMPARE(outil.charger(), QString());
        for (const QString& nom : noms)
            QCOMPARE(outil.executer(categorie(nom)), QString());

        QStringList attendu = noms;
        std::sort(attendu.begin(), attendu.end(),
                  [](const QString& a, const QString& b) { return Collation::comparer(a, b) < 0; });
        QCOMPARE(outil.colonne(QStringLiteral("SELECT nom FROM categorie ORDER BY nom")), attendu);
        env.ouvrirCatalogue();
        QCOMPARE(Noms(env.contexte().catalogue().categories()), attendu);
        QCOMPARE(outil.colonne(QStringLiteral("PRAGMA integrity_check")),
                 QStringList(QStringLiteral("ok")));
    }

    // The scenario of a user with the sqlite3 shell: rows added outside, used inside.
    void lignesAjouteesParUnOutil() {
        Environnement env;
        Outil outil(env.cheminCatalogue());
        QCOMPARE(outil.charger(), QString());
        QCOMPARE(outil.executer(categorie(QStringLiteral("Éditeurs"))), QString());
        for (const QString& nom :
             {QStringLiteral("vi"), QStringLiteral("Écrire"), QStringLiteral("emacs")})
            QCOMPARE(outil.executer(QStringLiteral("INSERT INTO programmes VALUES "
                                                   "('%1','/bin/x','éDITEURS','1','0')")
                                        .arg(nom)),
                     QString());
        // The unique index compares as the program does.
        QVERIFY(outil.executer(categorie(QStringLiteral("ÉDITEURS"))).startsWith("UNIQUE"));

        env.ouvrirCatalogue();
        Catalogue& c = env.contexte().catalogue();
        QCOMPARE(c.categorie(QStringLiteral("éditeurs"))->nom, QStringLiteral("Éditeurs"));
        QCOMPARE(
            Noms(c.elementsDe(QStringLiteral("Éditeurs"))),
            QStringList({QStringLiteral("Écrire"), QStringLiteral("emacs"), QStringLiteral("vi")}));
        QCOMPARE(c.supprimerElement(QStringLiteral("ÉCRIRE")), 1);
        QCOMPARE(Noms(c.elements()), QStringList({QStringLiteral("emacs"), QStringLiteral("vi")}));
        const SuppressionCategorie faite = c.supprimerCategorie(QStringLiteral("ÉDITEURS"));
        QCOMPARE(faite.categories + faite.elements, 3);
        QVERIFY(c.categories().isEmpty());
        QVERIFY(c.elements().isEmpty());

        QCOMPARE(outil.colonne(QStringLiteral("SELECT count(*) FROM programmes")),
                 QStringList(QStringLiteral("0")));
        QCOMPARE(outil.colonne(QStringLiteral("PRAGMA integrity_check")),
                 QStringList(QStringLiteral("ok")));
    }
};

QTEST_MAIN(TestExtension)
#include "test_extension.moc"
