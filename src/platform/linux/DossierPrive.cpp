#include "platform/DossierPrive.h"

#include "base/Fichiers.h"
#include "base/Descripteur.h"
#include "platform/linux/SocketLocale.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

bool Dossier_Sur(const QString& chemin) {
    return !chemin.isEmpty() && Est_Dossier_Sur(QFile::encodeName(chemin));
}

LieuxPrives LieuxPrives::session(const QString& nomProgramme) {
    const QString nom = QLatin1Char('/') + nomProgramme.toLower();
    return {qEnvironmentVariable("XDG_RUNTIME_DIR"),
            {Dossier_Xdg("XDG_STATE_HOME", ".local/state") + nom,
             Dossier_Xdg("XDG_CACHE_HOME", ".cache") + nom}};
}

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
