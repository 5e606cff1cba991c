#include "platform/Canal.h"

#include "base/Descripteur.h"
#include "platform/linux/SocketLocale.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

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
        repondre(Reponse::Non);
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
            ::send(fd.get(), Reponse::Occupe.constData(),
                   static_cast<size_t>(Reponse::Occupe.size()), MSG_NOSIGNAL | MSG_DONTWAIT);
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
    connexion->repondre(connu ? Reponse::Oui : Reponse::Non);
    connexion->fermer();
    // Acted on once the peer is let go: the action may open a window and wait on it.
    if (connu && reception_) reception_(mot);
}
