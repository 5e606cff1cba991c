#include "platform/DebutProcessus.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <ctime>
#include <unistd.h>

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
