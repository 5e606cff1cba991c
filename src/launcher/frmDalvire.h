#pragma once

#include "core/Depot.h"
#include "core/Fenetres.h"

#include <QComboBox>
#include <QLabel>
#include <QPixmap>
#include <QStringList>
#include <QTimer>
#include <QWidget>

class Contexte;
class DelegueIcones;
class PalettesCommunes;
class QStringListModel;

// The category's icon: a picture stretched to the control. A left click (press and
// release on it) is its click; releasing the right button over it asks for the main menu.
class ImageIcone : public QLabel {
    Q_OBJECT
public:
    explicit ImageIcone(QWidget* parent = nullptr);

Q_SIGNALS:
    void clic();
    void clicDroitRelache(const QPoint& positionGlobale);

protected:
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseReleaseEvent(QMouseEvent* evenement) override;
    void mouseDoubleClickEvent(QMouseEvent* evenement) override;

private:
    bool gauchePresse_ = false;
};

// The visible list of items, which tells its window when it drops down, scrolls, closes
// up, loses the focus or is chosen from. Its entries are plain texts (a string list model:
// a launcher window may list hundreds of items).
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
    void remplir(const QStringList& noms);
    // Where the closed list finds the icon of its current entry, and the open list draws
    // its lines.
    void definirIcones(DelegueIcones* icones) { icones_ = icones; }
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

    QStringListModel* modele_ = nullptr;
    DelegueIcones* icones_ = nullptr;
    PalettesCommunes* palettes_ = nullptr;
    QWidget* cadre_ = nullptr; // the drop-down part's own window, once made
    // True while keys or the wheel move the current entry of the closed list, which the
    // base class reports as activated all the same.
    bool deplacementSeul_ = false;
};

// One of the hidden lists that hold, entry for entry, the record of each item of the
// visible list: never shown, so only its texts and its selected entry.
class ListeCachee {
public:
    void clear();
    void addItem(const QString& texte) { textes_.append(texte); }
    void addItems(const QStringList& textes) { textes_.append(textes); }
    int count() const { return static_cast<int>(textes_.size()); }
    QString itemText(int index) const { return textes_.value(index); }
    int currentIndex() const { return index_; }
    // An index outside the list selects nothing.
    void setCurrentIndex(int index);
    QString currentText() const { return itemText(index_); }

private:
    QStringList textes_;
    int index_ = -1;
};

// The strip window of one displayed category, against the right edge of the screen: at
// rest (slid in) only its icon shows; slid out, its list of items is on screen.
class frmDalvire : public QWidget {
    Q_OBJECT
public:
    // The picture of the icon is the application icon; a caller that holds it already
    // hands it in, sparing the window the reading of the file.
    explicit frmDalvire(Contexte& contexte, const QPixmap& imageConception = QPixmap());
    ~frmDalvire() override;

    // Slid in at the right edge, timer stopped, topmost as the setting asks. Also keeps
    // the window out of the taskbar and the pager, which must happen before it is shown.
    void Form_Load();

    // The slide toggle: out if in, in if out; sliding out takes every other launcher
    // window in.
    void imgIcone_Click();
    void Timer1_Timer();
    void cboProgrammes_Click();
    void cboProgrammes_DropDown();
    void cboProgrammes_Scroll();
    // The list closed up, by a choice or not: the countdown resumes where it stopped.
    void cboProgrammes_CloseUp();
    void cboProgrammes_LostFocus();

    QString Tag() const { return Fenetres::tag(this); }
    // The category: the window's tag, and what a screen reader calls it and its list.
    void definirTag(const QString& tag);

    // The left edges, in pixels of the primary screen, read at the moment of the call.
    int gaucheRentree() const;
    int gaucheSortie() const;

    // Where the windows live: the primary screen's work area (the desktop's panels left
    // out), read at the moment of the call; empty when there is no screen.
    static QRect zoneDeTravail();

    // Outer size of a launcher window in pixels: the client area and its border.
    static QSize tailleExterieure();
    // Size of the icon's picture, in pixels.
    static QSize tailleIcone();

    Contexte& contexte() const { return contexte_; }

    // True while the window is slid out; other launcher windows read and write it.
    bool Afficher = false;
    // Timer ticks since the window last slid out or in. It stops at 32767 rather than
    // overflow: a count that can no longer grow simply stays there, and the window stays
    // out until it is clicked or used, as it does with any delay the count never equals.
    qint16 Compteur = 0;

    ImageIcone* imgIcone = nullptr;
    ListeProgrammes* cboProgrammes = nullptr;
    ListeCachee cboChemin;
    ListeCachee cboType;
    ListeCachee cboAffichage;
    QTimer Timer1;
    // Draws the list's entries with their items' icons, looked for as they show.
    DelegueIcones* iconesProgrammes = nullptr;

    // Sets the top edge, once, at build: slides keep it whatever the window system later
    // reports of the window's place (a reparenting window manager can report 0).
    void Placer_Haut(int haut);
    int haut() const { return haut_; }

Q_SIGNALS:
    void menuPrincipalDemande(const QPoint& positionGlobale);
    // Something was dropped on the window that can be an item of its category. Sent once
    // the drop is over, so that whoever receives it may open a dialog.
    void elementDepose(const ElementPropose& element);

protected:
    void paintEvent(QPaintEvent* evenement) override;
    void dragEnterEvent(QDragEnterEvent* evenement) override;
    void dragMoveEvent(QDragMoveEvent* evenement) override;
    void dropEvent(QDropEvent* evenement) override;
    void closeEvent(QCloseEvent* evenement) override;
    void moveEvent(QMoveEvent* evenement) override;

private:
    void glisser(bool sortir);
    QPoint placeVoulue() const;
    void choixFait();
    void lancerSiDemande();

    Contexte& contexte_;
    InscriptionFenetre inscription_;
    int haut_ = 0;
    // Puts the window back at its place when the program was told of another one.
    QTimer remiseEnPlace_;
    // A choice waits for the list to have closed before it launches; a second report of
    // the same choice meanwhile launches nothing more.
    bool lancementDemande_ = false;
};
