// The user's private folder, the lock and the channel between two copies: what another
// user could have prepared is never used, and only the known words of this user's own
// copies act.
#include "platform/Instance.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QString Nom = QStringLiteral("Dalvire");

// How a test lays out a folder before the program looks at it.
enum class Etat { Absent, Prive, Ouvert, Lien, Etranger, Fichier };

bool preparer(const QString& chemin, Etat etat, const QString& ailleurs) {
    const QByteArray c = QFile::encodeName(chemin);
    switch (etat) {
    case Etat::Absent:
        return true;
    case Etat::Prive:
        return ::mkdir(c.constData(), 0700) == 0;
    case Etat::Ouvert:
        return ::mkdir(c.constData(), 0700) == 0 && ::chmod(c.constData(), 0755) == 0;
    case Etat::Lien:
        // A link to a folder that passes every check by itself.
        return ::mkdir(QFile::encodeName(ailleurs).constData(), 0700) == 0 &&
               ::symlink(QFile::encodeName(ailleurs).constData(), c.constData()) == 0;
    case Etat::Etranger:
        return ::mkdir(c.constData(), 0700) == 0 && ::chown(c.constData(), 65534, 65534) == 0;
    case Etat::Fichier:
        return QFile(chemin).open(QIODevice::WriteOnly);
    }
    return false;
}

// A peer of the channel that says raw bytes, then listens while the event loop runs.
struct Pair {
    int fd = -1;
    explicit Pair(const QString& chemin) {
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        const QByteArray c = QFile::encodeName(chemin);
        std::memcpy(a.sun_path, c.constData(), size_t(c.size()));
        fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
            ::close(fd);
            fd = -1;
        }
    }
    ~Pair() {
        if (fd >= 0) ::close(fd);
    }
    bool dire(const QByteArray& octets) {
        return ::send(fd, octets.constData(), size_t(octets.size()), MSG_NOSIGNAL) ==
               ssize_t(octets.size());
    }
    // What came back before the server closed the connection; "(ouverte)" if it did not
    // within the wait.
    QByteArray reponse(int attenteMs = 3000) {
        QByteArray recu;
        bool ferme = false;
        (void)QTest::qWaitFor(
            [&] {
                char t[64];
                const ssize_t n = ::recv(fd, t, sizeof t, 0);
                if (n > 0) recu.append(t, n);
                ferme = n == 0 || (n < 0 && errno != EAGAIN);
                return ferme;
            },
            attenteMs);
        return ferme ? recu : QByteArrayLiteral("(ouverte)");
    }
};

} // namespace

Q_DECLARE_METATYPE(Etat)

class TestCanal : public QObject {
    Q_OBJECT
    QTemporaryDir racine_;
    QString socket_;

    QString chemin(const QString& nom) const { return racine_.filePath(nom); }

private Q_SLOTS:
    void init() { socket_ = chemin(QStringLiteral("dalvire.canal")); }

    // Which folder holds the lock and the channel: the runtime folder when it is the
    // user's alone, else one under the temporary folder, made when absent and refused
    // when anyone could have prepared it.
    void dossierPrive_data() {
        QTest::addColumn<Etat>("runtime");
        QTest::addColumn<Etat>("secours");
        QTest::addColumn<QString>("choisi"); // "runtime", "secours" or empty
        QTest::newRow("runtime privé") << Etat::Prive << Etat::Absent << "runtime";
        QTest::newRow("runtime absent, secours créé") << Etat::Absent << Etat::Absent << "secours";
        QTest::newRow("runtime ouvert à tous") << Etat::Ouvert << Etat::Prive << "secours";
        QTest::newRow("runtime lien") << Etat::Lien << Etat::Prive << "secours";
        QTest::newRow("runtime fichier") << Etat::Fichier << Etat::Absent << "secours";
        QTest::newRow("secours ouvert à tous") << Etat::Absent << Etat::Ouvert << "";
        QTest::newRow("secours lien vers un dossier sûr") << Etat::Absent << Etat::Lien << "";
        QTest::newRow("secours fichier") << Etat::Absent << Etat::Fichier << "";
        QTest::newRow("secours d'un autre utilisateur") << Etat::Absent << Etat::Etranger << "";
    }
    void dossierPrive() {
        QFETCH(Etat, runtime);
        QFETCH(Etat, secours);
        QFETCH(QString, choisi);
        if ((runtime == Etat::Etranger || secours == Etat::Etranger) && ::getuid() != 0)
            QSKIP("giving a folder to another user needs root");
        QTemporaryDir d;
        const QString r = d.filePath(QStringLiteral("runtime"));
        const QString tmp = d.filePath(QStringLiteral("tmp"));
        QVERIFY(QDir().mkpath(tmp));
        const QString s = QStringLiteral("%1/dalvire-%2").arg(tmp).arg(::getuid());
        QVERIFY(preparer(r, runtime, d.filePath(QStringLiteral("cible-r"))));
        QVERIFY(preparer(s, secours, d.filePath(QStringLiteral("cible-s"))));
        const QString attendu = choisi == "runtime" ? r : choisi == "secours" ? s : QString();
        QCOMPARE(Dossier_Prive(Nom, r, tmp), attendu);
        if (choisi == "secours") {
            struct stat st {};
            QCOMPARE(::lstat(QFile::encodeName(s).constData(), &st), 0);
            QCOMPARE(st.st_mode & 07777, mode_t(0700));
            QVERIFY(S_ISDIR(st.st_mode));
        }
        // A folder refused is left as it was found: no lock, no channel in it.
        if (choisi.isEmpty() && secours == Etat::Lien)
            QVERIFY(QDir(d.filePath(QStringLiteral("cible-s"))).isEmpty());
    }

    // Through the environment, as the program finds it: nothing safe, then no lock file
    // is made and nothing stops the start; no channel either.
    void sansDossierNiVerrouNiCanal() {
        QTemporaryDir d;
        const QString tmp = d.filePath(QStringLiteral("tmp"));
        const QString cible = d.filePath(QStringLiteral("cible"));
        QVERIFY(QDir().mkpath(tmp));
        QVERIFY(
            preparer(QStringLiteral("%1/dalvire-%2").arg(tmp).arg(::getuid()), Etat::Lien, cible));
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), tmpdir = qgetenv("TMPDIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(d.filePath(QStringLiteral("absent"))));
        qputenv("TMPDIR", QFile::encodeName(tmp));
        VerrouInstance verrou;
        QVERIFY(verrou.acquerir(Nom));
        const bool detenu = verrou.estDetenu();
        const QString canal = Canal::chemin(Nom);
        qputenv("XDG_RUNTIME_DIR", runtime);
        qputenv("TMPDIR", tmpdir);
        QVERIFY(!detenu);
        QVERIFY(canal.isEmpty());
        QVERIFY(QDir(cible).isEmpty());
    }

    // The lock file is never reached through a link, nor taken when it is not a plain
    // file of the user's; a second holder in a sound folder is refused.
    void verrou() {
        QTemporaryDir d;
        const QString cible = d.filePath(QStringLiteral("cible"));
        const QString lien = d.filePath(QStringLiteral("lien.verrou"));
        QVERIFY(QFile::link(cible, lien));
        VerrouInstance parLien;
        QVERIFY(parLien.acquerirFichier(lien));
        QVERIFY(!parLien.estDetenu());
        QVERIFY(!QFile::exists(cible));

        const QString tube = d.filePath(QStringLiteral("tube.verrou"));
        QCOMPARE(::mkfifo(QFile::encodeName(tube).constData(), 0600), 0);
        VerrouInstance parTube;
        QVERIFY(parTube.acquerirFichier(tube));
        QVERIFY(!parTube.estDetenu());

        const QString fichier = d.filePath(QStringLiteral("dalvire.verrou"));
        VerrouInstance premier, second;
        QVERIFY(premier.acquerirFichier(fichier));
        QVERIFY(premier.estDetenu());
        QVERIFY(!second.acquerirFichier(fichier));
    }

    // What a peer says, and what the running copy does with it. After each, the server
    // still hears a proper request.
    void messages_data() {
        QTest::addColumn<QByteArray>("dit");
        QTest::addColumn<bool>("seTait"); // the peer ends its side once it has spoken
        QTest::addColumn<int>("actions");
        QTest::addColumn<QByteArray>("reponse");
        QTest::newRow("demande") << QByteArray("rechercher\n") << false << 1 << QByteArray("ok\n");
        QTest::newRow("demande, puis plus rien")
            << QByteArray("rechercher\n") << true << 1 << QByteArray("ok\n");
        QTest::newRow("sans fin de ligne") << QByteArray("rechercher") << true << 0 << QByteArray();
        QTest::newRow("mot inconnu") << QByteArray("quitter\n") << false << 0 << QByteArray();
        QTest::newRow("casse") << QByteArray("RECHERCHER\n") << false << 0 << QByteArray();
        QTest::newRow("espace") << QByteArray("rechercher \n") << false << 0 << QByteArray();
        QTest::newRow("fin de ligne CRLF")
            << QByteArray("rechercher\r\n") << false << 0 << QByteArray();
        QTest::newRow("deux demandes")
            << QByteArray("rechercher\nrechercher\n") << false << 0 << QByteArray();
        QTest::newRow("octet nul")
            << QByteArray("rechercher\0\n", 12) << false << 0 << QByteArray();
        QTest::newRow("binaire") << QByteArray("\xff\xfe\x01\x80\n") << false << 0 << QByteArray();
        QTest::newRow("trop long")
            << QByteArray(Canal::LongueurMaximale, 'r') << false << 0 << QByteArray();
        QTest::newRow("trop long, fin de ligne au-delà")
            << QByteArray(Canal::LongueurMaximale + 200, 'r') + "\n"
            << false << 0 << QByteArray();
        QTest::newRow("rien") << QByteArray() << true << 0 << QByteArray();
    }
    void messages() {
        QFETCH(QByteArray, dit);
        QFETCH(bool, seTait);
        QFETCH(int, actions);
        QFETCH(QByteArray, reponse);
        QList<QByteArray> recus;
        ServeurCanal serveur({QByteArray(Canal::Recherche)},
                             [&](const QByteArray& mot) { recus << mot; });
        QVERIFY(serveur.ecouter(socket_));
        {
            Pair pair(socket_);
            QVERIFY(pair.fd >= 0);
            if (!dit.isEmpty()) QVERIFY(pair.dire(dit));
            if (seTait) ::shutdown(pair.fd, SHUT_WR);
            QCOMPARE(pair.reponse(), reponse);
        }
        QTRY_COMPARE(serveur.connexionsOuvertes(), 0);
        QCOMPARE(recus.size(), actions);
        if (actions) QCOMPARE(recus.first(), QByteArray(Canal::Recherche));

        QVERIFY(Canal::envoyer(socket_, Canal::Recherche));
        QTRY_COMPARE(recus.size(), actions + 1);
    }

    // A peer that says nothing is let go after its time; meanwhile others are heard, and
    // one too many is turned away without holding anything.
    void pairsSilencieux() {
        int actions = 0;
        ServeurCanal serveur({QByteArray(Canal::Recherche)}, [&](const QByteArray&) { ++actions; });
        serveur.definirDelaiSilence(300);
        QVERIFY(serveur.ecouter(socket_));
        std::vector<std::unique_ptr<Pair>> muets;
        for (int i = 0; i < ServeurCanal::ConnexionsMaximales + 1; ++i)
            muets.push_back(std::make_unique<Pair>(socket_));
        QTRY_COMPARE(serveur.connexionsOuvertes(), ServeurCanal::ConnexionsMaximales);
        QCOMPARE(muets.back()->reponse(1000), QByteArray());
        QTRY_COMPARE_WITH_TIMEOUT(serveur.connexionsOuvertes(), 0, 3000);
        for (auto& m : muets)
            QCOMPARE(m->reponse(500), QByteArray());
        Pair parlant(socket_);
        QVERIFY(parlant.dire("rechercher\n"));
        QCOMPARE(parlant.reponse(), QByteArray("ok\n"));
        QCOMPARE(actions, 1);
    }

    // The peer's user is read on the connection itself: another user's word does nothing.
    void autreUtilisateur() {
        int actions = 0;
        ServeurCanal serveur({QByteArray(Canal::Recherche)}, [&](const QByteArray&) { ++actions; });
        serveur.definirUtilisateur(::getuid() + 1);
        QVERIFY(serveur.ecouter(socket_));
        Pair pair(socket_);
        QVERIFY(pair.dire("rechercher\n"));
        QCOMPARE(pair.reponse(), QByteArray());
        QTest::qWait(50);
        QCOMPARE(actions, 0);
    }

    // Nobody there, a socket a dead copy left: no copy runs. A new copy listens over the
    // dead one's socket, and takes its own away when it ends.
    void socketMort() {
        QVERIFY(!Canal::envoyer(socket_, Canal::Recherche));
        {
            const int mort = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un a{};
            a.sun_family = AF_UNIX;
            std::memcpy(a.sun_path, QFile::encodeName(socket_).constData(), size_t(socket_.size()));
            QCOMPARE(::bind(mort, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
            ::close(mort);
        }
        QVERIFY(QFile::exists(socket_));
        QVERIFY(!Canal::envoyer(socket_, Canal::Recherche));
        {
            int actions = 0;
            ServeurCanal serveur({QByteArray(Canal::Recherche)},
                                 [&](const QByteArray&) { ++actions; });
            QVERIFY(serveur.ecouter(socket_));
            QVERIFY(Canal::envoyer(socket_, Canal::Recherche));
            QTRY_COMPARE(actions, 1);
        }
        QVERIFY(!QFile::exists(socket_));
        // A path longer than a socket address holds is no channel, not a cut one.
        const QString long_ = racine_.filePath(QString(120, QLatin1Char('c')));
        ServeurCanal serveur({}, {});
        QVERIFY(!serveur.ecouter(long_));
        QVERIFY(!Canal::envoyer(long_, Canal::Recherche));
    }
};

QTEST_GUILESS_MAIN(TestCanal)
#include "test_canal.moc"
