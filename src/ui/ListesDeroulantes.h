#pragma once

#include <QComboBox>

// The most lines a drop-down list shows at once; longer lists scroll.
inline constexpr int LignesVisiblesMaximum = 20;

// Keeps the drop-down part of a list to a usual size: at most LignesVisiblesMaximum lines
// tall and as wide as the list itself, below it or above it, wholly on screen, however
// many entries or however long a name it holds. Without this, some styles open the
// list with every entry, as tall and as wide as the screen.
void Borner_Liste_Deroulante(QComboBox& liste);

// The mark of the control that has the keyboard, drawn over what the style drew: a dotted
// frame in the colour of the control's text, readable in any theme. Some styles draw none
// on a drop-down list, or the same frame for the default button as for the focus.
void Dessiner_Marque_De_Focus(QWidget& controle);

// A drop-down list that shows when it has the keyboard, whatever the style: a first Down
// would otherwise change it unseen.
class ListeDeroulante : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent* evenement) override;
};
