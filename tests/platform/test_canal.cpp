// The private folder, the lock and the channel between two copies: nothing another user
// could have prepared is used, and only this user's copies' known words act.
#include "platform/Instance.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

enum class Etat { Absent, Prive, Ouvert, Lien };

bool preparer(const QString& chemin, Etat etat, const QString& cible) {
    const QByteArray c = QFile::encodeName(chemin);
    if (etat == Etat::Absent) return true;
    // A link to a folder that passes every check by itself.
    if (etat == Etat::Lien) return QDir().mkdir(cible) && QFile::link(cible, chemin);
    return ::mkdir(c, 0700) == 0 && ::chmod(c, etat == Etat::Ouvert ? 0755 : 0700) == 0;
}

// A peer says raw bytes, then reads until the server lets it go, the event loop running.
QByteArray dire(const QString& chemin, const QByteArray& octets) {
    sockaddr_un a{AF_UNIX, {}};
    qstrncpy(a.sun_path, QFile::encodeName(chemin).constData(), sizeof a.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    QByteArray recu;
    ::send(fd, octets.constData(), size_t(octets.size()), MSG_NOSIGNAL);
    const bool lache = QTest::qWaitFor(
        [&] {
            char t[64];
            const ssize_t n = ::recv(fd, t, sizeof t, 0);
            if (n > 0) recu.append(t, n);
            return n == 0 || (n < 0 && errno != EAGAIN);
        },
        3000);
    ::close(fd);
    return lache ? recu : QByteArrayLiteral("(gardé)");
}

} // namespace

Q_DECLARE_METATYPE(Etat)

class TestCanal : public QObject {
    Q_OBJECT
    QTemporaryDir d_;
    const QString socket_ = d_.filePath(QStringLiteral("dalvire.canal"));

private Q_SLOTS:
    // The runtime folder when it is the user's alone, else one under the temporary
    // folder, made when absent; refused when anyone could have prepared it.
    void dossierPrive_data() {
        QTest::addColumn<Etat>("runtime");
        QTest::addColumn<Etat>("secours");
        QTest::addColumn<QString>("choisi"); // "runtime", "secours" or empty
        QTest::newRow("runtime privé") << Etat::Prive << Etat::Absent << "runtime";
        QTest::newRow("runtime absent, secours créé") << Etat::Absent << Etat::Absent << "secours";
        QTest::newRow("runtime lien") << Etat::Lien << Etat::Prive << "secours";
        QTest::newRow("secours ouvert à tous") << Etat::Absent << Etat::Ouvert << "";
        QTest::newRow("secours lien vers un dossier sûr") << Etat::Absent << Etat::Lien << "";
    }
    void dossierPrive() {
        QFETCH(Etat, runtime);
        QFETCH(Etat, secours);
        QFETCH(QString, choisi);
        QTemporaryDir d;
        const QString r = d.filePath("runtime"), tmp = d.path();
        const QString s = QStringLiteral("%1/dalvire-%2").arg(tmp).arg(::getuid());
        QVERIFY(preparer(r, runtime, d.filePath("cible-r")));
        QVERIFY(preparer(s, secours, d.filePath("cible-s")));
        QCOMPARE(Dossier_Prive("Dalvire", r + "/", tmp), choisi == "runtime"   ? r
                                                         : choisi == "secours" ? s
                                                                               : QString());
        struct stat st {};
        if (choisi == "secours")
            QVERIFY(::lstat(QFile::encodeName(s), &st) == 0 && (st.st_mode & 07777) == 0700);
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
    // the known word acts, anything else is let go, a silent peer after its time; after
    // each, the server still hears a proper request.
    void messages_data() {
        QTest::addColumn<QByteArray>("dit");
        QTest::addColumn<bool>("etranger");      // the peer is another user
        QTest::addColumn<QByteArray>("reponse"); // "ok\n" when the search is asked for
        const QByteArray rien, ok("ok\n"), longue(Canal::LongueurMaximale, 'r');
        QTest::newRow("demande") << QByteArray("rechercher\n") << false << ok;
        QTest::newRow("autre utilisateur") << QByteArray("rechercher\n") << true << rien;
        QTest::newRow("sans fin de ligne") << QByteArray("rechercher") << false << rien;
        QTest::newRow("mot inconnu") << QByteArray("RECHERCHER\n") << false << rien;
        QTest::newRow("CRLF") << QByteArray("rechercher\r\n") << false << rien;
        QTest::newRow("deux demandes") << QByteArray("rechercher\nrechercher\n") << false << rien;
        QTest::newRow("binaire") << QByteArray("\xff\0\x80\n", 4) << false << rien;
        QTest::newRow("trop long") << longue << false << rien;
        QTest::newRow("trop long, puis la fin") << longue + "\n" << false << rien;
        QTest::newRow("rien") << rien << false << rien;
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
        QCOMPARE(recus, reponse.isEmpty() ? QList<QByteArray>() : QList<QByteArray>{"rechercher"});
        serveur.definirUtilisateur(::getuid());
        QVERIFY(Canal::envoyer(socket_, Canal::Recherche));
        QTRY_COMPARE(recus.size(), reponse.isEmpty() ? 1 : 2);
    }
};

QTEST_GUILESS_MAIN(TestCanal)
#include "test_canal.moc"
