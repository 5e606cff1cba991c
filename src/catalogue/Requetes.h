#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Every statement the program issues, each built here and nowhere else. Names select
// their rows with "=": the columns carry the FRANCAIS collation, so the comparison
// ignores letter case for every letter, and "%" or "_" in a name are plain characters.
namespace Requetes {

QString CategoriesAffichees();
QString ProgrammesDeCategorieTries(const QString& categorie);
QString ProgrammesDeCategorie(const QString& categorie);
QString Categories();
QString Programmes();
QString Categorie(const QString& nom);
QString Programme(const QString& nom);
// No colour means the random colour "-1".
QString NouvelleCategorie(const QString& nom, const QString& icone, bool affichee,
                             std::optional<qint64> couleur);
QString ModifierCategorie(const QString& nom, const QString& icone, bool affichee,
                             std::optional<qint64> couleur);
QString NouveauProgramme(const QString& nom, const QString& chemin, const QString& categorie,
                             int demarrage, int typeFichier);
QString ModifierProgramme(const QString& nom, const QString& chemin, const QString& categorie,
                              int demarrage, int typeFichier);
QString SupprimerCategorie(const QString& nom);
QString SupprimerProgrammesDeCategorie(const QString& categorie);
QString SupprimerProgramme(const QString& nom);
// Several statements applied together or not at all.
QString DebutTransaction();
QString FinTransaction();
QString AnnulationTransaction();
// The first-use rows; the folder ends with its separator.
QStringList DonneesInitiales(const QString& dossierApplication);

} // namespace Requetes
