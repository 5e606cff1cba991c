#include "base/Dates.h"

#include <QLocale>

namespace {

const QString FormatDateDebut = QStringLiteral("dd/MM/yyyy");

// The first mark between the fields of a format ("dd.MM.yy" gives "."); quoted literal
// text and blanks are not separators.
QString Separateur(const QString& format, const QString& parDefaut) {
    for (const QChar c : format)
        if ((c.isPunct() || c.isSymbol()) && c != QLatin1Char('\'')) return QString(c);
    return parDefaut;
}

} // namespace

QDate Lire_Date_Debut(const QString& texte) {
    const QString t = texte.trimmed();
    QDate date = QDate::fromString(t, FormatDateDebut);
    if (!date.isValid()) date = QDate::fromString(t, QStringLiteral("d/M/yyyy"));
    return date;
}

QString Ecrire_Date_Debut(const QDate& date) {
    return date.toString(FormatDateDebut);
}

QString Jours_Depuis(const QString& dateDebut, const QDate& aujourdhui) {
    const QDate debut = Lire_Date_Debut(dateDebut);
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
