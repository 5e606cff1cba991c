#pragma once

#include <QColor>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <optional>

class QAbstractButton;
class QLabel;
class QPushButton;
class QWidget;

// Small builders shared by the management windows. Geometry is in twips; every control
// gets an accessible name: its caption without the mnemonic, or else its tooltip.
namespace Controles {

// The caption as a screen reader says it: "&Valider" reads "Valider".
QString Sans_Mnemonique(const QString& legende);

void Placer(QWidget* controle, int gauche, int haut, int largeur, int hauteur);
// Tooltip and accessible name at once (the name is the caption when there is one).
void Decrire(QWidget* controle, const QString& bulle, const QString& legende = QString());

QLabel* Etiquette(QWidget* parent, const QString& texte, int gauche, int haut, int largeur,
                  int hauteur = 255);
QPushButton* Bouton(QWidget* parent, const QString& legende, const QString& bulle, int gauche,
                    int haut, int largeur, int hauteur = 375);
// A button showing a picture of the application folder instead of a caption.
QPushButton* Bouton_Image(QWidget* parent, const QString& image, const QString& bulle, int gauche,
                          int haut, int largeur, int hauteur);
// A horizontal etched rule.
QWidget* Trait(QWidget* parent, int gauche, int haut, int largeur);

// The picture of a file, its format told by its content, fitted into the size (of an
// icon's several pictures, the first); nothing when the file is not a picture this
// platform can read.
std::optional<QPixmap> Charger_Apercu(const QString& chemin, const QSize& taille);

// A colour number as the catalogue stores it: red + 256 x green + 65536 x blue (the
// bits above the three bytes are not shown), and back.
QColor Couleur_Windows(qint32 numero);
qint32 Numero_Couleur(const QColor& couleur);

} // namespace Controles
