#include "base/Dates.h"

#include <QLocale>

namespace {

// A field of digits alone, of one of the lengths given; -1 otherwise.
int Champ_Numerique(QStringView champ, qsizetype minimum, qsizetype maximum) {
    if (champ.size() < minimum || champ.size() > maximum) return -1;
    int valeur = 0;
    for (const QChar c : champ) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return -1;
        valeur = valeur * 10 + (c.unicode() - u'0');
    }
    return valeur;
}

// The first mark between the fields of a format ("dd.MM.yy" gives "."); quoted literal
// text and blanks are not separators.
QString Separateur(const QString& format, const QString& parDefaut) {
    for (const QChar c : format)
        if ((c.isPunct() || c.isSymbol()) && c != QLatin1Char('\'')) return QString(c);
    return parDefaut;
}

} // namespace

// Read and written by hand: every start reads this date, and Qt's date parser is a large
// piece of code that would stay in memory for that alone.
QDate Lire_Date_Debut(const QString& texte) {
    const QString t = texte.trimmed();
    const QList<QStringView> champs = QStringView(t).split(QLatin1Char('/'));
    if (champs.size() != 3) return {};
    const int jour = Champ_Numerique(champs[0], 1, 2);
    const int mois = Champ_Numerique(champs[1], 1, 2);
    const int annee = Champ_Numerique(champs[2], 4, 4);
    if (jour < 0 || mois < 0 || annee < 0) return {};
    return QDate(annee, mois, jour); // invalid when no such day exists
}

QString Ecrire_Date_Debut(const QDate& date) {
    if (!date.isValid()) return {};
    const QChar zero(u'0');
    return QStringLiteral("%1/%2/%3")
        .arg(date.day(), 2, 10, zero)
        .arg(date.month(), 2, 10, zero)
        .arg(date.year(), 4, 10, zero);
}

QString Jours_Depuis(const QDate& debut, const QDate& aujourdhui) {
    if (!debut.isValid() || !aujourdhui.isValid()) return QStringLiteral("0");
    return QString::number(qAbs(debut.daysTo(aujourdhui)));
}

QString Date_Longue(const QDate& date) {
    // Qt carries its own table of names, so French is there even on a system that has
    // no French locale installed.
    static const QLocale francais(QLocale::French, QLocale::France);
    return date.isValid() ? francais.toString(date, QStringLiteral("dddd d MMMM yyyy")) : QString();
}

QString Date_En_Chiffres(const QDate& date, const QLocale& locale) {
    const QString s = Separateur(locale.dateFormat(QLocale::ShortFormat), QStringLiteral("/"));
    return date.toString(QStringLiteral("dd")) + s + date.toString(QStringLiteral("MM")) + s +
           date.toString(QStringLiteral("yyyy"));
}

QString Heure_En_Chiffres(const QTime& heure, const QLocale& locale) {
    const QString s = Separateur(locale.timeFormat(QLocale::ShortFormat), QStringLiteral(":"));
    return heure.toString(QStringLiteral("HH")) + s + heure.toString(QStringLiteral("mm"));
}
