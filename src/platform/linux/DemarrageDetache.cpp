#include "platform/linux/DemarrageDetache.h"

#include <glib.h>

#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// What the helper processes report through the pipe: the id of the started program, or
// the errno of the step that failed. Each report is smaller than PIPE_BUF, so reports of
// the two processes never interleave.
struct Rapport {
    std::int32_t genre;
    std::int32_t valeur;
};
constexpr std::int32_t RapportPid = 1;
constexpr std::int32_t RapportErreur = 2;

// Async-signal-safe: runs between fork and exec.
void rapporter(int tube, std::int32_t genre, std::int32_t valeur) {
    const Rapport rapport{genre, valeur};
    while (::write(tube, &rapport, sizeof rapport) < 0 && errno == EINTR) {
    }
}

// Async-signal-safe: the program's process, between fork and exec.
[[noreturn]] void devenirLeProgramme(const char* fichier, char* const argv[], int tube) {
    const int nul = ::open("/dev/null", O_RDWR);
    if (nul < 0 || ::dup2(nul, STDIN_FILENO) < 0 || ::dup2(nul, STDOUT_FILENO) < 0 ||
        ::dup2(nul, STDERR_FILENO) < 0) {
        rapporter(tube, RapportErreur, errno);
        ::_exit(127);
    }
    if (nul > STDERR_FILENO) ::close(nul);
    // Every other descriptor of ours ends at exec; the report pipe already does, so that
    // its end of file tells the parent the exec went through.
    if (::close_range(STDERR_FILENO + 1, ~0U, CLOSE_RANGE_CLOEXEC) != 0) {
        rlimit limite{};
        const int dernier = ::getrlimit(RLIMIT_NOFILE, &limite) == 0 &&
                                    limite.rlim_cur != RLIM_INFINITY && limite.rlim_cur < 65536
                                ? static_cast<int>(limite.rlim_cur)
                                : 65536;
        for (int fd = STDERR_FILENO + 1; fd < dernier; ++fd)
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    // A program starts with default signal handling, whatever ours is.
    struct sigaction parDefaut {};
    parDefaut.sa_handler = SIG_DFL;
    for (int s = 1; s < NSIG; ++s)
        ::sigaction(s, &parDefaut, nullptr);
    sigset_t aucun;
    sigemptyset(&aucun);
    ::sigprocmask(SIG_SETMASK, &aucun, nullptr);

    ::execve(fichier, argv, environ);
    rapporter(tube, RapportErreur, errno);
    ::_exit(127);
}

// A descriptor at 3 or above, so that setting up the standard streams cannot close it.
int horsDesFluxStandard(int fd) {
    if (fd > STDERR_FILENO) return fd;
    const int copie = ::fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    ::close(fd);
    return copie;
}

} // namespace

ResultatDemarrage Demarrer_Detache(const QString& programme) {
    ResultatDemarrage resultat;
    if (programme.isEmpty() || programme.contains(QChar(0))) {
        resultat.erreur = ENOENT;
        return resultat;
    }
    // Everything the child needs is made here: between fork and exec only
    // async-signal-safe calls are allowed.
    const QByteArray argument = QFile::encodeName(programme);
    QByteArray fichier = argument;
    if (!fichier.contains('/')) {
        const std::unique_ptr<gchar, void (*)(gpointer)> trouve(
            g_find_program_in_path(argument.constData()), g_free);
        if (!trouve) {
            resultat.erreur = ENOENT;
            return resultat;
        }
        fichier = trouve.get();
    }
    QByteArray argv0 = argument;
    char* const argv[] = {argv0.data(), nullptr};

    int tube[2];
    if (::pipe2(tube, O_CLOEXEC) != 0) {
        resultat.erreur = errno;
        return resultat;
    }
    tube[0] = horsDesFluxStandard(tube[0]);
    tube[1] = horsDesFluxStandard(tube[1]);
    if (tube[0] < 0 || tube[1] < 0) {
        resultat.erreur = errno;
        if (tube[0] >= 0) ::close(tube[0]);
        if (tube[1] >= 0) ::close(tube[1]);
        return resultat;
    }

    // Two forks: the middle process starts a new session, forks the program and exits
    // at once, so the program is nobody's child of ours and the system reaps it.
    const pid_t intermediaire = ::fork();
    if (intermediaire == 0) {
        ::close(tube[0]);
        ::setsid();
        const pid_t petitEnfant = ::fork();
        if (petitEnfant == 0) devenirLeProgramme(fichier.constData(), argv, tube[1]);
        if (petitEnfant > 0)
            rapporter(tube[1], RapportPid, petitEnfant);
        else
            rapporter(tube[1], RapportErreur, errno);
        ::_exit(0);
    }
    const int erreurFork = errno;
    ::close(tube[1]);
    if (intermediaire < 0) {
        ::close(tube[0]);
        resultat.erreur = erreurFork;
        return resultat;
    }

    // End of file comes when the middle process has gone and the program's exec went
    // through (or failed, after its report).
    qint64 pid = -1;
    int erreur = 0;
    Rapport rapport{};
    for (;;) {
        const ssize_t lu = ::read(tube[0], &rapport, sizeof rapport);
        if (lu < 0 && errno == EINTR) continue;
        if (lu != static_cast<ssize_t>(sizeof rapport)) break;
        if (rapport.genre == RapportPid) pid = rapport.valeur;
        if (rapport.genre == RapportErreur) erreur = rapport.valeur;
    }
    ::close(tube[0]);
    while (::waitpid(intermediaire, nullptr, 0) < 0 && errno == EINTR) {
    }

    if (erreur != 0 || pid <= 0) {
        resultat.erreur = erreur != 0 ? erreur : ECHILD;
        return resultat;
    }
    resultat.pid = pid;
    return resultat;
}
