#include "base/Dates.h"

namespace {
const QString FormatDate = QStringLiteral("dd/MM/yyyy");
}

QDate Lire_Date_Debut(const QString& texte) {
    const QString t = texte.trimmed();
    QDate date = QDate::fromString(t, FormatDate);
    if (!date.isValid()) date = QDate::fromString(t, QStringLiteral("d/M/yyyy"));
    return date;
}

QString Ecrire_Date_Debut(const QDate& date) {
    return date.toString(FormatDate);
}

QString Jours_Depuis(const QString& dateDebut, const QDate& aujourdhui) {
    const QDate debut = Lire_Date_Debut(dateDebut);
    if (!debut.isValid() || !aujourdhui.isValid()) return QStringLiteral("0");
    return QString::number(qAbs(debut.daysTo(aujourdhui)));
}
