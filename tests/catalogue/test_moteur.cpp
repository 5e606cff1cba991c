// The engine is loaded only while the catalogue is in use. This program does not link
// SQLite, so that the library's presence in the process is the catalogue's own doing.
#include "catalogue/Catalogue.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool moteurCharge() {
    QFile cartes(QStringLiteral("/proc/self/maps"));
    return cartes.open(QIODevice::ReadOnly) && cartes.readAll().contains("libsqlite3");
}

} // namespace

class TestMoteur : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reposEtReprise() {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("donnees.fdl"));
        QVERIFY(QFile::copy(QStringLiteral(DALVIRE_CATALOGUE_VIERGE), chemin));
        QVERIFY(!moteurCharge());

        Catalogue catalogue;
        catalogue.ouvrir(chemin);
        QVERIFY(moteurCharge());
        QCOMPARE(catalogue.ajouter(Categorie{QStringLiteral("Jeux"), {}, true, {}}), 1);
        { const ReposCatalogue repos(catalogue); }
        QVERIFY(!moteurCharge());
        QVERIFY(catalogue.estOuvert());

        // The next operation opens the file again, with its statements prepared anew.
        QCOMPARE(catalogue.categories().size(), 1);
        QVERIFY(moteurCharge());
        catalogue.liberer();

        // A file gone while the catalogue rested is said by the operation, in French.
        QVERIFY(QFile::remove(chemin));
        try {
            catalogue.categories();
            QFAIL("no failure");
        } catch (const ErreurCatalogue& erreur) {
            QCOMPARE(erreur.cause(), QStringLiteral("Le fichier contenant les données est "
                                                    "introuvable ou ne peut pas être ouvert."));
        }
        QVERIFY(!moteurCharge());

        catalogue.fermer();
        QVERIFY(!catalogue.estOuvert());
        QVERIFY_THROWS_EXCEPTION(ErreurCatalogue, catalogue.categories());
        QVERIFY(!moteurCharge());
    }
};

QTEST_GUILESS_MAIN(TestMoteur)
#include "test_moteur.moc"
