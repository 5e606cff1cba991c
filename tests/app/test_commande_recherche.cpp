// "dalvire --rechercher", real processes: with no copy running it starts one; beside it,
// it hands the search over and ends with 0; a killed copy's socket left behind stops
// nothing; a copy that does not take the request has the command fail, saying why.
#include "platform/Canal.h"
#include "platform/Verrou.h"
#include "support/Environnement.h"
#include "support/PriseLocale.h"

#include <QProcess>
#include <QTest>

#include <algorithm>
#include <deque>
#include <vector>

class TestCommandeRecherche : public QObject {
    Q_OBJECT
    Environnement env_;
    QTemporaryDir session_;
    const QString runtime_ = session_.filePath("runtime");
    const QString tmp_ = session_.filePath("tmp");
    std::deque<QProcess> processus_; // killed at the end

    // Without a runtime folder, the lock and the channel go under the state folder, out
    // of reach of the temporary folder's squatters.
    QString canal(bool runtime) const {
        return (runtime ? runtime_ : session_.filePath("dalvire")) + "/dalvire.canal";
    }
    QProcess& rechercher(bool runtime) {
        QProcess& p = processus_.emplace_back();
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("QT_QPA_PLATFORM", "offscreen");
        e.remove("XDG_RUNTIME_DIR");
        if (runtime) e.insert("XDG_RUNTIME_DIR", runtime_);
        e.insert("TMPDIR", tmp_);
        for (const char* v : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
            e.insert(v, session_.path());
        p.setProcessEnvironment(e);
        p.start(env_.dossier() + "dalvire", {"--rechercher"});
        return p;
    }
    bool copieALEcoute(bool runtime) const {
        return QTest::qWaitFor(
            [&] {
                return Canal::demander(canal(runtime), "rechercher", std::chrono::seconds(1)) ==
                       Canal::Issue::Acceptee;
            },
            20000);
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(QDir().mkdir(runtime_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(QFile::copy(DALVIRE_EXECUTABLE, env_.dossier() + "dalvire"));
        // The folder the temporary one used to give: another user's link, made first.
        QVERIFY(QDir().mkpath(tmp_) && QDir().mkdir(session_.filePath("ailleurs")));
        QVERIFY(QFile::link(session_.filePath("ailleurs"),
                            QStringLiteral("%1/dalvire-%2").arg(tmp_).arg(::getuid())));
    }

    void sansPuisAvecCopie_data() {
        QTest::addColumn<bool>("runtime");
        QTest::newRow("runtime") << true;
        QTest::newRow("sans runtime, temporaire piégé") << false;
    }
    void sansPuisAvecCopie() {
        QFETCH(bool, runtime);
        QProcess& premiere = rechercher(runtime);
        QVERIFY(copieALEcoute(runtime));
        for (QProcess* seconde : {&rechercher(runtime), &rechercher(runtime)}) {
            QVERIFY(seconde->waitForFinished(10000));
            QCOMPARE(seconde->exitStatus(), QProcess::NormalExit);
            QCOMPARE(seconde->exitCode(), 0);
            QCOMPARE(seconde->readAll(), QByteArray());
        }
        QCOMPARE(premiere.state(), QProcess::Running);
        premiere.kill();
        QVERIFY(premiere.waitForFinished() && QFile::exists(canal(runtime)));
        QProcess& apres = rechercher(runtime);
        QVERIFY(copieALEcoute(runtime));
        QCOMPARE(apres.state(), QProcess::Running);
        apres.kill();
        QVERIFY(apres.waitForFinished());
        QVERIFY(QDir(session_.filePath("ailleurs")).isEmpty());
    }

    // A copy holds the lock but does not take the request: busy with other callers,
    // still starting (no channel yet), or silent. The command tries until its deadline,
    // then fails with a reason.
    void refusee_data() {
        QTest::addColumn<QString>("copie");
        QTest::addColumn<QString>("raison");
        for (const auto& [copie, raison] : {std::pair{"occupee", "refusé la demande"},
                                            {"demarre", "en cours de démarrage"},
                                            {"muette", "n'a pas répondu"}})
            QTest::newRow(copie) << copie << QString::fromUtf8(raison);
    }
    void refusee() {
        QFETCH(QString, copie);
        VerrouInstance verrou;
        QVERIFY(verrou.acquerirFichier(runtime_ + "/dalvire.verrou") && verrou.estDetenu());
        QFile::remove(canal(true)); // a killed copy's
        QList<QByteArray> recus;
        ServeurCanal serveur({Canal::Recherche}, [&](const QByteArray& m) { recus << m; });
        serveur.definirDelaiSilence(60000);
        std::vector<PriseLocale> appels;
        if (copie == "occupee") QVERIFY(serveur.ecouter(canal(true)));
        for (int i = 0; copie == "occupee" && i < ServeurCanal::ConnexionsMaximales; ++i)
            appels.push_back(PriseLocale(canal(true)));
        if (copie == "muette") appels.push_back(PriseLocale(canal(true), true));
        QVERIFY(std::all_of(appels.cbegin(), appels.cend(), [](auto& p) { return p.fd >= 0; }));
        QProcess& commande = rechercher(true);
        QVERIFY(QTest::qWaitFor([&] { return commande.state() == QProcess::NotRunning; }, 15000));
        QCOMPARE(commande.exitCode(), 1);
        QVERIFY(commande.readAllStandardOutput().isEmpty());
        const QString erreur = QString::fromUtf8(commande.readAllStandardError());
        QFETCH(QString, raison);
        QVERIFY2(erreur.startsWith("Dalvire : ") && erreur.contains(raison), qPrintable(erreur));
        QVERIFY(recus.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCommandeRecherche)
#include "test_commande_recherche.moc"
