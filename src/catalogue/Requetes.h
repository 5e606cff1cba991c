#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Every statement the program issues, each built here and nowhere else. Names select
// their rows with "=": the columns carry the FRANCAIS collation, so the comparison
// ignores letter case for every letter, and "%" or "_" in a name are plain characters.
namespace Requetes {

QString S1_CategoriesAffichees();
QString S2_ProgrammesDeCategorieTries(const QString& categorie);
QString S3_ProgrammesDeCategorie(const QString& categorie);
QString S4_Categories();
QString S5_Programmes();
QString S6_Categorie(const QString& nom);
QString S7_Programme(const QString& nom);
// No colour means the random colour "-1".
QString S8_NouvelleCategorie(const QString& nom, const QString& icone, bool affichee,
                             std::optional<qint64> couleur);
QString S9_ModifierCategorie(const QString& nom, const QString& icone, bool affichee,
                             std::optional<qint64> couleur);
QString S10_NouveauProgramme(const QString& nom, const QString& chemin, const QString& categorie,
                             int demarrage, int typeFichier);
QString S11_ModifierProgramme(const QString& nom, const QString& chemin, const QString& categorie,
                              int demarrage, int typeFichier);
QString S12_SupprimerCategorie(const QString& nom);
QString S13_SupprimerProgrammesDeCategorie(const QString& categorie);
QString S14_SupprimerProgramme(const QString& nom);
// Several statements applied together or not at all.
QString DebutTransaction();
QString FinTransaction();
QString AnnulationTransaction();
// The first-use rows; the folder ends with its separator.
QStringList S15_DonneesInitiales(const QString& dossierApplication);

} // namespace Requetes
