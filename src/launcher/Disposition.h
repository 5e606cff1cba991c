#pragma once

#include <QColor>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

#include <stdexcept>

class Contexte;
class GenerateurAleatoire;
class QObject;
class QPoint;

// The hidden lists of the displayed categories, entry for entry: name, icon, colour.
// Rebuilt at each build of the windows.
struct TableCategories {
    QStringList lstCategorie;
    QStringList lstIcones;
    QStringList lstCouleur;
};

// What the launcher windows are built for: the window that holds the table, knows the
// application icon, owns the windows (they are deleted with it) and shows the main menu
// that a right click on a window asks for.
class HoteFenetres {
public:
    virtual TableCategories& tableCategories() = 0;
    // The application icon at the given size, the picture the windows fall back on.
    virtual QPixmap imageConception(const QSize& taille) const = 0;
    virtual QObject& proprietaireFenetres() = 0;
    virtual void Afficher_Menu(const QPoint& positionGlobale) = 0;

protected:
    ~HoteFenetres() = default;
};

// Builds one launcher window per displayed category, in name order, stacked from the
// top of the primary screen along its right edge. Never closes windows: called while
// launcher windows exist, it adds a second set. An icon that cannot be read is reported
// once and replaced by the application icon; a catalogue failure ends the build.
void Creer_Fenetres(Contexte& contexte, HoteFenetres& hote);

// Fills the table of displayed categories, rows without a name left out. Its failures
// reach the caller.
void Charger_Categories(Contexte& contexte, TableCategories& table);

// The colour of a category: "-1" exactly draws red, green and blue from the generator;
// any other text is a colour number red + 256 x green + 65536 x blue read with the shared
// numeric reading (an empty text is black). A number outside 0 to 16777215 keeps its
// three low bytes.
QColor Couleur_Categorie(const QString& texte, GenerateurAleatoire& aleatoire);

// A picture file that exists but cannot be read as a picture.
class ErreurImage : public std::runtime_error {
public:
    explicit ErreurImage(const QString& chemin);
    const QString& description() const { return description_; }
    int numero() const { return 481; }

private:
    QString description_;
};

// A category's icon from any picture file the image readers know (its format told by
// its content), stretched to the given size; of a file holding several pictures (an
// icon's sizes), the one closest above that size. Throws ErreurImage.
QPixmap Charger_Image(const QString& chemin, const QSize& taille);
