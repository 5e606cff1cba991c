// Every window of the program at the screen resolution CTest gives this run (QT_FONT_DPI,
// with or without Qt's own scaling) on a screen of 1280x1024 pixels: its size follows its
// twips at that resolution, no caption is cut, and it lies within the screen's work area,
// frame and all. Each window's picture goes to DALVIRE_SORTIES_PROPORTIONS, for a
// person to look at.
#include "about/frmApropos.h"
#include "core/Services.h"
#include "launcher/frmDalvire.h"
#include "launcher/frmOuvrirAvec.h"
#include "launcher/frmRechercher.h"
#include "manage/frmApplications.h"
#include "manage/frmCategories.h"
#include "manage/frmGestion.h"
#include "manage/frmParametres.h"
#include "manage/frmProgrammes.h"
#include "report/frmOCRE.h"
#include "support/Environnement.h"
#include "ui/AideChm.h"
#include "ui/Cadre.h"
#include "ui/frmAide.h"
#include "ui/frmIntro.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextDocumentFragment>

#include <cmath>
#include <functional>
#include <memory>

namespace {

// The resolution this run was started for; 96 when none was given.
int pointsParPouce() {
    const int ppp = qEnvironmentVariableIntValue("QT_FONT_DPI");
    return ppp > 0 ? ppp : 96;
}

// A window's size in device pixels, which is what a person sees whatever scaling Qt does.
QSize enPixelsEcran(const QWidget& w) {
    const qreal ratio = w.devicePixelRatioF();
    return QSize(qRound(w.width() * ratio), qRound(w.height() * ratio));
}

QSize attendue(int largeurTwips, int hauteurTwips, qreal bordPixels) {
    const double ppp = pointsParPouce();
    return QSize(static_cast<int>(std::lround(largeurTwips * ppp / 1440.0)),
                 static_cast<int>(std::lround(hauteurTwips * ppp / 1440.0))) +
           QSize(2, 2) * qRound(bordPixels);
}

QString texteVisible(const QString& texte, Qt::TextFormat format) {
    const bool riche =
        format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(texte));
    return riche ? QTextDocumentFragment::fromHtml(texte).toPlainText() : texte;
}

// Room the text of a caption needs, in the control's font, its "&" mnemonics left out.
QSize place(const QWidget& w, const QString& texte, int largeurRepliee = 0) {
    const QFontMetrics fm(w.font());
    const int drapeaux = Qt::TextShowMnemonic | (largeurRepliee > 0 ? Qt::TextWordWrap : 0);
    const QRect limite(0, 0, largeurRepliee > 0 ? largeurRepliee : 100000, 100000);
    return fm.boundingRect(limite, drapeaux, texte).size();
}

// Where the text of a button goes: the style's own contents rectangle, after the
// indicator of a check or radio box.
QRect zoneTexte(const QAbstractButton& b) {
    QStyleOptionButton option;
    option.initFrom(&b);
    option.text = b.text();
    option.icon = b.icon();
    option.iconSize = b.iconSize();
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox*>(&b))
        element = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<const QRadioButton*>(&b))
        element = QStyle::SE_RadioButtonContents;
    QRect zone = b.style()->subElementRect(element, &option, &b);
    if (!b.icon().isNull()) zone.setLeft(zone.left() + b.iconSize().width() + 4);
    return zone;
}

// Every visible caption of the window that does not fit its control, as "name: text".
QStringList captionsCoupees(const QWidget& fenetre) {
    QStringList coupees;
    const auto noter = [&coupees](const QWidget& w, const QString& texte, QSize besoin,
                                  QSize dispo) {
        if (besoin.width() > dispo.width() || besoin.height() > dispo.height())
            coupees << QStringLiteral("%1 «%2»: %3x%4 in %5x%6")
                           .arg(w.objectName().isEmpty() ? w.accessibleName() : w.objectName(),
                                texte)
                           .arg(besoin.width())
                           .arg(besoin.height())
                           .arg(dispo.width())
                           .arg(dispo.height());
    };
    for (const QWidget* w : fenetre.findChildren<QWidget*>()) {
        // The pages a window shows one at a time are checked too.
        if (w->isHidden()) continue;
        if (const auto* l = qobject_cast<const QLabel*>(w)) {
            const QString texte = texteVisible(l->text(), l->textFormat());
            if (texte.trimmed().isEmpty()) continue;
            const QRect zone = l->contentsRect().marginsRemoved(
                QMargins(l->margin(), l->margin(), l->margin(), l->margin()));
            // A wrapped label is cut only when its lines run out of height.
            const QSize besoin = l->wordWrap() ? QSize(0, place(*l, texte, zone.width()).height())
                                               : place(*l, texte);
            noter(*l, texte, besoin, zone.size());
        } else if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
            if (b->text().trimmed().isEmpty()) continue;
            noter(*b, b->text(), place(*b, b->text()), zoneTexte(*b).size());
        } else if (const auto* g = qobject_cast<const QGroupBox*>(w)) {
            if (g->title().trimmed().isEmpty()) continue;
            noter(*g, g->title(), QSize(place(*g, g->title()).width(), 0),
                  g->contentsRect().size());
        }
    }
    return coupees;
}

struct Banc {
    Environnement env{Environnement::lanceur()};
    Contexte& c() { return env.contexte(); }
};

using Fabrique = std::function<std::unique_ptr<QWidget>(Banc&)>;

// A window made from the run's context and nothing else.
template <typename Fenetre> Fabrique seule() {
    return [](Banc& b) -> std::unique_ptr<QWidget> { return std::make_unique<Fenetre>(b.c()); };
}

} // namespace

Q_DECLARE_METATYPE(Fabrique)

class TestProportions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The face the program gives its windows at start-up, as main does.
    void initTestCase() { Installer_Police_Application(); }
    void fenetres_data();
    void fenetres();
};

void TestProportions::fenetres_data() {
    QTest::addColumn<Fabrique>("fabrique");
    QTest::addColumn<QSize>("twips");
    // Pixels of border around the twips, scaled by Qt alone; -1: the window is
    // laid out by its contents and has no size in twips.
    QTest::addColumn<int>("bord");

    QTest::newRow("frmDalvire") << Fabrique([](Banc& b) -> std::unique_ptr<QWidget> {
        auto f = std::make_unique<frmDalvire>(b.c());
        f->Form_Load();
        return f;
    }) << QSize(3525, 435) << 1;
    QTest::newRow("frmGestion") << seule<frmGestion>() << QSize(6495, 5850) << 0;
    QTest::newRow("frmCategories") << Fabrique([](Banc& b) -> std::unique_ptr<QWidget> {
        return std::make_unique<frmCategories>(b.c(), ModeEditeur::Creation);
    }) << QSize(5235, 3930) << 0;
    QTest::newRow("frmProgrammes") << Fabrique([](Banc& b) -> std::unique_ptr<QWidget> {
        return std::make_unique<frmProgrammes>(b.c(), ModeEditeur::Creation);
    }) << QSize(6690, 3390) << 0;
    QTest::newRow("frmParametres") << seule<frmParametres>() << QSize(5160, 2610) << 0;
    QTest::newRow("frmApplications") << seule<frmApplications>() << QSize(5100, 5280) << 0;
    QTest::newRow("frmApropos") << Fabrique([](Banc& b) -> std::unique_ptr<QWidget> {
        b.c().TexteVersion = QStringLiteral("Version 2.0.0");
        return std::make_unique<frmApropos>(b.c());
    }) << QSize(4080, 4290) << 0;
    QTest::newRow("frmOCRE") << seule<frmOCRE>() << QSize(9105, 6135) << 0;
    QTest::newRow("frmIntro") << Fabrique([](Banc& b) -> std::unique_ptr<QWidget> {
        auto f = std::make_unique<frmIntro>(b.c());
        // What the splash shows once started: the program's name, which is its title.
        f->findChild<QLabel*>("lblTitre")->setText(f->windowTitle());
        return f;
    }) << QSize(4800, 2160) << 0;
    QTest::newRow("frmRechercher") << Fabrique([](Banc& b) -> std::unique_ptr<QWidget> {
        auto f = std::make_unique<frmRechercher>(b.c());
        f->ouvrir();
        f->findChild<QLineEdit*>("txtRecherche")->setText(QStringLiteral("Aucun nom du catalogue ne tient ceci"));
        return f;
    }) << QSize(6300, 3885) << 0;
    // The help viewer may be made smaller than its twips, to fit the screen.
    QTest::newRow("frmAide") << Fabrique([](Banc&) -> std::unique_ptr<QWidget> {
        auto f = std::make_unique<frmAide>();
        f->afficher(FichierChm::ouvrir(Fichier_Livre(QStringLiteral("aide.chm"))),
                    QStringLiteral("/recherche.htm"));
        return f;
    }) << QSize(9600, 8400) << -1;
    QTest::newRow("frmOuvrirAvec") << Fabrique([](Banc& b) -> std::unique_ptr<QWidget> {
        return std::make_unique<frmOuvrirAvec>(b.c(), b.env.dossier() +
                                                          QStringLiteral("informations.txt"));
    }) << QSize() << -1;
}

void TestProportions::fenetres() {
    QFETCH(Fabrique, fabrique);
    QFETCH(QSize, twips);
    QFETCH(int, bord);

    Banc banc;
    const std::unique_ptr<QWidget> fenetre = fabrique(banc);
    fenetre->show();
    QVERIFY(QTest::qWaitForWindowExposed(fenetre.get()));

    if (bord >= 0) {
        // Qt's scaling rounds the window's size in its own pixels first: one pixel either
        // way is rounding, more is a window that lost its proportions.
        const QSize vue = enPixelsEcran(*fenetre);
        const QSize voulue =
            attendue(twips.width(), twips.height(), bord * fenetre->devicePixelRatioF());
        QVERIFY2(qAbs(vue.width() - voulue.width()) <= 1 &&
                     qAbs(vue.height() - voulue.height()) <= 1,
                 qPrintable(QStringLiteral("%1x%2 pixels at %3 dpi, %4x%5 expected")
                                .arg(vue.width())
                                .arg(vue.height())
                                .arg(pointsParPouce())
                                .arg(voulue.width())
                                .arg(voulue.height())));
    }

    // At rest a strip stands out of the screen's edge but for its icon, by design.
    const QRect cadre = fenetre->frameGeometry();
    const QRect zone = fenetre->screen()->availableGeometry();
    const auto texte = [](const QRect& r) {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    QVERIFY2(fenetre->inherits("frmDalvire") || zone.contains(cadre),
             qPrintable(QStringLiteral("at %1 dpi: %2 outside %3")
                            .arg(pointsParPouce())
                            .arg(texte(cadre), texte(zone))));

    const QString sorties = qEnvironmentVariable("DALVIRE_SORTIES_PROPORTIONS");
    if (!sorties.isEmpty()) {
        QVERIFY(QDir().mkpath(sorties));
        const QString image =
            sorties + QLatin1Char('/') + QTest::currentDataTag() + QStringLiteral(".png");
        QVERIFY2(fenetre->grab().save(image), qPrintable(image));
    }

    const QStringList coupees = captionsCoupees(*fenetre);
    QVERIFY2(coupees.isEmpty(), qPrintable(QStringLiteral("at %1 dpi: ").arg(pointsParPouce()) +
                                           coupees.join(QStringLiteral("; "))));
}

QTEST_MAIN(TestProportions)
#include "test_proportions.moc"
