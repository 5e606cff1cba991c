#include "launcher/Bandes.h"

#include "base/Textes.h"
#include "catalogue/Collation.h"
#include "core/Contexte.h"
#include "core/ModeleCatalogue.h"
#include "core/Services.h"
#include "launcher/CouleurCategorie.h"
#include "launcher/ImageCategorie.h"
#include "launcher/frmDalvire.h"
#include "platform/Messages.h"
#include "ui/PalettesCommunes.h"

#include <QHash>

#include <new>

namespace {

// A displayed category and the items it holds, as the model has them now.
struct Bande {
    Categorie categorie;
    QList<Element> elements;
};

// The displayed categories with a name, in name order, each with its items that have one.
// One pass over the items: the category an item names is looked for once per distinct
// text, as the catalogue compares names.
QList<Bande> bandesDu(const ModeleCatalogue& modele) {
    QList<Bande> bandes;
    for (const Categorie& categorie : modele.categories())
        if (categorie.affichee && !categorie.nom.isEmpty()) bandes.append({categorie, {}});
    QHash<QString, QList<qsizetype>> siennes;
    for (const Element& element : modele.elements()) {
        if (element.nom.isEmpty()) continue;
        auto trouvees = siennes.constFind(element.categorie);
        if (trouvees == siennes.cend()) {
            QList<qsizetype> places;
            for (qsizetype i = 0; i < bandes.size(); ++i)
                if (Collation::comparer(bandes.at(i).categorie.nom, element.categorie) == 0)
                    places << i;
            trouvees = siennes.insert(element.categorie, places);
        }
        for (const qsizetype i : *trouvees)
            bandes[i].elements.append(element);
    }
    return bandes;
}

void signalerErreur(Contexte& contexte, const QString& description, int numero) {
    contexte.messages().afficher(description + SautDeLigne + QStringLiteral("[") +
                                     QString::number(numero) + QStringLiteral("]"),
                                 IconeMessage::Exclamation);
}

// A picture that exists but cannot be read leaves the strip with the application icon;
// the first such picture of a build is reported, and the build goes on.
void definirIcone(frmDalvire& bande, Contexte& contexte, const QString& icone,
                  const HoteBandes& hote, bool& imageSignalee) {
    if (icone.isEmpty()) return; // the picture the strip was designed with
    const QSize taille = frmDalvire::tailleIcone();
    if (!Fichier_Existe(icone)) {
        bande.definirImage(hote.imageConception(taille));
        return;
    }
    try {
        bande.definirImage(Charger_Image(icone, taille));
    } catch (const ErreurImage& erreur) {
        bande.definirImage(hote.imageConception(taille));
        if (imageSignalee) return;
        imageSignalee = true;
        signalerErreur(contexte, erreur.description(), erreur.numero());
    }
}

// Everything of one strip but its place.
void garnir(frmDalvire& bande, Contexte& contexte, const HoteBandes& hote, Bande contenu,
            bool& imageSignalee) {
    bande.definirTag(contenu.categorie.nom);
    definirIcone(bande, contexte, contenu.categorie.icone, hote, imageSignalee);
    bande.definirCouleur(Couleur_Categorie(contenu.categorie.couleur, contexte.aleatoire()));
    bande.definirLignes(std::move(contenu.elements));
}

void construire(Contexte& contexte, HoteBandes& hote, qsizetype& prevues) {
    QList<Bande> bandes = bandesDu(contexte.modele());
    const qsizetype n = bandes.size();
    prevues = n;
    if (n == 0) {
        contexte.messages().afficher(
            QStringLiteral("Aucune fenêtre n'est à afficher.") + SautDeLigne +
                QStringLiteral("Pour afficher des fenêtres, cliquez sur 'Catégories' ou "
                               "'Programmes' dans le menu."),
            IconeMessage::Information);
        return;
    }
    const QRect zone = frmDalvire::zoneDeTravail();
    // The picture the strips are designed with: the application icon, read once.
    const QPixmap conception = hote.imageConception(frmDalvire::tailleIcone());
    QObject& proprietaire = hote.proprietaireFenetres();
    hote.palettesCommunes().nouvelleSerie();
    bool imageSignalee = false;
    for (qsizetype i = 0; i < n; ++i) {
        // A top-level window of its own: as a child of the hidden main window it would be
        // made a transient of it, which window managers group and stack with that window.
        // It goes with the main window all the same.
        auto* bande = new frmDalvire(contexte, conception);
        bande->definirPalettes(&hote.palettesCommunes());
        QObject::connect(&proprietaire, &QObject::destroyed, bande, [bande] { delete bande; });
        QObject::connect(bande, &frmDalvire::menuPrincipalDemande, &proprietaire,
                         [&hote](const QPoint& position) { hote.Afficher_Menu(position); });
        // In pixels, so that the strips touch without gap or overlap. Placed before the
        // load makes the native window, so the window system never sees another top.
        const int hauteur = bande->frameGeometry().height();
        const int haut = hauteur * static_cast<int>(i);
        bande->Placer_Haut(zone.y() + haut);
        bande->Form_Load();
        garnir(*bande, contexte, hote, std::move(bandes[i]), imageSignalee);
        // A strip cut off by the bottom of the work area, or under a panel, cannot be
        // used: it counts as beyond the screen.
        if (haut + hauteur > zone.height()) {
            delete bande;
            contexte.messages().afficher(
                QStringLiteral("Certaines fenêtres ne pourront être affichées.") + SautDeLigne +
                    QStringLiteral("L'emplacement de celles-ci dépassent la hauteur de l'écran."),
                IconeMessage::Information);
            return;
        }
        bande->show();
    }
}

} // namespace

bool Actualiser_Modele_Ou_Signaler(Contexte& contexte) {
    // The strips keep what they show: the catalogue rests until something reads it again,
    // and is let go before the strips are built, which keeps the start-up's peak low.
    const ReposCatalogue repos(contexte.catalogue());
    try {
        contexte.modele().rechargerSiModifie();
        return true;
    } catch (const ErreurCatalogue& erreur) {
        contexte.messages().afficher(
            QStringLiteral("Les fenêtres n'ont pas pu être construites : le fichier contenant "
                           "les données n'a pas pu être lu.") +
                SautDeLigne + erreur.cause() + SautDeLigne + QStringLiteral("[") +
                QString::number(erreur.numero()) + QStringLiteral("]"),
            IconeMessage::Exclamation);
    }
    return false;
}

qsizetype Creer_Bandes(Contexte& contexte, HoteBandes& hote) {
    // The trap: the build ends at the first failure; strips already shown stay, and the
    // one being built stays loaded, hidden, until the strips are next closed.
    qsizetype prevues = 0;
    try {
        construire(contexte, hote, prevues);
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
    return prevues;
}
