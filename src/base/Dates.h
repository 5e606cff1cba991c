#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

// The first-use date as the settings keep it: "dd/MM/yyyy". An unreadable text gives
// an invalid date.
QDate Lire_Date_Debut(const QString& texte);
QString Ecrire_Date_Debut(const QDate& date);

// The number of days between the start date and today, as decimal text; "0" when
// either is no date.
QString Jours_Depuis(const QDate& debut, const QDate& aujourdhui);

// A long date for a French sentence, "lundi 7 décembre 2026": the interface is French,
// so the day and month names are French whatever the language of the system. Empty for
// an invalid date.
QString Date_Longue(const QDate& date);

// A date as two-digit day, two-digit month and four-digit year, and a time as two-digit
// hour (24-hour clock) and minutes, each joined by the separator the locale puts in its
// short format. A blank is no separator: a locale whose short date has no mark between
// its parts (the C locale writes "8 Dec 2026") joins the date with "/", one whose short
// time has none joins the time with ":".
QString Date_En_Chiffres(const QDate& date, const QLocale& locale = QLocale());
QString Heure_En_Chiffres(const QTime& heure, const QLocale& locale = QLocale());
