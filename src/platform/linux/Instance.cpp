#include "platform/Instance.h"

#include "base/Fichiers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A file descriptor closed with its owner.
class Descripteur {
public:
    explicit Descripteur(int fd = -1)
        : fd_(fd) {}
    ~Descripteur() { fermer(); }
    Descripteur(Descripteur&& autre) noexcept
        : fd_(autre.liberer()) {}
    Descripteur& operator=(Descripteur&& autre) noexcept {
        if (this != &autre) {
            fermer();
            fd_ = autre.liberer();
        }
        return *this;
    }
    Descripteur(const Descripteur&) = delete;
    Descripteur& operator=(const Descripteur&) = delete;

    int get() const { return fd_; }
    bool valide() const { return fd_ >= 0; }
    int liberer() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void fermer() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

bool Sur(const struct stat& s, mode_t type) {
    return (s.st_mode & S_IFMT) == type && s.st_uid == ::getuid() && (s.st_mode & 0777) == 0700;
}

// Opened without following a link, then judged by what was opened: nothing can be swapped
// in between the check and the use.
Descripteur Ouvrir_Dossier(const QByteArray& chemin) {
    return Descripteur(::open(chemin.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

bool Est_Dossier_Sur(const QByteArray& chemin) {
    const Descripteur fd = Ouvrir_Dossier(chemin);
    struct stat s {};
    return fd.valide() && ::fstat(fd.get(), &s) == 0 && Sur(s, S_IFDIR);
}

constexpr socklen_t LongueurAdresse = sizeof(sockaddr_un::sun_path);

bool Adresse(const QString& chemin, sockaddr_un& adresse) {
    const QByteArray octets = QFile::encodeName(chemin);
    if (octets.isEmpty() || octets.size() >= static_cast<qsizetype>(LongueurAdresse)) return false;
    std::memset(&adresse, 0, sizeof adresse);
    adresse.sun_family = AF_UNIX;
    std::memcpy(adresse.sun_path, octets.constData(), static_cast<size_t>(octets.size()));
    return true;
}

bool Pair_De(int fd, uint uid) {
    ucred pair{};
    socklen_t taille = sizeof pair;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &pair, &taille) == 0 &&
           taille == sizeof pair && pair.uid == uid;
}

} // namespace

bool Dossier_Sur(const QString& chemin) {
    return !chemin.isEmpty() && Est_Dossier_Sur(QFile::encodeName(chemin));
}

LieuxPrives LieuxPrives::session(const QString& nomProgramme) {
    const QString nom = QLatin1Char('/') + nomProgramme.toLower();
    return {qEnvironmentVariable("XDG_RUNTIME_DIR"),
            {Dossier_Xdg("XDG_STATE_HOME", ".local/state") + nom,
             Dossier_Xdg("XDG_CACHE_HOME", ".cache") + nom}};
}

namespace {

// The folder made when absent, its parents with it (the user's own, under the home).
bool Preparer_Dossier(const QString& dossier) {
    const QByteArray chemin = QFile::encodeName(dossier);
    QDir().mkpath(QFileInfo(dossier).absolutePath());
    const bool cree = ::mkdir(chemin.constData(), 0700) == 0;
    const Descripteur fd = Ouvrir_Dossier(chemin);
    struct stat s {};
    if (!fd.valide() || ::fstat(fd.get(), &s) != 0) return false;
    // The mask of the process may have taken bits off the folder just made: it is ours.
    if (cree && (s.st_mode & S_IFMT) == S_IFDIR && s.st_uid == ::getuid() &&
        ::fchmod(fd.get(), 0700) == 0)
        s.st_mode = (s.st_mode & ~07777) | 0700;
    return Sur(s, S_IFDIR);
}

bool Place_Pour(const QString& dossier, qsizetype longueurNom) {
    return QFile::encodeName(dossier).size() + 1 + longueurNom <
           static_cast<qsizetype>(LongueurAdresse);
}

} // namespace

QString Dossier_Prive(const LieuxPrives& lieux, qsizetype longueurNom) {
    // Cleaned first: a final slash would have a link followed, whatever O_NOFOLLOW says.
    const QString runtime = QDir::cleanPath(lieux.runtime);
    if (!lieux.runtime.isEmpty() && Place_Pour(runtime, longueurNom) && Dossier_Sur(runtime))
        return runtime;
    for (const QString& lieu : lieux.dossiers) {
        const QString dossier = QDir::cleanPath(lieu);
        if (!lieu.isEmpty() && QDir::isAbsolutePath(dossier) && Place_Pour(dossier, longueurNom) &&
            Preparer_Dossier(dossier))
            return dossier;
    }
    return {};
}

VerrouInstance::~VerrouInstance() {
    if (descripteur_ >= 0) ::close(descripteur_);
}

QString VerrouInstance::cheminVerrou(const QString& nomProgramme) {
    const QString dossier = Dossier_Prive(LieuxPrives::session(nomProgramme));
    if (dossier.isEmpty()) return {};
    return QDir(dossier).filePath(nomProgramme.toLower() + QStringLiteral(".verrou"));
}

bool VerrouInstance::acquerir(const QString& nomProgramme) {
    if (descripteur_ >= 0) return true;
    const QString chemin = cheminVerrou(nomProgramme);
    return chemin.isEmpty() || acquerirFichier(chemin);
}

bool VerrouInstance::acquerirFichier(const QString& chemin) {
    if (descripteur_ >= 0) return true;
    Descripteur fd(::open(QFile::encodeName(chemin).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600));
    struct stat s {};
    if (!fd.valide() || ::fstat(fd.get(), &s) != 0 || !S_ISREG(s.st_mode) || s.st_uid != ::getuid())
        return true;
    int rc;
    do {
        rc = ::flock(fd.get(), LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) return errno != EWOULDBLOCK;
    descripteur_ = fd.liberer();
    return true;
}

QString Canal::chemin(const QString& nomProgramme) {
    const QString nom = nomProgramme.toLower() + QLatin1String(Nom);
    const QString dossier =
        Dossier_Prive(LieuxPrives::session(nomProgramme), QFile::encodeName(nom).size());
    if (dossier.isEmpty()) return {};
    return QDir(dossier).filePath(nom);
}

Canal::Issue Canal::demander(const QString& chemin, const QByteArray& mot,
                             std::chrono::milliseconds attente) {
    const auto fin = std::chrono::steady_clock::now() + attente;
    sockaddr_un adresse{};
    if (!Adresse(chemin, adresse)) return Issue::Personne;
    const Descripteur fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!fd.valide()) return Issue::Personne;
    // A copy too busy to take its calls (its queue full) does not hold this one up.
    const timeval limite{2, 0};
    ::setsockopt(fd.get(), SOL_SOCKET, SO_SNDTIMEO, &limite, sizeof limite);
    int rc;
    do {
        rc = ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&adresse), sizeof adresse);
    } while (rc != 0 && errno == EINTR);
    // Its queue of calls full: a copy that runs, too busy to take this one now.
    if (rc != 0 && errno == EAGAIN) return Issue::Refusee;
    // A socket anyone but the user listens on is not the user's copy.
    if (rc != 0 || !Pair_De(fd.get(), ::getuid())) return Issue::Personne;
    const QByteArray message = mot + '\n';
    qsizetype envoye = 0;
    while (envoye < message.size()) {
        const ssize_t n = ::send(fd.get(), message.constData() + envoye,
                                 static_cast<size_t>(message.size() - envoye), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return Issue::SansReponse;
        envoye += n;
    }
    QByteArray reponse;
    while (!reponse.endsWith('\n') && reponse.size() < Canal::LongueurMaximale) {
        const auto reste = std::chrono::duration_cast<std::chrono::milliseconds>(
            fin - std::chrono::steady_clock::now());
        if (reste.count() <= 0) return Issue::SansReponse;
        pollfd attenteLecture{fd.get(), POLLIN, 0};
        if (::poll(&attenteLecture, 1, static_cast<int>(reste.count())) <= 0) continue;
        char tampon[Canal::LongueurMaximale];
        const ssize_t n = ::recv(fd.get(), tampon, sizeof tampon, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return Issue::SansReponse;
        reponse.append(tampon, n);
    }
    return reponse == QByteArrayLiteral("ok\n") ? Issue::Acceptee : Issue::Refusee;
}

namespace {
const QByteArray Oui = QByteArrayLiteral("ok\n");
const QByteArray Non = QByteArrayLiteral("non\n");
const QByteArray Occupe = QByteArrayLiteral("occupe\n");
} // namespace

// One peer being heard: its socket, what it said so far, and the time it has left.
class ServeurCanal::Connexion : public QObject {
public:
    Connexion(ServeurCanal& serveur, Descripteur fd, int delaiMs)
        : QObject(&serveur)
        , serveur_(serveur)
        , fd_(std::move(fd))
        , lecture_(fd_.get(), QSocketNotifier::Read, this) {
        connect(&lecture_, &QSocketNotifier::activated, this, [this] { lire(); });
        delai_.setSingleShot(true);
        connect(&delai_, &QTimer::timeout, this, [this] { refuser(); });
        delai_.start(delaiMs);
    }

    void repondre(const QByteArray& texte) {
        if (fd_.valide())
            ::send(fd_.get(), texte.constData(), static_cast<size_t>(texte.size()),
                   MSG_NOSIGNAL | MSG_DONTWAIT);
    }

    // Every peer heard is answered: a word it may wait on, rather than a silence it would
    // have to read as a refusal.
    void refuser() {
        repondre(Non);
        fermer();
    }

    void fermer() {
        if (!fd_.valide()) return;
        lecture_.setEnabled(false);
        delai_.stop();
        fd_.fermer();
        --serveur_.ouvertes_;
        deleteLater();
    }

private:
    void lire() {
        char tampon[Canal::LongueurMaximale];
        for (;;) {
            const qsizetype place = Canal::LongueurMaximale - recu_.size();
            const ssize_t n = ::recv(fd_.get(), tampon, static_cast<size_t>(place), MSG_DONTWAIT);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
            // The peer left, or failed, before its end of line: nothing was asked.
            if (n <= 0) return fermer();
            recu_.append(tampon, n);
            const qsizetype fin = recu_.indexOf('\n');
            if (fin >= 0) {
                // One word, then nothing: anything after the end of line is not ours.
                if (fin != recu_.size() - 1) return refuser();
                return serveur_.conclure(this, recu_.left(fin));
            }
            if (recu_.size() >= Canal::LongueurMaximale) return refuser();
        }
    }

    ServeurCanal& serveur_;
    Descripteur fd_;
    QSocketNotifier lecture_;
    QTimer delai_;
    QByteArray recu_;
};

struct ServeurCanal::Ecoute {
    Descripteur fd;
    QByteArray chemin;
    std::unique_ptr<QSocketNotifier> notification;
};

ServeurCanal::ServeurCanal(QList<QByteArray> motsConnus, Reception reception, QObject* parent)
    : QObject(parent)
    , motsConnus_(std::move(motsConnus))
    , reception_(std::move(reception))
    , uid_(::getuid()) {}

ServeurCanal::~ServeurCanal() {
    // Gone with the copy, so that the next request finds nobody at once.
    if (ecoute_ && ecoute_->fd.valide()) ::unlink(ecoute_->chemin.constData());
}

bool ServeurCanal::ecoute() const {
    return ecoute_ && ecoute_->fd.valide();
}

bool ServeurCanal::ecouter(const QString& chemin) {
    if (ecoute()) return true;
    sockaddr_un adresse{};
    if (!Adresse(chemin, adresse)) return false;
    auto e = std::make_unique<Ecoute>();
    e->fd = Descripteur(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!e->fd.valide()) return false;
    e->chemin = QFile::encodeName(chemin);
    // Whatever is at the path is a dead copy's: the caller holds the lock.
    ::unlink(e->chemin.constData());
    if (::bind(e->fd.get(), reinterpret_cast<const sockaddr*>(&adresse), sizeof adresse) != 0)
        return false;
    if (::listen(e->fd.get(), 4 * ConnexionsMaximales) != 0) {
        ::unlink(e->chemin.constData());
        return false;
    }
    e->notification = std::make_unique<QSocketNotifier>(e->fd.get(), QSocketNotifier::Read);
    connect(e->notification.get(), &QSocketNotifier::activated, this, [this] { accepter(); });
    ecoute_ = std::move(e);
    return true;
}

void ServeurCanal::accepter() {
    for (;;) {
        Descripteur fd(
            ::accept4(ecoute_->fd.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!fd.valide()) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK) suspendre();
            return;
        }
        // Judged on the connection itself, not on who could reach the path.
        if (!Pair_De(fd.get(), uid_)) continue;
        if (ouvertes_ >= ConnexionsMaximales) {
            ::send(fd.get(), Occupe.constData(), static_cast<size_t>(Occupe.size()),
                   MSG_NOSIGNAL | MSG_DONTWAIT);
            continue;
        }
        ++ouvertes_;
        new Connexion(*this, std::move(fd), delaiSilenceMs_);
    }
}

void ServeurCanal::suspendre() {
    ecoute_->notification->setEnabled(false);
    QTimer::singleShot(PauseApresEchecMs, this, [this] {
        if (ecoute_) ecoute_->notification->setEnabled(true);
    });
}

void ServeurCanal::conclure(Connexion* connexion, const QByteArray& mot) {
    const bool connu = motsConnus_.contains(mot);
    connexion->repondre(connu ? Oui : Non);
    connexion->fermer();
    // Acted on once the peer is let go: the action may open a window and wait on it.
    if (connu && reception_) reception_(mot);
}

std::chrono::steady_clock::time_point Debut_Processus() {
    using namespace std::chrono;
    const steady_clock::time_point maintenant = steady_clock::now();
    // Field 22 of /proc/self/stat: the start, in clock ticks since boot (boot clock).
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly)) return maintenant;
    const QByteArray texte = stat.readAll();
    // The command name (field 2) may hold spaces and parentheses: count after its end.
    const QList<QByteArray> champs = texte.mid(texte.lastIndexOf(')') + 2).split(' ');
    bool lu = false;
    const qulonglong ticks = champs.value(22 - 3).toULongLong(&lu);
    const long parSeconde = ::sysconf(_SC_CLK_TCK);
    timespec boot{};
    if (!lu || parSeconde <= 0 || ::clock_gettime(CLOCK_BOOTTIME, &boot) != 0) return maintenant;
    const nanoseconds depuisBoot = seconds(boot.tv_sec) + nanoseconds(boot.tv_nsec);
    const auto hz = static_cast<qulonglong>(parSeconde);
    const nanoseconds debut =
        seconds(ticks / hz) + nanoseconds((ticks % hz) * 1'000'000'000ULL / hz);
    const nanoseconds age = depuisBoot - debut;
    if (age < nanoseconds::zero()) return maintenant;
    return maintenant - duration_cast<steady_clock::duration>(age);
}
