#include "catalogue/Requetes.h"
#include "base/Version.h"

#include "base/Textes.h"

namespace {

QString q(const QString& texte) {
    return Doubler_Apostrophes(texte);
}

QString couleurSql(std::optional<qint64> couleur) {
    return couleur ? QString::number(*couleur) : QStringLiteral("-1");
}

// A first-use row goes in only when no row of that name exists (letter case ignored),
// so that a new user of a shared catalogue does not duplicate the seeded names.
QString insererSiAbsent(const QString& table, const QStringList& valeurs) {
    QStringList litteraux;
    for (const QString& v : valeurs)
        litteraux << QLatin1Char('\'') + q(v) + QLatin1Char('\'');
    return QStringLiteral("INSERT INTO ") + table + QStringLiteral(" SELECT ") +
           litteraux.join(QLatin1Char(',')) + QStringLiteral(" WHERE NOT EXISTS (SELECT 1 FROM ") +
           table + QStringLiteral(" WHERE nom = '") + q(valeurs.first()) + QStringLiteral("')");
}

} // namespace

namespace Requetes {

QString CategoriesAffichees() {
    return QStringLiteral("SELECT * FROM categorie WHERE affiche = '1' ORDER BY nom");
}

QString ProgrammesDeCategorieTries(const QString& categorie) {
    return QStringLiteral("SELECT * FROM programmes WHERE categorie = '") + q(categorie) +
           QStringLiteral("' ORDER BY nom");
}

QString ProgrammesDeCategorie(const QString& categorie) {
    return QStringLiteral("SELECT * FROM programmes WHERE categorie = '") + q(categorie) +
           QStringLiteral("'");
}

QString Categories() {
    return QStringLiteral("SELECT * FROM categorie ORDER BY nom");
}

QString Programmes() {
    return QStringLiteral("SELECT * FROM programmes ORDER BY nom");
}

QString Categorie(const QString& nom) {
    return QStringLiteral("SELECT * FROM categorie WHERE nom = '") + q(nom) + QStringLiteral("'");
}

QString Programme(const QString& nom) {
    return QStringLiteral("SELECT * FROM programmes WHERE nom = '") + q(nom) + QStringLiteral("'");
}

QString NouvelleCategorie(const QString& nom, const QString& icone, bool affichee,
                             std::optional<qint64> couleur) {
    return QStringLiteral("INSERT INTO categorie VALUES ('") + q(nom) + QStringLiteral("','") +
           q(icone) + QStringLiteral("',") +
           (affichee ? QStringLiteral("'1',") : QStringLiteral("'0',")) + QStringLiteral("'") +
           couleurSql(couleur) + QStringLiteral("')");
}

QString ModifierCategorie(const QString& nom, const QString& icone, bool affichee,
                             std::optional<qint64> couleur) {
    return QStringLiteral("UPDATE categorie SET icone = '") + q(icone) + QStringLiteral("', ") +
           (affichee ? QStringLiteral("affiche = '1', ") : QStringLiteral("affiche = '0', ")) +
           QStringLiteral("couleur = '") + couleurSql(couleur) + QStringLiteral("'") +
           QStringLiteral(" WHERE nom = '") + q(nom) + QStringLiteral("'");
}

QString NouveauProgramme(const QString& nom, const QString& chemin, const QString& categorie,
                             int demarrage, int typeFichier) {
    return QStringLiteral("INSERT INTO programmes VALUES ('") + q(nom) + QStringLiteral("','") +
           q(chemin) + QStringLiteral("','") + q(categorie) + QStringLiteral("','") +
           QString::number(demarrage) + QStringLiteral("',") + QStringLiteral("'") +
           QString::number(typeFichier) + QStringLiteral("')");
}

QString ModifierProgramme(const QString& nom, const QString& chemin, const QString& categorie,
                              int demarrage, int typeFichier) {
    return QStringLiteral("UPDATE programmes SET chemin = '") + q(chemin) +
           QStringLiteral("',categorie = '") + q(categorie) + QStringLiteral("', demarrage = '") +
           QString::number(demarrage) + QStringLiteral("', ") + QStringLiteral("typefichier = '") +
           QString::number(typeFichier) + QStringLiteral("'") + QStringLiteral(" WHERE nom = '") +
           q(nom) + QStringLiteral("'");
}

QString SupprimerCategorie(const QString& nom) {
    return QStringLiteral("DELETE FROM categorie WHERE nom = '") + q(nom) + QStringLiteral("'");
}

QString SupprimerProgrammesDeCategorie(const QString& categorie) {
    return QStringLiteral("DELETE FROM programmes WHERE categorie = '") + q(categorie) +
           QStringLiteral("'");
}

QString SupprimerProgramme(const QString& nom) {
    return QStringLiteral("DELETE FROM programmes WHERE nom = '") + q(nom) + QStringLiteral("'");
}

// IMMEDIATE takes the write lock at once: a busy file fails before anything is changed.
QString DebutTransaction() {
    return QStringLiteral("BEGIN IMMEDIATE");
}

QString FinTransaction() {
    return QStringLiteral("COMMIT");
}

QString AnnulationTransaction() {
    return QStringLiteral("ROLLBACK");
}

QStringList DonneesInitiales(const QString& dossier) {
    const QString categorieProgramme = QStringLiteral("DALVIRE - version 2.0.0");
    const QString fond = QStringLiteral("16761024");
    return {
        insererSiAbsent(QStringLiteral("categorie"),
                        {QStringLiteral("INTERNET"),
                         dossier + QStringLiteral("icones/internet.ico"), QStringLiteral("1"),
                         fond}),
        insererSiAbsent(QStringLiteral("categorie"),
                        {QStringLiteral("MESSAGERIE"), dossier + QStringLiteral("icones/mail.ico"),
                         QStringLiteral("1"), fond}),
        insererSiAbsent(QStringLiteral("categorie"),
                        {categorieProgramme, dossier + QStringLiteral("icones/dalvire.ico"),
                         QStringLiteral("1"), fond}),
        insererSiAbsent(QStringLiteral("programmes"),
                        {QStringLiteral("Visitez le site Internet de QELM"),
                         Concepteur::SiteInternet, QStringLiteral("INTERNET"), QStringLiteral("1"),
                         QStringLiteral("2")}),
        insererSiAbsent(QStringLiteral("programmes"),
                        {QStringLiteral("Envoyez un e-mail à QELM"),
                         QStringLiteral("mailto:") + Concepteur::AdresseMail +
                             QStringLiteral("?subject=Dalvire version 2.0.0"),
                         QStringLiteral("MESSAGERIE"), QStringLiteral("1"), QStringLiteral("3")}),
        insererSiAbsent(QStringLiteral("programmes"),
                        {QStringLiteral("Informations sur le programme"),
                         dossier + QStringLiteral("informations.txt"), categorieProgramme,
                         QStringLiteral("1"), QStringLiteral("1")}),
        insererSiAbsent(QStringLiteral("programmes"),
                        {QStringLiteral("Aide"), dossier + QStringLiteral("aide.chm"),
                         categorieProgramme, QStringLiteral("1"), QStringLiteral("1")}),
    };
}

} // namespace Requetes
