#include "platform/linux/SocketLocale.h"

#include <QFile>

#include <cstring>

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
