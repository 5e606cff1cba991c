#pragma once

#include "catalogue/Enregistrements.h"

#include <QComboBox>
#include <QList>

class DelegueIcones;
class ListeElements;
class PalettesCommunes;

// The visible list of items, which tells its window when it drops down, scrolls, closes
// up, loses the focus or is chosen from. Its lines are the category's items, shown by name
// (a launcher window may list hundreds of them).
//
// Only a choice is reported as one: a click on an entry of the open list, or Enter or
// Space on the list, open or closed. Keys, typing and the wheel on the closed list, and
// F4 or Alt+Down closing the open one, move the current entry at most.
class ListeProgrammes : public QComboBox {
    Q_OBJECT
public:
    explicit ListeProgrammes(QWidget* parent = nullptr);
    ~ListeProgrammes() override;
    void showPopup() override;
    // Replaces every entry at once, selecting none, without any signal.
    void remplir(QList<Element> elements);
    const QList<Element>& elements() const;
    // The item of an entry, which must be one of the list's.
    const Element& element(int ligne) const;
    // Where the closed list finds the icon of its current entry, and the open list draws
    // its lines.
    void definirIcones(DelegueIcones* icones) { icones_ = icones; }
    DelegueIcones* icones() const { return icones_; }
    // Where the list finds the palette it is drawn with, shared with the lists of the same
    // colours; none: its own. They must outlive the list's painting.
    void definirPalettes(PalettesCommunes* palettes) { palettes_ = palettes; }
    // The palette the style is handed to draw the closed list.
    QPalette paletteDessin() const;
    // True while the drop-down part is on screen.
    bool estDeroulee() const;

Q_SIGNALS:
    void deroulee();
    void defilee();
    // The drop-down part has closed, however it was closed.
    void refermee();
    // The user chose the current entry.
    void choisie();
    void focusPerdu();

protected:
    void focusOutEvent(QFocusEvent* evenement) override;
    void paintEvent(QPaintEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;
    void wheelEvent(QWheelEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    bool toucheDeLaListeOuverte(QKeyEvent& touche);
    void preparerListe();

    ListeElements* lignes_ = nullptr;
    DelegueIcones* icones_ = nullptr;
    PalettesCommunes* palettes_ = nullptr;
    QWidget* cadre_ = nullptr; // the drop-down part's own window, once made
    // True while keys or the wheel move the current entry of the closed list, which the
    // base class reports as activated all the same.
    bool deplacementSeul_ = false;
};
