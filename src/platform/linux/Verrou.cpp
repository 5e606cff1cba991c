#include "platform/Verrou.h"

#include "platform/DossierPrive.h"
#include "base/Descripteur.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

VerrouInstance::~VerrouInstance() {
    if (descripteur_ >= 0) ::close(descripteur_);
}

QString VerrouInstance::cheminVerrou(const QString& nomProgramme) {
    const QString dossier = Dossier_Prive(LieuxPrives::session(nomProgramme));
    if (dossier.isEmpty()) return {};
    return QDir(dossier).filePath(nomProgramme.toLower() + QStringLiteral(".verrou"));
}

bool VerrouInstance::acquerir(const QString& nomProgramme) {
    if (descripteur_ >= 0) return true;
    const QString chemin = cheminVerrou(nomProgramme);
    return chemin.isEmpty() || acquerirFichier(chemin);
}

bool VerrouInstance::acquerirFichier(const QString& chemin) {
    if (descripteur_ >= 0) return true;
    Descripteur fd(::open(QFile::encodeName(chemin).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600));
    struct stat s {};
    if (!fd.valide() || ::fstat(fd.get(), &s) != 0 || !S_ISREG(s.st_mode) || s.st_uid != ::getuid())
        return true;
    int rc;
    do {
        rc = ::flock(fd.get(), LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) return errno != EWOULDBLOCK;
    descripteur_ = fd.liberer();
    return true;
}
