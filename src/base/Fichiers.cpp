#include "base/Fichiers.h"

#include "base/Descripteur.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool Fichier_Existe(const QString& chemin) {
    if (chemin.isEmpty() || chemin.contains(QChar(0))) return false;
    const QFileInfo info(chemin);
    return info.exists() && info.isFile();
}

QString Avec_Separateur_Final(const QString& dossier) {
    if (dossier.endsWith(QLatin1Char('/'))) return dossier;
    return dossier + QLatin1Char('/');
}

QString Dossier_Xdg(const char* variable, const char* dansLaMaison) {
    const QString valeur = qEnvironmentVariable(variable);
    if (!valeur.isEmpty() && !QDir::isRelativePath(valeur)) return valeur;
    return QDir::homePath() + QLatin1Char('/') + QLatin1String(dansLaMaison);
}

namespace {

bool Ecrire_Tout(int fd, const char* octets, qsizetype taille) {
    while (taille > 0) {
        const ssize_t n = ::write(fd, octets, static_cast<size_t>(taille));
        if (n < 0 && errno == EINTR) continue;
        // A short write is followed by another, which says why it cannot go on.
        if (n <= 0) return false;
        octets += n;
        taille -= n;
    }
    return true;
}

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

bool recopier(int entree, int sortie) {
    char tampon[65536];
    for (;;) {
        const ssize_t lus = ::read(entree, tampon, sizeof tampon);
        if (lus < 0 && errno == EINTR) continue;
        if (lus <= 0) return lus == 0;
        if (!Ecrire_Tout(sortie, tampon, lus)) return false;
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

bool renommer(const char* temporaire, const char* nom) {
    return ::rename(temporaire, nom) == 0;
}

// Makes a new file beside the one named (mode 0600), has it filled, flushed to the disk and
// closed, every step checked, then gives it its name. On any failure nothing of it remains,
// and errno says why.
template <typename Remplir>
bool Ecrire_A_Cote(const QByteArray& nom, Remplir remplir,
                   bool (*nommer)(const char* temporaire, const char* nom)) {
    QByteArray temporaire = nom + QByteArrayLiteral(".XXXXXX");
    Descripteur fd(::mkostemp(temporaire.data(), O_CLOEXEC));
    if (!fd.valide()) return false;
    if (remplir(fd.get()) && ::fsync(fd.get()) == 0 && fd.fermer() &&
        nommer(temporaire.constData(), nom.constData()))
        return true;
    const int cause = errno;
    ::unlink(temporaire.constData());
    errno = cause;
    return false;
}

} // namespace

std::optional<QByteArray> Lire_Fichier_Ordinaire(const QString& chemin, qint64 maximum) {
    const Descripteur fd(::open(QFile::encodeName(chemin).constData(),
                                O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat s {};
    if (!fd.valide() || ::fstat(fd.get(), &s) != 0 || !S_ISREG(s.st_mode) || s.st_size > maximum)
        return std::nullopt;
    // One byte more than allowed tells a file that grew while it was read.
    QByteArray contenu(static_cast<qsizetype>(s.st_size) + 1, Qt::Uninitialized);
    qsizetype lus = 0;
    while (lus < contenu.size()) {
        const ssize_t n =
            ::read(fd.get(), contenu.data() + lus, static_cast<size_t>(contenu.size() - lus));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        lus += n;
    }
    if (lus > maximum) return std::nullopt;
    contenu.truncate(lus);
    return contenu;
}

bool Remplacer_Fichier(const QString& chemin, const QByteArray& contenu) {
    return Ecrire_A_Cote(
        QFile::encodeName(chemin),
        [&](int fd) { return Ecrire_Tout(fd, contenu.constData(), contenu.size()); }, renommer);
}

bool Copier_Sans_Remplacer(const QString& source, const QString& destination, QString& raison) {
    const Descripteur entree(::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC));
    struct stat etat {};
    if (entree.get() < 0 || ::fstat(entree.get(), &etat) != 0 || !S_ISREG(etat.st_mode)) {
        raison = QStringLiteral("%1 : %2").arg(
            source,
            entree.get() < 0 ? raisonSysteme(errno) : QStringLiteral("ce n'est pas un fichier"));
        return false;
    }
    const QString dossier = QFileInfo(destination).path();
    const bool dossierNouveau = !QFileInfo::exists(dossier);
    if (!QDir().mkpath(dossier)) {
        raison = QStringLiteral("le dossier %1 ne peut être créé").arg(dossier);
        return false;
    }
    if (Ecrire_A_Cote(
            QFile::encodeName(destination),
            [&](int sortie) { return recopier(entree.get(), sortie); }, nommerSansRemplacer))
        return true;
    raison = raisonSysteme(errno);
    // A folder this copy made, now empty, goes with it.
    if (dossierNouveau) QDir().rmdir(dossier);
    return false;
}
