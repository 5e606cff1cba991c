#include "catalogue/Catalogue.h"

void Catalogue::fermer() noexcept {
    liberer();
    chemin_.clear();
}

void Catalogue::liberer() noexcept {
    // The statements first: a connection closes whole only once none is left.
    oublierPreparees();
    connexion.Close();
}
