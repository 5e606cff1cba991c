#include "catalogue/Catalogue.h"

#include "catalogue/Requetes.h"

#include <sqlite3.h>

void Catalogue::executer(const QString& instruction) {
    TexteSQL = instruction;
    jeu.Open(TexteSQL, connexion);
}

void Catalogue::fermer() noexcept {
    jeu.Close();
    oublierPreparees();
    connexion.Close();
}

int Catalogue::modifier(const QString& instruction) {
    executer(instruction);
    const int lignes = sqlite3_changes(connexion.base());
    jeu.Close();
    return lignes;
}

QList<int> Catalogue::executerEnsemble(const QStringList& instructions) {
    QList<int> lignes;
    executer(Requetes::DebutTransaction());
    try {
        for (const QString& instruction : instructions)
            lignes << modifier(instruction);
        executer(Requetes::FinTransaction());
    } catch (const ErreurCatalogue&) {
        // The engine may already have rolled back (a full disk does): a second refusal
        // changes nothing, and the first failure is the one to report.
        try {
            executer(Requetes::AnnulationTransaction());
        } catch (const ErreurCatalogue&) {
        }
        throw;
    }
    return lignes;
}

QStringList Catalogue::colonne(const QString& selection, const QString& nomColonne) {
    QStringList valeurs;
    parcourir(selection, [&](const JeuEnregistrements& ligne) {
        valeurs << Valeur_Champ(ligne.Fields(nomColonne));
    });
    return valeurs;
}

std::optional<QStringList> Catalogue::premiereLigne(const QString& selection,
                                                    const QStringList& colonnes) {
    executer(selection);
    FermetureJeu fermeture(jeu);
    if (jeu.Bof() || jeu.Eof()) return std::nullopt;
    QStringList valeurs;
    for (const QString& c : colonnes)
        valeurs << Valeur_Champ(jeu.Fields(c));
    return valeurs;
}

int Catalogue::compter(const QString& selection) {
    int n = 0;
    parcourir(selection, [&n](const JeuEnregistrements&) { ++n; });
    return n;
}
