#include "core/Aleatoire.h"

double GenerateurAleatoire::suivant() {
    // xorshift64*: small, fast and the same on every platform.
    etat_ ^= etat_ >> 12;
    etat_ ^= etat_ << 25;
    etat_ ^= etat_ >> 27;
    const std::uint64_t x = etat_ * 0x2545F4914F6CDD1DULL;
    return static_cast<double>(x >> 11) * (1.0 / 9007199254740992.0); // 53 bits
}
