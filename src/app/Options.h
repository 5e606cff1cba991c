#pragma once

#include <cstdio>
#include <string>

// What the command line asks for, read before anything of the display is loaded. Qt's
// own options (-platform, -display, -session from a session manager...) are Qt's, with
// their value; every other argument is refused.
struct LigneDeCommande {
    enum class Demande { Demarrer, Rechercher, Aide, Version, Inconnue };
    Demande demande = Demande::Demarrer;
    std::string argument; // the refused one
};
LigneDeCommande Lire_Ligne_De_Commande(int argc, const char* const* argv);

// --help and --version answered on sortie (0), a refused argument on erreurs (2): the
// exit code. -1 when the program is to start.
int Repondre_Ligne_De_Commande(int argc, const char* const* argv, std::FILE* sortie,
                               std::FILE* erreurs);
