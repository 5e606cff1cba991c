// The services loaded with their module on first use: the program itself links neither
// GIO nor Qt's print support, the module answers as the service it holds, and a module
// that cannot be loaded fails the call with its cause.
#include "platform/linux/ServicesDifferes.h"
#include "platform/linux/ShellGio.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

#include <stdexcept>

namespace {

const QString Dossier = QStringLiteral(DALVIRE_DOSSIER_APPLICATION);

} // namespace

class TestServicesDifferes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void programmeSansLesBibliotheques_data();
    void programmeSansLesBibliotheques();
    void shellChargeAuPremierAppel();
    void moduleIntrouvable_data();
    void moduleIntrouvable();
};

void TestServicesDifferes::programmeSansLesBibliotheques_data() {
    QTest::addColumn<QString>("bibliotheque");
    QTest::newRow("GIO") << "libgio-2.0.so";
    QTest::newRow("impression") << "libQt6PrintSupport.so";
}

void TestServicesDifferes::programmeSansLesBibliotheques() {
    QFETCH(QString, bibliotheque);
    QProcess readelf;
    readelf.start(QStringLiteral("readelf"),
                  {QStringLiteral("-d"), QStringLiteral(DALVIRE_EXECUTABLE)});
    if (!readelf.waitForFinished(10000) || readelf.exitCode() != 0)
        QSKIP("readelf is not available");
    const QString dependances = QString::fromLocal8Bit(readelf.readAllStandardOutput());
    QVERIFY(dependances.contains(QLatin1String("libQt6Core.so")));
    QVERIFY2(!dependances.contains(bibliotheque), qPrintable(dependances));
}

void TestServicesDifferes::shellChargeAuPremierAppel() {
    QTemporaryDir dossier;
    const QString document = dossier.filePath(QStringLiteral("note.txt"));
    QFile fichier(document);
    QVERIFY(fichier.open(QIODevice::WriteOnly));
    fichier.write("bonjour\n");
    fichier.close();

    ShellDiffere differe(Dossier + QStringLiteral("/shellgio.so"));
    QVERIFY(!differe.charge());
    const ChoixOuverture choix = differe.choixPour(document);
    QVERIFY(differe.charge());
    ShellGio direct;
    const ChoixOuverture attendu = direct.choixPour(document);
    QCOMPARE(choix.type, QStringLiteral("text/plain"));
    QCOMPARE(choix.type, attendu.type);
    QCOMPARE(choix.chemin, attendu.chemin);
    QCOMPARE(choix.declarees.size(), attendu.declarees.size());
    QCOMPARE(differe.toutesLesApplications().size(), direct.toutesLesApplications().size());
}

void TestServicesDifferes::moduleIntrouvable_data() {
    QTest::addColumn<bool>("impression");
    QTest::addColumn<QString>("cause");
    QTest::newRow("shell") << false << "Les services du bureau n'ont pas pu être chargés : ";
    QTest::newRow("impression") << true << "Les services d'impression n'ont pas pu être chargés : ";
}

void TestServicesDifferes::moduleIntrouvable() {
    QFETCH(bool, impression);
    QFETCH(QString, cause);
    const QString absent = Dossier + QStringLiteral("/absent.so");
    try {
        if (impression) {
            ImpressionDifferee differee(absent);
            QString raison;
            differee.imprimer(QTextDocument(QStringLiteral("texte")), QStringLiteral("essai"),
                              raison);
        } else {
            ShellDiffere differe(absent);
            differe.demarrer(QStringLiteral("/bin/true"), 1);
        }
        QFAIL("the call went through without its module");
    } catch (const std::runtime_error& erreur) {
        const QString message = QString::fromStdString(erreur.what());
        QVERIFY2(message.startsWith(cause), qPrintable(message));
        QVERIFY2(message.contains(QLatin1String("absent.so")), qPrintable(message));
    }
}

QTEST_MAIN(TestServicesDifferes)
#include "test_services_differes.moc"
