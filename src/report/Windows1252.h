#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

// The Western Windows code page, both ways, by our own table: the report's RTF escapes
// and its HTML file use it whatever the locale of the machine.
char16_t Depuis_Windows_1252(unsigned char octet);
// The byte of a character, or nothing for a character the code page lacks.
bool Vers_Windows_1252(char16_t caractere, unsigned char& octet);
// A character outside the code page becomes "?".
QByteArray En_Windows_1252(const QString& texte);
