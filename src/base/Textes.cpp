#include "base/Textes.h"

QString Doubler_Apostrophes(const QString& texte) {
    if (texte.isEmpty()) return QString();
    QString resultat = texte;
    resultat.replace(QLatin1Char('\''), QStringLiteral("''"));
    return resultat;
}
