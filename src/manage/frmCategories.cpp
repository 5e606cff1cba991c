#include "manage/frmCategories.h"

#include "base/Nombres.h"
#include "base/Twips.h"
#include "catalogue/Catalogue.h"
#include "core/Contexte.h"
#include "core/Services.h"
#include "manage/RefusCatalogue.h"
#include "platform/Dialogues.h"
#include "platform/Messages.h"
#include "ui/Cadre.h"
#include "ui/Controles.h"
#include "ui/Curseur.h"
#include "ui/ToucheAide.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace Controles;

namespace {

const QString MessageIcone = QStringLiteral("Vous devez sélectionner une icône pour la catégorie.");

// The picture formats of the icon dialog; those the platform has no reader for are
// offered all the same, and refused with the picture-format message once chosen.
QStringList Filtres_Images() {
    return {
        QStringLiteral("Tous les fichiers graphiques (*.bmp *.dib *.gif *.jpg *.jpeg *.wmf *.emf "
                       "*.cur *.ico *.png *.svg *.xpm)"),
        QStringLiteral("Fichiers Bitmap (*.bmp)"),
        QStringLiteral("Fichiers DIB (*.dib)"),
        QStringLiteral("Fichiers GIF (*.gif)"),
        QStringLiteral("Fichiers JPG (*.jpg *.jpeg)"),
        QStringLiteral("Fichiers Windows MétaFile (*.wmf)"),
        QStringLiteral("Fichiers Extended MétaFile (*.emf)"),
        QStringLiteral("Fichiers Curseurs (*.cur)"),
        QStringLiteral("Fichiers Icônes (*.ico)"),
        QStringLiteral("Fichiers PNG (*.png)"),
        QStringLiteral("Fichiers SVG (*.svg)"),
        QStringLiteral("Fichiers XPM (*.xpm)"),
    };
}

QRadioButton* Option(QWidget* parent, const QString& legende, const QString& bulle, int gauche,
                     int haut, int largeur) {
    auto* o = new QRadioButton(legende, parent);
    Decrire(o, bulle, legende);
    Placer(o, gauche, haut, largeur, 255);
    return o;
}

} // namespace

frmCategories::frmCategories(Contexte& contexte, ModeEditeur mode, const QString& nom,
                             QWidget* parent)
    : EditeurCatalogue(
          contexte, mode, nom,
          {.titreAjout = QStringLiteral("Ajouter une Catégorie"),
           .titreModification = QStringLiteral("Modifier une Catégorie"),
           .article = QStringLiteral("La catégorie ["),
           .articleNouveau = QStringLiteral("La nouvelle catégorie ["),
           .modifie = QStringLiteral("] a été modifiée."),
           .enregistre = QStringLiteral("] a été enregistrée."),
           .nonModifie = QStringLiteral("] n'a pas pu être modifiée."),
           .nonEnregistre = QStringLiteral("] n'a pas pu être enregistrée."),
           .introuvable = QStringLiteral("] n'a pas pu être modifiée : elle n'a pas été trouvée "
                                         "(supprimée ou renommée entre-temps)."),
           .doublon = QStringLiteral("Une catégorie du même nom existe déjà.\r\nSaisissez un "
                                     "autre nom pour la nouvelle catégorie."),
           .encore = QStringLiteral("Désirez-vous saisir une nouvelle catégorie ?")},
          parent) {
    creerControles();
    new ToucheAide(contexte_, this, [this] {
        return modeModification() ? RubriqueAide::ModifierCategorie : RubriqueAide::CreerCategorie;
    });
    Form_Load();
}

frmCategories::~frmCategories() = default;

void frmCategories::creerControles() {
    Preparer_Dialogue(this, QStringLiteral("Catégorie"), 5235, 3930);
    const QString dossier = Dossier_Application(contexte_) + QStringLiteral("icones/");

    creerNom(QStringLiteral("Nom de la catégorie"), 1080, 3975, 120, 900);

    imgIcone = new QLabel(this);
    imgIcone->setAlignment(Qt::AlignCenter);
    Decrire(imgIcone, QStringLiteral("Icône de la catégorie"));
    Placer(imgIcone, 1080, 600, 375, 375);
    if (const auto image =
            Charger_Apercu(dossier + QStringLiteral("dalvire.ico"), imgIcone->size()))
        apercuDefaut_ = *image;
    imgIcone->setPixmap(apercuDefaut_);
    txtIcone = new QLineEdit(this);
    txtIcone->setMaxLength(255);
    Decrire(txtIcone, QStringLiteral("Icône de la catégorie"));
    Placer(txtIcone, 1560, 630, 3060, 315);
    Legende(this, QStringLiteral("Icône:"), txtIcone, 120, 660, 900);
    cmdIcone = Bouton_Image(this, dossier + QStringLiteral("parcourir.svg"),
                            QStringLiteral("Rechercher une Icône"), 4740, 630, 315, 315);
    Trait(this, 120, 1110, 4935);

    Frame1 = new QGroupBox(this);
    Frame1->setAccessibleName(QStringLiteral("Couleur"));
    Placer(Frame1, 1080, 1200, 3975, 780);
    Legende(this, QStringLiteral("Couleur:"), Frame1, 120, 1320, 900);
    optCouleur[0] = Option(Frame1, QStringLiteral("Aléatoire"),
                           QStringLiteral("Couleur de fond aléatoire"), 120, 120, 1800);
    optCouleur[1] =
        Option(Frame1, QStringLiteral("Fixe.................."), QString(), 120, 420, 1800);
    // The dots lead the eye to the swatch; a screen reader says the word alone.
    optCouleur[1]->setAccessibleName(QStringLiteral("Fixe"));
    lblCouleur = new QPushButton(Frame1);
    // Enter presses it when it has the focus, as every button of the window.
    lblCouleur->setAutoDefault(true);
    lblCouleur->setFlat(true);
    lblCouleur->setAutoFillBackground(true);
    Decrire(lblCouleur, QStringLiteral("Couleur du fond fixe"));
    Placer(lblCouleur, 1920, 420, 615, 255);
    auto* groupeCouleur = new QButtonGroup(this);
    groupeCouleur->addButton(optCouleur[0], 0);
    groupeCouleur->addButton(optCouleur[1], 1);
    optCouleur[1]->setChecked(true);
    definirCouleur(couleurFixe_);

    optAffiche[1] = Option(this, QStringLiteral("OUI"),
                           QStringLiteral("Catégorie affichée à l'écran"), 1560, 2130, 1500);
    Legende(this, QStringLiteral("Afficher à l'écran:"), optAffiche[1], 120, 2160, 1400);
    optAffiche[0] = Option(this, QStringLiteral("NON"),
                           QStringLiteral("Catégorie non affichée à l'écran"), 1560, 2430, 1500);
    auto* groupeAffiche = new QButtonGroup(this);
    groupeAffiche->addButton(optAffiche[0], 0);
    groupeAffiche->addButton(optAffiche[1], 1);
    optAffiche[1]->setChecked(true);
    Trait(this, 120, 2850, 4935);

    creerBoutons(120, 2640, 3900, 3360);
    connect(cmdIcone, &QPushButton::clicked, this, &frmCategories::cmdIcone_Click);
    connect(lblCouleur, &QPushButton::clicked, this, &frmCategories::lblCouleur_Click);
    connect(txtIcone, &QLineEdit::textChanged, this, &frmCategories::txtIcone_Change);

    setTabOrder(txtNom, txtIcone);
    setTabOrder(txtIcone, cmdIcone);
    setTabOrder(cmdIcone, optCouleur[0]);
    setTabOrder(optCouleur[0], optCouleur[1]);
    setTabOrder(optCouleur[1], optAffiche[1]);
    setTabOrder(optAffiche[1], optAffiche[0]);
    setTabOrder(optAffiche[0], Bouton[2]);
    setTabOrder(Bouton[2], Bouton[0]);
    setTabOrder(Bouton[0], Bouton[1]);

    const QCursor main = Curseur_Main(contexte_);
    for (QWidget* w : std::initializer_list<QWidget*>{cmdIcone, optCouleur[0], optCouleur[1],
                                                      lblCouleur, optAffiche[0], optAffiche[1],
                                                      imgIcone, Bouton[0], Bouton[1], Bouton[2]})
        w->setCursor(main);
}

QWidget* frmCategories::premierChamp() const {
    return txtIcone;
}

void frmCategories::Remplir_Categorie() {
    const std::optional<Categorie> categorie = contexte_.modele().categorie(nomEnregistre_);
    if (!categorie) return; // the fields stay as they were at load
    txtIcone->setText(categorie->icone);
    optAffiche[categorie->affichee ? 1 : 0]->setChecked(true);
    if (!categorie->couleur) {
        optCouleur[0]->setChecked(true);
    } else {
        optCouleur[1]->setChecked(true);
        definirCouleur(Entier_32(*categorie->couleur));
    }
}

void frmCategories::definirCouleur(qint32 numero) {
    couleurFixe_ = numero;
    lblCouleur->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px "
                                             "solid black; }")
                                  .arg(Couleur_Windows(numero).name()));
}

void frmCategories::txtIcone_Change() {
    const QString texte = txtIcone->text();
    if (texte.trimmed().isEmpty()) {
        imgIcone->clear();
        return;
    }
    if (!Fichier_Existe(texte)) return; // typed letter by letter: the last picture stays
    if (const auto image = Charger_Apercu(texte, imgIcone->size())) {
        imgIcone->setPixmap(*image);
        return;
    }
    contexte_.messages().afficher(QStringLiteral("Le format de l'image est incorrect."),
                                  IconeMessage::Exclamation, BoutonsMessage::OK,
                                  QStringLiteral("Dalvire"), this);
    txtIcone->clear();
}

void frmCategories::cmdIcone_Click() {
    DemandeOuverture demande;
    demande.titre = QStringLiteral("Rechercher un Icône...");
    demande.filtres = Filtres_Images();
    const std::optional<QString> fichier = contexte_.dialogues().fichierAOuvrir(this, demande);
    if (fichier && !fichier->isEmpty()) txtIcone->setText(*fichier);
}

void frmCategories::lblCouleur_Click() {
    optCouleur[1]->setChecked(true);
    const std::optional<QColor> choisie = contexte_.dialogues().couleur(this, couleurDialogue_);
    if (!choisie) return;
    couleurDialogue_ = *choisie;
    definirCouleur(Numero_Couleur(*choisie));
}

bool frmCategories::saisieValide() {
    // In modify mode the name is the stored one, which the user cannot change.
    if (!modeModification() &&
        (!nomSaisi(QStringLiteral("Vous devez saisir un nom pour la catégorie.")) ||
         !nomLibre(contexte_.modele().ligneCategorie(txtNom->text()))))
        return false;
    return iconeValide();
}

bool frmCategories::iconeValide() {
    // Setting the trimmed text checks the picture again, and may empty the field.
    const QString saisie = txtIcone->text().trimmed();
    if (saisie != txtIcone->text()) txtIcone->setText(saisie);
    const QString icone = txtIcone->text();
    if (icone.isEmpty() || !Fichier_Existe(icone)) {
        contexte_.messages().afficher(MessageIcone, IconeMessage::Information, BoutonsMessage::OK,
                                      QStringLiteral("Dalvire"), this);
        if (icone.isEmpty())
            txtIcone->setFocus();
        else
            Selectionner_Tout(txtIcone);
        return false;
    }
    return true;
}

int frmCategories::ecrire(const QString& nom) {
    const bool affichee = optAffiche[1]->isChecked();
    const std::optional<qint64> couleur =
        optCouleur[0]->isChecked() ? std::nullopt : std::optional<qint64>(couleurFixe_);
    const Categorie categorie{nom, txtIcone->text(), affichee, couleur};
    ModeleCatalogue& modele = contexte_.modele();
    return modeModification() ? modele.modifier(categorie) : modele.ajouter(categorie);
}
