#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSize>
#include <QString>

#include <optional>

class QAbstractButton;
class QFrame;
class QFontMetrics;
class QPushButton;
class QWidget;

// Small builders shared by the management windows. Geometry is in twips; every control
// gets an accessible name: its caption without the mnemonic, or else its tooltip.
// A push button that shows when it has the keyboard, the default one too.
class BoutonMarque : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* evenement) override;
};

namespace Controles {

// The length of a name typed in an editor.
inline constexpr int LongueurNom = 50;

// The caption as a screen reader says it: "&Valider" reads "Valider".
QString Sans_Mnemonique(const QString& legende);

void Placer(QWidget* controle, int gauche, int haut, int largeur, int hauteur);
// Placed as given, yet grown to show its whole text.
void Placer_Au_Moins(QWidget* controle, int gauche, int haut, int largeur, int hauteur);
// Tooltip and accessible name at once (the name is the caption when there is one).
void Decrire(QWidget* controle, const QString& bulle, const QString& legende = QString());

QLabel* Etiquette(QWidget* parent, const QString& texte, int gauche, int haut, int largeur,
                  int hauteur = 255);
// A caption as long as its text, placed by its corner.
QLabel* Etiquette_Libre(QWidget* parent, const QString& texte, int gauche, int haut);
// A caption that names a field or a value: a screen reader reads it with what it names.
QLabel* Legende(QWidget* parent, const QString& texte, QWidget* nomme, int gauche, int haut,
                int largeur, int hauteur = 255);

// The text as it fits in the given number of lines of that width, broken anywhere (a path
// has no spaces to break at); what does not fit ends with "…".
QString Ajuster(const QString& texte, const QFontMetrics& mesure, int largeur, int lignes);
QPushButton* Bouton(QWidget* parent, const QString& legende, const QString& bulle, int gauche,
                    int haut, int largeur, int hauteur = 375);
// A button showing a picture of the application folder instead of a caption.
QPushButton* Bouton_Image(QWidget* parent, const QString& image, const QString& bulle, int gauche,
                          int haut, int largeur, int hauteur);
// Once a dialog opened over the window has closed: the window active again, its focus where
// it was. Some window managers give the focus back to no window at all, and the keys then
// go nowhere until a click.
void Reprendre_La_Main(QWidget* fenetre);

// A horizontal etched rule.
QFrame* Trait(QWidget* parent, int gauche, int haut, int largeur);

// The picture of a file, its format told by its content, fitted into the size (of an
// icon's several pictures, the first); nothing when the file is not a picture this
// platform can read.
std::optional<QPixmap> Charger_Apercu(const QString& chemin, const QSize& taille);

// A colour number as the catalogue stores it: red + 256 x green + 65536 x blue (the
// bits above the three bytes are not shown), and back.
QColor Couleur_Windows(qint32 numero);
qint32 Numero_Couleur(const QColor& couleur);

// A label that shows a value. A screen reader reads the value as its name and the tooltip
// as its description; a value too long for the label ends with "…" on screen and is whole
// in the tooltip and the name: a stored name is never cut where it is only shown.
class EtiquetteValeur : public QLabel {
public:
    EtiquetteValeur(QWidget* parent, const QString& bulle);
    void afficher(const QString& valeur);
    const QString& valeur() const { return valeur_; }
    void effacer() { afficher(QString()); }

protected:
    void resizeEvent(QResizeEvent* evenement) override;

private:
    void ajuster();

    QString bulle_;
    QString valeur_;
};

} // namespace Controles
