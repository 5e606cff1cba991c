#include "manage/frmGestion.h"

#include "base/Twips.h"
#include "catalogue/Catalogue.h"
#include "core/Contexte.h"
#include "core/Services.h"
#include "manage/Gestion.h"
#include "manage/PagesGestion.h"
#include "manage/RefusCatalogue.h"
#include "platform/Messages.h"
#include "ui/Cadre.h"
#include "ui/Controles.h"
#include "ui/Curseur.h"
#include "ui/ModelesCatalogue.h"
#include "ui/ToucheAide.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>

using namespace Controles;
using namespace PagesGestion;

namespace {

QStringList Lignes(const QAbstractItemModel& modele) {
    QStringList lignes;
    for (int i = 0; i < modele.rowCount(); ++i)
        lignes << modele.index(i, 0).data().toString();
    return lignes;
}

} // namespace

frmGestion::frmGestion(Contexte& contexte, PageGestion page, QWidget* parent)
    : QDialog(parent, Cadre_Dialogue)
    , contexte_(contexte)
    , inscription_(contexte.fenetres(), this, Tag::Gestion) {
    // What another tool wrote since the catalogue was last read shows now; read before the
    // lists are, so that they are filled once.
    std::optional<ErreurCatalogue> echec;
    try {
        contexte_.modele().rechargerSiModifie();
    } catch (const ErreurCatalogue& erreur) {
        echec = erreur;
    }
    categories_ = new ModeleCategories(contexte_.modele(), {}, this);
    boite_ = new ModeleCategories(contexte_.modele(), ToutesCategories, this);
    elements_ = new ModeleElements(contexte_.modele(), this);
    programmes_ = new ElementsDeCategorie(*elements_, this);
    creerControles();
    new ToucheAide(contexte_, this, [this] {
        return pageVisible() == 1 ? RubriqueAide::Programmes : RubriqueAide::Categories;
    });
    Form_Load(page, echec);
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

    // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+Page Down and Ctrl+Page Up go to the other page. With
    // Shift, Tab arrives as Backtab, with or without Shift among the modifiers.
    auto* autrePage = new QShortcut(this);
    autrePage->setKeys(
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
         QKeySequence(Qt::CTRL | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
         QKeySequence(Qt::CTRL | Qt::Key_PageDown), QKeySequence(Qt::CTRL | Qt::Key_PageUp)});
    const auto basculer = [this] {
        Afficher_Page(1 - pageVisible());
        premierControle(pageVisible())->setFocus(Qt::TabFocusReason);
    };
    connect(autrePage, &QShortcut::activated, this, basculer);
    connect(autrePage, &QShortcut::activatedAmbiguously, this, basculer);

    const QCursor main = Curseur_Main(contexte_);
    for (QWidget* w : findChildren<QWidget*>())
        if (qobject_cast<QPushButton*>(w) || qobject_cast<QListView*>(w) ||
            qobject_cast<QComboBox*>(w) || w == imgRubrique[0] || w == imgRubrique[1])
            w->setCursor(main);
}

void frmGestion::Form_Load(PageGestion page, const std::optional<ErreurCatalogue>& echec) {
    Centrer_Fenetre(this);
    Placer_Premier_Plan(this, true);
    Afficher_Page(static_cast<int>(page));

    if (echec)
        Message_Erreur_Gestion(contexte_, this,
                               QStringLiteral("La liste des catégories n'a pas pu être lue.") +
                                   SautDeLigne + echec->cause(),
                               echec->numero());
    suivreModele();
    reprendre(Positions{0, 0, -1});
    // The keys go to the page shown, not to the bar that comes first in the Tab order.
    premierControle(pageVisible())->setFocus();
}

void frmGestion::suivreModele() {
    for (QAbstractItemModel* m :
         std::initializer_list<QAbstractItemModel*>{categories_, programmes_}) {
        connect(m, &QAbstractItemModel::rowsInserted, this, &frmGestion::afficherTotaux);
        connect(m, &QAbstractItemModel::rowsRemoved, this, &frmGestion::afficherTotaux);
        connect(m, &QAbstractItemModel::modelReset, this, &frmGestion::afficherTotaux);
    }
    // The details of the rows chosen follow their changes, and a category's count its items.
    connect(categories_, &QAbstractItemModel::dataChanged, this, &frmGestion::Affiche_Categorie);
    for (const auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(elements_, signal, this, &frmGestion::afficherCategoriePlusTard);
    connect(categories_, &QAbstractItemModel::rowsRemoved, this,
            &frmGestion::afficherCategoriePlusTard);
    connect(elements_, &QAbstractItemModel::dataChanged, this,
            &frmGestion::afficherCategoriePlusTard);
    connect(programmes_, &QAbstractItemModel::dataChanged, this, &frmGestion::Affiche_Programme);
    connect(programmes_, &QAbstractItemModel::rowsRemoved, this, &frmGestion::Affiche_Programme);
    // Every row read again: each list back where it stood.
    connect(&contexte_.modele(), &ModeleCatalogue::avantRechargement, this,
            [this] { avantRelecture_ = positions(); });
    connect(&contexte_.modele(), &ModeleCatalogue::recharge, this,
            [this] { reprendre(avantRelecture_, true); });
}

void frmGestion::afficherTotaux() {
    lblTotalCategorie->afficher(Total + QString::number(categories_->rowCount()));
    lblTotalProgrammes->afficher(Total + QString::number(programmes_->rowCount()));
}

void frmGestion::afficherCategoriePlusTard() {
    if (detailsCategorieAFaire_) return;
    detailsCategorieAFaire_ = true;
    // Shown by then (a deletion chooses the next line itself): nothing left to do.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (detailsCategorieAFaire_) Affiche_Categorie();
        },
        Qt::QueuedConnection);
}

QStringList frmGestion::lignesCategories() const {
    return Lignes(*categories_);
}

QStringList frmGestion::lignesBoiteCategories() const {
    return Lignes(*boite_);
}

QStringList frmGestion::lignesProgrammes() const {
    return Lignes(*programmes_);
}

QString frmGestion::categorieChoisie() const {
    return Texte_Choisi(lstCategories);
}

QString frmGestion::programmeChoisi() const {
    return Texte_Choisi(lstProgrammes);
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
    // The list, whatever the page: a first Down in the category box would change the
    // filter unseen.
    return page == 1 ? lstProgrammes : lstCategories;
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

void frmGestion::signalerEchec(const QString& quoi, const ErreurCatalogue& erreur, QWidget* liste) {
    Message_Erreur_Gestion(contexte_, this, quoi + SautDeLigne + erreur.cause(), erreur.numero());
    liste->setFocus();
}

void frmGestion::signalerDisparu(const QString& texte, QWidget* liste) {
    // Gone meanwhile (another program, the sqlite3 shell): nothing was deleted, and the
    // catalogue, read again, shows in the lists what it holds.
    informer(texte, IconeMessage::Exclamation);
    liste->setFocus();
}

ReponseMessage frmGestion::informer(const QString& texte, IconeMessage icone,
                                    BoutonsMessage boutons) {
    return contexte_.messages().afficher(texte, icone, boutons, QStringLiteral("Dalvire"), this);
}

frmGestion::Positions frmGestion::positions() const {
    return {cboCategorie->currentIndex(), Position(lstCategories), Position(lstProgrammes)};
}

void frmGestion::reprendre(const Positions& avant, bool programme) {
    // A list with no line left, or none chosen before, has none chosen.
    const auto dans = [](int position, int lignes) { return std::min(position, lignes - 1); };
    choisirBoiteCategories(dans(avant.boite, cboCategorie->count()));
    choisirCategorie(dans(avant.categorie, categories_->rowCount()));
    if (programme && avant.programme >= 0 && programmes_->rowCount() > 0)
        choisirProgramme(dans(avant.programme, programmes_->rowCount()));
    afficherTotaux();
}

FinGestion Afficher_Fenetre_Gestion(Contexte& contexte, PageGestion page, QWidget* parent) {
    // Held by a guard: quitting from elsewhere may unload the window while it is shown.
    QPointer<frmGestion> fenetre = new frmGestion(contexte, page, parent);
    fenetre->exec();
    const FinGestion fin = fenetre ? fenetre->fin() : FinGestion::SansChangement;
    delete fenetre;
    contexte.catalogue().liberer();
    return fin;
}
