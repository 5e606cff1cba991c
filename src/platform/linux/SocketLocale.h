#pragma once

#include <QByteArray>
#include <QString>

#include <sys/socket.h>
#include <sys/un.h>

// What the channel's two ends share about a local socket.

// The longest path a local socket's address holds, its final zero included.
inline constexpr socklen_t LongueurAdresse = sizeof(sockaddr_un::sun_path);

// The address of the socket at chemin; false when the path does not fit.
bool Adresse(const QString& chemin, sockaddr_un& adresse);
// Whether the peer connected on fd runs as the user uid.
bool Pair_De(int fd, uint uid);

// The running copy's answers, each a line: taken, refused, every slot held.
namespace Reponse {
inline const QByteArray Oui = QByteArrayLiteral("ok\n");
inline const QByteArray Non = QByteArrayLiteral("non\n");
inline const QByteArray Occupe = QByteArrayLiteral("occupe\n");
} // namespace Reponse
