#pragma once

#include <QDate>
#include <QString>

// The start date is stored as "dd/MM/yyyy"; a hand-edited "d/M/yyyy" reads as well.
// The number of days between the stored start date and today, as decimal text; "0"
// for a stored text that is no date.
QString Jours_Depuis(const QString& dateDebut, const QDate& aujourdhui);
QDate Lire_Date_Debut(const QString& texte);
QString Ecrire_Date_Debut(const QDate& date);
