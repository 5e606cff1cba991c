#include "ui/Couleurs.h"

#include <QPalette>

#include <cmath>

namespace {

double Luminance(const QColor& c) {
    const auto canal = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = c.toRgb();
    return 0.2126 * canal(rgb.redF()) + 0.7152 * canal(rgb.greenF()) + 0.0722 * canal(rgb.blueF());
}

QColor Melange(const QColor& de, const QColor& vers, double part) {
    const QColor a = de.toRgb(), b = vers.toRgb();
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * part),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * part),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * part));
}

// How far toward fond a shade of the text goes before readability decides.
constexpr double PartAttenuee = 0.45;

} // namespace

double Couleurs::contraste(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Couleurs::lisible(const QColor& voulue, const QColor& texte, const QColor& fond) {
    // A little more than the minimum, for the rounding of the colours once drawn.
    for (int pas = 0; pas <= 20; ++pas) {
        const QColor c = Melange(voulue, texte, pas / 20.0);
        if (contraste(c, fond) >= ContrasteMinimum + 0.1) return c;
    }
    return texte;
}

QColor Couleurs::attenuee(const QColor& texte, const QColor& fond) {
    return lisible(Melange(texte, fond, PartAttenuee), texte, fond);
}

QColor Couleurs::fond(const QColor& fond, const QColor& texte) {
    const QColor oppose = Luminance(texte) > 0.5 ? QColor(Qt::black) : QColor(Qt::white);
    return lisible(fond, oppose, texte);
}

QColor Couleurs::lien(const QPalette& palette) {
    return lisible(palette.color(QPalette::Link), palette.color(QPalette::WindowText),
                   palette.color(QPalette::Window));
}
