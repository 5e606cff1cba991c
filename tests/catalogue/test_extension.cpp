// The collation as the loadable extension other tools use: rows written from outside the
// program, in the program's order, are rows the program finds, sorts and deletes.
#include "catalogue/Catalogue.h"
#include "catalogue/Collation.h"
#include "catalogue/Requetes.h"
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
    return Requetes::NouvelleCategorie(nom, QStringLiteral("/i.ico"), true, 16761024);
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
        const QStringList noms = {
            QStringLiteral("Zèbre"),          QStringLiteral("avion"),     QStringLiteral("école"),
            QStringLiteral("Écran"),          QStringLiteral("eau"),       QStringLiteral("ète"),
            QStringLiteral("Œuvres"),         QStringLiteral("straße"),    QStringLiteral("Ωmega"),
            QStringLiteral("🚀 Fusée"),        QStringLiteral("ÉTÉ"),       QStringLiteral("Bateau"),
            QString::fromUtf8("e\u0301tude"), QStringLiteral("L'atelier"), QStringLiteral("100%"),
            QStringLiteral("garçon"),         QStringLiteral("Zz")};
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
        QCOMPARE(env.lignes(Requetes::Categories(), {QStringLiteral("nom")}), attendu);
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
            QCOMPARE(outil.executer(Requetes::NouveauProgramme(
                         nom, QStringLiteral("/bin/x"), QStringLiteral("éDITEURS"), 1, 0)),
                     QString());
        // The unique index compares as the program does.
        QVERIFY(outil.executer(categorie(QStringLiteral("ÉDITEURS"))).startsWith("UNIQUE"));

        env.ouvrirCatalogue();
        const QStringList nom = {QStringLiteral("nom")};
        QCOMPARE(env.lignes(Requetes::Categorie(QStringLiteral("éditeurs")), nom),
                 QStringList(QStringLiteral("Éditeurs")));
        QCOMPARE(
            env.lignes(Requetes::ProgrammesDeCategorieTries(QStringLiteral("Éditeurs")), nom),
            QStringList({QStringLiteral("Écrire"), QStringLiteral("emacs"), QStringLiteral("vi")}));
        Catalogue& c = env.contexte().catalogue();
        c.executer(Requetes::SupprimerProgramme(QStringLiteral("ÉCRIRE")));
        QCOMPARE(env.lignes(Requetes::Programmes(), nom),
                 QStringList({QStringLiteral("emacs"), QStringLiteral("vi")}));
        c.executer(Requetes::SupprimerProgrammesDeCategorie(QStringLiteral("ÉDITEURS")));
        c.executer(Requetes::SupprimerCategorie(QStringLiteral("éditeurs")));
        QVERIFY(env.lignes(Requetes::Categories(), nom).isEmpty());
        QVERIFY(env.lignes(Requetes::Programmes(), nom).isEmpty());

        QCOMPARE(outil.colonne(QStringLiteral("SELECT count(*) FROM programmes")),
                 QStringList(QStringLiteral("0")));
        QCOMPARE(outil.colonne(QStringLiteral("PRAGMA integrity_check")),
                 QStringList(QStringLiteral("ok")));
    }
};

QTEST_MAIN(TestExtension)
#include "test_extension.moc"
