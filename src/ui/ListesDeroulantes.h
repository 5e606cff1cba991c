#pragma once

class QComboBox;

// The most lines a drop-down list shows at once; longer lists scroll.
inline constexpr int LignesVisiblesMaximum = 20;

// Keeps the drop-down part of a list to a usual size: at most LignesVisiblesMaximum lines
// tall and as wide as the list itself, below it or above it, wholly on screen, however
// many entries or however long a name it holds. Without this, some styles open the
// list with every entry, as tall and as wide as the screen.
void Borner_Liste_Deroulante(QComboBox& liste);
