// The settings dialog: what it shows, what it writes, and what it changes at once.
#include "core/BaseRegistre.h"
#include "core/ClesParametres.h"
#include "core/RaccourciRecherche.h"
#include "core/Reglages.h"
#include "core/Services.h"
#include "manage/frmParametres.h"
#include "support/Controles.h"
#include "support/DemarrageSessionMemoire.h"
#include "support/Environnement.h"
#include "support/MessagesScriptes.h"
#include "support/ParametresMemoire.h"
#include "support/RaccourciScripte.h"
#include "ui/Cadre.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QKeySequenceEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

using Ecritures = QList<QPair<QString, QString>>;

const QString Demarrage = "Démarrer le programme au démarrage de l'ordinateur";
const QString Plan = "Afficher les catégories au premier plan";
const QString Confirmation = "Demander la confirmation de la fermeture du programme";

// The stored texts of "demarrage pc", "confirmation fermeture", "plan" and "fermeture",
// "|" between them, as start-up finds and reads them.
void stocker(Environnement& env, const QString& textes) {
    const QStringList t = textes.split('|');
    env.parametres().valeurs = {{Cle::DemarragePc, t[0]},
                                {Cle::ConfirmationFermeture, t[1]},
                                {Cle::Plan, t[2]},
                                {Cle::Fermeture, t[3]}};
    env.contexte().reglages().charger();
}

// The settings a first start leaves, and the executable in its folder.
void parDefaut(Environnement& env) {
    stocker(env, "1|1|0|5");
    QFile(Chemin_Executable(env.contexte())).open(QIODevice::WriteOnly);
}

QComboBox* delais(QWidget& f) {
    return Controle<QComboBox>(f, "Délai de fermeture d'affichage");
}
QKeySequenceEdit* champRaccourci(QWidget& f) {
    return Controle<QKeySequenceEdit>(f, "Raccourci de recherche");
}
void cliquer(QWidget& f, const QString& bouton) {
    QTest::mouseClick(Controle<QPushButton>(f, bouton), Qt::LeftButton);
}
// With the space bar.
void cocher(QWidget& f, const QString& nom, bool coche) {
    if (Controle<QCheckBox>(f, nom)->isChecked() != coche)
        QTest::keyClick(Controle<QCheckBox>(f, nom), Qt::Key_Space);
}
// With the keys of the list.
void choisirDelai(QWidget& f, int secondes) {
    QTest::keyClick(delais(f), Qt::Key_Home);
    for (int s = 1; s < secondes; ++s)
        QTest::keyClick(delais(f), Qt::Key_Down);
}

std::unique_ptr<QWidget> fenetre(Contexte& c, const QString& tag) {
    auto w = std::make_unique<QWidget>(nullptr, Qt::Tool);
    Fenetres::definirTag(w.get(), tag);
    c.fenetres().ajouter(w.get());
    w->show();
    return w;
}

} // namespace

Q_DECLARE_METATYPE(ServiceRaccourciGlobal::Prise)

class TestParametres : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The first-start values, then damaged or unusual ones, which still give controls
    // that can show them.
    void ouverture_data() {
        // The stored texts (see stocker()), then the boxes demarrage, plan and confirmation
        // ticked or not and the delay shown.
        QTest::addColumn<QString>("cas");
        QTest::newRow("premier démarrage") << "1|1|0|5 101 5";
        QTest::newRow("absentes") << "||| 000 1";
        // The confirmation is asked for only at "1" itself: the box shows just that.
        QTest::newRow("nombres écrits autrement") << " 1|1.0|1|30 110 30";
        QTest::newRow("délai nul") << "0|0|0|0 000 1";
        QTest::newRow("délai négatif") << "1|1|0|-7 101 1";
        QTest::newRow("délai trop grand") << "1|1|0|61 101 60";
    }
    void ouverture() {
        QFETCH(QString, cas);
        Environnement env;
        Contexte& c = env.contexte();
        stocker(env, cas.section(' ', 0, -3));
        frmParametres f(c);
        QString coches;
        for (const QString& nom : {Demarrage, Plan, Confirmation})
            coches += Controle<QCheckBox>(f, nom)->isChecked() ? '1' : '0';
        QCOMPARE(coches + ' ' + delais(f)->currentText(), cas.section(' ', -2));
        QCOMPARE(delais(f)->count(), 60);
        QCOMPARE(Fenetres::tag(&f), Tag::Parametres);
        QVERIFY(c.fenetres().ouvertes<QWidget>().contains(&f));
        QVERIFY(Est_Premier_Plan(&f));
        // Only saving changes anything.
        QVERIFY(env.parametres().ecritures.isEmpty());
    }

    void enregistrement() {
        Environnement env;
        parDefaut(env);
        Contexte& c = env.contexte();
        frmParametres f(c);
        cocher(f, Demarrage, false);
        cocher(f, Confirmation, false);
        cocher(f, Plan, true);
        choisirDelai(f, 60);
        cliquer(f, "Enregistrer les paramètres");
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(env.parametres().ecritures,
                 Ecritures({{Cle::DemarragePc, "0"},
                            {Cle::ConfirmationFermeture, "0"},
                            {Cle::Plan, "1"},
                            {Cle::Fermeture, "60"},
                            {Cle::RaccourciRecherche, "Ctrl+Alt+Space"}}));
        QVERIFY(c.reglages().delaiFermeture() == 60 && c.reglages().premierPlan());
        QCOMPARE(env.demarrageSession().journal, QStringList("supprimer Dalvire (absente)"));

        frmParametres g(c);
        cocher(g, Demarrage, true);
        cliquer(g, "Enregistrer les paramètres");
        QCOMPARE(env.demarrageSession().valeurs.value("Dalvire"), Chemin_Executable(c));
        QVERIFY(env.messages().vus.isEmpty());
    }

    // The executable is gone: the key keeps the box's value, the registration is removed,
    // the box is unticked, and saving goes on with the other settings.
    void executableAbsent() {
        Environnement env;
        parDefaut(env);
        QFile::remove(Chemin_Executable(env.contexte()));
        env.demarrageSession().valeurs.insert("Dalvire", "/ancien");
        frmParametres f(env.contexte());
        choisirDelai(f, 10);
        cliquer(f, "Enregistrer les paramètres");
        QCOMPARE(env.messages().vus.size(), 1);
        QVERIFY(!Controle<QCheckBox>(f, Demarrage)->isChecked());
        QVERIFY(env.demarrageSession().valeurs.isEmpty());
        QCOMPARE(env.parametres().valeurs.value(Cle::DemarragePc), u"1"_s);
        QCOMPARE(env.contexte().reglages().delaiFermeture(), 10);
    }

    // Entrée saves, from the list too; the others leave everything as it was.
    void fermeture_data() {
        QTest::addColumn<int>("maniere");
        QTest::newRow("bouton") << 0;
        QTest::newRow("échap") << 1;
        QTest::newRow("case de fermeture") << 2;
        QTest::newRow("entrée") << 3;
    }
    void fermeture() {
        QFETCH(int, maniere);
        Environnement env;
        parDefaut(env);
        Contexte& c = env.contexte();
        auto lanceur = fenetre(c, "Jeux");
        frmParametres f(c);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        cocher(f, Demarrage, false);
        cocher(f, Plan, true);
        choisirDelai(f, 60);
        if (maniere == 0)
            cliquer(f, "Annuler");
        else if (maniere == 1)
            QTest::keyClick(&f, Qt::Key_Escape);
        else if (maniere == 2)
            f.close();
        else {
            delais(f)->setFocus();
            QTest::keyClick(delais(f), Qt::Key_Return);
            QCOMPARE(f.result(), int(QDialog::Accepted));
            QCOMPARE(env.parametres().valeurs.value(Cle::Fermeture), u"60"_s);
            return;
        }
        QVERIFY(!f.isVisible());
        QVERIFY(env.parametres().ecritures.isEmpty());
        QVERIFY(env.demarrageSession().journal.isEmpty());
        QVERIFY(c.reglages().delaiFermeture() == 5 && !c.reglages().premierPlan());
        QVERIFY(!Est_Premier_Plan(lanceur.get()));
    }

    // The keep-on-top change reaches the launcher windows only, and only when it changed.
    void premierPlan() {
        Environnement env;
        parDefaut(env);
        Contexte& c = env.contexte();
        auto principale = fenetre(c, Tag::Principale), gestion = fenetre(c, Tag::Gestion);
        auto a = fenetre(c, "Bureautique"), b = fenetre(c, "Internet");
        const auto enregistrer = [&c](bool plan, int delai) {
            frmParametres f(c);
            cocher(f, Plan, plan);
            choisirDelai(f, delai);
            cliquer(f, "Enregistrer les paramètres");
        };
        enregistrer(true, 1);
        QVERIFY(Est_Premier_Plan(a.get()) && Est_Premier_Plan(b.get()));
        QVERIFY(!Est_Premier_Plan(principale.get()) && !Est_Premier_Plan(gestion.get()));
        QVERIFY(a->isVisible() && b->isVisible());

        // Unchanged: a window set apart stays as it is.
        Placer_Premier_Plan(b.get(), false);
        enregistrer(true, 2);
        QVERIFY(Est_Premier_Plan(a.get()) && !Est_Premier_Plan(b.get()));

        Placer_Premier_Plan(principale.get(), true);
        Placer_Premier_Plan(gestion.get(), true);
        enregistrer(false, 2);
        QVERIFY(!Est_Premier_Plan(a.get()) && !Est_Premier_Plan(b.get()));
        QVERIFY(Est_Premier_Plan(principale.get()) && Est_Premier_Plan(gestion.get()));
    }

    // The sixty delays drop down as a list of about twenty lines that scrolls, on screen.
    void listeDesDelais() {
        Environnement env;
        env.contexte().reglages().definirDelaiFermeture(60);
        frmParametres f(env.contexte());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QComboBox* liste = delais(f);
        liste->showPopup();
        QAbstractItemView* vue = liste->view();
        QWidget* cadre = vue->window();
        QTRY_VERIFY(cadre->isVisible());
        const int ligne = vue->sizeHintForRow(0);
        QVERIFY2(cadre->height() <= 21 * ligne && cadre->height() >= 15 * ligne,
                 qPrintable(u"%1 px, lignes de %2"_s.arg(cadre->height()).arg(ligne)));
        QVERIFY(QGuiApplication::primaryScreen()->geometry().contains(cadre->frameGeometry()));
        QVERIFY(cadre->width() <= QGuiApplication::primaryScreen()->geometry().width());
        // The last delay, the current one, is in view.
        QVERIFY(vue->verticalScrollBar()->isVisible());
        QVERIFY(vue->viewport()->rect().intersects(vue->visualRect(vue->currentIndex())));
        QCOMPARE(vue->currentIndex().data().toString(), u"60"_s);
        liste->hidePopup();
        QCOMPARE(Lecture_Accessible(liste), "60|Délai de fermeture d'affichage |Délai de "
                                            "fermeture d'affichage ;seconde(s);|");
    }

    // The search key: stored, shown, pressed in the field (one key is kept, the last;
    // Backspace leaves none), written back, and taken at once when it changed. One another
    // program holds is said once, with the key still in force, which is taken again, kept
    // stored and shown in the field of the dialog left open.
    void raccourci_data() {
        using P = ServiceRaccourciGlobal::Prise;
        QTest::addColumn<QString>("stocke");  // null: never written
        QTest::addColumn<QString>("touches"); // pressed in turn, ";" between them
        QTest::addColumn<P>("reponse");
        QTest::addColumn<QString>("ecrit");
        QTest::addColumn<QString>("prise"); // null: nothing taken
        const QString n;
        QTest::newRow("jamais écrit") << n << "" << P::Prise << "Ctrl+Alt+Space" << n;
        QTest::newRow("aucun") << "aucun" << QString() << P::Prise << "aucun" << n;
        QTest::newRow("abîmé") << "Ctrl+Machin" << QString() << P::Prise << "aucun" << n;
        QTest::newRow("la dernière de deux")
            << n << "Ctrl+K;Alt+F5" << P::Prise << u"Alt+F5"_s << "Alt+F5";
        QTest::newRow("modificateur seul")
            << n << "Ctrl+K;Ctrl" << P::Prise << u"Ctrl+K"_s << "Ctrl+K";
        QTest::newRow("effacée") << u"Meta+F12"_s << "Backspace" << P::Prise << u"aucun"_s << "";
        QTest::newRow("déjà prise")
            << u"Alt+F5"_s << "Ctrl+F9" << P::Refusee << u"Alt+F5"_s << "Ctrl+F9;Alt+F5";
        QTest::newRow("la même") << n << "Ctrl+Alt+Space" << P::Refusee << "Ctrl+Alt+Space" << n;
    }
    void raccourci() {
        QFETCH(QString, stocke);
        QFETCH(QString, touches);
        QFETCH(ServiceRaccourciGlobal::Prise, reponse);
        QFETCH(QString, prise);
        Environnement env;
        parDefaut(env);
        if (!stocke.isNull()) env.parametres().valeurs[Cle::RaccourciRecherche] = stocke;
        env.raccourci().reponse = reponse;
        frmParametres f(env.contexte());
        for (const QString& t : touches.split(';', Qt::SkipEmptyParts)) {
            // A modifier pressed alone has no portable text of its own.
            const QKeyCombination k = t == "Ctrl"
                                          ? QKeyCombination(Qt::ControlModifier, Qt::Key_Control)
                                          : QKeySequence(t)[0];
            QTest::keyClick(champRaccourci(f), k.key(), k.keyboardModifiers());
        }
        cliquer(f, "Enregistrer les paramètres");
        QTEST(env.parametres().valeurs.value(Cle::RaccourciRecherche), "ecrit");
        QList<QKeySequence> demandes;
        for (const QString& p : prise.split(';'))
            demandes << QKeySequence(p);
        QCOMPARE(env.raccourci().demandes, prise.isNull() ? QList<QKeySequence>() : demandes);
        const bool refus = !prise.isNull() && reponse == ServiceRaccourciGlobal::Prise::Refusee;
        QCOMPARE(env.messages().textes(), refus ? QStringList(RaccourciRecherche::messageRefus(
                                                      demandes.value(0), demandes.value(1)))
                                                : QStringList());
        QCOMPARE(f.result(), refus ? 0 : int(QDialog::Accepted));
        if (refus) QCOMPARE(champRaccourci(f)->keySequence(), demandes.value(1));
    }

    // The message wraps where it may, never inside the command it names, which stands on
    // a line of its own and copies as it is typed.
    void commandeSurUneLigne() {
        const QStringList lignes =
            RaccourciRecherche::messageRefus(QKeySequence("Ctrl+G"), QKeySequence("Ctrl+Alt+Space"))
                .split("\r\n");
        QCOMPARE(lignes.last(), "dalvire --rechercher");
        QVERIFY(lignes.first().contains("Le raccourci Ctrl+Alt+Space reste en vigueur."));
    }

    // The field is reached with Tab like the others and read with its caption; Escape in
    // it still closes the dialog without saving.
    void raccourciAuClavier() {
        Environnement env;
        frmParametres f(env.contexte());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.activateWindow();
        delais(f)->setFocus();
        QTest::keyClick(delais(f), Qt::Key_Tab);
        QKeySequenceEdit* champ = champRaccourci(f);
        QCOMPARE(QApplication::focusWidget(), champ);
        QCOMPARE(Lecture_Accessible(champ),
                 "Raccourci de recherche|Raccourci de recherche|Raccourci de recherche;|");
        QTest::keyClick(champ, Qt::Key_Escape);
        QCOMPARE(f.result(), int(QDialog::Rejected));
        QVERIFY(env.parametres().ecritures.isEmpty());
    }

    // F1 and the help button open the dialog's topic, F2 the About box; the dialog stays.
    void touchesAide_data() {
        QTest::addColumn<int>("maniere");
        QTest::addColumn<QStringList>("rubriques");
        QTest::addColumn<QString>("modale");
        QTest::newRow("F1") << 0 << QStringList("aide.chm 10003") << "";
        QTest::newRow("bouton Aide") << 1 << QStringList("aide.chm 10003") << "";
        QTest::newRow("F2") << 2 << QStringList() << "frmApropos";
    }
    void touchesAide() {
        QFETCH(int, maniere);
        QFETCH(QStringList, rubriques);
        Environnement cc;
        frmParametres f(cc.contexte());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.activateWindow();
        Controle<QCheckBox>(f, Plan)->setFocus();
        QString modale;
        QTimer::singleShot(0, [&modale] {
            if (QWidget* w = QApplication::activeModalWidget(); w && w->inherits("frmApropos")) {
                modale = w->metaObject()->className();
                w->close();
            }
        });
        if (maniere == 1)
            cliquer(f, "Aide");
        else
            QTest::keyClick(Controle<QCheckBox>(f, Plan), maniere == 0 ? Qt::Key_F1 : Qt::Key_F2);
        for (QString& r : rubriques)
            r.prepend(cc.dossier());
        QTRY_COMPARE(cc.rubriques(), rubriques);
        QTEST(modale, "modale");
        QVERIFY(f.isVisible());
        QVERIFY(cc.parametres().ecritures.isEmpty());
    }
};

QTEST_MAIN(TestParametres)
#include "test_parametres.moc"
