// The display platform chosen at start: a Wayland session goes through XWayland, or the
// program explains why it cannot run there and ends.
#include "app/Execution.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

class TestPlateforme : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void choix_data() {
        QTest::addColumn<QStringList>("variables"); // "NAME=value"
        QTest::addColumn<int>("issue");
        QTest::addColumn<QString>("debutMessage");
        const int telle = int(ChoixPlateforme::Issue::TelleQuelle);
        const int xwayland = int(ChoixPlateforme::Issue::XWayland);
        const int impossible = int(ChoixPlateforme::Issue::Impossible);
        const QString parXWayland =
            QStringLiteral("Dalvire : session Wayland, le programme passe par XWayland");
        const QString sansXWayland =
            QStringLiteral("Dalvire ne peut pas fonctionner dans cette session Wayland");
        QTest::newRow("session X11")
            << QStringList{"XDG_SESSION_TYPE=x11", "DISPLAY=:0"} << telle << "";
        QTest::newRow("console") << QStringList{} << telle << "";
        QTest::newRow("wayland et XWayland")
            << QStringList{"XDG_SESSION_TYPE=wayland", "WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0"}
            << xwayland << parXWayland;
        QTest::newRow("WAYLAND_DISPLAY seul")
            << QStringList{"XDG_SESSION_TYPE=tty", "WAYLAND_DISPLAY=wayland-1", "DISPLAY=:0"}
            << xwayland << parXWayland;
        QTest::newRow("wayland demande expressement")
            << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0", "QT_QPA_PLATFORM=wayland"}
            << xwayland << parXWayland;
        QTest::newRow("wayland sans XWayland")
            << QStringList{"XDG_SESSION_TYPE=wayland", "WAYLAND_DISPLAY=wayland-0"} << impossible
            << sansXWayland;
        // A platform chosen on purpose is kept, as the tests' own.
        QTest::newRow("offscreen choisi")
            << QStringList{"WAYLAND_DISPLAY=wayland-0", "QT_QPA_PLATFORM=offscreen"} << telle << "";
    }
    void choix() {
        QFETCH(QStringList, variables);
        QFETCH(int, issue);
        QFETCH(QString, debutMessage);
        QProcessEnvironment environnement;
        for (const QString& v : variables)
            environnement.insert(v.section(QLatin1Char('='), 0, 0), v.section(QLatin1Char('='), 1));
        const ChoixPlateforme choix = Choisir_Plateforme(environnement);
        QCOMPARE(int(choix.issue), issue);
        if (debutMessage.isEmpty())
            QVERIFY(choix.message.isEmpty());
        else
            QVERIFY2(choix.message.startsWith(debutMessage), qPrintable(choix.message));
    }

    // The real program in a Wayland session without XWayland: the reason on standard
    // error, once, and a clean end before any window.
    void sansXWaylandLeProgrammeSArrete() {
        QProcess programme;
        QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
        for (const char* v : {"QT_QPA_PLATFORM", "DISPLAY", "XDG_SESSION_TYPE"})
            environnement.remove(QString::fromLatin1(v));
        environnement.insert(QStringLiteral("WAYLAND_DISPLAY"),
                             QStringLiteral("wayland-dalvire-essai"));
        environnement.insert(QStringLiteral("XDG_CONFIG_HOME"),
                             QStringLiteral("/nonexistent-dalvire"));
        programme.setProcessEnvironment(environnement);
        programme.start(QStringLiteral(DALVIRE_EXECUTABLE), {});
        QVERIFY(programme.waitForFinished(10000));
        QCOMPARE(programme.exitStatus(), QProcess::NormalExit);
        QCOMPARE(programme.exitCode(), 1);
        const QString erreur = QString::fromUtf8(programme.readAllStandardError());
        QCOMPARE(erreur.count(QStringLiteral("Dalvire ne peut pas fonctionner")), 1);
        QVERIFY2(erreur.contains(QStringLiteral("XWayland")), qPrintable(erreur));
    }
};

QTEST_GUILESS_MAIN(TestPlateforme)
#include "test_plateforme.moc"
