#include "catalogue/DonneesInitiales.h"

#include "catalogue/Catalogue.h"
#include "catalogue/Requetes.h"

void Donnees_Initiales(Catalogue& catalogue, const QString& dossierApplication) {
    try {
        for (const QString& instruction : Requetes::S15_DonneesInitiales(dossierApplication))
            catalogue.executer(instruction);
    } catch (const ErreurCatalogue&) {
        catalogue.jeu.Close();
    }
}
