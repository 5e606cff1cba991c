#pragma once

#include <QString>

// The end of a line in the program's messages and documents, as the stored texts have it.
inline const QString SautDeLigne = QStringLiteral("\r\n");

// The text with every apostrophe doubled, for a literal between quotes in a statement.
QString Doubler_Apostrophes(const QString& texte);

// Leading and trailing spaces removed, spaces only: tabs and line breaks stay, as they
// were typed.
QString Sans_Espaces(const QString& texte);
