#include "launcher/frmDalvire.h"

#include "core/Contexte.h"
#include "core/Curseur.h"
#include "core/Services.h"
#include "base/Twips.h"
#include "launcher/Lanceur.h"
#include "platform/FenetresX11.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStringListModel>

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

QRect ecranPrincipal() {
    const QScreen* ecran = QGuiApplication::primaryScreen();
    return ecran ? ecran->geometry() : QRect();
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
}

void ListeProgrammes::remplir(const QStringList& noms) {
    const QSignalBlocker silence(this);
    modele_->setStringList(noms);
    setCurrentIndex(-1);
}

void ListeProgrammes::showPopup() {
    Q_EMIT deroulee();
    // The drop-down part exists only once shown: follow its scrolling from then on.
    if (!defilementSuivi_) {
        defilementSuivi_ = true;
        connect(view()->verticalScrollBar(), &QScrollBar::valueChanged, this,
                &ListeProgrammes::defilee);
    }
    QComboBox::showPopup();
}

void ListeProgrammes::focusOutEvent(QFocusEvent* evenement) {
    QComboBox::focusOutEvent(evenement);
    // Its own drop-down taking the keyboard is no loss of focus.
    if (evenement->reason() != Qt::PopupFocusReason) Q_EMIT focusPerdu();
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
    QPalette fond = palette();
    fond.setColor(QPalette::Window, CouleurConception);
    setPalette(fond);

    const QCursor main = Curseur_Main(contexte_);

    imgIcone = new ImageIcone(this);
    imgIcone->setGeometry(placeControle(60, 30, 375, 375));
    imgIcone->setPixmap(!imageConception.isNull() ? imageConception
                                                  : QIcon(Dossier_Application(contexte_) +
                                                          QStringLiteral("icones/dalvire.ico"))
                                                        .pixmap(imgIcone->size()));
    imgIcone->setCursor(main);

    cboProgrammes = new ListeProgrammes(this);
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSizeF(8.25);
    cboProgrammes->setFont(tahoma);
    cboProgrammes->setGeometry(placeControle(480, 60, 3015, 315));
    cboProgrammes->setCursor(main);
    cboProgrammes->setFocusPolicy(Qt::StrongFocus);

    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &frmDalvire::Timer1_Timer);
    connect(imgIcone, &ImageIcone::clic, this, &frmDalvire::imgIcone_Click);
    connect(imgIcone, &ImageIcone::clicDroitRelache, this, &frmDalvire::menuPrincipalDemande);
    connect(cboProgrammes, &QComboBox::currentIndexChanged, this, &frmDalvire::choixModifie);
    connect(cboProgrammes, &QComboBox::activated, this, &frmDalvire::choixActive);
    connect(cboProgrammes, &ListeProgrammes::deroulee, this, &frmDalvire::cboProgrammes_DropDown);
    connect(cboProgrammes, &ListeProgrammes::defilee, this, &frmDalvire::cboProgrammes_Scroll);
    connect(cboProgrammes, &ListeProgrammes::focusPerdu, this,
            &frmDalvire::cboProgrammes_LostFocus);
}

frmDalvire::~frmDalvire() {
    // Closing the window, further down, takes the focus from its list, whose signal must
    // not reach this part of the window, gone by then.
    cboProgrammes->disconnect(this);
    imgIcone->disconnect(this);
}

void frmDalvire::Form_Load() {
    move(gaucheRentree(), haut_);
    Afficher = false;
    Placer_Premier_Plan(this, contexte_.PremierPlan != 0);
    Compteur = 0;
    Timer1.stop();
    X11::Hors_Barre_Des_Taches(this);
}

int frmDalvire::gaucheRentree() const {
    const QRect ecran = ecranPrincipal();
    return ecran.x() + ecran.width() - Twips::enPixelsX(PartieVisible);
}

int frmDalvire::gaucheSortie() const {
    const QRect ecran = ecranPrincipal();
    return ecran.x() + ecran.width() - frameGeometry().width();
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
        for (QWidget* fenetre : contexte_.fenetres().ouvertes()) {
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
    if (Compteur == contexte_.DelaiFermeture) imgIcone_Click();
}

void frmDalvire::cboProgrammes_Click() {
    Lancer_Element(*this);
}

void frmDalvire::cboProgrammes_DropDown() {
    if (Afficher) Timer1.stop();
}

void frmDalvire::cboProgrammes_Scroll() {
    if (Afficher) Timer1.stop();
}

void frmDalvire::cboProgrammes_LostFocus() {
    if (Afficher && !Timer1.isActive()) Timer1.start();
}

void frmDalvire::choixModifie() {
    lancementDemande_ = true;
    QTimer::singleShot(0, this, &frmDalvire::lancerSiDemande);
}

void frmDalvire::choixActive() {
    lancementDemande_ = true;
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

void frmDalvire::closeEvent(QCloseEvent* evenement) {
    // A launcher window lives until the program closes it: the window manager's close
    // request (Alt+F4) would only lose it until the next rebuild.
    if (evenement->spontaneous())
        evenement->ignore();
    else
        QWidget::closeEvent(evenement);
}
