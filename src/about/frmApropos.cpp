#include "about/frmApropos.h"

#include "base/Dates.h"
#include "base/Nombres.h"
#include "base/Twips.h"
#include "base/Version.h"
#include "core/Contexte.h"
#include "core/Liens.h"
#include "core/Reglages.h"
#include "core/RubriquesAide.h"
#include "core/Services.h"
#include "platform/Messages.h"
#include "platform/Shell.h"
#include "ui/Accessibilite.h"
#include "ui/Cadre.h"
#include "ui/Controles.h"
#include "ui/Couleurs.h"
#include "ui/Curseur.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>

namespace {

const QString MessageInfosIndisponibles =
    QStringLiteral("Les informations système ne sont pas disponibles actuellement");

bool Est_Clic(const QEvent* e) {
    if (e->type() != QEvent::MouseButtonRelease) return false;
    return static_cast<const QMouseEvent*>(e)->button() == Qt::LeftButton;
}

} // namespace

namespace InfosSysteme {
QStringList Programmes() {
    return {QStringLiteral("hardinfo2"),
            QStringLiteral("hardinfo"),
            QStringLiteral("kinfocenter"),
            QStringLiteral("gnome-system-monitor"),
            QStringLiteral("plasma-systemmonitor"),
            QStringLiteral("ksysguard"),
            QStringLiteral("mate-system-monitor"),
            QStringLiteral("xfce4-taskmanager"),
            QStringLiteral("lxtask")};
}
} // namespace InfosSysteme

QString Texte_Jours_Utilisation(const QString& joursUtilisation) {
    const double jours = Valeur_Numerique(joursUtilisation);
    const QString nombre = jours == 0 ? QStringLiteral("1") : joursUtilisation;
    const QString unite = jours > 1 ? QStringLiteral("jours") : QStringLiteral("jour");
    return QStringLiteral("Vous utilisez ce programme depuis ") + nombre + QLatin1Char(' ') + unite;
}

frmApropos::frmApropos(Contexte& contexte, QWidget* parent)
    : QDialog(parent, Cadre_Dialogue)
    , contexte_(contexte)
    , inscription_(contexte.fenetres(), this, QString()) {
    creerControles();
    Form_Load();
}

frmApropos::~frmApropos() = default;

void frmApropos::creerControles() {
    Preparer_Dialogue(this, QStringLiteral("A propos de..."), 4080, 4290);
    setMouseTracking(true);

    Image1 = new QLabel(this);
    Image1->setScaledContents(true);
    Image1->setGeometry(Twips::rectEnPixels(120, 120, 615, 615));
    const QIcon icone(Dossier_Application(contexte_) + QStringLiteral("icones/dalvire.ico"));
    Image1->setPixmap(icone.pixmap(Image1->size()));
    Image1->setAccessibleName(QStringLiteral("Icône de Dalvire"));

    lblTitle = new QLabel(this);
    lblTitle->setFont(Police_Fenetres(15.75, true));
    Decrire_Valeur(lblTitle, QStringLiteral("Titre de l'application"));
    lblTitle->setGeometry(Twips::rectEnPixels(840, 60, 3210, 375));

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setFont(Police_Fenetres(9));
    Decrire_Valeur(lblVersion, QStringLiteral("Numéro de version de l'application"));

    txtInformations = new QPlainTextEdit(this);
    txtInformations->setReadOnly(true);
    txtInformations->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtInformations->setToolTip(QStringLiteral("Texte d'information sur l'application"));
    txtInformations->setAccessibleName(txtInformations->toolTip());
    txtInformations->setGeometry(Twips::rectEnPixels(0, 900, 4035, 1635));
    txtInformations->viewport()->setMouseTracking(true);
    txtInformations->setMouseTracking(true);

    Label3[3] = Controles::Etiquette_Libre(this, QStringLiteral("Concepteur:"), 60, 2580);
    Label1 = new QLabel(QStringLiteral("qelm"), this);
    Label1->setFont(Police_Fenetres(11.25, true));
    Label1->move(Twips::enPixelsX(1080), Twips::enPixelsY(2520));
    Label1->adjustSize();
    Decrire_Valeur(Label1, QStringLiteral("Concepteur de l'application"));
    Label3[3]->setBuddy(Label1);
    Label3[0] = Controles::Etiquette_Libre(this, QStringLiteral("Site:"), 60, 2820);
    Label3[1] = Controles::Etiquette_Libre(this, QStringLiteral("Mail:"), 60, 3060);

    const QStringList bulles = {QStringLiteral("Site Internet du concepteur"),
                                QStringLiteral("Adresse de messagerie du concepteur")};
    for (int i = 0; i < 2; ++i) {
        QLabel* lien = new QLabel(this);
        // The theme's link colour, made readable against its window, light or dark.
        QPalette p = lien->palette();
        p.setColor(QPalette::WindowText, Couleurs::lien(p));
        lien->setPalette(p);
        Decrire_Valeur(lien, bulles.at(i));
        lien->setMouseTracking(true);
        lien->setObjectName(QStringLiteral("lblUrl") + QString::number(i));
        lblUrl[i] = lien;
        Label3[i]->setBuddy(lien);
    }

    Line1 = Controles::Trait(this, 0, 3540, 4020);

    cmdOK = Controles::Bouton(this, QStringLiteral("OK"), QStringLiteral("Fermer la fenêtre"), 713,
                              3660, 1335);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    cmdSysInfo = Controles::Bouton(this, QStringLiteral("&Infos système..."),
                                   QStringLiteral("Informations sur le système"), 2093, 3660, 1275);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmApropos::StartSysInfo);

    lblJours = new QLabel(this);
    lblJours->setObjectName(QStringLiteral("lblJours"));
    Decrire_Valeur(lblJours, QStringLiteral("Nombre de jours d'utilisation du programme"));

    const QCursor main = Curseur_Main(contexte_);
    for (QWidget* w :
         std::initializer_list<QWidget*>{lblUrl[0], lblUrl[1], lblJours, cmdOK, cmdSysInfo})
        w->setCursor(main);

    // The window sees every key and every pointer move before its controls.
    for (QWidget* enfant : findChildren<QWidget*>())
        enfant->installEventFilter(this);
}

void frmApropos::Form_Load() {
    Centrer_Fenetre(this);
    lblVersion->setText(contexte_.TexteVersion);
    Controles::Placer_Au_Moins(lblVersion, 900, 420, 600, 210);
    lblTitle->setText(TitreApplication);
    lblUrl[0]->setText(Concepteur::SiteInternet);
    lblUrl[1]->setText(Concepteur::AdresseMail);
    Controles::Placer_Au_Moins(lblUrl[0], 540, 2820, 1830, 195);
    Controles::Placer_Au_Moins(lblUrl[1], 540, 3060, 1830, 195);

    lblJours->setText(Texte_Jours_Utilisation(contexte_.JoursUtilisation));
    Controles::Placer_Au_Moins(lblJours, 60, 4080, 3285, 195);

    const QString date = Date_Longue(contexte_.reglages().dateDebut());
    txtInformations->setPlainText(QStringList{
        QStringLiteral("Ce programme vous permet de démarrer des programmes d'un seul et "
                       "simple clic."),
        QStringLiteral("Ces programmes peuvent être rangés par catégorie."),
        QStringLiteral("Vous pouvez également ouvrir des fichiers avec l'application associée."),
        QStringLiteral("(vous utilisez ce programme depuis le ") + date + QLatin1Char(')')}
                                      .join(QStringLiteral("\r\n")));
}

void frmApropos::souligner(int index) {
    for (int i = 0; i < static_cast<int>(lblUrl.size()); ++i) {
        QFont police = lblUrl[i]->font();
        police.setUnderline(i == index);
        lblUrl[i]->setFont(police);
    }
}

bool frmApropos::eventFilter(QObject* objet, QEvent* evenement) {
    switch (evenement->type()) {
    case QEvent::KeyPress:
        return Form_KeyDown(static_cast<QKeyEvent*>(evenement));
    case QEvent::MouseMove:
        // A move a link leaves unused would reach the window and lose the underline.
        if (objet == lblUrl[0] || objet == lblUrl[1]) {
            souligner(objet == lblUrl[0] ? 0 : 1);
            return true;
        }
        if (objet == txtInformations || objet == txtInformations->viewport()) souligner(-1);
        break;
    case QEvent::MouseButtonRelease:
        if (!Est_Clic(evenement)) break;
        if (objet == lblUrl[0])
            lblUrl_Click(0);
        else if (objet == lblUrl[1])
            lblUrl_Click(1);
        else if (objet == lblJours)
            lblJours_Click();
        break;
    default:
        break;
    }
    return QDialog::eventFilter(objet, evenement);
}

void frmApropos::keyPressEvent(QKeyEvent* evenement) {
    if (!Form_KeyDown(evenement)) QDialog::keyPressEvent(evenement);
}

void frmApropos::mouseMoveEvent(QMouseEvent* evenement) {
    souligner(-1);
    QDialog::mouseMoveEvent(evenement);
}

bool frmApropos::Form_KeyDown(const QKeyEvent* evenement) {
    // Holding down the key that opened the box must not close it at once.
    if (evenement->isAutoRepeat()) return true;
    if (evenement->key() == Qt::Key_F1) {
        Afficher_Aide(contexte_, this, RubriqueAide::APropos);
        return true;
    }
    reject();
    return true;
}

void frmApropos::lblJours_Click() {
    contexte_.messages().afficher(QStringLiteral("Vous utilisez ce programme depuis le ") +
                                      Date_Longue(contexte_.reglages().dateDebut()),
                                  IconeMessage::Information, BoutonsMessage::OK, TitreApplication,
                                  this);
}

void frmApropos::lblUrl_Click(int index) {
    if (index == 0) {
        const ResultatOuverture r =
            contexte_.shell().ouvrir(lblUrl[0]->text(), AffichageFenetre::Normal, this);
        if (r == ResultatOuverture::AucuneAssociation)
            contexte_.messages().afficher(
                QStringLiteral("Aucune application ne permet de visiter le site Internet."),
                IconeMessage::Information, BoutonsMessage::OK, TitreApplication, this);
    } else if (index == 1) {
        Envoyer_Mail(contexte_, lblUrl[1]->text(), this,
                     TitreApplication + QStringLiteral(" version ") + Version::numero(),
                     QStringLiteral("Saisissez ci-dessous le texte de votre message:"), QString(),
                     QString());
    }
}

bool frmApropos::GetKeyValue(const QString& cle, const QString& nomValeur, QString& valeur) const {
    valeur.clear();
    if (cle != InfosSysteme::Cle || nomValeur != InfosSysteme::Valeur) return false;
    for (const QString& programme : InfosSysteme::Programmes()) {
        const QString chemin = QStandardPaths::findExecutable(programme, cheminsRecherche);
        if (!chemin.isEmpty()) {
            valeur = chemin;
            return true;
        }
    }
    return false;
}

void frmApropos::StartSysInfo() {
    QString chemin;
    if (GetKeyValue(InfosSysteme::Cle, InfosSysteme::Valeur, chemin) &&
        contexte_.shell().demarrer(chemin, AffichageFenetre::Normal))
        return;
    contexte_.messages().afficher(MessageInfosIndisponibles, IconeMessage::Information,
                                  BoutonsMessage::OK, TitreApplication, this);
}
