#pragma once

// What the RTF reader, the writer and the line queries of the report document agree on.
#include <QFont>
#include <QStringList>
#include <QTextFormat>

namespace Rtf {

// Indents are kept in twips beside Qt's pixel margins so that they are written back as read.
inline constexpr int ProprieteRetraitGauche = QTextFormat::UserProperty + 10;
inline constexpr int ProprieteRetraitPremiereLigne = QTextFormat::UserProperty + 11;
inline constexpr double TwipsParPixel = 15.0;

inline constexpr int TailleParDefaut = 24; // half-points: 12 pt

inline constexpr char16_t SeparateurLigne = 0x2028;

inline QString familleDe(const QTextCharFormat& f) {
    const QStringList familles = f.fontFamilies().toStringList();
    return familles.isEmpty() ? QString() : familles.constFirst();
}

inline bool estGras(const QTextCharFormat& f) {
    return f.fontWeight() > QFont::Normal;
}

} // namespace Rtf
