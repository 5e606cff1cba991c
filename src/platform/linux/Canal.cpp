#include "platform/Canal.h"

#include "platform/DossierPrive.h"
#include "base/Descripteur.h"
#include "platform/linux/SocketLocale.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>

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
    return reponse == Reponse::Oui ? Issue::Acceptee : Issue::Refusee;
}
