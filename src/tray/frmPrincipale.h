#pragma once

#include <QIcon>
#include <QStringList>
#include <QWidget>

#include "core/Fenetres.h"

class Contexte;

// The hidden main window: loaded, never shown. It holds the catalogue open for the
// whole run and owns the notification-area icon.
class frmPrincipale : public QWidget {
    Q_OBJECT
public:
    explicit frmPrincipale(Contexte& contexte, QWidget* parent = nullptr);
    ~frmPrincipale() override;

    // Steps 15 to 18 of start-up. False when the catalogue cannot be opened; the
    // message has been shown and the program must end.
    bool Form_Load();
    // Releases the catalogue and removes the tray icon, each step whatever the others do.
    void Form_Unload();

    void Afficher_Icone_Notification();
    void Retirer_Icone_Notification();

    Contexte& contexte() const { return contexte_; }

public Q_SLOTS:
    // Pops the main menu up at a point of the screen (a tray icon's or a launcher
    // window's right click).
    void Afficher_Menu(const QPoint& positionGlobale);

public:
    // The application icon, the fallback picture of the launcher windows.
    QIcon imgIcone;
    // Scratch table of the displayed categories, rebuilt at each build of the windows.
    QStringList lstCategorie;
    QStringList lstIcones;
    QStringList lstCouleur;

Q_SIGNALS:
    void dechargee();

private:
    Contexte& contexte_;
    InscriptionFenetre inscription_;
    bool decharge_ = false;
};
