#include "catalogue/Catalogue.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Catalogue::Empreinte Catalogue::empreinte() const {
    Empreinte e;
    if (chemin_.isEmpty()) return e;
    const int fd = ::open(QFile::encodeName(chemin_).constData(),
                          O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return e;
    struct stat etat {};
    unsigned char compteur[4] = {};
    const bool lue = ::fstat(fd, &etat) == 0 && S_ISREG(etat.st_mode) &&
                     ::pread(fd, compteur, sizeof compteur, 24) == sizeof compteur;
    ::close(fd);
    if (!lue) return e;
    const auto ns = [](const timespec& t) { return qint64(t.tv_sec) * 1000000000 + t.tv_nsec; };
    e.lue = true;
    e.peripherique = etat.st_dev;
    e.inode = etat.st_ino;
    e.taille = etat.st_size;
    e.modification = ns(etat.st_mtim);
    e.changement = ns(etat.st_ctim);
    // Big-endian, at the place the file format gives it.
    e.compteur = quint32(compteur[0]) << 24 | quint32(compteur[1]) << 16 |
                 quint32(compteur[2]) << 8 | compteur[3];
    return e;
}

void Catalogue::fermer() noexcept {
    liberer();
    chemin_.clear();
}

void Catalogue::liberer() noexcept {
    // The statements first: a connection closes whole only once none is left.
    oublierPreparees();
    connexion.Close();
}
