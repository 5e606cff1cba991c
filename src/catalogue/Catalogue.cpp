#include "catalogue/Catalogue.h"

void Catalogue::executer(const QString& instruction) {
    TexteSQL = instruction;
    jeu.Open(TexteSQL, connexion);
}

void Catalogue::fermer() noexcept {
    jeu.Close();
    connexion.Close();
}
