#include "base/Textes.h"

QString Doubler_Apostrophes(const QString& texte) {
    if (texte.isEmpty()) return QString();
    QString resultat = texte;
    resultat.replace(QLatin1Char('\''), QStringLiteral("''"));
    return resultat;
}

QString Sans_Espaces(const QString& texte) {
    qsizetype debut = 0;
    qsizetype fin = texte.size();
    while (debut < fin && texte.at(debut) == QLatin1Char(' '))
        ++debut;
    while (fin > debut && texte.at(fin - 1) == QLatin1Char(' '))
        --fin;
    return texte.mid(debut, fin - debut);
}
