#pragma once

#include "catalogue/Enregistrements.h"
#include "core/Recherche.h"

#include <QDialog>

#include <future>

class Contexte;
class QLabel;
class QLineEdit;
class QListView;
class ModeleTrouves;
class ErreurCatalogue;
class DelegueIcones;

// The search window: a text field and, under it, the ten items of the whole catalogue
// that best match what is typed (shown category or not), each with its icon and its
// category. The keys move in the list while the focus stays in the field; Enter starts
// the current item as a strip would; Escape, or the window losing the focus, closes it
// and starts nothing. Built on first use; closed, it keeps no item. A dialog to the
// screen readers, which then say its title when it takes the keyboard.
class frmRechercher : public QDialog {
    Q_OBJECT
public:
    explicit frmRechercher(Contexte& contexte);
    ~frmRechercher() override;

    // Takes the catalogue's items, shows the window empty and gives it the keyboard; already shown,
    // only gives it the keyboard again. False when the catalogue could not be read: a
    // message has said so.
    bool ouvrir();
    // Hides the window without starting anything.
    void fermer();
    void reject() override { fermer(); }

    // Where the window goes: centred across the primary screen's work area, and down in
    // its top third.
    static QPoint place(const QRect& zoneDeTravail, const QSize& taille);
    // Size in pixels.
    static QSize taille();

    // The items listed, best first.
    const QList<Element>& trouves() const { return trouves_; }
    int ligneCourante() const;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    bool event(QEvent* evenement) override;
    void paintEvent(QPaintEvent* evenement) override;

private:
    // The making of the index over those items, started now: the lines an empty text
    // gives, then every item folded into the index.
    struct Lecture {
        std::future<QList<Element>> premiers;
        std::future<IndexRecherche> index;
    };
    Lecture lancerLecture(QList<Element> elements);
    void signalerErreur(const ErreurCatalogue& erreur);
    void rechercher(const QString& texte);
    // The items found for that text, in the list or, when there are none, said.
    void montrer(QList<Element> trouves, const QString& texte);
    void deplacer(int ligne);
    void choisir(int ligne);

    Contexte& contexte_;
    QLineEdit* txtRecherche = nullptr;
    QListView* lstTrouves = nullptr;
    // Shown in place of the list when nothing matches.
    QLabel* lblAucun = nullptr;
    // Until the first key typed after an opening: the index being made.
    std::future<IndexRecherche> lecture_;
    IndexRecherche index_;
    QList<Element> trouves_;
    ModeleTrouves* modele_ = nullptr;
    DelegueIcones* icones_ = nullptr;
    // Set once the window has been the active one since it was shown: only then does
    // losing that close it (the window manager may take a moment to give it).
    bool active_ = false;
};
