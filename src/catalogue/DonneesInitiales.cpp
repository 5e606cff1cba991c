#include "catalogue/DonneesInitiales.h"

#include "catalogue/Catalogue.h"
#include "catalogue/Requetes.h"

namespace {

bool essayer(Catalogue& catalogue, const QString& instruction) {
    try {
        catalogue.executer(instruction);
        return true;
    } catch (const ErreurCatalogue&) {
        catalogue.jeu.Close();
        return false;
    }
}

} // namespace

void Donnees_Initiales(Catalogue& catalogue, const QString& dossierApplication) {
    // One transaction: the file is written and flushed to the disk once instead of once
    // per row, on the way to the first windows. A failing row only undoes itself, so the
    // rows before it are kept by the commit.
    const bool transaction = essayer(catalogue, QStringLiteral("BEGIN"));
    for (const QString& instruction : Requetes::DonneesInitiales(dossierApplication))
        if (!essayer(catalogue, instruction)) break;
    if (transaction && !essayer(catalogue, QStringLiteral("COMMIT")))
        essayer(catalogue, QStringLiteral("ROLLBACK"));
}
