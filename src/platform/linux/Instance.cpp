#include "platform/Instance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <ctime>
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

std::chrono::steady_clock::time_point Debut_Processus() {
    using namespace std::chrono;
    const steady_clock::time_point maintenant = steady_clock::now();
    // Field 22 of /proc/self/stat: the start, in clock ticks since boot (boot clock).
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly)) return maintenant;
    const QByteArray texte = stat.readAll();
    // The command name (field 2) may hold spaces and parentheses: count after its end.
    const QList<QByteArray> champs = texte.mid(texte.lastIndexOf(')') + 2).split(' ');
    bool lu = false;
    const qulonglong ticks = champs.value(22 - 3).toULongLong(&lu);
    const long parSeconde = ::sysconf(_SC_CLK_TCK);
    timespec boot{};
    if (!lu || parSeconde <= 0 || ::clock_gettime(CLOCK_BOOTTIME, &boot) != 0) return maintenant;
    const nanoseconds depuisBoot = seconds(boot.tv_sec) + nanoseconds(boot.tv_nsec);
    const auto hz = static_cast<qulonglong>(parSeconde);
    const nanoseconds debut =
        seconds(ticks / hz) + nanoseconds((ticks % hz) * 1'000'000'000ULL / hz);
    const nanoseconds age = depuisBoot - debut;
    if (age < nanoseconds::zero()) return maintenant;
    return maintenant - duration_cast<steady_clock::duration>(age);
}
