// "dalvire --rechercher", real processes: with no copy running it starts one; beside it,
// it hands the search over and ends with 0; a killed copy's socket left behind stops nothing.
#include "platform/Instance.h"
#include "support/Environnement.h"

#include <QProcess>
#include <QTest>

#include <deque>

class TestCommandeRecherche : public QObject {
    Q_OBJECT
    Environnement env_;
    QTemporaryDir session_;
    const QString runtime_ = session_.filePath("runtime");
    std::deque<QProcess> processus_; // killed at the end

    QProcess& rechercher() {
        QProcess& p = processus_.emplace_back();
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("QT_QPA_PLATFORM", "offscreen");
        e.insert("XDG_RUNTIME_DIR", runtime_);
        for (const char* v : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
            e.insert(v, session_.path());
        p.setProcessEnvironment(e);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(env_.dossier() + "dalvire", {"--rechercher"});
        return p;
    }
    bool copieALEcoute() const {
        QByteArray r;
        const QString canal = runtime_ + "/dalvire.canal";
        return QTest::qWaitFor(
            [&] { return Canal::envoyer(canal, "rechercher", &r, 999) && r == "ok\n"; }, 20000);
    }

private Q_SLOTS:
    void sansPuisAvecCopie() {
        QVERIFY(QDir().mkdir(runtime_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(QFile::copy(DALVIRE_EXECUTABLE, env_.dossier() + "dalvire"));
        QProcess& premiere = rechercher();
        QVERIFY(copieALEcoute());
        VerrouInstance autre;
        QVERIFY(!autre.acquerirFichier(runtime_ + "/dalvire.verrou"));
        for (QProcess* seconde : {&rechercher(), &rechercher()}) {
            QVERIFY(seconde->waitForFinished(10000));
            QCOMPARE(seconde->exitStatus(), QProcess::NormalExit);
            QCOMPARE(seconde->exitCode(), 0);
            QCOMPARE(seconde->readAll(), QByteArray());
        }
        QCOMPARE(premiere.state(), QProcess::Running);
        premiere.kill();
        QVERIFY(premiere.waitForFinished() && QFile::exists(runtime_ + "/dalvire.canal"));
        QProcess& apres = rechercher();
        QVERIFY(copieALEcoute());
        QCOMPARE(apres.state(), QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(TestCommandeRecherche)
#include "test_commande_recherche.moc"
