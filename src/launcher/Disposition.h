#pragma once

#include <QColor>
#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <optional>
#include <stdexcept>

class Contexte;
class GenerateurAleatoire;
class PalettesCommunes;
class QPoint;
class QScreen;

// The hidden lists of the displayed categories, entry for entry: name, icon, colour.
// Rebuilt at each build of the windows.
struct TableCategories {
    QStringList lstCategorie;
    QStringList lstIcones;
    QList<std::optional<qint64>> lstCouleur; // nothing: random
};

// The items of one displayed category, in name order, entry for entry.
struct ElementsCategorie {
    QStringList noms, chemins, types, modes;
};

// Everything the launcher windows show, read from the catalogue before any window is
// touched: a catalogue that fails to read leaves the windows on screen as they were.
struct LectureFenetres {
    TableCategories table;
    QList<ElementsCategorie> elements; // one per entry of the table
};

// Reads the displayed categories and their items; throws ErreurCatalogue.
LectureFenetres Lire_Fenetres(Contexte& contexte);

// Reads them as Lire_Fenetres does; a failure is reported (a French message naming the
// cause, the windows on screen staying as they are) and gives nothing.
std::optional<LectureFenetres> Lire_Fenetres_Ou_Signaler(Contexte& contexte);

// What the launcher windows are built for: the window that holds the table, knows the
// application icon, owns the windows (they are deleted with it) and shows the main menu
// that a right click on a window asks for.
class HoteFenetres {
public:
    virtual TableCategories& tableCategories() = 0;
    // The application icon at the given size, the picture the windows fall back on.
    virtual QPixmap imageConception(const QSize& taille) const = 0;
    virtual QObject& proprietaireFenetres() = 0;
    // The palettes the windows' lists are drawn with, kept from one build to the next.
    virtual PalettesCommunes& palettesCommunes() = 0;
    virtual void Afficher_Menu(const QPoint& positionGlobale) = 0;

protected:
    ~HoteFenetres() = default;
};

// Builds one launcher window per displayed category, in name order, stacked from the
// top of the primary screen's work area along its right edge; the first window that
// would not fit whole in the work area is reported, and it and the later ones are not
// built. Never closes windows: called while launcher windows exist, it adds a second set.
// An icon that cannot be read is reported once and replaced by the application icon; a
// catalogue failure ends the build.
void Creer_Fenetres(Contexte& contexte, HoteFenetres& hote);
// The same build from what was read already; the table of the host becomes the one read.
void Creer_Fenetres(Contexte& contexte, HoteFenetres& hote, LectureFenetres lecture);

// Fills the table of displayed categories, rows without a name left out. Its failures
// reach the caller.
void Charger_Categories(Contexte& contexte, TableCategories& table);

// The colour of a category: a random one draws red, green and blue from the generator;
// a number is red + 256 x green + 65536 x blue, and one outside 0 to 16777215 keeps its
// three low bytes.
QColor Couleur_Categorie(const std::optional<qint64>& couleur, GenerateurAleatoire& aleatoire);

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

// Watches the screens for what moves the launcher windows' place: the primary screen's
// work area changing (a new size, a panel), the screen unplugged, another made primary.
// A quarter of a second after the last such change it calls back, once, when the work
// area differs from the one the windows were built for; while a dialog or a drop-down
// list is open it waits for it to close. An area without a screen calls nothing back.
class SuiviEcrans : public QObject {
public:
    // The work area is read through zone: the primary screen's (frmDalvire::zoneDeTravail)
    // unless a test scripts it.
    explicit SuiviEcrans(std::function<void()> rebatir, QObject* parent = nullptr,
                         std::function<QRect()> zone = {});
    // The windows are about to be built for the present work area.
    void noterConstruction();
    // What the quarter of a second leads to, also for the tests.
    void verifier();
    bool enAttente() const { return attente_.isActive(); }

private:
    void suivrePrincipal();

    std::function<void()> rebatir_;
    std::function<QRect()> zoneDeTravail_;
    QTimer attente_;
    QRect zone_;
    QPointer<QScreen> ecran_;
    QList<QMetaObject::Connection> liens_;
};
