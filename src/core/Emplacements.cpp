#include "core/Emplacements.h"

#include "base/Fichiers.h"

#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>

namespace {

// Both relative to the folder of the command, as the build's install rules place them.
const QString PartageRelatif = QStringLiteral(DALVIRE_PARTAGE_RELATIF);
const QString ModulesRelatif = QStringLiteral(DALVIRE_MODULES_RELATIF);

// An XDG base folder: a relative value is to be ignored, as if unset.
QString dossierXdg(const QProcessEnvironment& environnement, const QString& variable,
                   const QString& parDefaut) {
    const QString valeur = environnement.value(variable);
    if (!valeur.isEmpty() && QDir::isAbsolutePath(valeur)) return QDir::cleanPath(valeur);
    const QString maison = environnement.value(QStringLiteral("HOME"), QDir::homePath());
    return QDir::cleanPath(maison + QLatin1Char('/') + parDefaut);
}

} // namespace

Emplacements Emplacements::dossierUnique(const QString& dossier, const QString& executable) {
    const QString d = Avec_Separateur_Final(dossier);
    Emplacements e;
    e.dossierApplication = dossier;
    e.dossierModules = dossier;
    e.executable = executable;
    e.catalogue = d + QStringLiteral("donnees.fdl");
    e.dossierTravail = dossier;
    return e;
}

Emplacements Emplacements_Programme(const QString& cheminExecutable,
                                    const QProcessEnvironment& environnement) {
    const QString commande = QDir::cleanPath(cheminExecutable);
    const QString dossier = QFileInfo(commande).path();
    const QString partage = QDir::cleanPath(dossier + QLatin1Char('/') + PartageRelatif);
    if (!QFileInfo(partage).isDir()) return Emplacements::dossierUnique(dossier, commande);

    Emplacements e;
    e.dossierApplication = partage;
    e.dossierModules = QDir::cleanPath(dossier + QLatin1Char('/') + ModulesRelatif);
    e.executable = commande;
    e.catalogueVierge = partage + QStringLiteral("/donnees.fdl");
    e.catalogue =
        dossierXdg(environnement, QStringLiteral("XDG_DATA_HOME"), QStringLiteral(".local/share")) +
        QStringLiteral("/dalvire/donnees.fdl");
    e.dossierTravail = dossierXdg(environnement, QStringLiteral("XDG_STATE_HOME"),
                                  QStringLiteral(".local/state")) +
                       QStringLiteral("/dalvire");
    return e;
}
