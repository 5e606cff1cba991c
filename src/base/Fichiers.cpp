#include "base/Fichiers.h"

#include <QFileInfo>

bool Fichier_Existe(const QString& chemin) {
    if (chemin.isEmpty() || chemin.contains(QChar(0))) return false;
    const QFileInfo info(chemin);
    return info.exists() && info.isFile();
}

QString Avec_Separateur_Final(const QString& dossier) {
    if (dossier.endsWith(QLatin1Char('/'))) return dossier;
    return dossier + QLatin1Char('/');
}
