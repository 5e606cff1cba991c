#include "launcher/frmDalvire.h"

#include "base/Twips.h"
#include "core/Contexte.h"
#include "core/Services.h"
#include "launcher/Lanceur.h"
#include "platform/FenetresX11.h"
#include "ui/Cadre.h"
#include "ui/Curseur.h"
#include "ui/DelegueIcones.h"
#include "ui/ListesDeroulantes.h"
#include "ui/PalettesCommunes.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QStylePainter>
#include <QWheelEvent>

#include <limits>

namespace {

// The client area in twips and the single border around it, in pixels.
constexpr int LargeurClient = 3525;
constexpr int HauteurClient = 435;
constexpr int Bord = 1;
// What stays on screen of a slid-in window: the icon and its margin.
constexpr int PartieVisible = 500;

const QColor CouleurConception(192, 192, 255); // 16761024

QRect placeControle(int gauche, int haut, int largeur, int hauteur) {
    return Twips::rectEnPixels(gauche, haut, largeur, hauteur).translated(Bord, Bord);
}

bool sansModificateur(const QKeyEvent& touche) {
    return (touche.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// Enter, Return or Space alone: the keys that choose the current entry.
bool toucheDeChoix(const QKeyEvent& touche) {
    return sansModificateur(touche) &&
           (touche.key() == Qt::Key_Return || touche.key() == Qt::Key_Enter ||
            touche.key() == Qt::Key_Space);
}

// F4 alone, or Alt with an arrow up or down: the keys that open or close the list.
bool toucheDeBascule(const QKeyEvent& touche) {
    if (touche.key() == Qt::Key_F4) return sansModificateur(touche);
    return (touche.key() == Qt::Key_Down || touche.key() == Qt::Key_Up) &&
           (touche.modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier;
}

} // namespace

// ---------------------------------------------------------------------------------------

ImageIcone::ImageIcone(QWidget* parent)
    : QLabel(parent) {
    setScaledContents(true);
}

void ImageIcone::mousePressEvent(QMouseEvent* evenement) {
    if (evenement->button() == Qt::LeftButton) gauchePresse_ = true;
    evenement->accept();
}

void ImageIcone::mouseReleaseEvent(QMouseEvent* evenement) {
    const bool dessus = rect().contains(evenement->position().toPoint());
    if (evenement->button() == Qt::LeftButton) {
        const bool clique = gauchePresse_ && dessus;
        gauchePresse_ = false;
        if (clique) Q_EMIT clic();
    } else if (evenement->button() == Qt::RightButton && dessus) {
        Q_EMIT clicDroitRelache(evenement->globalPosition().toPoint());
    }
    evenement->accept();
}

void ImageIcone::mouseDoubleClickEvent(QMouseEvent* evenement) {
    // The second click of a double click is no click of its own: a double click
    // toggles the window once.
    evenement->accept();
}

// ---------------------------------------------------------------------------------------

ListeProgrammes::ListeProgrammes(QWidget* parent)
    : QComboBox(parent)
    , modele_(new QStringListModel(this)) {
    setModel(modele_);
    connect(this, &QComboBox::activated, this, [this] {
        if (!deplacementSeul_) Q_EMIT choisie();
    });
}

ListeProgrammes::~ListeProgrammes() {
    // The drop-down part goes after this part of the list: its hiding is no closing.
    if (!cadre_) return;
    cadre_->removeEventFilter(this);
    view()->removeEventFilter(this);
}

void ListeProgrammes::preparerListe() {
    // Made at the first opening, not with the strip: a strip that is never opened keeps
    // no list view, nor the code and style sheet it takes, while the program rests.
    if (cadre_) return;
    Borner_Liste_Deroulante(*this);
    // The strip's font, now set on the list itself: Qt gives it to the drop-down part, a
    // window of its own that would not take it otherwise.
    setFont(font());
    // Lines of one height: the open list then measures one line, not every item's icon.
    if (auto* vue = qobject_cast<QListView*>(view())) vue->setUniformItemSizes(true);
    if (icones_) setItemDelegate(icones_);
    // The drop-down part's showing and hiding tell its opening and closing, whatever
    // opened or closed it; its keys are looked at before the base class's own.
    cadre_ = view()->window();
    cadre_->installEventFilter(this);
    view()->installEventFilter(this);
    connect(view()->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &ListeProgrammes::defilee);
}

void ListeProgrammes::remplir(const QStringList& noms) {
    const QSignalBlocker silence(this);
    modele_->setStringList(noms);
    setCurrentIndex(-1);
}

bool ListeProgrammes::estDeroulee() const {
    return cadre_ && cadre_->isVisible();
}

void ListeProgrammes::showPopup() {
    preparerListe();
    QComboBox::showPopup();
}

void ListeProgrammes::focusOutEvent(QFocusEvent* evenement) {
    QComboBox::focusOutEvent(evenement);
    // Its own drop-down taking the keyboard is no loss of focus.
    if (evenement->reason() != Qt::PopupFocusReason) Q_EMIT focusPerdu();
}

void ListeProgrammes::paintEvent(QPaintEvent*) {
    // As the combo box paints itself, with the current entry's icon (the model holds only
    // texts, the icons being looked for when a line is shown) and the palette shared by
    // the lists of its colours.
    QStylePainter peintre(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.palette = paletteDessin();
    if (icones_ && currentIndex() >= 0) option.currentIcon = icones_->icone(currentIndex());
    peintre.drawComplexControl(QStyle::CC_ComboBox, option);
    peintre.drawControl(QStyle::CE_ComboBoxLabel, option);
}

QPalette ListeProgrammes::paletteDessin() const {
    return palettes_ ? palettes_->commune(palette()) : palette();
}

void ListeProgrammes::keyPressEvent(QKeyEvent* evenement) {
    if (toucheDeChoix(*evenement) && currentIndex() >= 0) {
        evenement->accept();
        Q_EMIT choisie();
        return;
    }
    // Arrows, pages, Home, End and typed letters move the current entry, and the base
    // class calls that an activation: it is no choice. Space without a current entry
    // opens the list.
    const QScopedValueRollback deplacement(deplacementSeul_, true);
    QComboBox::keyPressEvent(evenement);
}

void ListeProgrammes::wheelEvent(QWheelEvent* evenement) {
    const QScopedValueRollback deplacement(deplacementSeul_, true);
    QComboBox::wheelEvent(evenement);
}

bool ListeProgrammes::toucheDeLaListeOuverte(QKeyEvent& touche) {
    if (toucheDeBascule(touche)) {
        // Closes the list as Escape does: the base class would take the highlighted
        // entry as chosen.
        touche.accept();
        hidePopup();
        return true;
    }
    if (touche.type() != QEvent::KeyPress || touche.key() != Qt::Key_Space ||
        !sansModificateur(touche))
        return false;
    const QModelIndex entree = view()->currentIndex();
    if (!entree.isValid() || !entree.flags().testFlag(Qt::ItemIsEnabled)) return false;
    hidePopup();
    setCurrentIndex(entree.row());
    Q_EMIT choisie();
    return true;
}

bool ListeProgrammes::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == cadre_) {
        if (evenement->type() == QEvent::Show)
            Q_EMIT deroulee();
        else if (evenement->type() == QEvent::Hide)
            Q_EMIT refermee();
    } else if ((evenement->type() == QEvent::ShortcutOverride ||
                evenement->type() == QEvent::KeyPress) &&
               estDeroulee() && toucheDeLaListeOuverte(*static_cast<QKeyEvent*>(evenement))) {
        return true;
    }
    return QComboBox::eventFilter(objet, evenement);
}

// ---------------------------------------------------------------------------------------

void ListeCachee::clear() {
    textes_.clear();
    index_ = -1;
}

void ListeCachee::setCurrentIndex(int index) {
    index_ = index >= 0 && index < count() ? index : -1;
}

// ---------------------------------------------------------------------------------------

QSize frmDalvire::tailleIcone() {
    return placeControle(60, 30, 375, 375).size();
}

QSize frmDalvire::tailleExterieure() {
    return Twips::tailleEnPixels(LargeurClient, HauteurClient) + QSize(2 * Bord, 2 * Bord);
}

frmDalvire::frmDalvire(Contexte& contexte, const QPixmap& imageConception)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint)
    , contexte_(contexte)
    , inscription_(contexte.fenetres(), this, QString()) {
    setFixedSize(tailleExterieure());
    setAutoFillBackground(true);
    // A launcher window is never the active window, where alone tooltips show otherwise:
    // the icon's tooltip is what tells apart strips that share an icon.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    QPalette fond = palette();
    fond.setColor(QPalette::Window, CouleurConception);
    setPalette(fond);
    // The list's font, given to the window before the list is made: set on the list
    // itself, it would make Qt build the drop-down part at once (see preparerListe).
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSizeF(8.25);
    setFont(tahoma);

    const QCursor main = Curseur_Main(contexte_);

    imgIcone = new ImageIcone(this);
    imgIcone->setGeometry(placeControle(60, 30, 375, 375));
    imgIcone->setPixmap(!imageConception.isNull() ? imageConception
                                                  : QIcon(Dossier_Application(contexte_) +
                                                          QStringLiteral("icones/dalvire.ico"))
                                                        .pixmap(imgIcone->size()));
    imgIcone->setCursor(main);

    cboProgrammes = new ListeProgrammes(this);
    cboProgrammes->setGeometry(placeControle(480, 60, 3015, 315));
    cboProgrammes->setCursor(main);
    cboProgrammes->setFocusPolicy(Qt::StrongFocus);
    iconesProgrammes = new DelegueIcones(
        cboProgrammes->model(),
        [this](int ligne) {
            return Source_Icone(cboChemin.itemText(ligne),
                                CodeStocke<TypeElement>::lu(cboType.itemText(ligne)),
                                Dossier_Application(contexte_));
        },
        cboProgrammes);
    cboProgrammes->definirIcones(iconesProgrammes);
    setAcceptDrops(true);

    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &frmDalvire::Timer1_Timer);
    remiseEnPlace_.setSingleShot(true);
    remiseEnPlace_.setInterval(50);
    connect(&remiseEnPlace_, &QTimer::timeout, this, [this] {
        if (isVisible() && pos() != placeVoulue()) move(placeVoulue());
    });
    connect(imgIcone, &ImageIcone::clic, this, &frmDalvire::imgIcone_Click);
    connect(imgIcone, &ImageIcone::clicDroitRelache, this, &frmDalvire::menuPrincipalDemande);
    connect(cboProgrammes, &ListeProgrammes::choisie, this, &frmDalvire::choixFait);
    connect(cboProgrammes, &ListeProgrammes::deroulee, this, &frmDalvire::cboProgrammes_DropDown);
    connect(cboProgrammes, &ListeProgrammes::defilee, this, &frmDalvire::cboProgrammes_Scroll);
    connect(cboProgrammes, &ListeProgrammes::refermee, this, &frmDalvire::cboProgrammes_CloseUp);
    connect(cboProgrammes, &ListeProgrammes::focusPerdu, this,
            &frmDalvire::cboProgrammes_LostFocus);
}

frmDalvire::~frmDalvire() {
    // Closing the window, further down, takes the focus from its list, whose signal must
    // not reach this part of the window, gone by then.
    cboProgrammes->disconnect(this);
    imgIcone->disconnect(this);
}

void frmDalvire::definirTag(const QString& tag) {
    Fenetres::definirTag(this, tag);
    setAccessibleName(tag);
    cboProgrammes->setAccessibleName(tag);
}

void frmDalvire::Form_Load() {
    move(gaucheRentree(), haut_);
    Afficher = false;
    Placer_Premier_Plan(this, contexte_.reglages().premierPlan());
    Compteur = 0;
    Timer1.stop();
    X11::Hors_Barre_Des_Taches(this);
}

QRect frmDalvire::zoneDeTravail() {
    const QScreen* ecran = QGuiApplication::primaryScreen();
    return ecran ? ecran->availableGeometry() : QRect();
}

int frmDalvire::gaucheRentree() const {
    const QRect ecran = zoneDeTravail();
    return ecran.x() + ecran.width() - Twips::enPixelsX(PartieVisible);
}

int frmDalvire::gaucheSortie() const {
    const QRect ecran = zoneDeTravail();
    return ecran.x() + ecran.width() - frameGeometry().width();
}

QPoint frmDalvire::placeVoulue() const {
    return {Afficher ? gaucheSortie() : gaucheRentree(), haut_};
}

void frmDalvire::moveEvent(QMoveEvent* evenement) {
    QWidget::moveEvent(evenement);
    // On a loaded machine the window manager's first word on a newly mapped window may
    // give the program the corner of the window's frame for its place, while the window
    // stands where it was put: the program would then read, and tell screen readers, a
    // wrong place. Moved again to where it belongs, the window gets a true word back.
    if (isVisible() && pos() != placeVoulue()) remiseEnPlace_.start();
}

void frmDalvire::glisser(bool sortir) {
    move(sortir ? gaucheSortie() : gaucheRentree(), haut_);
}

void frmDalvire::Placer_Haut(int haut) {
    haut_ = haut;
    move(x(), haut_);
}

void frmDalvire::imgIcone_Click() {
    if (Afficher) {
        Afficher = false;
        glisser(false);
    } else {
        for (QWidget* fenetre : contexte_.fenetres().ouvertes<QWidget>()) {
            const QString tag = Fenetres::tag(fenetre);
            if (tag == Tag::Principale || tag == Tag::Gestion) continue;
            // Only launcher windows slide; any other window that happens to be open is
            // left alone.
            auto* autre = qobject_cast<frmDalvire*>(fenetre);
            if (!autre || !autre->Afficher) continue;
            autre->Afficher = false;
            autre->Timer1.stop();
            autre->glisser(false);
        }
        glisser(true);
        Afficher = true;
    }
    Compteur = 0;
    if (Afficher)
        Timer1.start();
    else
        Timer1.stop();
}

void frmDalvire::Timer1_Timer() {
    if (Compteur < std::numeric_limits<qint16>::max()) ++Compteur;
    if (Compteur == contexte_.reglages().delaiFermeture()) imgIcone_Click();
}

void frmDalvire::cboProgrammes_Click() {
    Lancer_Element(*this);
}

void frmDalvire::cboProgrammes_DropDown() {
    if (Afficher) Timer1.stop();
}

void frmDalvire::cboProgrammes_Scroll() {
    // The scroll bar of a closed list may move too (when its entries change): only the
    // open list freezes the countdown, which its closing resumes.
    if (Afficher && cboProgrammes->estDeroulee()) Timer1.stop();
}

void frmDalvire::cboProgrammes_CloseUp() {
    if (Afficher && !Timer1.isActive()) Timer1.start();
}

void frmDalvire::cboProgrammes_LostFocus() {
    if (Afficher && !Timer1.isActive()) Timer1.start();
}

void frmDalvire::choixFait() {
    if (lancementDemande_) return;
    lancementDemande_ = true;
    // Once the list has closed and the event that chose has been handled: the launch may
    // ask a question.
    QTimer::singleShot(0, this, &frmDalvire::lancerSiDemande);
}

void frmDalvire::lancerSiDemande() {
    if (!lancementDemande_) return;
    lancementDemande_ = false;
    cboProgrammes_Click();
}

void frmDalvire::paintEvent(QPaintEvent* evenement) {
    QWidget::paintEvent(evenement);
    QPainter peintre(this);
    peintre.setPen(QPen(palette().color(QPalette::WindowText), Bord));
    peintre.setBrush(Qt::NoBrush);
    peintre.drawRect(rect().adjusted(0, 0, -Bord, -Bord));
}

namespace {

// A drop only names what it offers: it must never be taken as a move, which would have
// the source delete its file. A link, or else a copy; nothing when the source offers
// neither.
bool accepterSansDeplacer(QDropEvent* evenement) {
    const Qt::DropActions possibles = evenement->possibleActions();
    if (possibles.testFlag(Qt::LinkAction))
        evenement->setDropAction(Qt::LinkAction);
    else if (possibles.testFlag(Qt::CopyAction))
        evenement->setDropAction(Qt::CopyAction);
    else
        return false;
    evenement->accept();
    return true;
}

} // namespace

void frmDalvire::dragEnterEvent(QDragEnterEvent* evenement) {
    if (evenement->mimeData() && Classer_Depot(*evenement->mimeData()))
        accepterSansDeplacer(evenement);
}

void frmDalvire::dragMoveEvent(QDragMoveEvent* evenement) {
    accepterSansDeplacer(evenement);
}

void frmDalvire::dropEvent(QDropEvent* evenement) {
    if (!evenement->mimeData()) return;
    std::optional<ElementPropose> element = Classer_Depot(*evenement->mimeData());
    if (!element || !accepterSansDeplacer(evenement)) return;
    element->categorie = Tag();
    // The source of the drag waits for the end of the drop: the editor opens after it.
    QTimer::singleShot(0, this, [this, e = *element] { Q_EMIT elementDepose(e); });
}

void frmDalvire::closeEvent(QCloseEvent* evenement) {
    // A launcher window lives until the program closes it: the window manager's close
    // request (Alt+F4) would only lose it until the next rebuild.
    if (evenement->spontaneous())
        evenement->ignore();
    else
        QWidget::closeEvent(evenement);
}
