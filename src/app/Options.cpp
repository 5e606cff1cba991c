#include "app/Options.h"

#include "base/Version.h"

#include <array>
#include <string_view>

namespace {

struct OptionQt {
    std::string_view nom;
    bool avecValeur;
};
// Those QApplication reads and takes out of the arguments.
constexpr std::array<OptionQt, 23> OptionsQt{{
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},
    {"qwindowtitle", true},    {"session", true},
    {"display", true},         {"name", true},
    {"title", true},           {"visual", true},
    {"geometry", true},        {"style", true},
    {"stylesheet", true},      {"reverse", false},
    {"widgetcount", false},    {"nograb", false},
    {"dograb", false},         {"sync", false},
    {"qmljsdebugger", false},  {"graphicssystem", true},
    {"testability", false},
}};

// The option's values it takes after it (0 or 1), or -1 when Qt does not know it.
int valeursQt(std::string_view argument) {
    if (argument.size() < 2 || argument[0] != '-') return -1;
    argument.remove_prefix(argument.starts_with("--") ? 2 : 1);
    const auto egal = argument.find('=');
    const bool valeurJointe = egal != std::string_view::npos;
    const std::string_view nom = argument.substr(0, egal);
    for (const OptionQt& o : OptionsQt)
        if (o.nom == nom) return o.avecValeur && !valeurJointe ? 1 : 0;
    return -1;
}

constexpr const char* Aide =
    "Utilisation : dalvire [--rechercher | --version | --help]\n"
    "\n"
    "Lanceur de programmes, documents, liens Internet et adresses e-mail, rangés par\n"
    "catégories au bord droit de l'écran. Sans option, Dalvire démarre dans la zone de\n"
    "notification.\n"
    "\n"
    "  --rechercher  ouvre la recherche dans le catalogue : dans la copie qui tourne,\n"
    "                ou dans celle-ci une fois démarrée\n"
    "  --version     affiche la version de Dalvire et s'arrête\n"
    "  --help        affiche cette aide et s'arrête\n"
    "\n"
    "Ctrl+Alt+Espace ouvre aussi la recherche (touche à choisir dans Paramètres...).\n"
    "Votre catalogue : $XDG_DATA_HOME/dalvire/donnees.fdl (~/.local/share/dalvire/).\n"
    "Voir aussi : man dalvire\n";

} // namespace

LigneDeCommande Lire_Ligne_De_Commande(int argc, const char* const* argv) {
    LigneDeCommande ligne;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--help" || a == "-h") return {LigneDeCommande::Demande::Aide, {}};
        if (a == "--version") return {LigneDeCommande::Demande::Version, {}};
        if (a == "--rechercher") {
            ligne.demande = LigneDeCommande::Demande::Rechercher;
            continue;
        }
        const int valeurs = valeursQt(a);
        if (valeurs < 0) return {LigneDeCommande::Demande::Inconnue, std::string(a)};
        i += valeurs;
    }
    return ligne;
}

int Repondre_Ligne_De_Commande(int argc, const char* const* argv, std::FILE* sortie,
                               std::FILE* erreurs) {
    const LigneDeCommande ligne = Lire_Ligne_De_Commande(argc, argv);
    switch (ligne.demande) {
    case LigneDeCommande::Demande::Aide:
        std::fputs(Aide, sortie);
        return 0;
    case LigneDeCommande::Demande::Version:
        std::fprintf(sortie, "Dalvire %d.%d.%d\n", Version::Majeure, Version::Mineure,
                     Version::Revision);
        return 0;
    case LigneDeCommande::Demande::Inconnue:
        std::fprintf(erreurs,
                     "dalvire : %s « %s »\nEssayez « dalvire --help » pour la liste des "
                     "options.\n",
                     ligne.argument.starts_with('-') ? "option inconnue" : "argument inattendu",
                     ligne.argument.c_str());
        return 2;
    default:
        return -1;
    }
}
