#include "tray/frmPrincipale.h"

#include "about/APropos.h"
#include "base/Version.h"
#include "core/Contexte.h"
#include "core/Images.h"
#include "core/RaccourciRecherche.h"
#include "core/Reglages.h"
#include "core/RubriquesAide.h"
#include "core/Services.h"
#include "launcher/Bandes.h"
#include "launcher/frmDalvire.h"
#include "launcher/frmRechercher.h"
#include "manage/frmGestion.h"
#include "manage/frmParametres.h"
#include "manage/frmProgrammes.h"
#include "platform/Messages.h"
#include "platform/RaccourciGlobal.h"
#include "tray/FiltreNotification.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QPixmapCache>

#include <algorithm>

namespace {

constexpr int LongueurInfoBulle = 64;
constexpr int TailleIconeMaximum = 64;

// True when Qt drew the icon into an XEmbed notification area, whose mouse events
// reach our event filter.
bool Icone_XEmbed() {
    const QWidgetList fenetres = QApplication::topLevelWidgets();
    return std::any_of(fenetres.cbegin(), fenetres.cend(), [](const QWidget* w) {
        return FiltreIconeNotification::Est_Icone_Notification(w);
    });
}

} // namespace

QString Texte_Info_Bulle() {
    const QString texte =
        QStringLiteral(":: ") + TitreApplication.toUpper() +
        QStringLiteral(" :: démarrez vos fichiers, programmes, url d'un seul clic...");
    return texte.leftJustified(LongueurInfoBulle, QLatin1Char(' '), true);
}

frmPrincipale::frmPrincipale(Contexte& contexte, QWidget* parent)
    : QWidget(parent)
    , contexte_(contexte)
    , inscription_(contexte.fenetres(), this, Tag::Principale) {
    setWindowTitle(TitreApplication);
    // The tray and the launcher windows draw it small: its 256-pixel picture is left unread.
    imgIcone = Icone_Jusqua(Dossier_Application(contexte_) + QStringLiteral("icones/dalvire.ico"),
                            TailleIconeMaximum);
    Afficher_Gestion = [](frmPrincipale& principale, PageGestion page) {
        return Afficher_Fenetre_Gestion(principale.contexte_, page, &principale);
    };
    suiviEcrans_ = new SuiviEcrans([this] { Replacer_Fenetres(); }, this);
}

frmPrincipale::~frmPrincipale() {
    Form_Unload();
}

QMenu& frmPrincipale::menuPrincipal() {
    if (!mnuPrincipal) creerMenu();
    return *mnuPrincipal;
}

QAction* frmPrincipale::entreeMenu(int index) {
    menuPrincipal();
    return mnuDePrincipal.at(index);
}

void frmPrincipale::creerMenu() {
    mnuPrincipal = new QMenu(QStringLiteral("Principal"), this);
    const auto ajouter = [this](const QString& texte) {
        QAction* action = mnuPrincipal->addAction(texte);
        const int index = static_cast<int>(mnuDePrincipal.size());
        connect(action, &QAction::triggered, this, [this, index] { mnuDePrincipal_Click(index); });
        mnuDePrincipal.append(action);
    };
    const auto separer = [this] { mnuDePrincipal.append(mnuPrincipal->addSeparator()); };
    ajouter(QStringLiteral("Catégories..."));
    ajouter(QStringLiteral("Programmes..."));
    separer();
    ajouter(QStringLiteral("Paramètres..."));
    separer();
    ajouter(QStringLiteral("Aide..."));
    ajouter(QStringLiteral("A propos de..."));
    separer();
    ajouter(QStringLiteral("Quitter"));
    mnuPrincipal->setDefaultAction(mnuDePrincipal.at(EntreeMenu::APropos));
}

void frmPrincipale::Form_Load() {
    // The catalogue is read once, for the strips; they and the search are views of it.
    if (Actualiser_Modele_Ou_Signaler(contexte_)) creerBandes();
    Afficher_Icone_Notification();
    // Last: a key another program holds is said over the strips and the icon, which work.
    contexte_.raccourciGlobal().definirAction([this] { Afficher_Recherche(); });
    RaccourciRecherche::prendre(contexte_, contexte_.reglages().raccourciRecherche());
}

void frmPrincipale::Form_Unload() {
    if (decharge_) return;
    decharge_ = true;
    if (mnuPrincipal) mnuPrincipal->hide();
    contexte_.raccourciGlobal().relacher();
    contexte_.raccourciGlobal().definirAction(nullptr);
    contexte_.catalogue().fermer();
    Retirer_Icone_Notification();
    Q_EMIT dechargee();
}

void frmPrincipale::Afficher_Icone_Notification() {
    if (icone_) return;
    // No contextMenu() on purpose: Qt would pop it up on the press of the button.
    icone_ = new QSystemTrayIcon(imgIcone, this);
    icone_->setToolTip(Texte_Info_Bulle());
    connect(icone_, &QSystemTrayIcon::activated, this, &frmPrincipale::Icone_Activee);
    filtre_ = new FiltreIconeNotification(
        [this](const QPoint& position) { Afficher_Menu(position); }, this);
    qApp->installEventFilter(filtre_);
    // Qt refuses an icon without picture with a warning; the program runs on without one.
    if (!imgIcone.isNull()) icone_->show();
}

void frmPrincipale::Retirer_Icone_Notification() {
    if (filtre_) {
        qApp->removeEventFilter(filtre_);
        delete filtre_;
    }
    if (icone_) {
        icone_->hide();
        delete icone_;
    }
}

void frmPrincipale::Icone_Activee(QSystemTrayIcon::ActivationReason raison) {
    if (raison == QSystemTrayIcon::Context && !Icone_XEmbed()) Afficher_Menu(QCursor::pos());
}

void frmPrincipale::Afficher_Menu(const QPoint& positionGlobale) {
    if (decharge_) return;
    // While a dialog is shown the menu waits, whatever the way it is asked for: its
    // entries would open a second dialog or quit under the first one. (The X11 tray
    // and the launcher windows are blocked by the dialog anyway; a D-Bus tray is not.)
    if (QApplication::activeModalWidget()) return;
    menuPrincipal().popup(positionGlobale);
}

void frmPrincipale::mnuDePrincipal_Click(int index) {
    switch (index) {
    case EntreeMenu::Categories:
        ouvrirGestion(PageGestion::Categories);
        break;
    case EntreeMenu::Programmes:
        ouvrirGestion(PageGestion::Programmes);
        break;
    case EntreeMenu::Parametres:
        afficherParametres();
        break;
    case EntreeMenu::Aide:
        Afficher_Aide(contexte_, this, RubriqueAide::Menu);
        break;
    case EntreeMenu::APropos:
        Afficher_A_Propos(contexte_, this);
        break;
    case EntreeMenu::Quitter:
        Quitter_Programme();
        break;
    default:
        break;
    }
}

void frmPrincipale::ouvrirGestion(PageGestion page) {
    if (Afficher_Gestion && Afficher_Gestion(*this, page) == FinGestion::MiseAJourAFaire)
        Reconstruire_Fenetres();
}

void frmPrincipale::afficherParametres() {
    // Held by a guard: quitting from elsewhere may unload the dialog while it is shown.
    QPointer<frmParametres> dialogue = new frmParametres(contexte_, this);
    dialogue->exec();
    delete dialogue;
}

void frmPrincipale::Quitter_Programme() {
    if (contexte_.reglages().confirmationFermeture()) {
        const ReponseMessage reponse = contexte_.messages().afficher(
            QStringLiteral("Êtes-vous sûr(e) de vouloir quitter le programme '") +
                TitreApplication + QStringLiteral("' ?"),
            IconeMessage::Question, BoutonsMessage::OuiNon, TitreApplication, this);
        if (reponse != ReponseMessage::Oui) return;
    }
    // Unloading the main window ends the process: the program quits on its signal.
    Fermer_Fenetres(true);
}

void frmPrincipale::Fermer_Fenetres(bool fermerPrincipale) {
    // Unloading a window may take others with it (its children): every one is guarded.
    QList<QPointer<QWidget>> ouvertes;
    for (QWidget* fenetre : contexte_.fenetres().ouvertes<QWidget>())
        ouvertes.append(fenetre);
    for (auto it = ouvertes.crbegin(); it != ouvertes.crend(); ++it) {
        QWidget* fenetre = it->data();
        if (!fenetre) continue;
        const QString tag = Fenetres::tag(fenetre);
        if (tag == Tag::Principale || tag == Tag::Gestion) continue;
        delete fenetre;
    }
    if (fermerPrincipale) Form_Unload();
}

void frmPrincipale::Reconstruire_Fenetres() {
    // Read first: a catalogue that fails to read keeps the windows the user had.
    if (!Actualiser_Modele_Ou_Signaler(contexte_)) return;
    Fermer_Fenetres(false);
    creerBandes();
}

void frmPrincipale::Replacer_Fenetres() {
    if (decharge_ || bandesPrevues_ == 0) return;
    QList<QPointer<frmDalvire>> bandes;
    for (frmDalvire* bande : contexte_.fenetres().ouvertes<frmDalvire>())
        bandes.append(bande);
    if (!Actualiser_Modele_Ou_Signaler(contexte_)) return;
    for (const QPointer<frmDalvire>& bande : std::as_const(bandes))
        delete bande.data();
    creerBandes();
}

void frmPrincipale::creerBandes() {
    // Noted first: a message of the build lets the screens change under it.
    suiviEcrans_->noterConstruction();
    oublierImagesDessinees();
    bandesPrevues_ = Creer_Bandes(contexte_, *this);
    // Queued: the editor opens, and the windows may be rebuilt, once the window that
    // received the drop is out of its own handler.
    for (frmDalvire* lanceur : contexte_.fenetres().ouvertes<frmDalvire>())
        connect(lanceur, &frmDalvire::elementDepose, this, &frmPrincipale::Ajouter_Element_Depose,
                Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
}

void frmPrincipale::oublierImagesDessinees() {
    // What the style drew for the strips that went stays in the application's picture
    // cache, under their palettes. Strips of the same colours share theirs and find those
    // pictures again; a colour drawn at random is seldom drawn again, and its pictures
    // would stay until the cache is full (10 MB). The windows still shown draw theirs
    // again when next painted.
    QPixmapCache::clear();
}

void frmPrincipale::Ajouter_Element_Depose(const ElementPropose& element) {
    if (Ajouter_Element_Propose(contexte_, element, this)) Reconstruire_Fenetres();
}

void frmPrincipale::Afficher_Recherche() {
    // While a dialog is shown the search waits, as the menu does: an item would start
    // under the management window, or the program quit under the dialog.
    if (decharge_ || QApplication::activeModalWidget()) return;
    if (!recherche_) {
        // A top-level window of its own, as the launcher windows are, going with this one.
        recherche_ = new frmRechercher(contexte_);
        connect(this, &QObject::destroyed, recherche_, [r = recherche_.data()] { delete r; });
    }
    recherche_->ouvrir();
}
