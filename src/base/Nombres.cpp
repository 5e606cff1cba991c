#include "base/Nombres.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

bool estBlanc(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r');
}

bool estChiffre(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

double Valeur_Numerique(const QString& texte) {
    qsizetype i = 0;
    const qsizetype n = texte.size();
    while (i < n && estBlanc(texte[i]))
        ++i;

    QByteArray nombre;
    if (i < n && (texte[i] == QLatin1Char('-') || texte[i] == QLatin1Char('+')))
        nombre += char(texte[i++].unicode());
    qsizetype chiffres = 0;
    while (i < n && estChiffre(texte[i])) {
        nombre += char(texte[i++].unicode());
        ++chiffres;
    }
    if (i < n && texte[i] == QLatin1Char('.')) {
        qsizetype j = i + 1;
        QByteArray decimales;
        while (j < n && estChiffre(texte[j]))
            decimales += char(texte[j++].unicode());
        if (chiffres > 0 || !decimales.isEmpty()) {
            nombre += '.' + decimales;
            chiffres += decimales.size();
            i = j;
        }
    }
    if (chiffres == 0) return 0.0;
    // An exponent counts only when it is complete: "1e" is the number 1.
    if (i < n && (texte[i] == QLatin1Char('e') || texte[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        QByteArray exposant = "e";
        if (j < n && (texte[j] == QLatin1Char('-') || texte[j] == QLatin1Char('+')))
            exposant += char(texte[j++].unicode());
        const qsizetype debut = j;
        while (j < n && estChiffre(texte[j]))
            exposant += char(texte[j++].unicode());
        if (j > debut) nombre += exposant;
    }
    const double valeur = std::strtod(nombre.constData(), nullptr);
    return std::isfinite(valeur) ? valeur : 0.0;
}

qint64 Valeur_Entiere(const QString& texte) {
    const double arrondi = std::nearbyint(Valeur_Numerique(texte)); // ties to even
    constexpr double limite = 9.2e18;
    if (arrondi >= limite) return std::numeric_limits<qint64>::max();
    if (arrondi <= -limite) return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(arrondi);
}

qint16 Valeur_Entiere_16(const QString& texte) {
    const qint64 v = Valeur_Entiere(texte);
    if (v < std::numeric_limits<qint16>::min() || v > std::numeric_limits<qint16>::max()) return 0;
    return static_cast<qint16>(v);
}

qint32 Valeur_Entiere_32(const QString& texte) {
    return Entier_32(Valeur_Entiere(texte));
}

qint32 Entier_32(qint64 valeur) {
    if (valeur < std::numeric_limits<qint32>::min() || valeur > std::numeric_limits<qint32>::max())
        return 0;
    return static_cast<qint32>(valeur);
}
