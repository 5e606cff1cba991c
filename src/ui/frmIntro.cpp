#include "ui/frmIntro.h"

#include "base/Twips.h"
#include "base/Version.h"
#include "core/Contexte.h"

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

frmIntro::frmIntro(Contexte& contexte, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , contexte_(contexte) {
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
    lblTitre->setObjectName(QStringLiteral("lblTitre"));
    lblTitre->setFont(tahoma(24, true));
    lblTitre->setAlignment(Qt::AlignCenter);
    lblTitre->setToolTip(QStringLiteral("Nom du programme"));
    lblTitre->setGeometry(Twips::rectEnPixels(240, 360, 4320, 720));

    lblVersion = new QLabel(QStringLiteral("Version"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
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

void frmIntro::Form_Load() {
    lblTitre->setText(TitreApplication);
    lblVersion->setText(contexte_.TexteVersion);
    Timer1.stop();
    if (!origine_) origine_ = std::chrono::steady_clock::now();
    programmerTick();
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
