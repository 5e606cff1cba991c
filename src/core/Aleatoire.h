#pragma once

#include <cstdint>

// The pseudo-random generator of the random colours. It is never seeded from the
// clock: every run draws the same sequence, and draws go on across rebuilds.
class GenerateurAleatoire {
public:
    // A value in [0, 1).
    double suivant();

private:
    std::uint64_t etat_ = 0x2545F4914F6CDD1DULL;
};
