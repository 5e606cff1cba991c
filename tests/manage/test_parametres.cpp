// The settings dialog: what it shows, what it writes, and what it changes at once.
#include "about/ContexteComplet.h"
#include "core/BaseRegistre.h"
#include "core/Contexte.h"
#include "core/Parametres.h"
#include "core/Services.h"
#include "manage/frmParametres.h"
#include "support/Environnement.h"
#include "support/MessagesScriptes.h"
#include "support/ParametresMemoire.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

using Ecritures = QList<QPair<QString, QString>>;

void valeursParDefaut(Environnement& env) {
    ParametresMemoire& p = env.parametres();
    p.valeurs.insert(Cle::DemarragePc, QStringLiteral("1"));
    p.valeurs.insert(Cle::ConfirmationFermeture, QStringLiteral("1"));
    p.valeurs.insert(Cle::Fermeture, QStringLiteral("5"));
    p.valeurs.insert(Cle::Plan, QStringLiteral("0"));
    env.contexte().PremierPlan = 0;
    env.contexte().DelaiFermeture = 5;
}

void creerExecutable(Contexte& c) {
    QFile f(Chemin_Executable(c));
    QVERIFY(f.open(QIODevice::WriteOnly));
}

// A launcher window as the collection sees it.
std::unique_ptr<QWidget> lanceur(Contexte& c, const QString& categorie, bool dessus) {
    auto w = std::make_unique<QWidget>(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    Fenetres::definirTag(w.get(), categorie);
    c.fenetres().ajouter(w.get());
    w->show();
    Placer_Premier_Plan(w.get(), dessus);
    return w;
}

} // namespace

class TestParametres : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ouvertureParDefaut() {
        Environnement env;
        valeursParDefaut(env);
        frmParametres f(env.contexte());
        QCOMPARE(f.windowTitle(), QStringLiteral("Paramètres"));
        QCOMPARE(Fenetres::tag(&f), Tag::Parametres);
        QVERIFY(env.contexte().fenetres().ouvertes().contains(&f));
        QVERIFY(Est_Premier_Plan(&f));
        QVERIFY(f.chkDemarragePC->isChecked());
        QVERIFY(f.chkFermeture->isChecked());
        QVERIFY(!f.chkPlan->isChecked());
        QCOMPARE(f.cboSecondes->currentText(), QStringLiteral("5"));
        QCOMPARE(f.cboSecondes->count(), 60);
        QCOMPARE(f.cboSecondes->itemText(0), QStringLiteral("1"));
        QCOMPARE(f.cboSecondes->itemText(59), QStringLiteral("60"));
        QVERIFY(!f.cboSecondes->isEditable());
        QVERIFY(f.Boutons[2]->isDefault());
        QVERIFY(env.parametres().ecritures.isEmpty());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        // Nothing is cut off: every control lies inside the client area.
        for (QWidget* w : f.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(f.rect().contains(w->geometry()), qPrintable(w->objectName()));
    }

    // Damaged or unusual stored values still open the dialog with settings it can show.
    void valeursInsolites_data() {
        QTest::addColumn<QString>("demarrage");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<int>("plan");
        QTest::addColumn<int>("delai");
        QTest::addColumn<bool>("demarrageCoche");
        QTest::addColumn<bool>("confirmationCochee");
        QTest::addColumn<bool>("planCoche");
        QTest::addColumn<QString>("secondes");
        QTest::newRow("absentes") << ""
                                  << "" << 0 << 5 << false << false << false << "5";
        QTest::newRow("2 et -1") << "2"
                                 << "-1" << 2 << 1 << false << false << true << "1";
        QTest::newRow("texte") << "oui"
                               << "abc" << -1 << 60 << false << false << true << "60";
        QTest::newRow("1 avec blanc") << " 1"
                                      << "1.0" << 1 << 30 << true << true << true << "30";
        QTest::newRow("délai nul") << "0"
                                   << "0" << 0 << 0 << false << false << false << "1";
        QTest::newRow("délai négatif") << "1"
                                       << "1" << 0 << -7 << true << true << false << "1";
        QTest::newRow("délai trop grand") << "1"
                                          << "1" << 0 << 61 << true << true << false << "60";
        QTest::newRow("délai énorme") << "1"
                                      << "1" << 0 << 2147483647 << true << true << false << "60";
    }
    void valeursInsolites() {
        QFETCH(QString, demarrage);
        QFETCH(QString, confirmation);
        QFETCH(int, plan);
        QFETCH(int, delai);
        Environnement env;
        env.parametres().valeurs.insert(Cle::DemarragePc, demarrage);
        env.parametres().valeurs.insert(Cle::ConfirmationFermeture, confirmation);
        env.contexte().PremierPlan = static_cast<qint16>(plan);
        env.contexte().DelaiFermeture = delai;
        frmParametres f(env.contexte());
        QTEST(f.chkDemarragePC->isChecked(), "demarrageCoche");
        QTEST(f.chkFermeture->isChecked(), "confirmationCochee");
        QTEST(f.chkPlan->isChecked(), "planCoche");
        QTEST(f.cboSecondes->currentText(), "secondes");
        // Only saving changes anything.
        QCOMPARE(env.contexte().DelaiFermeture, delai);
        QVERIFY(env.parametres().ecritures.isEmpty());
    }

    void enregistrement() {
        Environnement env;
        valeursParDefaut(env);
        Contexte& c = env.contexte();
        creerExecutable(c);
        frmParametres f(c);
        f.chkDemarragePC->setChecked(false);
        f.chkFermeture->setChecked(false);
        f.chkPlan->setChecked(true);
        f.cboSecondes->setCurrentIndex(59);
        f.Boutons[2]->click();
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(env.parametres().ecritures, Ecritures({{Cle::DemarragePc, "0"},
                                                        {Cle::ConfirmationFermeture, "0"},
                                                        {Cle::Plan, "1"},
                                                        {Cle::Fermeture, "60"}}));
        QCOMPARE(c.DelaiFermeture, 60);
        QCOMPARE(c.PremierPlan, qint16(1));
        QCOMPARE(env.demarrageSession().journal, QStringList("supprimer Dalvire (absente)"));

        frmParametres g(c);
        QVERIFY(!g.chkDemarragePC->isChecked());
        QVERIFY(g.chkPlan->isChecked());
        QCOMPARE(g.cboSecondes->currentText(), QStringLiteral("60"));
        g.chkDemarragePC->setChecked(true);
        g.Boutons[2]->click();
        QCOMPARE(env.demarrageSession().valeurs.value(QStringLiteral("Dalvire")),
                 Chemin_Executable(c));
        QVERIFY(env.messages().vus.isEmpty());
    }

    // The executable is gone: the key keeps the box's value, the registration is removed,
    // the box is unticked, and saving goes on with the other settings.
    void executableAbsent() {
        Environnement env;
        valeursParDefaut(env);
        Contexte& c = env.contexte();
        env.demarrageSession().valeurs.insert(QStringLiteral("Dalvire"), QStringLiteral("/ancien"));
        frmParametres f(c);
        f.cboSecondes->setCurrentIndex(9);
        f.Boutons[2]->click();
        QCOMPARE(env.messages().vus.size(), 1);
        QCOMPARE(env.messages().vus.first().titre, QStringLiteral("ERREUR..."));
        QVERIFY(!f.chkDemarragePC->isChecked());
        QVERIFY(env.demarrageSession().valeurs.isEmpty());
        QCOMPARE(env.parametres().valeurs.value(Cle::DemarragePc), QStringLiteral("1"));
        QCOMPARE(env.parametres().valeurs.value(Cle::Fermeture), QStringLiteral("10"));
        QCOMPARE(c.DelaiFermeture, 10);
    }

    void annulation_data() {
        QTest::addColumn<int>("maniere");
        QTest::newRow("bouton") << 0;
        QTest::newRow("échap") << 1;
        QTest::newRow("case de fermeture") << 2;
    }
    void annulation() {
        QFETCH(int, maniere);
        Environnement env;
        valeursParDefaut(env);
        Contexte& c = env.contexte();
        creerExecutable(c);
        auto launcher = lanceur(c, QStringLiteral("Jeux"), false);
        frmParametres f(c);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.chkDemarragePC->setChecked(false);
        f.chkFermeture->setChecked(false);
        f.chkPlan->setChecked(true);
        f.cboSecondes->setCurrentIndex(59);
        if (maniere == 0)
            f.Boutons[1]->click();
        else if (maniere == 1)
            QTest::keyClick(&f, Qt::Key_Escape);
        else
            f.close();
        QVERIFY(!f.isVisible());
        QCOMPARE(f.result(), int(QDialog::Rejected));
        QVERIFY(env.parametres().ecritures.isEmpty());
        QVERIFY(env.demarrageSession().journal.isEmpty());
        QCOMPARE(c.DelaiFermeture, 5);
        QCOMPARE(c.PremierPlan, qint16(0));
        QVERIFY(!Est_Premier_Plan(launcher.get()));
    }

    void entreeEnregistre() {
        Environnement env;
        valeursParDefaut(env);
        creerExecutable(env.contexte());
        frmParametres f(env.contexte());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.cboSecondes->setFocus();
        f.cboSecondes->setCurrentIndex(2);
        QTest::keyClick(f.cboSecondes, Qt::Key_Return);
        QVERIFY(!f.isVisible());
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(env.parametres().valeurs.value(Cle::Fermeture), QStringLiteral("3"));
    }

    // The keep-on-top change reaches the launcher windows only, and only when it changed.
    void premierPlan() {
        Environnement env;
        valeursParDefaut(env);
        Contexte& c = env.contexte();
        creerExecutable(c);
        auto principale = lanceur(c, Tag::Principale, false);
        auto gestion = lanceur(c, Tag::Gestion, false);
        auto a = lanceur(c, QStringLiteral("Bureautique"), false);
        auto b = lanceur(c, QStringLiteral("Internet"), false);

        {
            frmParametres f(c);
            f.chkPlan->setChecked(true);
            f.Boutons[2]->click();
        }
        QVERIFY(Est_Premier_Plan(a.get()));
        QVERIFY(Est_Premier_Plan(b.get()));
        QVERIFY(!Est_Premier_Plan(principale.get()));
        QVERIFY(!Est_Premier_Plan(gestion.get()));
        QVERIFY(a->isVisible() && b->isVisible());

        // Unchanged "plan": a window set apart stays as it is.
        Placer_Premier_Plan(b.get(), false);
        {
            frmParametres f(c);
            QVERIFY(f.chkPlan->isChecked());
            f.cboSecondes->setCurrentIndex(0);
            f.Boutons[2]->click();
        }
        QVERIFY(Est_Premier_Plan(a.get()));
        QVERIFY(!Est_Premier_Plan(b.get()));

        Placer_Premier_Plan(principale.get(), true);
        Placer_Premier_Plan(gestion.get(), true);
        {
            frmParametres f(c);
            f.chkPlan->setChecked(false);
            f.Boutons[2]->click();
        }
        QCOMPARE(c.PremierPlan, qint16(0));
        QVERIFY(!Est_Premier_Plan(a.get()));
        QVERIFY(!Est_Premier_Plan(b.get()));
        QVERIFY(Est_Premier_Plan(principale.get()));
        QVERIFY(Est_Premier_Plan(gestion.get()));
    }
    // F1 and the help button open the dialog's topic, F2 the About box; the dialog stays.
    void touchesAide_data() {
        QTest::addColumn<int>("maniere");
        QTest::addColumn<QString>("aide");
        QTest::addColumn<QString>("modale");
        QTest::newRow("F1") << 0 << "aide.chm 10003"
                            << "";
        QTest::newRow("bouton Aide") << 1 << "aide.chm 10003"
                                     << "";
        QTest::newRow("F2") << 2 << ""
                            << "frmApropos";
    }
    void touchesAide() {
        QFETCH(int, maniere);
        QFETCH(QString, aide);
        QFETCH(QString, modale);
        ContexteComplet cc;
        Contexte& c = *cc.contexte;
        c.DelaiFermeture = 5;
        frmParametres f(c);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        f.activateWindow();
        f.chkPlan->setFocus();
        QString vue;
        QTimer::singleShot(0, [&vue] {
            if (QWidget* w = QApplication::activeModalWidget(); w && w->inherits("frmApropos")) {
                vue = QString::fromLatin1(w->metaObject()->className());
                w->close();
            }
        });
        if (maniere == 0)
            QTest::keyClick(f.chkPlan, Qt::Key_F1);
        else if (maniere == 1)
            f.Boutons[0]->click();
        else
            QTest::keyClick(f.chkPlan, Qt::Key_F2);
        QTRY_COMPARE(cc.rubriques(),
                     aide.isEmpty() ? QStringList() : QStringList(cc.env.dossier() + aide));
        QCOMPARE(vue, modale);
        QVERIFY(f.isVisible());
        QVERIFY(cc.parametres->ecritures.isEmpty());
    }
};

QTEST_MAIN(TestParametres)
#include "test_parametres.moc"
