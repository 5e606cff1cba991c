// The private folder, the lock and the channel between two copies: nothing another user
// could have prepared is used, and only this user's copies' known words act.
#include "platform/Canal.h"
#include "platform/DossierPrive.h"
#include "platform/Verrou.h"
#include "support/PriseLocale.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <future>

#include <ctime>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Etat { Absent, Prive, Ouvert, Lien, Etranger, Fichier };

bool preparer(const QString& chemin, Etat etat, const QString& cible) {
    const QByteArray c = QFile::encodeName(chemin);
    switch (etat) {
    case Etat::Absent:
        return true;
    // A link to a folder that passes every check by itself.
    case Etat::Lien:
        return QDir().mkdir(cible) && QFile::link(cible, chemin);
    case Etat::Fichier:
        return QFile(chemin).open(QIODevice::WriteOnly);
    // Another user's own folder: only root can make one (CI runs as root).
    case Etat::Etranger:
        return ::mkdir(c, 0700) == 0 && ::chown(c, 65534, 65534) == 0;
    default:
        return ::mkdir(c, 0700) == 0 && ::chmod(c, etat == Etat::Ouvert ? 0755 : 0700) == 0;
    }
}

// A peer says raw bytes, then reads until the server lets it go, the event loop running.
QByteArray dire(const QString& chemin, const QByteArray& octets) {
    const PriseLocale pair(chemin, false, SOCK_NONBLOCK);
    QByteArray recu;
    ::send(pair.fd, octets.constData(), size_t(octets.size()), MSG_NOSIGNAL);
    const bool lache = QTest::qWaitFor(
        [&] {
            char t[64];
            const ssize_t n = ::recv(pair.fd, t, sizeof t, 0);
            if (n > 0) recu.append(t, n);
            return n == 0 || (n < 0 && errno != EAGAIN);
        },
        3000);
    return lache ? recu : QByteArrayLiteral("(gardé)");
}

// Seconds of processor this process has spent.
double tempsCpu() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

} // namespace

Q_DECLARE_METATYPE(Etat)

class TestCanal : public QObject {
    Q_OBJECT
    QTemporaryDir d_;
    const QString socket_ = d_.filePath(QStringLiteral("dalvire.canal"));

    // The request as the command makes it, on a thread of its own while this one's loop
    // runs the server.
    Canal::Issue demander() {
        auto issue = std::async(std::launch::async, [this] {
            return Canal::demander(socket_, Canal::Recherche, std::chrono::seconds(3));
        });
        const auto pret = [&] {
            return issue.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
        };
        return QTest::qWaitFor(pret, 5000) ? issue.get() : Canal::Issue::Personne;
    }

private Q_SLOTS:
    // The runtime folder when it is the user's alone, else one under the user's state
    // folder, else under the cache folder, made when absent; never one that anyone could
    // have prepared, nor one whose socket's path would be too long.
    void dossierPrive_data() {
        QTest::addColumn<Etat>("runtime");
        QTest::addColumn<Etat>("etat");
        QTest::addColumn<int>("longueurNom");
        QTest::addColumn<QString>("choisi"); // "runtime", "etat", "cache"
        QTest::newRow("runtime privé") << Etat::Prive << Etat::Absent << 0 << "runtime";
        QTest::newRow("runtime absent, état créé") << Etat::Absent << Etat::Absent << 0 << "etat";
        QTest::newRow("runtime lien") << Etat::Lien << Etat::Prive << 0 << "etat";
        QTest::newRow("runtime ouvert") << Etat::Ouvert << Etat::Absent << 0 << "etat";
        QTest::newRow("état ouvert à tous") << Etat::Absent << Etat::Ouvert << 0 << "cache";
        QTest::newRow("état lien") << Etat::Absent << Etat::Lien << 0 << "cache";
        QTest::newRow("état fichier") << Etat::Absent << Etat::Fichier << 0 << "cache";
        QTest::newRow("état d'un autre") << Etat::Absent << Etat::Etranger << 0 << "cache";
        QTest::newRow("nom trop long") << Etat::Prive << Etat::Prive << 107 << "";
    }
    void dossierPrive() {
        QFETCH(Etat, runtime);
        QFETCH(Etat, etat);
        QFETCH(int, longueurNom);
        QFETCH(QString, choisi);
        if (etat == Etat::Etranger && ::getuid() != 0)
            QSKIP("un dossier d'un autre utilisateur ne se fait que sous root");
        QTemporaryDir d;
        const QString r = d.filePath("runtime"), e = d.filePath("etat/dalvire"),
                      c = d.filePath("cache/dalvire");
        QVERIFY(QDir().mkdir(d.filePath("etat")));
        QVERIFY(preparer(r, runtime, d.filePath("cible-r")));
        QVERIFY(preparer(e, etat, d.filePath("cible-e")));
        const LieuxPrives lieux{r + "/", {e, c}};
        const QString attendu =
            QMap<QString, QString>{{"runtime", r}, {"etat", e}, {"cache", c}}.value(choisi);
        QCOMPARE(Dossier_Prive(lieux, longueurNom), attendu);
        struct stat st {};
        if (choisi == "etat" || choisi == "cache")
            QVERIFY(::lstat(QFile::encodeName(attendu), &st) == 0 && (st.st_mode & 07777) == 0700);
    }

    // Never reached through a link, nor taken when it is not a plain file.
    void verrou() {
        const QString cible = d_.filePath("cible"), tube = d_.filePath("tube");
        QVERIFY(QFile::link(cible, d_.filePath("lien")) &&
                ::mkfifo(QFile::encodeName(tube), 0600) == 0);
        VerrouInstance parLien, parTube;
        QVERIFY(parLien.acquerirFichier(d_.filePath("lien")) && !parLien.estDetenu());
        QVERIFY(!QFile::exists(cible));
        QVERIFY(parTube.acquerirFichier(tube) && !parTube.estDetenu());
    }

    // What a peer says (then stays silent), and what the running copy does with it: only
    // the known word acts; anything else, a silent peer after its time too, is answered no
    // and let go; another user's peer is not heard at all. After each, the server still
    // hears a proper request.
    void messages_data() {
        QTest::addColumn<QByteArray>("dit");
        QTest::addColumn<bool>("etranger");      // the peer is another user
        QTest::addColumn<QByteArray>("reponse"); // "ok\n" when the search is asked for
        const QByteArray rien, ok("ok\n"), non("non\n"), longue(Canal::LongueurMaximale, 'r');
        QTest::newRow("demande") << QByteArray("rechercher\n") << false << ok;
        QTest::newRow("autre utilisateur") << QByteArray("rechercher\n") << true << rien;
        QTest::newRow("sans fin de ligne") << QByteArray("rechercher") << false << non;
        QTest::newRow("mot inconnu") << QByteArray("RECHERCHER\n") << false << non;
        QTest::newRow("CRLF") << QByteArray("rechercher\r\n") << false << non;
        QTest::newRow("deux demandes") << QByteArray("rechercher\nrechercher\n") << false << non;
        QTest::newRow("binaire") << QByteArray("\xff\0\x80\n", 4) << false << non;
        QTest::newRow("trop long") << longue << false << non;
        QTest::newRow("trop long, puis la fin") << longue + "\n" << false << non;
        QTest::newRow("rien") << rien << false << non;
    }
    void messages() {
        QFETCH(QByteArray, dit);
        QFETCH(bool, etranger);
        QFETCH(QByteArray, reponse);
        QList<QByteArray> recus;
        ServeurCanal serveur({Canal::Recherche}, [&](const QByteArray& mot) { recus << mot; });
        serveur.definirDelaiSilence(300);
        if (etranger) serveur.definirUtilisateur(::getuid() + 1);
        QVERIFY(serveur.ecouter(socket_));
        QCOMPARE(dire(socket_, dit), reponse);
        QCOMPARE(recus, reponse == "ok\n" ? QList<QByteArray>{"rechercher"} : QList<QByteArray>());
        serveur.definirUtilisateur(::getuid());
        QCOMPARE(demander(), Canal::Issue::Acceptee);
        QCOMPARE(recus.size(), reponse == "ok\n" ? 2 : 1);
    }

    // No descriptor left to take a call: the waiting call keeps the socket readable, and
    // the copy must not spin on it meanwhile; it takes the call once one is free again.
    void sansDescripteur() {
        QList<QByteArray> recus;
        ServeurCanal serveur({Canal::Recherche}, [&](const QByteArray& mot) { recus << mot; });
        QVERIFY(serveur.ecouter(socket_));
        const PriseLocale appel(socket_);
        QVERIFY(::send(appel.fd, "rechercher\n", 11, MSG_NOSIGNAL) == 11);
        rlimit avant{};
        QVERIFY(::getrlimit(RLIMIT_NOFILE, &avant) == 0);
        const int libre = ::dup(0);
        ::close(libre);
        rlimit plafond = avant;
        plafond.rlim_cur = static_cast<rlim_t>(libre);
        QVERIFY(::setrlimit(RLIMIT_NOFILE, &plafond) == 0);
        const double cpu = tempsCpu();
        QTest::qWait(600);
        const double passe = tempsCpu() - cpu;
        QVERIFY(::setrlimit(RLIMIT_NOFILE, &avant) == 0);
        QVERIFY2(passe < 0.15, qPrintable(QString::number(passe) + " s de processeur"));
        QTRY_COMPARE(recus.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestCanal)
#include "test_canal.moc"
