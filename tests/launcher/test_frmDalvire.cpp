// The launcher window: slide toggle, countdown, freeze and resume, the list's click,
// the icon's mouse buttons, topmost state and cursor.
#include "core/Curseur.h"
#include "core/Services.h"
#include "base/Twips.h"
#include "launcher/frmDalvire.h"
#include "support/MessagesScriptes.h"
#include "support/ShellFactice.h"

#include <QAbstractItemView>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

int largeurEcran() {
    return QGuiApplication::primaryScreen()->geometry().width();
}
int gaucheRentree() {
    return largeurEcran() - Twips::enPixelsX(500);
}
int gaucheSortie(const QWidget& f) {
    return largeurEcran() - f.frameGeometry().width();
}

std::unique_ptr<frmDalvire> fenetre(EnvironnementLanceur& env, const QString& tag,
                                    const QStringList& noms = {}) {
    auto f = std::make_unique<frmDalvire>(env.contexte());
    f->Form_Load();
    f->definirTag(tag);
    const QSignalBlocker silence(f->cboProgrammes);
    for (const QString& nom : noms) {
        f->cboProgrammes->addItem(nom);
        f->cboChemin.addItem(QStringLiteral("/chemin/") + nom);
        f->cboType.addItem(QStringLiteral("4"));
        f->cboAffichage.addItem(QStringLiteral("1"));
    }
    f->cboProgrammes->setCurrentIndex(-1);
    return f;
}

void tics(frmDalvire& f, int n) {
    for (int i = 0; i < n; ++i)
        f.Timer1_Timer();
}

void verifierRentree(const frmDalvire& f) {
    QVERIFY(!f.Afficher);
    QCOMPARE(f.x(), gaucheRentree());
    QVERIFY(!f.Timer1.isActive());
}

void verifierSortie(const frmDalvire& f) {
    QVERIFY(f.Afficher);
    QCOMPARE(f.x(), gaucheSortie(f));
    QVERIFY(f.Timer1.isActive());
}

} // namespace

class TestFrmDalvire : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void chargement_data();
    void chargement();
    void basculeEntrePlusieursFenetres();
    void basculeIgnoreLesAutresFenetres();
    void hautGardeQuoiQueDiseLeSysteme();
    void compteARebours();
    void compteAReboursReel();
    void gelEtReprise();
    void delaiJamaisAtteint_data();
    void delaiJamaisAtteint();
    void boutonsDeLaSourisSurLIcone();
    void clicDeLaListe();
    void lancementAuClavierDepuisRentree();
    void curseurMain();
    void curseurAbsentDuDossier();
};

void TestFrmDalvire::chargement_data() {
    QTest::addColumn<int>("premierPlan");
    QTest::addColumn<bool>("auPremierPlan");
    QTest::newRow("plan 0") << 0 << false;
    QTest::newRow("plan 1") << 1 << true;
    QTest::newRow("plan -1") << -1 << true;
    QTest::newRow("plan 7") << 7 << true;
}

void TestFrmDalvire::chargement() {
    QFETCH(int, premierPlan);
    QFETCH(bool, auPremierPlan);
    EnvironnementLanceur env;
    env.contexte().PremierPlan = static_cast<qint16>(premierPlan);
    const auto f = fenetre(env, QStringLiteral("Jeux"));
    f->Placer_Haut(123);
    f->show();
    verifierRentree(*f);
    QCOMPARE(f->Compteur, qint16(0));
    QCOMPARE(Est_Premier_Plan(f.get()), auPremierPlan);
    // Sliding never moves the window up or down.
    f->imgIcone_Click();
    QCOMPARE(f->y(), 123);
    f->imgIcone_Click();
    QCOMPARE(f->y(), 123);
    QCOMPARE(Est_Premier_Plan(f.get()), auPremierPlan);
}

void TestFrmDalvire::basculeEntrePlusieursFenetres() {
    EnvironnementLanceur env;
    const auto a = fenetre(env, QStringLiteral("A"));
    const auto b = fenetre(env, QStringLiteral("B"));
    const auto c = fenetre(env, QStringLiteral("C"));

    a->imgIcone_Click();
    verifierSortie(*a);
    QCOMPARE(a->Compteur, qint16(0));
    verifierRentree(*b);
    verifierRentree(*c);
    tics(*a, 3);

    // B out takes A in, timer stopped, its count kept.
    b->imgIcone_Click();
    verifierSortie(*b);
    verifierRentree(*a);
    QCOMPARE(a->Compteur, qint16(3));
    verifierRentree(*c);

    // B in again.
    tics(*b, 2);
    b->imgIcone_Click();
    verifierRentree(*b);
    QCOMPARE(b->Compteur, qint16(0));

    // A's next slide-out resets its old count.
    a->imgIcone_Click();
    verifierSortie(*a);
    QCOMPARE(a->Compteur, qint16(0));
}

// The window system may report another place for the window than the one it was
// given; its slides still keep the top edge set at build.
void TestFrmDalvire::hautGardeQuoiQueDiseLeSysteme() {
    EnvironnementLanceur env;
    const auto f = fenetre(env, QStringLiteral("A"));
    f->Placer_Haut(62);
    QCOMPARE(f->y(), 62);
    f->move(0, 0);
    f->imgIcone_Click();
    QCOMPARE(f->y(), 62);
    verifierSortie(*f);
    f->move(f->x(), 5);
    f->imgIcone_Click();
    QCOMPARE(f->y(), 62);
    verifierRentree(*f);
}

void TestFrmDalvire::basculeIgnoreLesAutresFenetres() {
    EnvironnementLanceur env;
    // A window of another kind, open among the launcher windows, with a tag of its own.
    QWidget autre;
    InscriptionFenetre inscription(env.contexte().fenetres(), &autre,
                                   QStringLiteral("une autre fenetre"));
    QWidget principale;
    InscriptionFenetre inscriptionPrincipale(env.contexte().fenetres(), &principale,
                                             Tag::Principale);
    const auto a = fenetre(env, QStringLiteral("A"));
    const auto b = fenetre(env, QStringLiteral("B"));
    a->imgIcone_Click();
    b->imgIcone_Click();
    verifierSortie(*b);
    verifierRentree(*a);
}

void TestFrmDalvire::compteARebours() {
    EnvironnementLanceur env;
    env.contexte().DelaiFermeture = 5;
    const auto f = fenetre(env, QStringLiteral("A"));
    f->imgIcone_Click();
    tics(*f, 4);
    verifierSortie(*f);
    QCOMPARE(f->Compteur, qint16(4));
    tics(*f, 1);
    verifierRentree(*f);
    QCOMPARE(f->Compteur, qint16(0));
    // The delay is read at every tick: lowering it to the count slides the window in.
    f->imgIcone_Click();
    tics(*f, 2);
    env.contexte().DelaiFermeture = 3;
    tics(*f, 1);
    verifierRentree(*f);
}

void TestFrmDalvire::compteAReboursReel() {
    EnvironnementLanceur env;
    env.contexte().DelaiFermeture = 1;
    const auto f = fenetre(env, QStringLiteral("A"));
    f->show();
    f->imgIcone_Click();
    QVERIFY(f->Afficher);
    QTRY_VERIFY_WITH_TIMEOUT(!f->Afficher, 3000);
    QCOMPARE(f->x(), gaucheRentree());
}

void TestFrmDalvire::gelEtReprise() {
    EnvironnementLanceur env;
    const QStringList noms = [] {
        QStringList n;
        for (int i = 0; i < 60; ++i)
            n << QStringLiteral("Element %1").arg(i, 2, 10, QChar('0'));
        return n;
    }();
    const auto f = fenetre(env, QStringLiteral("A"), noms);
    f->show();

    // While in, dropping down does not start the timer.
    f->cboProgrammes->showPopup();
    f->cboProgrammes->hidePopup();
    QVERIFY(!f->Timer1.isActive());

    f->imgIcone_Click();
    tics(*f, 2);
    f->cboProgrammes->showPopup();
    QVERIFY(!f->Timer1.isActive());
    f->cboProgrammes->hidePopup();
    QVERIFY(!f->Timer1.isActive());
    QVERIFY(f->Afficher);

    // Its own drop-down taking the keyboard is no loss of focus.
    QFocusEvent versLaListe(QEvent::FocusOut, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(f->cboProgrammes, &versLaListe);
    QVERIFY(!f->Timer1.isActive());

    QFocusEvent ailleurs(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(f->cboProgrammes, &ailleurs);
    QVERIFY(f->Timer1.isActive());
    QCOMPARE(f->Compteur, qint16(2));

    // Scrolling the list freezes it too.
    f->cboProgrammes->showPopup();
    QCoreApplication::sendEvent(f->cboProgrammes, &ailleurs);
    QVERIFY(f->Timer1.isActive());
    QScrollBar* barre = f->cboProgrammes->view()->verticalScrollBar();
    QVERIFY(barre->maximum() > 0);
    barre->setValue(barre->value() == 0 ? barre->maximum() : 0);
    QVERIFY(!f->Timer1.isActive());
    f->cboProgrammes->hidePopup();
    QCOMPARE(f->Compteur, qint16(2));

    // The remaining ticks then run from where they stopped.
    QCoreApplication::sendEvent(f->cboProgrammes, &ailleurs);
    tics(*f, 2);
    verifierSortie(*f);
    tics(*f, 1);
    verifierRentree(*f);
}

void TestFrmDalvire::delaiJamaisAtteint_data() {
    QTest::addColumn<int>("delai");
    QTest::addColumn<int>("depart");
    QTest::addColumn<int>("nombreTics");
    QTest::addColumn<bool>("sortie");
    QTest::addColumn<int>("compteur");
    QTest::newRow("delai 0") << 0 << 0 << 50 << true << 50;
    QTest::newRow("delai negatif") << -3 << 0 << 20 << true << 20;
    QTest::newRow("delai abaisse sous le compte") << 5 << 10 << 10 << true << 20;
    QTest::newRow("delai 0 a la borne") << 0 << 32766 << 3 << true << 32767;
    QTest::newRow("delai au-dela de la borne") << 40000 << 32767 << 5 << true << 32767;
    QTest::newRow("delai egal a la borne") << 32767 << 32766 << 1 << false << 0;
    QTest::newRow("delai egal a la borne deja atteinte") << 32767 << 32767 << 1 << false << 0;
}

void TestFrmDalvire::delaiJamaisAtteint() {
    QFETCH(int, delai);
    QFETCH(int, depart);
    QFETCH(int, nombreTics);
    QFETCH(bool, sortie);
    QFETCH(int, compteur);
    EnvironnementLanceur env;
    env.contexte().DelaiFermeture = delai;
    const auto f = fenetre(env, QStringLiteral("A"));
    f->imgIcone_Click();
    f->Compteur = static_cast<qint16>(depart);
    tics(*f, nombreTics);
    QCOMPARE(f->Afficher, sortie);
    QCOMPARE(f->Compteur, static_cast<qint16>(compteur));
    QCOMPARE(f->Timer1.isActive(), sortie);
}

void TestFrmDalvire::boutonsDeLaSourisSurLIcone() {
    EnvironnementLanceur env;
    const auto f = fenetre(env, QStringLiteral("A"));
    f->show();
    QSignalSpy menu(f.get(), &frmDalvire::menuPrincipalDemande);
    const QPoint centre = f->imgIcone->rect().center();

    QTest::mouseClick(f->imgIcone, Qt::LeftButton, {}, centre);
    QVERIFY(f->Afficher);
    QTest::mouseClick(f->imgIcone, Qt::LeftButton, {}, centre);
    QVERIFY(!f->Afficher);
    QCOMPARE(menu.count(), 0);

    // Pressed on the icon, released elsewhere: no click.
    QTest::mousePress(f->imgIcone, Qt::LeftButton, {}, centre);
    QTest::mouseRelease(f->imgIcone, Qt::LeftButton, {}, QPoint(-5, -5));
    QVERIFY(!f->Afficher);

    // Only the release of the right button asks for the menu, where the mouse is.
    QTest::mousePress(f->imgIcone, Qt::RightButton, {}, centre);
    QCOMPARE(menu.count(), 0);
    QTest::mouseRelease(f->imgIcone, Qt::RightButton, {}, centre);
    QCOMPARE(menu.count(), 1);
    QCOMPARE(menu.at(0).at(0).toPoint(), f->imgIcone->mapToGlobal(centre));
    QVERIFY(!f->Afficher);

    // A double click (press, release, double-click press, release) toggles once.
    QTest::mouseClick(f->imgIcone, Qt::LeftButton, {}, centre);
    QTest::mouseDClick(f->imgIcone, Qt::LeftButton, {}, centre);
    QTest::mouseRelease(f->imgIcone, Qt::LeftButton, {}, centre);
    QVERIFY(f->Afficher);
}

void TestFrmDalvire::clicDeLaListe() {
    EnvironnementLanceur env;
    const auto f =
        fenetre(env, QStringLiteral("A"), {QStringLiteral("Un"), QStringLiteral("Deux")});
    f->show();
    ShellFactice& shell = env.shell();

    // A selection set by program is a click too, run once the list has settled.
    f->cboProgrammes->setCurrentIndex(1);
    QCOMPARE(shell.appels.size(), 0);
    QTRY_COMPARE(shell.appels.size(), 1);
    QCOMPARE(shell.appels.at(0).cible, QStringLiteral("/chemin/Deux"));

    // A choice in the list raises both signals: one launch.
    f->cboProgrammes->setCurrentIndex(0);
    Q_EMIT f->cboProgrammes->activated(0);
    QTRY_COMPARE(shell.appels.size(), 2);
    QTest::qWait(50);
    QCOMPARE(shell.appels.size(), 2);

    // Picking the entry already selected launches it again.
    Q_EMIT f->cboProgrammes->activated(0);
    QTRY_COMPARE(shell.appels.size(), 3);
    QCOMPARE(shell.appels.at(2).cible, QStringLiteral("/chemin/Un"));
}

void TestFrmDalvire::lancementAuClavierDepuisRentree() {
    EnvironnementLanceur env;
    const auto f =
        fenetre(env, QStringLiteral("A"), {QStringLiteral("Un"), QStringLiteral("Deux")});
    f->show();
    verifierRentree(*f);
    QTest::keyClick(f->cboProgrammes, Qt::Key_Down);
    QTRY_COMPARE(env.shell().appels.size(), 1);
    verifierSortie(*f);
}

void TestFrmDalvire::curseurMain() {
    EnvironnementLanceur env;
    const auto f = fenetre(env, QStringLiteral("A"));
    for (const QWidget* controle :
         {static_cast<QWidget*>(f->imgIcone), static_cast<QWidget*>(f->cboProgrammes)}) {
        const QCursor curseur = controle->cursor();
        QCOMPARE(curseur.shape(), Qt::BitmapCursor);
        QCOMPARE(curseur.hotSpot(), QPoint(12, 9));
        QCOMPARE(curseur.pixmap().size(), QSize(32, 32));
    }
}

void TestFrmDalvire::curseurAbsentDuDossier() {
    EnvironnementLanceur env;
    QVERIFY(QFile::remove(env.dossier() + QStringLiteral("icones/main.png")));
    QCOMPARE(Curseur_Main(env.contexte()).shape(), Qt::PointingHandCursor);
}

QTEST_MAIN(TestFrmDalvire)
#include "test_frmDalvire.moc"
