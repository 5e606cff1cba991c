#include "catalogue/Enregistrements.h"

template <> CodeStocke<TypeElement> CodeStocke<TypeElement>::lu(const QString& texte) {
    return depuis(texte, 4);
}

template <> CodeStocke<ModeAffichage> CodeStocke<ModeAffichage>::lu(const QString& texte) {
    return depuis(texte, 3);
}
