// The launcher window: slide toggle, countdown, freeze and resume, what starts an item
// and what only moves in the list, the icon's mouse buttons and tooltip, the size of
// the drop-down list, topmost state and cursor.
#include "base/Twips.h"
#include "core/Services.h"
#include "launcher/frmDalvire.h"
#include "support/ControlesBande.h"
#include "support/Environnement.h"
#include "support/MessagesScriptes.h"
#include "support/ShellFactice.h"
#include "ui/Cadre.h"
#include "ui/Curseur.h"
#include "ui/DelegueIcones.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QKeySequence>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <memory>

using namespace Qt::StringLiterals;

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

std::unique_ptr<frmDalvire> fenetre(Environnement& env, const QString& tag,
                                    const QStringList& noms = {}, const QString& type = u"4"_s) {
    auto f = Bande(env.contexte(), tag);
    QList<Element> elements;
    for (const QString& nom : noms)
        elements << Element{nom, "/chemin/" + nom, tag, ModeAffichage::Normal,
                            CodeStocke<TypeElement>::lu(type)};
    f->definirLignes(elements);
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

QStringList cinqNoms() {
    return {u"Cinq"_s, u"Deux"_s, u"Quatre"_s, u"Trois"_s, u"Un"_s};
}

QWidget* cadreDeLaListe(const frmDalvire& f) {
    return Liste(f)->view()->window();
}

// A key on the open list as the window system delivers it: the shortcut override
// first, then the press.
void toucheListeOuverte(frmDalvire& f, Qt::Key touche, Qt::KeyboardModifiers modificateurs = {}) {
    QWidget* vue = Liste(f)->view();
    QKeyEvent derogation(QEvent::ShortcutOverride, touche, modificateurs);
    QCoreApplication::sendEvent(vue, &derogation);
    QTest::keyClick(vue, touche, modificateurs);
}

void cliquerEntree(frmDalvire& f, int ligne) {
    QAbstractItemView* vue = Liste(f)->view();
    const QPoint centre = vue->visualRect(vue->model()->index(ligne, 0)).center();
    QTest::mouseMove(vue->viewport(), centre);
    QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, centre);
}

void molette(QWidget* cible, int crans) {
    const QPointF point = QRectF(cible->rect()).center();
    QWheelEvent evenement(point, cible->mapToGlobal(point), QPoint(), QPoint(0, 120 * crans),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(cible, &evenement);
}

// What the user does to the list, step after step, separated by ", ": "ouverte" drops it
// down; a key as written in a shortcut ("Home", "Alt+Down", "Num+Enter"...) goes to the
// list, or to its drop-down part while open; "molette haut" and "molette bas" turn the
// wheel over the closed list; on the open list, "clic N" clicks entry N, "clic courant"
// the current one, "clic dehors" beside the drop-down part, and "fermee" has the system
// close it.
void faire(frmDalvire& f, const QString& gestes) {
    ListeProgrammes* liste = Liste(f);
    for (const QString& geste : gestes.split(u", "_s)) {
        if (geste == QLatin1String("ouverte")) {
            liste->showPopup();
            QVERIFY(liste->estDeroulee());
        } else if (geste.startsWith(QLatin1String("molette"))) {
            molette(liste, geste.endsWith(QLatin1String("haut")) ? 1 : -1);
        } else if (geste == QLatin1String("clic dehors")) {
            QTest::mouseClick(cadreDeLaListe(f), Qt::LeftButton, {}, QPoint(-40, -40));
        } else if (geste == QLatin1String("clic courant")) {
            cliquerEntree(f, liste->currentIndex());
        } else if (geste.startsWith(QLatin1String("clic "))) {
            cliquerEntree(f, geste.mid(5).toInt());
        } else if (geste == QLatin1String("fermee")) {
            cadreDeLaListe(f)->hide();
        } else {
            const QKeyCombination touche = QKeySequence(geste)[0];
            QVERIFY2(touche.key() != Qt::Key_unknown, qPrintable(geste));
            if (liste->estDeroulee())
                toucheListeOuverte(f, touche.key(), touche.keyboardModifiers());
            else
                QTest::keyClick(liste, touche.key(), touche.keyboardModifiers());
        }
    }
}

} // namespace

class TestFrmDalvire : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void chargement_data() {
        QTest::addColumn<int>("premierPlan");
        QTest::addColumn<bool>("auPremierPlan");
        QTest::newRow("plan 0") << 0 << false;
        QTest::newRow("plan 1") << 1 << true;
        QTest::newRow("plan -1") << -1 << true;
        QTest::newRow("plan 7") << 7 << true;
    }

    void chargement() {
        QFETCH(int, premierPlan);
        QFETCH(bool, auPremierPlan);
        Environnement env{Environnement::lanceur()};
        env.contexte().reglages().definirPremierPlan(premierPlan != 0);
        const auto f = fenetre(env, u"Jeux"_s);
        f->Placer_Haut(123);
        f->show();
        verifierRentree(*f);
        QCOMPARE(f->Compteur, qint16(0));
        QCOMPARE(Est_Premier_Plan(f.get()), auPremierPlan);
        // A strip at rest has no drop-down part yet; its first opening makes it whole.
        QVERIFY(!Liste(*f)->findChild<QAbstractItemView*>());
        Liste(*f)->showPopup();
        QCOMPARE(Liste(*f)->view()->itemDelegate(), Liste(*f)->icones());
        QCOMPARE(cadreDeLaListe(*f)->font().pointSizeF(), 8.25);
        Liste(*f)->hidePopup();
        // Sliding never moves the window up or down.
        f->imgIcone_Click();
        QCOMPARE(f->y(), 123);
        f->imgIcone_Click();
        QCOMPARE(f->y(), 123);
        QCOMPARE(Est_Premier_Plan(f.get()), auPremierPlan);
    }

    void basculeEntrePlusieursFenetres() {
        Environnement env{Environnement::lanceur()};
        const auto a = fenetre(env, u"A"_s);
        const auto b = fenetre(env, u"B"_s);
        const auto c = fenetre(env, u"C"_s);

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
    void hautGardeQuoiQueDiseLeSysteme() {
        Environnement env{Environnement::lanceur()};
        const auto f = fenetre(env, u"A"_s);
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

    void basculeIgnoreLesAutresFenetres() {
        Environnement env{Environnement::lanceur()};
        // A window of another kind, open among the launcher windows, with a tag of its own.
        QWidget autre;
        InscriptionFenetre inscription(env.contexte().fenetres(), &autre, u"une autre fenetre"_s);
        QWidget principale;
        InscriptionFenetre inscriptionPrincipale(env.contexte().fenetres(), &principale,
                                                 Tag::Principale);
        const auto a = fenetre(env, u"A"_s);
        const auto b = fenetre(env, u"B"_s);
        a->imgIcone_Click();
        b->imgIcone_Click();
        verifierSortie(*b);
        verifierRentree(*a);
    }

    void compteARebours() {
        Environnement env{Environnement::lanceur()};
        env.contexte().reglages().definirDelaiFermeture(5);
        const auto f = fenetre(env, u"A"_s);
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
        env.contexte().reglages().definirDelaiFermeture(3);
        tics(*f, 1);
        verifierRentree(*f);
    }

    void compteAReboursReel() {
        Environnement env{Environnement::lanceur()};
        env.contexte().reglages().definirDelaiFermeture(1);
        const auto f = fenetre(env, u"A"_s);
        f->show();
        f->imgIcone_Click();
        QVERIFY(f->Afficher);
        QTRY_VERIFY_WITH_TIMEOUT(!f->Afficher, 3000);
        QCOMPARE(f->x(), gaucheRentree());
    }

    void gelEtReprise() {
        Environnement env{Environnement::lanceur()};
        const QStringList noms = [] {
            QStringList n;
            for (int i = 0; i < 60; ++i)
                n << u"Element %1"_s.arg(i, 2, 10, QChar('0'));
            return n;
        }();
        const auto f = fenetre(env, u"A"_s, noms);
        f->show();

        // While in, dropping down does not start the timer.
        Liste(*f)->showPopup();
        QVERIFY(Liste(*f)->estDeroulee());
        Liste(*f)->hidePopup();
        QVERIFY(!f->Timer1.isActive());

        f->imgIcone_Click();
        tics(*f, 2);
        Liste(*f)->showPopup();
        QVERIFY(!f->Timer1.isActive());

        // Its own drop-down taking the keyboard is no loss of focus.
        QFocusEvent versLaListe(QEvent::FocusOut, Qt::PopupFocusReason);
        QCoreApplication::sendEvent(Liste(*f), &versLaListe);
        QVERIFY(!f->Timer1.isActive());

        // The focus going elsewhere resumes the countdown; scrolling the open list freezes
        // it again.
        QFocusEvent ailleurs(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(Liste(*f), &ailleurs);
        QVERIFY(f->Timer1.isActive());
        QCOMPARE(f->Compteur, qint16(2));
        QScrollBar* barre = Liste(*f)->view()->verticalScrollBar();
        QVERIFY(barre->maximum() > 0);
        barre->setValue(barre->value() == 0 ? barre->maximum() : 0);
        QVERIFY(!f->Timer1.isActive());

        // Closing the list resumes it where it stopped, without the focus moving.
        Liste(*f)->hidePopup();
        QVERIFY(f->Timer1.isActive());
        QCOMPARE(f->Compteur, qint16(2));

        // The scroll bar of the closed list freezes nothing.
        barre->setValue(barre->value() == 0 ? barre->maximum() : 0);
        QVERIFY(f->Timer1.isActive());

        tics(*f, 2);
        verifierSortie(*f);
        tics(*f, 1);
        verifierRentree(*f);
    }

    // However the list of a slid-out window is opened and closed, and whatever the launch
    // that may follow asks, the window never stays out for good: either it has slid in, or
    // its countdown runs on from where it stopped. The window never has the focus here, so
    // no loss of focus can resume the countdown.
    void fermetureDeLaListe_data() {
        QTest::addColumn<QString>("gestes");
        QTest::addColumn<QString>("type");         // of every item
        QTest::addColumn<bool>("sansAssociation"); // no application opens the items
        QTest::addColumn<bool>("oui");             // the answer to the question, if asked
        QTest::addColumn<bool>("resteSortie");
        QTest::addColumn<QStringList>("journal");
        QTest::addColumn<int>("messages");
        const QStringList rien;
        const QString trois = u"ouvrir|/chemin/Trois|normal"_s;
        const QString quatre = u"ouvrir|/chemin/Quatre|normal"_s;
        const QString avecTrois = u"choixPour|/chemin/Trois|-"_s;
        QTest::newRow("Echap") << u"ouverte, Esc"_s << "4" << false << false << true << rien << 0;
        QTest::newRow("F4") << u"ouverte, Down, F4"_s << "4" << false << false << true << rien << 0;
        QTest::newRow("Alt+Bas") << u"ouverte, Down, Alt+Down"_s << "4" << false << false << true
                                 << rien << 0;
        QTest::newRow("Alt+Haut") << u"ouverte, Alt+Up"_s << "4" << false << false << true << rien
                                  << 0;
        QTest::newRow("clic dehors")
            << u"ouverte, clic dehors"_s << "4" << false << false << true << rien << 0;
        QTest::newRow("fermee par le systeme")
            << u"ouverte, fermee"_s << "4" << false << false << true << rien << 0;
        QTest::newRow("clic sur une entree")
            << u"ouverte, clic 3"_s << "4" << false << false << false << QStringList{trois} << 0;
        QTest::newRow("clic sur l'entree courante")
            << u"ouverte, clic courant"_s << "4" << false << false << false
            << QStringList{u"ouvrir|/chemin/Deux|normal"_s} << 0;
        QTest::newRow("Entree") << u"ouverte, Down, Return"_s << "4" << false << false << false
                                << QStringList{quatre} << 0;
        QTest::newRow("Espace") << u"ouverte, Down, Space"_s << "4" << false << false << false
                                << QStringList{quatre} << 0;
        // The check fails: a message, and the window stays out with its countdown running.
        QTest::newRow("programme absent")
            << u"ouverte, clic 3"_s << "0" << false << false << true << rien << 1;
        QTest::newRow("question, non")
            << u"ouverte, clic 3"_s << "4" << true << false << false << QStringList{trois} << 1;
        QTest::newRow("question, oui, choix")
            << u"ouverte, clic 3"_s << "4" << true << true << false
            << QStringList{trois, avecTrois, u"toutesLesApplications||-"_s} << 1;
    }

    void fermetureDeLaListe() {
        QFETCH(QString, gestes);
        QFETCH(QString, type);
        QFETCH(bool, sansAssociation);
        QFETCH(bool, oui);
        QFETCH(bool, resteSortie);
        QFETCH(QStringList, journal);
        QFETCH(int, messages);
        Environnement env{Environnement::lanceur()};
        env.contexte().reglages().definirDelaiFermeture(3);
        const auto f = fenetre(env, u"A"_s, cinqNoms(), type);
        if (sansAssociation) env.shell().reponseOuvrir = ResultatOuverture::AucuneAssociation;
        env.messages().reponses = {oui ? ReponseMessage::Oui : ReponseMessage::Non};
        // A Yes shows the Open With chooser, modal: the user cancels it.
        QTimer attente;
        if (oui) {
            QObject::connect(&attente, &QTimer::timeout, [] {
                if (auto* choix = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                    choix->reject();
            });
            attente.start(20);
        }
        Ligne_Courante(*f, 1);
        f->show();
        QVERIFY(!f->isActiveWindow());
        f->imgIcone_Click();
        tics(*f, 2);

        faire(*f, gestes);
        QTest::qWait(30);
        QVERIFY(!Liste(*f)->estDeroulee());
        QCOMPARE(env.shell().journal(), journal);
        QCOMPARE(env.messages().vus.size(), messages);
        if (resteSortie) {
            verifierSortie(*f);
            QCOMPARE(f->Compteur, qint16(2));
            tics(*f, 1);
        }
        verifierRentree(*f);
    }

    // The same with the window's own timer and a one-second delay.
    void fermetureReelleDeLaListe() {
        Environnement env{Environnement::lanceur()};
        env.contexte().reglages().definirDelaiFermeture(1);
        const auto f = fenetre(env, u"A"_s, cinqNoms());
        f->show();
        f->imgIcone_Click();
        faire(*f, u"ouverte, Esc"_s);
        QVERIFY(f->Afficher);
        QTRY_VERIFY_WITH_TIMEOUT(!f->Afficher, 3000);
        f->imgIcone_Click();
        faire(*f, u"ouverte, clic dehors"_s);
        QTRY_VERIFY_WITH_TIMEOUT(!f->Afficher, 3000);
        QVERIFY(env.shell().appels.isEmpty());
    }

    // A list without entries does not open, and so freezes nothing.
    void listeVideSansGel() {
        Environnement env{Environnement::lanceur()};
        const auto f = fenetre(env, u"Vide"_s);
        f->show();
        f->imgIcone_Click();
        tics(*f, 2);
        QTest::mouseClick(Liste(*f), Qt::LeftButton);
        QTest::keyClick(Liste(*f), Qt::Key_F4);
        QVERIFY(!Liste(*f)->estDeroulee());
        verifierSortie(*f);
        QCOMPARE(f->Compteur, qint16(2));
    }

    void delaiJamaisAtteint_data() {
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

    void delaiJamaisAtteint() {
        QFETCH(int, delai);
        QFETCH(int, depart);
        QFETCH(int, nombreTics);
        QFETCH(bool, sortie);
        QFETCH(int, compteur);
        Environnement env{Environnement::lanceur()};
        env.contexte().reglages().definirDelaiFermeture(delai);
        const auto f = fenetre(env, u"A"_s);
        f->imgIcone_Click();
        f->Compteur = static_cast<qint16>(depart);
        tics(*f, nombreTics);
        QCOMPARE(f->Afficher, sortie);
        QCOMPARE(f->Compteur, static_cast<qint16>(compteur));
        QCOMPARE(f->Timer1.isActive(), sortie);
    }

    void boutonsDeLaSourisSurLIcone() {
        Environnement env{Environnement::lanceur()};
        const auto f = fenetre(env, u"A"_s);
        f->show();
        QSignalSpy menu(f.get(), &frmDalvire::menuPrincipalDemande);
        const QPoint centre = Icone(*f)->rect().center();

        QTest::mouseClick(Icone(*f), Qt::LeftButton, {}, centre);
        QVERIFY(f->Afficher);
        QTest::mouseClick(Icone(*f), Qt::LeftButton, {}, centre);
        QVERIFY(!f->Afficher);
        QCOMPARE(menu.count(), 0);

        // Pressed on the icon, released elsewhere: no click.
        QTest::mousePress(Icone(*f), Qt::LeftButton, {}, centre);
        QTest::mouseRelease(Icone(*f), Qt::LeftButton, {}, QPoint(-5, -5));
        QVERIFY(!f->Afficher);

        // Only the release of the right button asks for the menu, where the mouse is.
        QTest::mousePress(Icone(*f), Qt::RightButton, {}, centre);
        QCOMPARE(menu.count(), 0);
        QTest::mouseRelease(Icone(*f), Qt::RightButton, {}, centre);
        QCOMPARE(menu.count(), 1);
        QCOMPARE(menu.at(0).at(0).toPoint(), Icone(*f)->mapToGlobal(centre));
        QVERIFY(!f->Afficher);

        // A double click (press, release, double-click press, release) toggles once.
        QTest::mouseClick(Icone(*f), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(Icone(*f), Qt::LeftButton, {}, centre);
        QTest::mouseRelease(Icone(*f), Qt::LeftButton, {}, centre);
        QVERIFY(f->Afficher);
    }

    // The category's name shows over the icon though the strip is never the active window.
    void infobulleDeLIcone_data() {
        QTest::addColumn<bool>("sortie");
        QTest::newRow("rentree") << false;
        QTest::newRow("sortie") << true;
    }

    void infobulleDeLIcone() {
        QFETCH(bool, sortie);
        Environnement env{Environnement::lanceur()};
        const auto f = fenetre(env, u"Jeux de société"_s);
        f->show();
        if (sortie) f->imgIcone_Click();
        QWidget active;
        active.setGeometry(10, 10, 200, 100);
        active.show();
        active.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&active));
        QVERIFY(!f->isActiveWindow());

        QToolTip::hideText();
        QTest::mouseMove(f->windowHandle(), Icone(*f)->geometry().center());
        QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 3000);
        QCOMPARE(QToolTip::text(), u"Jeux de société"_s);
        QToolTip::hideText();
    }

    // Keys, typing and the wheel on the list of a slid-out window move its current entry
    // and start nothing; so does moving about the open list and closing it without a choice.
    void deplacementsSansLancement_data() {
        QTest::addColumn<QString>("gestes");
        QTest::addColumn<int>("courantAvant");
        QTest::addColumn<int>("courantApres");
        // Cinq, Deux, Quatre, Trois, Un.
        QTest::newRow("Debut") << "Home" << 2 << 0;
        QTest::newRow("Fin") << "End" << 2 << 4;
        QTest::newRow("Haut") << "Up" << 2 << 1;
        QTest::newRow("Bas") << "Down" << 2 << 3;
        QTest::newRow("Bas sans entree courante") << "Down" << -1 << 0;
        QTest::newRow("Page haut") << "PgUp" << 2 << 1;
        QTest::newRow("Page bas") << "PgDown" << 2 << 3;
        QTest::newRow("lettre") << "Q" << 0 << 2;
        QTest::newRow("molette vers le bas") << "molette bas" << 2 << 3;
        QTest::newRow("molette vers le haut") << "molette haut" << 2 << 1;
        QTest::newRow("Entree sans entree courante") << "Return" << -1 << -1;
        QTest::newRow("liste ouverte, fleche") << "ouverte, Down" << 2 << 2;
        QTest::newRow("liste ouverte, F4") << "ouverte, Down, F4" << 2 << 2;
        QTest::newRow("liste ouverte, Alt+Bas") << "ouverte, Down, Alt+Down" << 2 << 2;
        QTest::newRow("liste ouverte, Echap") << "ouverte, Down, Esc" << 2 << 2;
    }

    void deplacementsSansLancement() {
        QFETCH(QString, gestes);
        QFETCH(int, courantAvant);
        QFETCH(int, courantApres);
        Environnement env{Environnement::lanceur()};
        const auto f = fenetre(env, u"A"_s, cinqNoms());
        Ligne_Courante(*f, courantAvant);
        f->show();
        f->imgIcone_Click();
        Liste(*f)->setFocus();

        // Twice: the second key used to start another item and answer for the first.
        for (int fois = 0; fois < 2; ++fois) {
            faire(*f, gestes);
            if (fois == 0) QCOMPARE(Liste(*f)->currentIndex(), courantApres);
            if (Liste(*f)->estDeroulee()) toucheListeOuverte(*f, Qt::Key_Escape);
        }
        QTest::qWait(30);
        QCOMPARE(env.shell().journal(), QStringList());
        QVERIFY(env.messages().vus.isEmpty());
        verifierSortie(*f);
    }

    // A choice starts the chosen item once, and the window slides back.
    void choixQuiLancent_data() {
        QTest::addColumn<QString>("gestes");
        QTest::addColumn<QString>("lance");
        // The current entry is Deux, the one below it Quatre.
        QTest::newRow("Entree, liste fermee") << u"Return"_s << "Deux";
        QTest::newRow("Entree du pave, liste fermee") << u"Num+Enter"_s << "Deux";
        QTest::newRow("Espace, liste fermee") << u"Space"_s << "Deux";
        QTest::newRow("Entree, liste ouverte") << u"ouverte, Down, Return"_s << "Quatre";
        QTest::newRow("Espace, liste ouverte") << u"ouverte, Down, Space"_s << "Quatre";
        QTest::newRow("clic sur une entree") << u"ouverte, clic 3"_s << "Trois";
        QTest::newRow("clic sur l'entree courante") << u"ouverte, clic courant"_s << "Deux";
    }

    void choixQuiLancent() {
        QFETCH(QString, gestes);
        QFETCH(QString, lance);
        Environnement env{Environnement::lanceur()};
        const auto f = fenetre(env, u"A"_s, cinqNoms());
        Ligne_Courante(*f, 1);
        f->show();
        f->imgIcone_Click();
        Liste(*f)->setFocus();
        faire(*f, gestes);
        QTRY_COMPARE(env.shell().appels.size(), 1);
        QCOMPARE(env.shell().appels.at(0).cible, u"/chemin/"_s + lance);
        QCOMPARE(Liste(*f)->currentText(), lance);
        QVERIFY(!Liste(*f)->estDeroulee());
        verifierRentree(*f);
        QTest::qWait(30);
        QCOMPARE(env.shell().appels.size(), 1);
    }

    // A choice reported twice before its launch has run starts the item once; a selection
    // set by program is no choice.
    void choixRepeteLanceUneFois() {
        Environnement env{Environnement::lanceur()};
        const auto f = fenetre(env, u"A"_s, {u"Un"_s, u"Deux"_s});
        f->show();
        Liste(*f)->setCurrentIndex(1);
        QTest::qWait(30);
        QVERIFY(env.shell().appels.isEmpty());

        Q_EMIT Liste(*f)->activated(1);
        Q_EMIT Liste(*f)->activated(1);
        QTRY_COMPARE(env.shell().appels.size(), 1);
        QTest::qWait(30);
        QCOMPARE(env.shell().appels.size(), 1);

        // Choosing the entry already current starts it again.
        Q_EMIT Liste(*f)->activated(1);
        QTRY_COMPARE(env.shell().appels.size(), 2);
        QCOMPARE(env.shell().appels.at(1).cible, u"/chemin/Deux"_s);
    }

    // From a slid-in window too, the keyboard moves and Enter starts; the launch slides
    // the window out.
    void lancementAuClavierDepuisRentree() {
        Environnement env{Environnement::lanceur()};
        const auto f = fenetre(env, u"A"_s, {u"Un"_s, u"Deux"_s});
        f->show();
        verifierRentree(*f);
        QTest::keyClick(Liste(*f), Qt::Key_Down);
        QTest::keyClick(Liste(*f), Qt::Key_Down);
        QTest::qWait(30);
        QVERIFY(env.shell().appels.isEmpty());
        verifierRentree(*f);
        QTest::keyClick(Liste(*f), Qt::Key_Return);
        QTRY_COMPARE(env.shell().appels.size(), 1);
        QCOMPARE(env.shell().appels.at(0).cible, u"/chemin/Deux"_s);
        verifierSortie(*f);
    }

    // The drop-down part: about twenty lines at most, never wider than the screen, wholly
    // on screen, whether the window is out or in.
    void tailleDeLaListeDeroulante_data() {
        QTest::addColumn<int>("nombre");
        QTest::addColumn<int>("longueurNom");
        QTest::addColumn<bool>("sortie");
        QTest::newRow("300 elements, sortie") << 300 << 12 << true;
        QTest::newRow("300 elements, rentree") << 300 << 12 << false;
        QTest::newRow("nom de 255 caracteres, sortie") << 3 << 255 << true;
        QTest::newRow("nom de 255 caracteres, rentree") << 3 << 255 << false;
    }

    void tailleDeLaListeDeroulante() {
        QFETCH(int, nombre);
        QFETCH(int, longueurNom);
        QFETCH(bool, sortie);
        Environnement env{Environnement::lanceur()};
        QStringList noms;
        for (int i = 0; i < nombre; ++i)
            noms << u"%1 "_s.arg(i, 3, 10, QLatin1Char('0')) +
                        QString(longueurNom - 4, QLatin1Char('W'));
        const auto f = fenetre(env, u"A"_s, noms);
        f->show();
        if (sortie) f->imgIcone_Click();
        Liste(*f)->showPopup();
        QVERIFY(Liste(*f)->estDeroulee());
        const QRect cadre = cadreDeLaListe(*f)->frameGeometry();
        const QRect ecran = QGuiApplication::primaryScreen()->geometry();
        const int ligne = Liste(*f)->view()->sizeHintForRow(0);
        QVERIFY2(cadre.height() <= 21 * ligne,
                 qPrintable(u"%1 px, lignes de %2"_s.arg(cadre.height()).arg(ligne)));
        QVERIFY(cadre.height() >= qMin(nombre, 3) * ligne);
        QVERIFY2(ecran.contains(cadre), qPrintable(u"%1,%2 %3x%4"_s.arg(cadre.x())
                                                       .arg(cadre.y())
                                                       .arg(cadre.width())
                                                       .arg(cadre.height())));
        QVERIFY(cadre.width() <= qMax(Liste(*f)->width(), ecran.width() / 2));
        Liste(*f)->hidePopup();
    }

    void curseurMain() {
        Environnement env{Environnement::lanceur()};
        const auto f = fenetre(env, u"A"_s);
        for (const QWidget* controle :
             {static_cast<QWidget*>(Icone(*f)), static_cast<QWidget*>(Liste(*f))}) {
            const QCursor curseur = controle->cursor();
            QCOMPARE(curseur.shape(), Qt::BitmapCursor);
            QCOMPARE(curseur.hotSpot(), QPoint(12, 9));
            QCOMPARE(curseur.pixmap().size(), QSize(32, 32));
        }
    }

    void curseurAbsentDuDossier() {
        Environnement env{Environnement::lanceur()};
        QVERIFY(QFile::remove(env.dossier() + u"icones/main.png"_s));
        QCOMPARE(Curseur_Main(env.contexte()).shape(), Qt::PointingHandCursor);
    }
};

QTEST_MAIN(TestFrmDalvire)
#include "test_frmDalvire.moc"
