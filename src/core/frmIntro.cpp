#include "core/frmIntro.h"

#include "catalogue/Connexion.h"
#include "core/Contexte.h"
#include "base/Dates.h"
#include "base/Nombres.h"
#include "core/ClesParametres.h"
#include "core/Services.h"
#include "base/Twips.h"
#include "base/Version.h"
#include "platform/Instance.h"
#include "platform/Messages.h"

#include <QFrame>
#include <QLabel>

#include <algorithm>

namespace {

QFont tahoma(double points, bool gras = false) {
    QFont police(QStringLiteral("Tahoma"));
    police.setPointSizeF(points);
    police.setBold(gras);
    return police;
}

} // namespace

frmIntro::frmIntro(Contexte& contexte, VerrouInstance& verrou, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , contexte_(contexte)
    , verrou_(verrou) {
    setWindowTitle(TitreApplication);
    setFixedSize(Twips::tailleEnPixels(4800, 2160));
    setAutoFillBackground(true);
    QPalette fond = palette();
    fond.setColor(QPalette::Window, QColor(192, 192, 255));
    setPalette(fond);

    Shape1 = new QFrame(this);
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setLineWidth(2);
    Shape1->setGeometry(Twips::rectEnPixels(120, 120, 4560, 1920));

    lblTitre = new QLabel(this);
    lblTitre->setFont(tahoma(24, true));
    lblTitre->setAlignment(Qt::AlignCenter);
    lblTitre->setToolTip(QStringLiteral("Nom du programme"));
    lblTitre->setGeometry(Twips::rectEnPixels(240, 360, 4320, 720));

    lblVersion = new QLabel(QStringLiteral("Version"), this);
    lblVersion->setFont(tahoma(9));
    lblVersion->setAlignment(Qt::AlignCenter);
    lblVersion->setToolTip(QStringLiteral("Numéro de version du programme"));
    lblVersion->setGeometry(Twips::rectEnPixels(240, 1320, 4320, 360));

    // Each tick is armed for what is left until its second: a coarse timer may move
    // each tick by 5% (50 ms) either way, and two in a row put the windows up to about
    // 150 ms later in one start than in another.
    Timer1.setTimerType(Qt::PreciseTimer);
    Timer1.setSingleShot(true);
    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &frmIntro::Timer1_Timer);
}

bool frmIntro::Form_Load(const QDate& aujourdhui) {
    lblTitre->setText(TitreApplication);
    Timer1.stop();

    ServiceMessages& messages = contexte_.messages();
    if (!verrou_.acquerir(TitreApplication)) {
        messages.afficher(QStringLiteral("Le programme est déjà en cours d'utilisation."),
                          IconeMessage::Information);
        return false;
    }

    contexte_.CheminDonnees = Dossier_Application(contexte_) + QStringLiteral("donnees.fdl");
    if (!Fichier_Existe(contexte_.CheminDonnees)) {
        messages.afficher(QStringLiteral("Le programme ne peut être utilisé.\r\n"
                                         "Le fichier contenant les données est introuvable.\r\n"
                                         "Contactez le concepteur du programme."),
                          IconeMessage::Information);
        return false;
    }
    // A damaged or unusable catalogue is refused here, before any setting is written,
    // so that a later start with a sound file is still this user's first.
    try {
        Connexion::verifier(contexte_.CheminDonnees);
    } catch (const ErreurCatalogue& erreur) {
        messages.afficher(erreur.description(), IconeMessage::Critique);
        return false;
    }

    contexte_.TexteVersion = Version::texte();
    lblVersion->setText(contexte_.TexteVersion);

    ecrireParametresAbsents(aujourdhui);

    if (!origine_) origine_ = std::chrono::steady_clock::now();
    programmerTick();
    return true;
}

void frmIntro::ecrireParametresAbsents(const QDate& aujourdhui) {
    StockParametres& p = contexte_.parametres();
    const auto siAbsent = [&p](const QString& cle, const QString& valeur) {
        if (p.lire(cle).isEmpty()) p.ecrire(cle, valeur);
    };
    siAbsent(Cle::DateDebut, Ecrire_Date_Debut(aujourdhui));
    p.ecrire(Cle::DossierApplication, Dossier_Application(contexte_));
    siAbsent(Cle::Version, contexte_.TexteVersion);
    siAbsent(Cle::Couleur, QStringLiteral("1"));
    siAbsent(Cle::DemarragePc, QStringLiteral("1"));
    siAbsent(Cle::ConfirmationFermeture, QStringLiteral("1"));
    siAbsent(Cle::Fermeture, QStringLiteral("5"));
    siAbsent(Cle::Plan, QStringLiteral("0"));

    contexte_.PremierPlan = Valeur_Entiere_16(p.lire(Cle::Plan));
    contexte_.PremiereUtilisation = false;
    if (p.lire(Cle::Utilisation).isEmpty()) {
        contexte_.PremiereUtilisation = true;
        p.ecrire(Cle::Utilisation, QStringLiteral("ok"));
    }

    contexte_.DelaiFermeture = Valeur_Entiere_32(p.lire(Cle::Fermeture));
    contexte_.JoursUtilisation = Jours_Depuis(p.lire(Cle::DateDebut), aujourdhui);
}

void frmIntro::programmerTick() {
    using namespace std::chrono;
    const steady_clock::time_point echeance = *origine_ + seconds(compteurTicks_ + 1);
    const auto reste = ceil<milliseconds>(echeance - steady_clock::now()).count();
    Timer1.start(static_cast<int>(std::clamp<decltype(reste)>(reste, 0, 1000)));
}

void frmIntro::Timer1_Timer() {
    ++compteurTicks_;
    if (compteurTicks_ == 2)
        Form_Unload();
    else
        programmerTick();
}

void frmIntro::Form_Unload() {
    Timer1.stop();
    hide();
    Q_EMIT dechargee();
}
