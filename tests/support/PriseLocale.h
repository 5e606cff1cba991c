#pragma once

#include <QFile>
#include <QString>

#include <utility>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// A local socket of a test's, closed with its owner: a peer that calls a path (appeler), or
// a listener there that never takes its calls (ecouter).
struct PriseLocale {
    int fd;
    PriseLocale(const QString& chemin, bool ecouter = false, int type = 0)
        : fd(::socket(AF_UNIX, SOCK_STREAM | type, 0)) {
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        qstrncpy(a.sun_path, QFile::encodeName(chemin).constData(), sizeof a.sun_path);
        const auto* adresse = reinterpret_cast<const sockaddr*>(&a);
        if (ecouter ? ::bind(fd, adresse, sizeof a) != 0 || ::listen(fd, 4) != 0
                    : ::connect(fd, adresse, sizeof a) != 0 && errno != EINPROGRESS)
            ::close(std::exchange(fd, -1));
    }
    PriseLocale(PriseLocale&& autre) noexcept
        : fd(std::exchange(autre.fd, -1)) {}
    ~PriseLocale() {
        if (fd >= 0) ::close(fd);
    }
};
