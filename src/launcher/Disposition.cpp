#include "launcher/Disposition.h"
#include "base/Textes.h"

#include "base/Nombres.h"
#include "catalogue/Catalogue.h"
#include "core/Aleatoire.h"
#include "core/Contexte.h"
#include "core/Images.h"
#include "core/Services.h"
#include "launcher/frmDalvire.h"
#include "platform/Messages.h"
#include "ui/PalettesCommunes.h"

#include <QApplication>
#include <QScreen>

#include <cmath>
#include <new>

namespace {

int canal(double valeur) {
    return static_cast<int>(std::nearbyint(valeur * 255.0));
}

ElementsCategorie lireElements(Catalogue& catalogue, const QString& categorie) {
    ElementsCategorie e;
    for (const Element& element : catalogue.elementsDe(categorie)) {
        if (element.nom.isEmpty()) continue;
        e.noms << element.nom;
        e.chemins << element.chemin;
        e.types << element.type.texte();
        e.modes << element.mode.texte();
    }
    return e;
}

void remplir(ListeCachee& liste, const QStringList& textes) {
    liste.clear();
    liste.addItems(textes);
}

void signalerErreur(Contexte& contexte, const QString& description, int numero) {
    contexte.messages().afficher(description + SautDeLigne + QStringLiteral("[") +
                                     QString::number(numero) + QStringLiteral("]"),
                                 IconeMessage::Exclamation);
}

// A picture that exists but cannot be read leaves the window with the application icon;
// the first such picture of a build is reported, and the build goes on.
void definirIcone(frmDalvire& fenetre, Contexte& contexte, const QString& icone,
                  const HoteFenetres& hote, bool& imageSignalee) {
    if (icone.isEmpty()) return; // the picture the window was designed with
    const QSize taille = fenetre.imgIcone->size();
    if (!Fichier_Existe(icone)) {
        fenetre.imgIcone->setPixmap(hote.imageConception(taille));
        return;
    }
    try {
        fenetre.imgIcone->setPixmap(Charger_Image(icone, taille));
    } catch (const ErreurImage& erreur) {
        fenetre.imgIcone->setPixmap(hote.imageConception(taille));
        if (imageSignalee) return;
        imageSignalee = true;
        signalerErreur(contexte, erreur.description(), erreur.numero());
    }
}

// Everything of one window but its place.
void garnir(frmDalvire& fenetre, Contexte& contexte, HoteFenetres& hote, const ElementsCategorie& e,
            qsizetype i, bool& imageSignalee) {
    const TableCategories& table = hote.tableCategories();
    fenetre.definirTag(table.lstCategorie.at(i));
    definirIcone(fenetre, contexte, table.lstIcones.at(i), hote, imageSignalee);
    fenetre.imgIcone->setToolTip(fenetre.Tag());

    QPalette fond = fenetre.palette();
    fond.setColor(QPalette::Window,
                  Couleur_Categorie(table.lstCouleur.at(i), contexte.aleatoire()));
    fenetre.setPalette(fond);

    fenetre.cboProgrammes->remplir(e.noms);
    remplir(fenetre.cboChemin, e.chemins);
    remplir(fenetre.cboType, e.types);
    remplir(fenetre.cboAffichage, e.modes);
    fenetre.cboProgrammes->setToolTip(QString());
}

void construire(Contexte& contexte, HoteFenetres& hote, LectureFenetres lecture) {
    hote.tableCategories() = std::move(lecture.table);
    const qsizetype n = hote.tableCategories().lstCategorie.size();
    if (n == 0) {
        contexte.messages().afficher(
            QStringLiteral("Aucune fenêtre n'est à afficher.") + SautDeLigne +
                QStringLiteral("Pour afficher des fenêtres, cliquez sur 'Catégories' ou "
                               "'Programmes' dans le menu."),
            IconeMessage::Information);
        return;
    }
    const QRect zone = frmDalvire::zoneDeTravail();
    // The picture the windows are designed with: the application icon, read once.
    const QPixmap conception = hote.imageConception(frmDalvire::tailleIcone());
    QObject& proprietaire = hote.proprietaireFenetres();
    hote.palettesCommunes().nouvelleSerie();
    bool imageSignalee = false;
    for (qsizetype i = 0; i < n; ++i) {
        // A top-level window of its own: as a child of the hidden main window it would be
        // made a transient of it, which window managers group and stack with that window.
        // It goes with the main window all the same.
        auto* fenetre = new frmDalvire(contexte, conception);
        fenetre->cboProgrammes->definirPalettes(&hote.palettesCommunes());
        QObject::connect(&proprietaire, &QObject::destroyed, fenetre,
                         [fenetre] { delete fenetre; });
        QObject::connect(fenetre, &frmDalvire::menuPrincipalDemande, &proprietaire,
                         [&hote](const QPoint& position) { hote.Afficher_Menu(position); });
        // In pixels, so that the windows touch without gap or overlap. Placed before the
        // load makes the native window, so the window system never sees another top.
        const int hauteur = fenetre->frameGeometry().height();
        const int haut = hauteur * static_cast<int>(i);
        fenetre->Placer_Haut(zone.y() + haut);
        fenetre->Form_Load();
        garnir(*fenetre, contexte, hote, lecture.elements.at(i), i, imageSignalee);
        // A strip cut off by the bottom of the work area, or under a panel, cannot be
        // used: it counts as beyond the screen.
        if (haut + hauteur > zone.height()) {
            delete fenetre;
            contexte.messages().afficher(
                QStringLiteral("Certaines fenêtres ne pourront être affichées.") + SautDeLigne +
                    QStringLiteral("L'emplacement de celles-ci dépassent la hauteur de l'écran."),
                IconeMessage::Information);
            return;
        }
        fenetre->show();
    }
}

} // namespace

ErreurImage::ErreurImage(const QString& chemin)
    : std::runtime_error("image incorrecte")
    , description_(QStringLiteral("Image incorrecte : ") + chemin) {}

QPixmap Charger_Image(const QString& chemin, const QSize& taille) {
    const QImage image = Lire_Image(chemin, taille);
    if (image.isNull()) throw ErreurImage(chemin);
    return QPixmap::fromImage(
        image.scaled(taille, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QColor Couleur_Categorie(const std::optional<qint64>& couleur, GenerateurAleatoire& aleatoire) {
    if (!couleur) {
        const int rouge = canal(aleatoire.suivant());
        const int vert = canal(aleatoire.suivant());
        const int bleu = canal(aleatoire.suivant());
        return QColor(rouge, vert, bleu);
    }
    const auto valeur = static_cast<quint64>(*couleur);
    return QColor(static_cast<int>(valeur & 0xFF), static_cast<int>((valeur >> 8) & 0xFF),
                  static_cast<int>((valeur >> 16) & 0xFF));
}

void Charger_Categories(Contexte& contexte, TableCategories& table) {
    table = TableCategories{};
    for (const Categorie& categorie : contexte.catalogue().categoriesAffichees()) {
        if (categorie.nom.isEmpty()) continue;
        table.lstCategorie << categorie.nom;
        table.lstIcones << categorie.icone;
        table.lstCouleur << categorie.couleur;
    }
}

LectureFenetres Lire_Fenetres(Contexte& contexte) {
    LectureFenetres lecture;
    Charger_Categories(contexte, lecture.table);
    for (const QString& categorie : std::as_const(lecture.table.lstCategorie))
        lecture.elements << lireElements(contexte.catalogue(), categorie);
    return lecture;
}

std::optional<LectureFenetres> Lire_Fenetres_Ou_Signaler(Contexte& contexte) {
    // The strips keep what they show: the catalogue rests until something reads it again,
    // and is let go before the strips are built, which keeps the start-up's peak low.
    const ReposCatalogue repos(contexte.catalogue());
    try {
        return Lire_Fenetres(contexte);
    } catch (const ErreurCatalogue& erreur) {
        contexte.messages().afficher(
            QStringLiteral("Les fenêtres n'ont pas pu être construites : le fichier contenant "
                           "les données n'a pas pu être lu.") +
                SautDeLigne + erreur.cause() + SautDeLigne + QStringLiteral("[") +
                QString::number(erreur.numero()) + QStringLiteral("]"),
            IconeMessage::Exclamation);
    }
    return std::nullopt;
}

void Creer_Fenetres(Contexte& contexte, HoteFenetres& hote) {
    if (auto lecture = Lire_Fenetres_Ou_Signaler(contexte))
        Creer_Fenetres(contexte, hote, std::move(*lecture));
}

void Creer_Fenetres(Contexte& contexte, HoteFenetres& hote, LectureFenetres lecture) {
    // The trap: the build ends at the first failure; windows already shown stay, and the
    // one being built stays loaded, hidden, until the windows are next closed.
    try {
        construire(contexte, hote, std::move(lecture));
    } catch (const ErreurCatalogue& erreur) {
        signalerErreur(contexte, erreur.description(), erreur.numero());
    } catch (const ErreurImage& erreur) {
        signalerErreur(contexte, erreur.description(), erreur.numero());
    } catch (const std::bad_alloc&) {
        signalerErreur(contexte, QStringLiteral("Mémoire insuffisante"), 7);
    } catch (const std::exception& erreur) {
        signalerErreur(contexte,
                       QStringLiteral("Erreur inattendue lors de la création des fenêtres : ") +
                           QString::fromLocal8Bit(erreur.what()),
                       0);
    }
}

SuiviEcrans::SuiviEcrans(std::function<void()> rebatir, QObject* parent,
                         std::function<QRect()> zone)
    : QObject(parent)
    , rebatir_(std::move(rebatir))
    , zoneDeTravail_(zone ? std::move(zone) : &frmDalvire::zoneDeTravail) {
    attente_.setSingleShot(true);
    attente_.setInterval(250);
    connect(&attente_, &QTimer::timeout, this, &SuiviEcrans::verifier);
    const auto changement = [this] {
        suivrePrincipal();
        attente_.start();
    };
    connect(qApp, &QGuiApplication::primaryScreenChanged, this, changement);
    connect(qApp, &QGuiApplication::screenAdded, this, changement);
    connect(qApp, &QGuiApplication::screenRemoved, this, changement);
    suivrePrincipal();
    noterConstruction();
}

void SuiviEcrans::suivrePrincipal() {
    for (const QMetaObject::Connection& lien : std::as_const(liens_))
        disconnect(lien);
    liens_.clear();
    QScreen* ecran = QGuiApplication::primaryScreen();
    if (!ecran) return;
    const auto changement = [this] { attente_.start(); };
    liens_ << connect(ecran, &QScreen::geometryChanged, this, changement)
           << connect(ecran, &QScreen::availableGeometryChanged, this, changement);
}

void SuiviEcrans::noterConstruction() {
    ecran_ = QGuiApplication::primaryScreen();
    zone_ = zoneDeTravail_();
}

void SuiviEcrans::verifier() {
    // Rebuilt under a dialog, the windows would take with them a chooser or a message
    // that one of them has open; under its drop-down list, the list itself.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        attente_.start();
        return;
    }
    const QRect zone = zoneDeTravail_();
    if (zone.isEmpty()) return; // no screen for now: the next one brings a change
    if (QGuiApplication::primaryScreen() == ecran_ && zone == zone_) return;
    if (rebatir_) rebatir_();
}
