// "dalvire --rechercher" as the user types it, the real program in processes of its own:
// with no copy running it starts one, which then answers the channel; with one running
// it hands the search over and ends at once; a copy killed leaves nothing that stops it.
#include "platform/Instance.h"
#include "support/Environnement.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// A copy of the application folder, the executable in it, and a session of its own.
struct Installation {
    Environnement env;
    QTemporaryDir session;
    QString runtime = session.filePath(QStringLiteral("runtime"));
    std::vector<std::unique_ptr<QProcess>> processus;

    Installation() {
        QDir().mkdir(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::copy(QStringLiteral(DALVIRE_EXECUTABLE), env.dossier() + QStringLiteral("dalvire"));
    }
    ~Installation() {
        for (auto& p : processus) {
            p->kill();
            p->waitForFinished(5000);
        }
    }
    QString canal() const { return runtime + QStringLiteral("/dalvire.canal"); }

    QProcess& lancer(const QStringList& arguments) {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        e.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        for (const char* v : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
            e.insert(QString::fromLatin1(v), session.path());
        p->setProcessEnvironment(e);
        p->setWorkingDirectory(env.dossier());
        p->start(env.dossier() + QStringLiteral("dalvire"), arguments);
        processus.push_back(std::move(p));
        return *processus.back();
    }

    // The copy that runs has its channel open and acts on the search.
    bool copieALEcoute(int attenteMs = 20000) const {
        return QTest::qWaitFor(
            [this] {
                QByteArray reponse;
                return Canal::envoyer(canal(), Canal::Recherche, &reponse, 1000) &&
                       reponse == "ok\n";
            },
            attenteMs);
    }
};

} // namespace

class TestCommandeRecherche : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sansPuisAvecCopie() {
        Installation inst;
        QProcess& premiere = inst.lancer({QStringLiteral("--rechercher")});
        QVERIFY(premiere.waitForStarted());
        QVERIFY2(inst.copieALEcoute(), premiere.readAllStandardError().constData());
        QCOMPARE(premiere.state(), QProcess::Running);
        VerrouInstance autre;
        QVERIFY(!autre.acquerirFichier(inst.runtime + QStringLiteral("/dalvire.verrou")));

        for (int i = 0; i < 2; ++i) {
            QProcess& seconde = inst.lancer({QStringLiteral("--rechercher")});
            QVERIFY(seconde.waitForFinished(10000));
            QCOMPARE(seconde.exitStatus(), QProcess::NormalExit);
            QCOMPARE(seconde.exitCode(), 0);
            QCOMPARE(seconde.readAllStandardError(), QByteArray());
        }
        QCOMPARE(premiere.state(), QProcess::Running);

        // Killed, the copy leaves its socket: the next command finds nobody behind it and
        // starts a copy, which takes the channel over.
        premiere.kill();
        QVERIFY(premiere.waitForFinished(5000));
        QVERIFY(QFile::exists(inst.canal()));
        QProcess& apres = inst.lancer({QStringLiteral("--rechercher")});
        QVERIFY2(inst.copieALEcoute(), apres.readAllStandardError().constData());
        QCOMPARE(apres.state(), QProcess::Running);
    }

    // A plain start beside a running copy asks it nothing: it is refused as before (its
    // message box waits for an answer), and the running copy is left alone.
    void simpleDemarrageInchange() {
        Installation inst;
        QProcess& premiere = inst.lancer({});
        QVERIFY(inst.copieALEcoute());
        QProcess& seconde = inst.lancer({});
        QVERIFY(seconde.waitForStarted());
        QVERIFY(!seconde.waitForFinished(1500));
        QCOMPARE(premiere.state(), QProcess::Running);
        QVERIFY(inst.copieALEcoute(1000));
    }
};

QTEST_GUILESS_MAIN(TestCommandeRecherche)
#include "test_commande_recherche.moc"
