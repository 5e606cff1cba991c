#include "catalogue/Catalogue.h"

void Catalogue::fermer() noexcept {
    oublierPreparees();
    connexion.Close();
}
