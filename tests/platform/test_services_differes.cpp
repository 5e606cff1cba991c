// The services loaded with their module on first use: the program itself links neither
// GIO nor Qt's print support, the module answers as the service it holds, and a module
// that cannot be loaded fails the call with its cause.
#include "platform/linux/ServicesDifferes.h"
#include "platform/linux/ShellGio.h"

#include <QProcess>
#include <QTest>
#include <QTextDocument>

#include <stdexcept>

namespace {
const QString Dossier = QStringLiteral(DALVIRE_DOSSIER_APPLICATION);
} // namespace

class TestServicesDifferes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void programmeSansLesBibliotheques() {
        QProcess readelf;
        readelf.start(QStringLiteral("readelf"),
                      {QStringLiteral("-d"), QStringLiteral(DALVIRE_EXECUTABLE)});
        if (!readelf.waitForFinished(10000) || readelf.exitCode() != 0)
            QSKIP("readelf is not available");
        const QString dependances = QString::fromLocal8Bit(readelf.readAllStandardOutput());
        QVERIFY(dependances.contains(QLatin1String("libQt6Core.so")));
        QVERIFY2(!dependances.contains(QLatin1String("libgio-2.0.so")), qPrintable(dependances));
        QVERIFY2(!dependances.contains(QLatin1String("libQt6PrintSupport.so")),
                 qPrintable(dependances));
    }

    void shellChargeAuPremierAppel() {
        const QString document = QStringLiteral(DALVIRE_DOSSIER_SOURCES "/README.md");
        ShellDiffere differe(Dossier + QStringLiteral("/shellgio.so"));
        QVERIFY(!differe.charge());
        const ChoixOuverture choix = differe.choixPour(document);
        QVERIFY(differe.charge());
        ShellGio direct;
        QCOMPARE(choix.type, direct.choixPour(document).type);
        QVERIFY(!choix.type.isEmpty());
        QCOMPARE(differe.toutesLesApplications().size(), direct.toutesLesApplications().size());
    }

    void moduleIntrouvable_data() {
        QTest::addColumn<bool>("impression");
        QTest::addColumn<QString>("cause");
        QTest::newRow("shell") << false << "Les services du bureau n'ont pas pu être chargés : ";
        QTest::newRow("impression")
            << true << "Les services d'impression n'ont pas pu être chargés : ";
    }
    void moduleIntrouvable() {
        QFETCH(bool, impression);
        QFETCH(QString, cause);
        const QString absent = Dossier + QStringLiteral("/absent.so");
        QString message;
        try {
            QString raison;
            if (impression)
                ImpressionDifferee(absent).imprimer(QTextDocument(), QStringLiteral("essai"),
                                                    raison);
            else
                ShellDiffere(absent).demarrer(QStringLiteral("/bin/true"),
                                              AffichageFenetre::Normal);
        } catch (const std::runtime_error& erreur) {
            message = QString::fromStdString(erreur.what());
        }
        QVERIFY2(message.startsWith(cause) && message.contains(QLatin1String("absent.so")),
                 qPrintable(message));
    }
};

QTEST_MAIN(TestServicesDifferes)
#include "test_services_differes.moc"
