#include "ui/ListesDeroulantes.h"

#include <QAbstractItemView>
#include <QPainter>

void Borner_Liste_Deroulante(QComboBox& liste) {
    liste.setMaxVisibleItems(LignesVisiblesMaximum);
    // Styles that open the list as a menu, the current entry over the control, ignore the
    // number of visible lines and size the menu to its content; this property asks them
    // for a plain list, which honours it and keeps the control's width.
    const QString regle = QStringLiteral("QComboBox { combobox-popup: 0; }");
    if (!liste.styleSheet().contains(regle)) liste.setStyleSheet(liste.styleSheet() + regle);
    // A drop-down part made before, as a menu, was given no scroll bar.
    liste.view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void Dessiner_Marque_De_Focus(QWidget& controle) {
    if (!controle.hasFocus()) return;
    QPainter peintre(&controle);
    peintre.setPen(QPen(controle.palette().color(QPalette::ButtonText), 1, Qt::DotLine));
    peintre.drawRect(controle.rect().adjusted(3, 3, -4, -4));
}

void ListeDeroulante::paintEvent(QPaintEvent* evenement) {
    QComboBox::paintEvent(evenement);
    Dessiner_Marque_De_Focus(*this);
}
