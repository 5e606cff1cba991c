#include "catalogue/Enregistrements.h"

namespace {

// The stored codes are the values' numbers, as exact texts: " 1" or "01" name nothing.
template <typename Valeur> std::optional<Valeur> Valeur_De_Code(const QString& code, int nombre) {
    for (int i = 0; i < nombre; ++i)
        if (code == QString::number(i)) return static_cast<Valeur>(i);
    return std::nullopt;
}

} // namespace

QString Code(TypeElement type) {
    return QString::number(static_cast<int>(type));
}

QString Code(ModeAffichage mode) {
    return QString::number(static_cast<int>(mode));
}

std::optional<TypeElement> Type_Element(const QString& code) {
    return Valeur_De_Code<TypeElement>(code, 4);
}

std::optional<ModeAffichage> Mode_Affichage(const QString& code) {
    return Valeur_De_Code<ModeAffichage>(code, 3);
}
