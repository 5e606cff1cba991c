#pragma once

#include <QFile>
#include <QString>

#include <utility>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// A local socket of a test's, closed with its owner: a peer that calls a path, or a
// listener there that never takes its calls.
class PriseLocale {
public:
    static PriseLocale appeler(const QString& chemin, int type = 0) {
        PriseLocale p(type);
        const sockaddr_un a = adresse(chemin);
        ::connect(p.fd, reinterpret_cast<const sockaddr*>(&a), sizeof a);
        return p;
    }
    static PriseLocale ecouter(const QString& chemin) {
        PriseLocale p(0);
        const sockaddr_un a = adresse(chemin);
        if (::bind(p.fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0 ||
            ::listen(p.fd, 4) != 0)
            p.fermer();
        return p;
    }
    PriseLocale(PriseLocale&& autre) noexcept
        : fd(std::exchange(autre.fd, -1)) {}
    ~PriseLocale() { fermer(); }
    void fermer() {
        if (fd >= 0) ::close(std::exchange(fd, -1));
    }

    int fd;

private:
    explicit PriseLocale(int type)
        : fd(::socket(AF_UNIX, SOCK_STREAM | type, 0)) {}
    static sockaddr_un adresse(const QString& chemin) {
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        qstrncpy(a.sun_path, QFile::encodeName(chemin).constData(), sizeof a.sun_path);
        return a;
    }
};
