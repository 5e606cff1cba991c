#include "base/Fichiers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString raisonSysteme(int code) {
    switch (code) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("le disque est plein");
    case EACCES:
    case EPERM:
        return QStringLiteral("accès refusé");
    case EROFS:
        return QStringLiteral("le support est en lecture seule");
    case EEXIST:
        return QStringLiteral("un fichier de ce nom existe déjà");
    case ENOTDIR:
        return QStringLiteral("un élément du chemin n'est pas un dossier");
    case ENOENT:
        return QStringLiteral("fichier ou dossier introuvable");
    case EISDIR:
        return QStringLiteral("c'est un dossier");
    default:
        return QStringLiteral("erreur système %1").arg(code);
    }
}

struct Descripteur {
    int fd;
    ~Descripteur() {
        if (fd >= 0) ::close(fd);
    }
};

bool recopier(int entree, int sortie) {
    char tampon[65536];
    for (;;) {
        const ssize_t lus = ::read(entree, tampon, sizeof tampon);
        if (lus < 0 && errno == EINTR) continue;
        if (lus <= 0) return lus == 0;
        for (ssize_t ecrits = 0; ecrits < lus;) {
            const ssize_t n = ::write(sortie, tampon + ecrits, static_cast<size_t>(lus - ecrits));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return false;
            ecrits += n;
        }
    }
}

// The temporary name, or its own name when the file system cannot rename without
// replacing: a link fails on an existing name just the same.
bool nommerSansRemplacer(const char* temporaire, const char* nom) {
    if (::renameat2(AT_FDCWD, temporaire, AT_FDCWD, nom, RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    if (::link(temporaire, nom) != 0) return false;
    ::unlink(temporaire);
    return true;
}

} // namespace

bool Fichier_Existe(const QString& chemin) {
    if (chemin.isEmpty() || chemin.contains(QChar(0))) return false;
    const QFileInfo info(chemin);
    return info.exists() && info.isFile();
}

QString Avec_Separateur_Final(const QString& dossier) {
    if (dossier.endsWith(QLatin1Char('/'))) return dossier;
    return dossier + QLatin1Char('/');
}

bool Copier_Sans_Remplacer(const QString& source, const QString& destination, QString& raison) {
    const Descripteur entree{::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC)};
    struct stat etat {};
    if (entree.fd < 0 || ::fstat(entree.fd, &etat) != 0 || !S_ISREG(etat.st_mode)) {
        raison = QStringLiteral("%1 : %2").arg(
            source,
            entree.fd < 0 ? raisonSysteme(errno) : QStringLiteral("ce n'est pas un fichier"));
        return false;
    }
    const QString dossier = QFileInfo(destination).path();
    const bool dossierNouveau = !QFileInfo::exists(dossier);
    if (!QDir().mkpath(dossier)) {
        raison = QStringLiteral("le dossier %1 ne peut être créé").arg(dossier);
        return false;
    }
    QByteArray temporaire = QFile::encodeName(destination) + ".XXXXXX";
    const Descripteur sortie{::mkostemp(temporaire.data(), O_CLOEXEC)};
    bool fait = false;
    if (sortie.fd >= 0) {
        fait =
            recopier(entree.fd, sortie.fd) && ::fsync(sortie.fd) == 0 &&
            nommerSansRemplacer(temporaire.constData(), QFile::encodeName(destination).constData());
        const int cause = errno;
        if (!fait) ::unlink(temporaire.constData());
        errno = cause;
    }
    if (fait) return true;
    raison = raisonSysteme(errno);
    // A folder this copy made, now empty, goes with it.
    if (dossierNouveau) QDir().rmdir(dossier);
    return false;
}
