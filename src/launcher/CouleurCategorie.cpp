#include "launcher/CouleurCategorie.h"

#include "core/Aleatoire.h"

#include <cmath>

namespace {

int canal(double valeur) {
    return static_cast<int>(std::nearbyint(valeur * 255.0));
}

} // namespace

QColor Couleur_Categorie(const std::optional<qint64>& couleur, GenerateurAleatoire& aleatoire) {
    if (!couleur) {
        const int rouge = canal(aleatoire.suivant());
        const int vert = canal(aleatoire.suivant());
        const int bleu = canal(aleatoire.suivant());
        return QColor(rouge, vert, bleu);
    }
    const auto valeur = static_cast<quint64>(*couleur);
    return QColor(static_cast<int>(valeur & 0xFF), static_cast<int>((valeur >> 8) & 0xFF),
                  static_cast<int>((valeur >> 16) & 0xFF));
}
