#pragma once

#include <QString>

// The text with every apostrophe doubled, for a literal between quotes in a statement.
QString Doubler_Apostrophes(const QString& texte);
