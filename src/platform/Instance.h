#pragma once

#include <QString>

#include <chrono>

// One running copy per user. The lock is an flock() on a file of the user's runtime
// folder: the kernel drops it when the process ends, so a crashed copy never leaves
// it stuck, and a stale file on disk means nothing by itself.
class VerrouInstance {
public:
    VerrouInstance() = default;
    ~VerrouInstance();
    VerrouInstance(const VerrouInstance&) = delete;
    VerrouInstance& operator=(const VerrouInstance&) = delete;

    // True when this process now holds the lock; false when another copy holds it.
    bool acquerir(const QString& nomProgramme);
    bool estDetenu() const { return descripteur_ >= 0; }

    static QString cheminVerrou(const QString& nomProgramme);

private:
    int descripteur_ = -1;
};

// When this process started, on the steady clock: the moment the user launched the
// program, before the libraries were loaded. Now, when the system does not tell.
std::chrono::steady_clock::time_point Debut_Processus();
