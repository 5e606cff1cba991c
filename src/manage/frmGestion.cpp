#include "manage/frmGestion.h"

#include "base/Nombres.h"
#include "base/Twips.h"
#include "catalogue/Catalogue.h"
#include "core/Contexte.h"
#include "core/Curseur.h"
#include "core/IconesElements.h"
#include "core/Services.h"
#include "core/ToucheAide.h"
#include "manage/Controles.h"
#include "manage/Gestion.h"
#include "manage/RefusCatalogue.h"
#include "manage/frmCategories.h"
#include "manage/frmProgrammes.h"
#include "platform/Messages.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>

using namespace Controles;

namespace {

const QString ToutesCategories = QStringLiteral("(Toutes les catégories)");
const QString Total = QStringLiteral("Total: ");
const QString CRLF = QStringLiteral("\r\n");
constexpr int PagesGauche = 1500;

// The program's own pictures, in the application folder.
QString Image(const Contexte& contexte, const char* nom) {
    return Dossier_Application(contexte) + QStringLiteral("icones/") + QLatin1String(nom);
}

EtiquetteValeur* Donnee(QWidget* page, const QString& bulle, int haut, int hauteur = 255) {
    auto* l = new EtiquetteValeur(page, bulle);
    QFont gras = l->font();
    gras.setBold(true);
    l->setFont(gras);
    Placer(l, 2460, haut, 2400, hauteur);
    return l;
}

EtiquetteValeur* Total_Lignes(QWidget* page, const QString& bulle) {
    auto* l = new EtiquetteValeur(page, bulle);
    Placer(l, 120, 4800, 2220, 255);
    l->afficher(Total + QLatin1Char('0'));
    return l;
}

// The row of buttons under a list: each as wide as its caption needs in the windows' face
// at 96 to 192 dpi, the row no wider than the list and the gap beside it.
constexpr std::array<int, 3> GaucheBoutons{120, 885, 1575};
constexpr std::array<int, 3> LargeurBoutons{750, 675, 825};

// As tall as a line of its face, whose ascent leaves room for accents above capitals.
QLabel* Titre(QWidget* page, const QString& texte) {
    auto* l = Etiquette(page, texte, 120, 0, 3900, 450);
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPointSize(15);
    courier.setBold(true);
    l->setFont(courier);
    return l;
}

QLabel* Decoration(QWidget* parent, const QString& image, int cote, int gauche, int haut) {
    auto* l = new QLabel(parent);
    if (const auto apercu = Charger_Apercu(image, QSize(cote, cote))) l->setPixmap(*apercu);
    l->setAlignment(Qt::AlignCenter);
    l->setGeometry(Twips::enPixelsX(gauche), Twips::enPixelsY(haut), cote, cote);
    return l;
}

QListWidget* Liste(QWidget* page, const QString& bulle, int haut, int hauteur) {
    auto* l = new QListWidget(page);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    Decrire(l, bulle);
    Placer(l, 120, haut, 2220, hauteur);
    return l;
}

// Puts a list on a line, or on none for a position it does not hold.
void Positionner(QListWidget* liste, int position) {
    const QSignalBlocker silence(liste);
    if (position >= 0 && position < liste->count()) {
        liste->setCurrentRow(position);
    } else {
        liste->setCurrentRow(-1);
        liste->clearSelection();
    }
}

// The selected line, whichever way it was chosen (a click selects after the line became
// the current one; Space selects the current line without moving).
int Position(const QListWidget* liste) {
    const QList<QListWidgetItem*> choisies = liste->selectedItems();
    return choisies.isEmpty() ? -1 : liste->row(choisies.constFirst());
}

QString Texte_Choisi(const QListWidget* liste) {
    const int p = Position(liste);
    return p >= 0 ? liste->item(p)->text() : QString();
}

QString Nom_Couleur(const QColor& c) {
    return QStringLiteral("Rouge %1, vert %2, bleu %3").arg(c.red()).arg(c.green()).arg(c.blue());
}

QString Avec_Libelle(const QString& code, std::initializer_list<const char*> libelles) {
    int i = 0;
    for (const char* libelle : libelles) {
        if (code == QString::number(i)) return code + QString::fromUtf8(libelle);
        ++i;
    }
    return code;
}

} // namespace

QString Texte_Demarrage(const QString& code) {
    return Avec_Libelle(code, {" - MINIMUM", " - NORMAL", " - MAXIMUM"});
}

QString Texte_Type(const QString& code) {
    return Avec_Libelle(code, {" - PROGRAMME", " - FICHIER", " - LIEN INTERNET", " - E.MAIL"});
}

frmGestion::frmGestion(Contexte& contexte, PageGestion page, QWidget* parent)
    : QDialog(parent, Cadre_Dialogue)
    , contexte_(contexte)
    , inscription_(contexte.fenetres(), this, Tag::Gestion) {
    creerControles();
    new ToucheAide(contexte_, this, [this] {
        return pageVisible() == 1 ? RubriqueAide::Programmes : RubriqueAide::Categories;
    });
    Form_Load(page);
}

frmGestion::~frmGestion() = default;

void frmGestion::creerControles() {
    Preparer_Dialogue(this, QStringLiteral("Gestion des Catégories et des Programmes"), 6495, 5850);

    Barre = new QLabel(this);
    Barre->setFrameShape(QFrame::Box);
    Barre->setAutoFillBackground(true);
    QPalette gris = Barre->palette();
    gris.setColor(QPalette::Window, QColor(128, 128, 128));
    Barre->setPalette(gris);
    Placer(Barre, 60, 60, 1335, 5235);

    const std::array<QString, 2> rubriques{QStringLiteral("Catégories"),
                                           QStringLiteral("Programmes")};
    const std::array<const char*, 2> images{"categories.svg", "programmes.svg"};
    const std::array<int, 2> cotes{48, 32};
    const std::array<int, 2> hauts{360, 1800};
    for (int i = 0; i < 2; ++i) {
        const int gauche = 60 + (1335 - Twips::versTwipsX(cotes[i])) / 2;
        imgRubrique[i] = Decoration(this, Image(contexte_, images[i]), cotes[i], gauche, hauts[i]);
        Decrire(imgRubrique[i], rubriques[i]);
        imgRubrique[i]->installEventFilter(this);
        // In the Tab order, pressed by Space or Enter, as every tab of a tabbed window.
        auto* l = new QPushButton(rubriques[i], this);
        l->setFlat(true);
        l->setStyleSheet(QStringLiteral("QPushButton { color: white; border: none; "
                                        "background: transparent; }"
                                        "QPushButton:focus { border: 1px dotted white; }"));
        Decrire(l, rubriques[i], rubriques[i]);
        Placer(l, 120, hauts[i] + Twips::versTwipsY(cotes[i]) + 60, 1215, 255);
        connect(l, &QPushButton::clicked, this, [this, i] { Afficher_Page(i); });
        lblRubrique[i] = l;
    }

    for (int i = 0; i < 2; ++i) {
        Frame1[i] = new QFrame(this);
        Placer(Frame1[i], PagesGauche, 0, 4935, 5295);
    }
    creerPageCategories();
    creerPageProgrammes();

    Boutons[2] = Bouton(this, QStringLiteral("&Valider les changements"),
                        QStringLiteral("Valider les changements"), 1500, 5400, 2535);
    Boutons[0] = Bouton(this, QStringLiteral("&Aide"), QStringLiteral("Aide"), 4095, 5400, 1155);
    Boutons[1] =
        Bouton(this, QStringLiteral("&Quitter"), QStringLiteral("Quitter"), 5280, 5400, 1155);
    Boutons[0]->setDefault(true);
    for (int i = 0; i < 3; ++i)
        connect(Boutons[i], &QPushButton::clicked, this, [this, i] { Boutons_Click(i); });
    ordonnerTabulation();

    // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+Page Down and Ctrl+Page Up go to the other page.
    auto* autrePage = new QShortcut(this);
    autrePage->setKeys(
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
         QKeySequence(Qt::CTRL | Qt::Key_PageDown), QKeySequence(Qt::CTRL | Qt::Key_PageUp)});
    const auto basculer = [this] {
        Afficher_Page(1 - pageVisible());
        premierControle(pageVisible())->setFocus(Qt::TabFocusReason);
    };
    connect(autrePage, &QShortcut::activated, this, basculer);
    connect(autrePage, &QShortcut::activatedAmbiguously, this, basculer);

    const QCursor main = Curseur_Main(contexte_);
    for (QWidget* w : findChildren<QWidget*>())
        if (qobject_cast<QPushButton*>(w) || qobject_cast<QListWidget*>(w) ||
            qobject_cast<QComboBox*>(w) || w == imgRubrique[0] || w == imgRubrique[1])
            w->setCursor(main);
}

void frmGestion::creerPageCategories() {
    QFrame* page = Frame1[0];
    Titre(page, QStringLiteral("CATEGORIES"));
    Trait(page, 120, 450, 4700);
    Decoration(page, Image(contexte_, "categories.svg"), 48, 4080, 0);
    lstCategories = Liste(page, QStringLiteral("Liste des catégories"), 870, 3375);
    Legende(page, QStringLiteral("Liste des catégories:"), lstCategories, 120, 600, 2220);
    const std::array<QString, 3> legendes{QStringLiteral("Nouvelle"), QStringLiteral("Modifier"),
                                          QStringLiteral("Supprimer")};
    const std::array<QString, 3> bulles{QStringLiteral("Nouvelle catégorie"),
                                        QStringLiteral("Modifier la catégorie"),
                                        QStringLiteral("Supprimer la catégorie")};
    for (int i = 0; i < 3; ++i) {
        cmdCategorie[i] =
            Bouton(page, legendes[i], bulles[i], GaucheBoutons[i], 4320, LargeurBoutons[i]);
        connect(cmdCategorie[i], &QPushButton::clicked, this, [this, i] { cmdCategorie_Click(i); });
    }
    lblTotalCategorie = Total_Lignes(page, QStringLiteral("Nombre total de catégories"));

    lblDonneesCategories[0] = Donnee(page, QStringLiteral("Nom de la catégorie"), 1110);
    Legende(page, QStringLiteral("Nom:"), lblDonneesCategories[0], 2460, 870, 2400);
    imgIcone = new QLabel(page);
    Decrire(imgIcone, QStringLiteral("Icône de la catégorie"));
    imgIcone->setGeometry(Twips::enPixelsX(2460), Twips::enPixelsY(1680), 48, 48);
    Legende(page, QStringLiteral("Icône:"), imgIcone, 2460, 1440, 2400);
    lblDonneesCategories[1] =
        Donnee(page, QStringLiteral("Nombre de programmes de la catégorie"), 2760);
    Legende(page, QStringLiteral("Nombre de programmes:"), lblDonneesCategories[1], 2460, 2520,
            2400);
    lblDonneesCategories[2] = Donnee(page, QStringLiteral("Catégorie affichée à l'écran"), 3330);
    Legende(page, QStringLiteral("Affichée à l'écran:"), lblDonneesCategories[2], 2460, 3090, 2400);
    lblDonneesCategories[3] = Donnee(page, QStringLiteral("Couleur de la catégorie"), 3900);
    Placer(lblDonneesCategories[3], 2460, 3900, 1215, 255);
    Legende(page, QStringLiteral("Couleur:"), lblDonneesCategories[3], 2460, 3660, 2400);

    connect(lstCategories, &QListWidget::itemSelectionChanged, this,
            [this] { lstCategories_Click(); });
}

void frmGestion::creerPageProgrammes() {
    QFrame* page = Frame1[1];
    Titre(page, QStringLiteral("PROGRAMMES"));
    Trait(page, 120, 450, 4700);
    Decoration(page, Image(contexte_, "programmes.svg"), 32, 4320, 60);
    cboCategorie = new QComboBox(page);
    cboCategorie->setEditable(false);
    Decrire(cboCategorie, QStringLiteral("Liste des catégories"));
    Placer(cboCategorie, 120, 870, 2220, 315);
    Legende(page, QStringLiteral("Sélectionnez la catégorie:"), cboCategorie, 120, 600, 2220);
    lstProgrammes = Liste(page, QStringLiteral("Liste des programmes"), 1500, 2745);
    Legende(page, QStringLiteral("Liste des programmes:"), lstProgrammes, 120, 1260, 2220);
    // Lines of one height, so that only the lines shown have their icon looked for.
    lstProgrammes->setUniformItemSizes(true);
    iconesProgrammes = new DelegueIcones(
        lstProgrammes->model(),
        [this](int ligne) {
            return Source_Icone(cheminsProgrammes.value(ligne), typesProgrammes.value(ligne),
                                Dossier_Application(contexte_));
        },
        lstProgrammes);
    lstProgrammes->setItemDelegate(iconesProgrammes);
    const std::array<QString, 3> legendes{QStringLiteral("Nouveau"), QStringLiteral("Modifier"),
                                          QStringLiteral("Supprimer")};
    for (int i = 0; i < 3; ++i) {
        cmdProgrammes[i] =
            Bouton(page, legendes[i], i == 0 ? QStringLiteral("Nouveau programme") : QString(),
                   GaucheBoutons[i], 4320, LargeurBoutons[i]);
        connect(cmdProgrammes[i], &QPushButton::clicked, this,
                [this, i] { cmdProgrammes_Click(i); });
    }
    lblTotalProgrammes = Total_Lignes(page, QStringLiteral("Nombre total de programmes"));

    struct Champ {
        const char* legende;
        const char* bulle;
        int haut;
        int hauteur;
    };
    static constexpr std::array<Champ, 5> champs{{
        {"Nom:", "Nom du programme", 870, 255},
        {"Chemin:", "Chemin d'accès du programme", 1440, 510},
        {"Mode d'affichage:", "Mode d'affichage du programme", 2280, 255},
        {"Catégorie:", "Catégorie du programme", 2850, 255},
        {"Type:", "Type de programme", 3420, 255},
    }};
    for (std::size_t i = 0; i < champs.size(); ++i) {
        const Champ& c = champs[i];
        EtiquetteValeur* l = Donnee(page, QString::fromUtf8(c.bulle), c.haut + 240, c.hauteur);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        Legende(page, QString::fromUtf8(c.legende), l, 2460, c.haut, 2400);
        lblDonneesProgrammes[i] = l;
    }

    connect(cboCategorie, &QComboBox::currentIndexChanged, this, [this] { cboCategorie_Click(); });
    connect(lstProgrammes, &QListWidget::itemSelectionChanged, this,
            [this] { lstProgrammes_Click(); });
}

void frmGestion::Form_Load(PageGestion page) {
    Centrer_Fenetre(this);
    Placer_Premier_Plan(this, true);
    Afficher_Page(static_cast<int>(page));

    Liste_Categories();
    choisirBoiteCategories(-1);
    choisirCategorie(-1);
    if (cboCategorie->count() > 0) choisirBoiteCategories(0);
    if (lstCategories->count() > 0) choisirCategorie(0);
    // The keys go to the page shown, not to the bar that comes first in the Tab order.
    premierControle(pageVisible())->setFocus();
}

void frmGestion::ordonnerTabulation() {
    // The bar, then the page shown (the hidden one is skipped), then the buttons.
    QList<QWidget*> ordre{lblRubrique[0], lblRubrique[1], lstCategories};
    for (QPushButton* b : cmdCategorie)
        ordre << b;
    ordre << cboCategorie << lstProgrammes;
    for (QPushButton* b : cmdProgrammes)
        ordre << b;
    ordre << Boutons[2] << Boutons[0] << Boutons[1];
    for (qsizetype i = 1; i < ordre.size(); ++i)
        setTabOrder(ordre.at(i - 1), ordre.at(i));
}

QWidget* frmGestion::premierControle(int page) const {
    return page == 1 ? static_cast<QWidget*>(cboCategorie) : lstCategories;
}

int frmGestion::pageVisible() const {
    return Frame1[1]->isHidden() ? 0 : 1;
}

void frmGestion::Afficher_Page(int page) {
    for (int i = 0; i < 2; ++i) {
        QFont f = lblRubrique[i]->font();
        f.setBold(i == page);
        lblRubrique[i]->setFont(f);
        Frame1[i]->setVisible(i == page);
        Frame1[i]->move(Twips::enPixelsX(PagesGauche), 0);
    }
    // The focus left with the page hidden: it goes into the page shown, not elsewhere.
    const QWidget* focus = focusWidget();
    if (isVisible() && (!focus || !focus->isVisible())) premierControle(page)->setFocus();
}

bool frmGestion::eventFilter(QObject* objet, QEvent* evenement) {
    if (evenement->type() == QEvent::MouseButtonRelease)
        for (int i = 0; i < 2; ++i)
            if (objet == imgRubrique[i]) Afficher_Page(i);
    return QDialog::eventFilter(objet, evenement);
}

void frmGestion::keyPressEvent(QKeyEvent* evenement) {
    // Esc validates the changes, as the cancel button of the window does.
    if (evenement->key() == Qt::Key_Escape && evenement->modifiers() == Qt::NoModifier) {
        Boutons_Click(2);
        return;
    }
    QDialog::keyPressEvent(evenement);
}

void frmGestion::reject() {
    // The close box and "&Quitter": nothing to rebuild.
    fin_ = FinGestion::SansChangement;
    QDialog::reject();
}

void frmGestion::Boutons_Click(int index) {
    switch (index) {
    case 0:
        Envoyer_Touche_F1(Boutons[0]);
        break;
    case 1:
        reject();
        break;
    case 2:
        fin_ = FinGestion::MiseAJourAFaire;
        accept();
        break;
    default:
        break;
    }
}

// ---- lists -------------------------------------------------------------------------

void frmGestion::Liste_Categories() {
    const QSignalBlocker silenceBoite(cboCategorie);
    const QSignalBlocker silenceListe(lstCategories);
    cboCategorie->clear();
    lstCategories->clear();
    QStringList noms;
    try {
        for (const Categorie& categorie : contexte_.catalogue().categories())
            noms << categorie.nom;
    } catch (const ErreurCatalogue& erreur) {
        Message_Erreur_Gestion(contexte_, this,
                               QStringLiteral("La liste des catégories n'a pas pu être lue.") +
                                   CRLF + erreur.cause(),
                               erreur.numero());
    }
    lstCategories->addItems(noms);
    cboCategorie->addItems(noms);
    if (cboCategorie->count() > 0) cboCategorie->insertItem(0, ToutesCategories);
    cboCategorie->setCurrentIndex(-1);
    lblTotalCategorie->afficher(Total + QString::number(lstCategories->count()));
}

QStringList frmGestion::lignesCategories() const {
    QStringList lignes;
    for (int i = 0; i < lstCategories->count(); ++i)
        lignes << lstCategories->item(i)->text();
    return lignes;
}

int frmGestion::positionCategorie() const {
    return Position(lstCategories);
}

QString frmGestion::categorieChoisie() const {
    return Texte_Choisi(lstCategories);
}

void frmGestion::choisirCategorie(int position) {
    Positionner(lstCategories, position);
    lstCategories_Click();
}

QStringList frmGestion::lignesBoiteCategories() const {
    QStringList lignes;
    for (int i = 0; i < cboCategorie->count(); ++i)
        lignes << cboCategorie->itemText(i);
    return lignes;
}

int frmGestion::positionBoiteCategories() const {
    return cboCategorie->currentIndex();
}

void frmGestion::choisirBoiteCategories(int position) {
    {
        const QSignalBlocker silence(cboCategorie);
        cboCategorie->setCurrentIndex(position >= 0 && position < cboCategorie->count() ? position
                                                                                        : -1);
    }
    cboCategorie_Click();
}

QString frmGestion::programmeChoisi() const {
    return Texte_Choisi(lstProgrammes);
}

void frmGestion::choisirProgramme(int position) {
    Positionner(lstProgrammes, position);
    lstProgrammes_Click();
}

void frmGestion::lstCategories_Click() {
    Affiche_Categorie();
}

void frmGestion::cboCategorie_Click() {
    Liste_Programmes();
}

void frmGestion::lstProgrammes_Click() {
    Affiche_Programme();
}

void frmGestion::Liste_Programmes() {
    for (EtiquetteValeur* l : lblDonneesProgrammes)
        l->effacer();
    const int position = cboCategorie->currentIndex();
    QStringList noms;
    cheminsProgrammes.clear();
    typesProgrammes.clear();
    // With no entry chosen (the entry was deleted), the list must not keep items that
    // may be gone: it is emptied.
    if (position >= 0) {
        try {
            Catalogue& catalogue = contexte_.catalogue();
            const QList<Element> elements = position == 0
                                                ? catalogue.elements()
                                                : catalogue.elementsDe(cboCategorie->currentText());
            for (const Element& element : elements) {
                noms << element.nom;
                cheminsProgrammes << element.chemin;
                typesProgrammes << element.typefichier;
            }
        } catch (const ErreurCatalogue& erreur) {
            noms.clear();
            Message_Erreur_Gestion(contexte_, this,
                                   QStringLiteral("La liste des programmes n'a pas pu être lue.") +
                                       CRLF + erreur.cause(),
                                   erreur.numero());
        }
    }
    {
        const QSignalBlocker silence(lstProgrammes);
        lstProgrammes->clear();
        lstProgrammes->addItems(noms);
    }
    lblTotalProgrammes->afficher(Total + QString::number(lstProgrammes->count()));
    choisirProgramme(-1);
    if (lstProgrammes->count() > 0) choisirProgramme(0);
}

void frmGestion::Affiche_Programme() {
    for (EtiquetteValeur* l : lblDonneesProgrammes)
        l->effacer();
    const QString nom = Texte_Choisi(lstProgrammes);
    if (nom.isEmpty()) return;
    std::optional<Element> element;
    try {
        element = contexte_.catalogue().element(nom);
    } catch (const ErreurCatalogue&) {
        // The details stay empty; the list itself was read.
    }
    if (!element) return;
    lblDonneesProgrammes[0]->afficher(element->nom);
    lblDonneesProgrammes[1]->afficher(element->chemin);
    lblDonneesProgrammes[2]->afficher(Texte_Demarrage(element->demarrage));
    lblDonneesProgrammes[3]->afficher(element->categorie);
    lblDonneesProgrammes[4]->afficher(Texte_Type(element->typefichier));
}

void frmGestion::Affiche_Categorie() {
    for (EtiquetteValeur* l : lblDonneesCategories) {
        l->effacer();
        l->setStyleSheet(QString());
    }
    imgIcone->clear();
    const QString nom = Texte_Choisi(lstCategories);
    if (Position(lstCategories) < 0) return;

    std::optional<Categorie> categorie;
    try {
        categorie = contexte_.catalogue().categorie(nom);
    } catch (const ErreurCatalogue&) {
    }
    if (categorie) {
        lblDonneesCategories[0]->afficher(nom);
        if (Fichier_Existe(categorie->icone))
            if (const auto image = Charger_Apercu(categorie->icone, imgIcone->size()))
                imgIcone->setPixmap(*image);
        lblDonneesCategories[2]->afficher(categorie->affichee ? QStringLiteral("OUI")
                                                              : QStringLiteral("NON"));
        const QString& couleur = categorie->couleurStockee;
        if (couleur == QLatin1String("-1")) {
            lblDonneesCategories[3]->afficher(QStringLiteral("Aléatoire"));
        } else {
            const QColor c = Couleur_Windows(Valeur_Entiere_32(couleur));
            lblDonneesCategories[3]->setStyleSheet(
                QStringLiteral("QLabel { background-color: %1; border: 1px solid black; }")
                    .arg(c.name()));
            // The box shows no text: a screen reader says the colour instead.
            lblDonneesCategories[3]->afficher(QString());
            lblDonneesCategories[3]->setAccessibleName(Nom_Couleur(c));
        }
    }
    try {
        lblDonneesCategories[1]->afficher(
            QString::number(contexte_.catalogue().compterElementsDe(nom)));
    } catch (const ErreurCatalogue&) {
    }
}

// ---- buttons -----------------------------------------------------------------------

void frmGestion::cmdCategorie_Click(int index) {
    if (index != 0 && Position(lstCategories) < 0) {
        informer(QStringLiteral("Sélectionnez une catégorie dans la liste."));
        lstCategories->setFocus();
        return;
    }
    if (index == 2)
        supprimerCategorie();
    else
        ouvrirEditeurCategorie(index == 0 ? ModeEditeur::Creation : ModeEditeur::Modification);
}

void frmGestion::cmdProgrammes_Click(int index) {
    if (index != 0 && Position(lstProgrammes) < 0) {
        informer(QStringLiteral("Sélectionnez un programme dans la liste."));
        lstProgrammes->setFocus();
        return;
    }
    if (index == 2)
        supprimerProgramme();
    else
        ouvrirEditeurProgramme(index == 0 ? ModeEditeur::Creation : ModeEditeur::Modification);
}

void frmGestion::ouvrirEditeurCategorie(ModeEditeur mode) {
    QPointer<frmCategories> editeur = new frmCategories(contexte_, *this, mode, this);
    editeur->exec();
    delete editeur;
    Reprendre_La_Main(this);
}

void frmGestion::ouvrirEditeurProgramme(ModeEditeur mode) {
    QPointer<frmProgrammes> editeur = new frmProgrammes(contexte_, *this, mode, this);
    editeur->exec();
    delete editeur;
    Reprendre_La_Main(this);
}

void frmGestion::signalerEchec(const QString& quoi, const ErreurCatalogue& erreur, QWidget* liste) {
    Message_Erreur_Gestion(contexte_, this, quoi + CRLF + erreur.cause(), erreur.numero());
    liste->setFocus();
}

void frmGestion::signalerDisparu(const QString& texte, QWidget* liste) {
    // Gone meanwhile (another program, the sqlite3 shell): nothing was deleted, and the
    // lists are read again so that they show what the catalogue holds.
    informer(texte, IconeMessage::Exclamation);
    Rafraichir_Apres_Suppression();
    liste->setFocus();
}

ReponseMessage frmGestion::informer(const QString& texte, IconeMessage icone,
                                    BoutonsMessage boutons) {
    return contexte_.messages().afficher(texte, icone, boutons, QStringLiteral("Dalvire"), this);
}

void frmGestion::supprimerCategorie() {
    const QString nom = Texte_Choisi(lstCategories);
    const QString echec =
        QStringLiteral("La catégorie [") + nom + QStringLiteral("] n'a pas pu être supprimée.");
    // Counted now rather than read from the details: the question must say what the
    // deletion takes with it, whatever the panel shows.
    int programmes = 0;
    try {
        programmes = contexte_.catalogue().compterElementsDe(nom);
    } catch (const ErreurCatalogue& erreur) {
        signalerEchec(echec, erreur, lstCategories);
        return;
    }
    const QString question =
        programmes > 0
            ? QStringLiteral("Il existe un ou plusieurs programmes dépendant de la catégorie que "
                             "vous désirez supprimer.") +
                  CRLF +
                  QStringLiteral("Si vous supprimez cette catégorie, ces programmes seront "
                                 "également supprimés.") +
                  CRLF + QStringLiteral("Désirez-vous supprimer la catégorie [") + nom +
                  QStringLiteral("] ?")
            : QStringLiteral("Êtes vous sûr(e) de vouloir supprimer la catégorie:") + CRLF +
                  QStringLiteral("[") + nom + QStringLiteral("] ?");
    if (informer(question, IconeMessage::Question, BoutonsMessage::OuiNon) != ReponseMessage::Oui) {
        lstCategories->setFocus();
        return;
    }
    // The category and its items go together or not at all: no item may outlive its
    // category, even one added since the count.
    SuppressionCategorie supprimees;
    QList<Element> partis;
    try {
        partis = contexte_.catalogue().elementsDe(nom);
        supprimees = contexte_.catalogue().supprimerCategorie(nom);
    } catch (const ErreurCatalogue& erreur) {
        signalerEchec(echec, erreur, lstCategories);
        return;
    }
    contexte_.utilisations().oublier(partis);
    if (supprimees.categories == 0) {
        signalerDisparu(QStringLiteral("La catégorie [") + nom +
                            QStringLiteral("] n'a pas été trouvée : elle a été supprimée ou "
                                           "renommée entre-temps."),
                        lstCategories);
        return;
    }
    QString rapport = QStringLiteral("La catégorie [") + nom + QStringLiteral("] a été supprimée.");
    if (supprimees.elements > 0)
        rapport += CRLF + QStringLiteral("Les programmes de cette catégorie ont également été "
                                         "supprimés.");
    informer(rapport);
    Rafraichir_Apres_Suppression();
}

void frmGestion::supprimerProgramme() {
    const QString nom = Texte_Choisi(lstProgrammes);
    if (informer(QStringLiteral("Êtes vous sûr(e) de vouloir supprimer le programme:") + CRLF +
                     QStringLiteral("[") + nom + QStringLiteral("] ?"),
                 IconeMessage::Question, BoutonsMessage::OuiNon) != ReponseMessage::Oui) {
        lstProgrammes->setFocus();
        return;
    }
    int supprimes = 0;
    try {
        supprimes = contexte_.catalogue().supprimerElement(nom);
    } catch (const ErreurCatalogue& erreur) {
        signalerEchec(QStringLiteral("Le programme [") + nom +
                          QStringLiteral("] n'a pas pu être supprimé."),
                      erreur, lstProgrammes);
        return;
    }
    if (supprimes == 0) {
        signalerDisparu(QStringLiteral("Le programme [") + nom +
                            QStringLiteral("] n'a pas été trouvé : il a été supprimé ou "
                                           "renommé entre-temps."),
                        lstProgrammes);
        return;
    }
    contexte_.utilisations().oublier(QStringList{nom});
    informer(QStringLiteral("Le programme [") + nom + QStringLiteral("] a été supprimé."));
    Rafraichir_Apres_Suppression();
}

void frmGestion::Rafraichir_Apres_Suppression() {
    const int boite = cboCategorie->currentIndex();
    const int liste = Position(lstCategories);
    Liste_Categories();
    choisirBoiteCategories(-1);
    choisirCategorie(-1);
    if (cboCategorie->count() > 0) choisirBoiteCategories(boite);
    if (lstCategories->count() > 0) choisirCategorie(liste);
}

FinGestion Afficher_Fenetre_Gestion(Contexte& contexte, PageGestion page, QWidget* parent) {
    // Held by a guard: quitting from elsewhere may unload the window while it is shown.
    QPointer<frmGestion> fenetre = new frmGestion(contexte, page, parent);
    fenetre->exec();
    const FinGestion fin = fenetre ? fenetre->fin() : FinGestion::SansChangement;
    delete fenetre;
    return fin;
}
