#pragma once

#include <QString>

// One running copy per user. The lock is an flock() on a file of the user's private
// folder: the kernel drops it when the process ends, so a crashed copy never leaves it
// stuck, and a stale file on disk means nothing by itself.
class VerrouInstance {
public:
    VerrouInstance() = default;
    ~VerrouInstance();
    VerrouInstance(const VerrouInstance&) = delete;
    VerrouInstance& operator=(const VerrouInstance&) = delete;

    // True when this process now holds the lock, or when no lock can be had (no private
    // folder, a lock file that is not a plain file of the user's): refusing to start then
    // would be worse than a rare double. False when another copy holds it.
    bool acquerir(const QString& nomProgramme);
    bool acquerirFichier(const QString& chemin);
    bool estDetenu() const { return descripteur_ >= 0; }

    // Empty when the user has no private folder.
    static QString cheminVerrou(const QString& nomProgramme);

private:
    int descripteur_ = -1;
};
