#include "launcher/frmDalvire.h"

#include "base/Twips.h"
#include "core/Contexte.h"
#include "core/Services.h"
#include "launcher/ImageIcone.h"
#include "launcher/Lanceur.h"
#include "launcher/ListeProgrammes.h"
#include "platform/FenetresX11.h"
#include "ui/Cadre.h"
#include "ui/Curseur.h"
#include "ui/DelegueIcones.h"
#include "ui/PalettesCommunes.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QScreen>

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

} // namespace

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
    definirCouleur(CouleurConception);
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
    cboProgrammes->setObjectName(QStringLiteral("cboProgrammes"));
    imgIcone->setObjectName(QStringLiteral("imgIcone"));
    iconesProgrammes = new DelegueIcones(
        cboProgrammes->model(),
        [this](int ligne) {
            const Element& element = cboProgrammes->element(ligne);
            return Source_Icone(element.chemin, element.type, Dossier_Application(contexte_));
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
    imgIcone->setToolTip(tag);
}

void frmDalvire::definirImage(const QPixmap& image) {
    imgIcone->setPixmap(image);
}

QPixmap frmDalvire::image() const {
    return imgIcone->pixmap();
}

void frmDalvire::definirCouleur(const QColor& couleur) {
    QPalette fond = palette();
    fond.setColor(QPalette::Window, couleur);
    setPalette(fond);
}

void frmDalvire::definirLignes(QList<Element> elements) {
    cboProgrammes->remplir(std::move(elements));
    cboProgrammes->setToolTip(QString());
}

const QList<Element>& frmDalvire::lignes() const {
    return cboProgrammes->elements();
}

void frmDalvire::definirPalettes(PalettesCommunes* palettes) {
    cboProgrammes->definirPalettes(palettes);
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
