#pragma once

#include <QIcon>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QWidget>

#include "core/Depot.h"
#include "core/Fenetres.h"
#include "launcher/Bandes.h"
#include "launcher/SuiviEcrans.h"
#include "manage/Gestion.h"
#include "ui/PalettesCommunes.h"

#include <functional>

class Contexte;
class FiltreIconeNotification;
class QAction;
class QMenu;
class frmRechercher;

// Positions of the entries of the main menu, separators included.
namespace EntreeMenu {
inline constexpr int Categories = 0;
inline constexpr int Programmes = 1;
inline constexpr int Parametres = 3;
inline constexpr int Aide = 5;
inline constexpr int APropos = 6;
inline constexpr int Quitter = 8;
inline constexpr int Nombre = 9;
} // namespace EntreeMenu

// The tooltip of the tray icon: the notification record holds 64 characters, so the
// composed text is cut (or padded with blanks) to exactly that.
QString Texte_Info_Bulle();

// The hidden main window: loaded, never shown. It holds the catalogue open for the
// whole run and owns the notification-area icon and the main menu.
class frmPrincipale : public QWidget, public HoteBandes {
    Q_OBJECT
public:
    explicit frmPrincipale(Contexte& contexte, QWidget* parent = nullptr);
    ~frmPrincipale() override;

    // The launcher windows and the tray icon, over a catalogue start-up has opened.
    void Form_Load();
    // Releases the catalogue and removes the tray icon, each step whatever the others do.
    void Form_Unload();

    // The search over the whole catalogue, asked for by the desktop key, by a
    // "dalvire --rechercher" handed over by another copy, or by the start it made. The
    // window is built at its first opening; already open, it gets the keyboard again.
    void Afficher_Recherche();

    // Failures of the notification area are silent: the program runs on without an
    // icon, the menu staying reachable from the launcher windows.
    void Afficher_Icone_Notification();
    void Retirer_Icone_Notification();
    QSystemTrayIcon* icone() const { return icone_; }

    void mnuDePrincipal_Click(int index);
    // Asks first when the setting says so; declining leaves everything as it was.
    void Quitter_Programme();
    // Unloads every window but the main and management ones, then, when asked, the main one.
    void Fermer_Fenetres(bool fermerPrincipale);
    void Reconstruire_Fenetres();
    // The screens changed: the launcher windows alone are built again against the primary
    // screen's work area (a help viewer left open stays). Nothing when no category is
    // displayed.
    void Replacer_Fenetres();
    SuiviEcrans& suiviEcrans() { return *suiviEcrans_; }
    // An item dropped on a launcher window: the program editor opens on it, and the
    // launcher windows are built again when it saved something.
    void Ajouter_Element_Depose(const ElementPropose& element);

    // Shows the management window modally on a page, and says how it was closed: the real
    // one unless a test puts its own; left empty, the menu entries open nothing.
    std::function<FinGestion(frmPrincipale&, PageGestion)> Afficher_Gestion;

    Contexte& contexte() const { return contexte_; }

public Q_SLOTS:
    // Pops the main menu up at a point of the screen (a tray icon's or a launcher
    // window's right click).
    void Afficher_Menu(const QPoint& positionGlobale) override;
    // The icon's own notifications. On the X11 tray they are all ignored, the release
    // of the right button being caught instead; a platform tray that reports the
    // context request alone (D-Bus status notifier) opens the menu with it.
    void Icone_Activee(QSystemTrayIcon::ActivationReason raison);

public:
    QPixmap imageConception(const QSize& taille) const override { return imgIcone.pixmap(taille); }
    QObject& proprietaireFenetres() override { return *this; }
    PalettesCommunes& palettesCommunes() override { return palettes_; }

    // Made the first time it is asked for: most runs never open it.
    QMenu& menuPrincipal();
    // An item of the menu, separators included, by its position (see EntreeMenu).
    QAction* entreeMenu(int index);

Q_SIGNALS:
    void dechargee();

private:
    void creerMenu();
    void ouvrirGestion(PageGestion page);
    void afficherParametres();
    // From the catalogue model, brought up to the file first by the caller.
    void creerBandes();
    // Lets go of the pictures drawn for the strips that went.
    static void oublierImagesDessinees();

    Contexte& contexte_;
    InscriptionFenetre inscription_;
    // The application icon, the fallback picture of the launcher windows.
    QIcon imgIcone;
    QMenu* mnuPrincipal = nullptr;
    // The menu's items, separators included, in menu order (see EntreeMenu); empty until
    // the menu is made.
    QList<QAction*> mnuDePrincipal;
    QPointer<QSystemTrayIcon> icone_;
    QPointer<FiltreIconeNotification> filtre_;
    SuiviEcrans* suiviEcrans_ = nullptr;
    QPointer<frmRechercher> recherche_;
    PalettesCommunes palettes_;
    // The displayed categories of the last build of the strips.
    qsizetype bandesPrevues_ = 0;
    bool decharge_ = false;
};
