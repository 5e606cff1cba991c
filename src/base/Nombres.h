#pragma once

#include <QString>
#include <QtGlobal>

// The one reading of a number from a stored text used throughout the program: leading
// blanks skipped, the longest leading decimal number taken (sign, digits, a point and
// decimals, an exponent), nothing numeric giving 0.
double Valeur_Numerique(const QString& texte);

// Valeur_Numerique rounded to the nearest integer, ties to the even one. Values beyond
// the 64-bit range saturate.
qint64 Valeur_Entiere(const QString& texte);

// Valeur_Entiere kept within a 16-bit signed integer; anything outside counts as 0.
qint16 Valeur_Entiere_16(const QString& texte);

// Valeur_Entiere kept within a 32-bit signed integer; anything outside counts as 0.
qint32 Valeur_Entiere_32(const QString& texte);

// A number kept within a 32-bit signed integer; anything outside counts as 0.
qint32 Entier_32(qint64 valeur);
