#pragma once

#include "catalogue/Enregistrements.h"
#include "core/Depot.h"
#include "core/Fenetres.h"

#include <QList>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

class Contexte;
class DelegueIcones;
class ImageIcone;
class ListeProgrammes;
class PalettesCommunes;

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
    // The category: the window's tag, the icon's tooltip, and what a screen reader calls
    // the window and its list.
    void definirTag(const QString& tag);
    // What the strip shows of its category: its picture, its colour, its items in the
    // list, none of them chosen.
    void definirImage(const QPixmap& image);
    QPixmap image() const;
    void definirCouleur(const QColor& couleur);
    void definirLignes(QList<Element> elements);
    const QList<Element>& lignes() const;
    // The palettes the list is drawn with, shared with the other strips'.
    void definirPalettes(PalettesCommunes* palettes);

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

    QTimer Timer1;

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
    // The start reads the chosen line and says what it started in the list's tooltip.
    friend void Lancer_Element(frmDalvire& fenetre);

    void glisser(bool sortir);
    QPoint placeVoulue() const;
    void choixFait();
    void lancerSiDemande();

    Contexte& contexte_;
    InscriptionFenetre inscription_;
    ImageIcone* imgIcone = nullptr;
    ListeProgrammes* cboProgrammes = nullptr;
    // Draws the list's entries with their items' icons, looked for as they show.
    DelegueIcones* iconesProgrammes = nullptr;
    int haut_ = 0;
    // Puts the window back at its place when the program was told of another one.
    QTimer remiseEnPlace_;
    // A choice waits for the list to have closed before it launches; a second report of
    // the same choice meanwhile launches nothing more.
    bool lancementDemande_ = false;
};
