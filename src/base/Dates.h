#pragma once

#include <QDate>
#include <QString>

// The first-use date as the settings keep it: "dd/MM/yyyy". An unreadable text gives
// an invalid date.
QDate Lire_Date_Debut(const QString& texte);
QString Ecrire_Date_Debut(const QDate& date);

// The number of days between the stored start date and today, as decimal text; "0"
// for a stored text that is no date.
QString Jours_Depuis(const QString& dateDebut, const QDate& aujourdhui);

// A long date for a French sentence, "lundi 7 décembre 2026": the interface is French,
// so the day and month names are French whatever the language of the system. Empty for
// an invalid date.
QString Date_Longue(const QDate& date);
