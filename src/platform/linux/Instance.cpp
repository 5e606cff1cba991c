#include "platform/Instance.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

VerrouInstance::~VerrouInstance() {
    if (descripteur_ >= 0) ::close(descripteur_);
}

QString VerrouInstance::cheminVerrou(const QString& nomProgramme) {
    const QString nomFichier = nomProgramme.toLower() + QStringLiteral(".verrou");
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) return QDir(runtime).filePath(nomFichier);
    // Without a runtime folder, a private folder of the user under /tmp does the same job.
    const QString dossier =
        QStringLiteral("%1/%2-%3").arg(QDir::tempPath(), nomProgramme.toLower()).arg(::getuid());
    ::mkdir(QFile::encodeName(dossier).constData(), 0700);
    return QDir(dossier).filePath(nomFichier);
}

bool VerrouInstance::acquerir(const QString& nomProgramme) {
    if (descripteur_ >= 0) return true;
    const QByteArray chemin = QFile::encodeName(cheminVerrou(nomProgramme));
    const int fd = ::open(chemin.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // Without a lock file we cannot tell; refusing to start would be worse than a rare double.
    if (fd < 0) return true;
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        ::close(fd);
        return errno != EWOULDBLOCK;
    }
    descripteur_ = fd;
    return true;
}
