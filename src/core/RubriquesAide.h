#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

class Contexte;
class QWidget;

// The help topics: each window's page in the application folder and its topic number
// in the compiled help. Windows name their row here and nowhere write a number.
namespace RubriqueAide {

struct Rubrique {
    const char* page;
    qint32 numero;

    QString nomPage() const { return QString::fromLatin1(page); }
};

inline constexpr Rubrique Menu{"aide.htm", 10000};
inline constexpr Rubrique APropos{"aproposde.htm", 10001};
inline constexpr Rubrique Parametres{"parametres.htm", 10003};
inline constexpr Rubrique RapportErreur{"ocre.htm", 10005};
inline constexpr Rubrique Categories{"categories.htm", 10006};
inline constexpr Rubrique Programmes{"programmes.htm", 10007};
inline constexpr Rubrique CreerProgramme{"creerprogramme.htm", 10009};
inline constexpr Rubrique ModifierProgramme{"modifierprogramme.htm", 10010};
inline constexpr Rubrique CreerCategorie{"creercategorie.htm", 10011};
inline constexpr Rubrique ModifierCategorie{"modifiercategorie.htm", 10012};
inline constexpr Rubrique Recherche{"recherche.htm", 10013};

inline constexpr std::array<Rubrique, 11> Toutes{
    Menu,           APropos,           Parametres,     RapportErreur,     Categories, Programmes,
    CreerProgramme, ModifierProgramme, CreerCategorie, ModifierCategorie, Recherche};

} // namespace RubriqueAide

// Opens help for a window. A non-zero topic number opens that topic of "aide.chm"
// (a negative one is taken as 0 and written back); with 0 the page file of the
// application folder is opened with its associated application. Every failure is
// told to the user.
void Afficher_Aide(Contexte& contexte, QWidget* fenetre, const QString& page, qint32& numero);
void Afficher_Aide(Contexte& contexte, QWidget* fenetre, const RubriqueAide::Rubrique& rubrique);
