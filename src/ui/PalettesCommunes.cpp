#include "ui/PalettesCommunes.h"

#include <algorithm>

QPalette PalettesCommunes::commune(const QPalette& palette) {
    // Equal palettes are those of the same colours, whatever their objects.
    auto connue = std::find(courantes_.cbegin(), courantes_.cend(), palette);
    if (connue == courantes_.cend()) {
        const auto precedente = std::find(precedentes_.cbegin(), precedentes_.cend(), palette);
        if (precedente != precedentes_.cend()) {
            courantes_.append(*precedente);
            precedentes_.erase(precedente);
        } else {
            courantes_.append(palette);
        }
        connue = courantes_.cend() - 1;
    }
    QPalette resultat = *connue;
    resultat.setCurrentColorGroup(palette.currentColorGroup());
    return resultat;
}

void PalettesCommunes::nouvelleSerie() {
    precedentes_ = std::move(courantes_);
    courantes_.clear();
}
