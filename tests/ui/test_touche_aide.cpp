#include "core/Contexte.h"
#include "core/RubriquesAide.h"
#include "support/AideFactice.h"
#include "support/Environnement.h"
#include "support/MessagesScriptes.h"
#include "ui/ToucheAide.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A dialog with the kinds of controls the program's dialogs hold, and, unless told
// otherwise, its two keys counting what they did.
struct Dialogue {
    QDialog fenetre;
    QLineEdit* texte = new QLineEdit(&fenetre);
    QPlainTextEdit* zone = new QPlainTextEdit(&fenetre);
    QListWidget* liste = new QListWidget(&fenetre);
    QComboBox* choix = new QComboBox(&fenetre);
    QPushButton* bouton = new QPushButton(QStringLiteral("A&ide"), &fenetre);
    int f1 = 0;
    int f2 = 0;

    explicit Dialogue(bool avecTouches = true) {
        auto* disposition = new QVBoxLayout(&fenetre);
        for (QWidget* w : controles())
            disposition->addWidget(w);
        // F2 is the list's own edit key: it would open an editor on the current line.
        liste->addItems({QStringLiteral("un"), QStringLiteral("deux")});
        for (int i = 0; i < liste->count(); ++i)
            liste->item(i)->setFlags(liste->item(i)->flags() | Qt::ItemIsEditable);
        liste->setCurrentRow(0);
        choix->addItems({QStringLiteral("un"), QStringLiteral("deux")});
        if (avecTouches)
            new ToucheAide(
                &fenetre, [this] { ++f1; }, [this] { ++f2; });
    }
    QList<QWidget*> controles() const { return {texte, zone, liste, choix, bouton}; }
    bool montrer() {
        fenetre.show();
        QApplication::setActiveWindow(&fenetre);
        return QTest::qWaitForWindowActive(&fenetre);
    }
};

// The key presses that reached a control.
class RecuParLeControle : public QObject {
public:
    QList<int> touches;

protected:
    bool eventFilter(QObject*, QEvent* evenement) override {
        if (evenement->type() == QEvent::KeyPress)
            touches << static_cast<QKeyEvent*>(evenement)->key();
        return false;
    }
};

} // namespace

class TestToucheAide : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void depuisChaqueControle_data() {
        QTest::addColumn<int>("controle");
        QTest::newRow("zone de texte") << 0;
        QTest::newRow("texte multiligne") << 1;
        QTest::newRow("liste") << 2;
        QTest::newRow("liste déroulante") << 3;
        QTest::newRow("bouton") << 4;
    }
    void depuisChaqueControle() {
        QFETCH(int, controle);
        Dialogue d;
        QVERIFY(d.montrer());
        QWidget* cible = d.controles()[controle];
        cible->setFocus();
        QTRY_VERIFY(cible->hasFocus());

        QTest::keyClick(cible, Qt::Key_F1);
        QCOMPARE(d.f1, 1);
        QCOMPARE(d.f2, 0);
        QTest::keyClick(cible, Qt::Key_F2);
        QCOMPARE(d.f1, 1);
        QCOMPARE(d.f2, 1);
        // The keys were the window's, not the control's: a text field took nothing.
        QVERIFY(d.texte->text().isEmpty());
        QVERIFY(d.zone->toPlainText().isEmpty());
        QVERIFY(!d.liste->isPersistentEditorOpen(d.liste->item(0)));
        QVERIFY(!d.liste->findChild<QLineEdit*>());
        // Other keys still reach the control.
        QTest::keyClicks(d.texte, QStringLiteral("ab"));
        QCOMPARE(d.texte->text(), QStringLiteral("ab"));
        QCOMPARE(d.f1 + d.f2, 2);
    }

    void autreFenetreNonConcernee() {
        Dialogue d;
        Dialogue autre(false);
        QVERIFY(d.montrer());
        QVERIFY(autre.montrer());
        QTest::keyClick(autre.texte, Qt::Key_F1);
        QTest::keyClick(autre.texte, Qt::Key_F2);
        QCOMPARE(d.f1 + d.f2, 0);
        // A box shown over the dialog is a window of its own as well.
        QDialog boite(&d.fenetre);
        auto* champ = new QLineEdit(&boite);
        boite.show();
        QTest::keyClick(champ, Qt::Key_F2);
        QCOMPARE(d.f2, 0);
    }

    void toucheMaintenue() {
        Dialogue d;
        QVERIFY(d.montrer());
        QTest::keyPress(d.texte, Qt::Key_F2);
        QKeyEvent repetee(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(d.texte, &repetee);
        QApplication::sendEvent(d.texte, &repetee);
        QTest::keyRelease(d.texte, Qt::Key_F2);
        QCOMPARE(d.f2, 1);
    }

    void actionAbsenteLaisseLaTouche() {
        Dialogue d(false);
        int f1 = 0;
        new ToucheAide(&d.fenetre, [&] { ++f1; }, {});
        QVERIFY(d.montrer());
        RecuParLeControle recu;
        d.texte->installEventFilter(&recu);
        QTest::keyClick(d.texte, Qt::Key_F2);
        QCOMPARE(recu.touches, QList<int>{Qt::Key_F2});
        QTest::keyClick(d.texte, Qt::Key_F1);
        QCOMPARE(f1, 1);
        QCOMPARE(recu.touches, QList<int>{Qt::Key_F2});
    }

    // The help button posts F1 to the window, which then acts as for the key itself.
    void boutonAide() {
        Dialogue d;
        QObject::connect(d.bouton, &QPushButton::clicked, d.bouton,
                         [&d] { Envoyer_Touche_F1(d.bouton); });
        QVERIFY(d.montrer());
        d.liste->setFocus();
        QTest::mouseClick(d.bouton, Qt::LeftButton);
        QTRY_COMPARE(d.f1, 1);
        QCOMPARE(d.f2, 0);
    }

    void boutonAideSansFenetreActive() {
        Dialogue d;
        QVERIFY(d.montrer());
        QApplication::setActiveWindow(nullptr);
        Envoyer_Touche_F1(d.bouton);
        QTRY_COMPARE(d.f1, 1);
    }

    // With the program's actions: F1 opens the row that the window chooses at the
    // moment of the key press.
    void rubriqueChoisieAuMomentDeLaTouche() {
        Environnement env;
        Dialogue d(false);
        bool modification = false;
        new ToucheAide(env.contexte(), &d.fenetre, [&] {
            return modification ? RubriqueAide::ModifierCategorie : RubriqueAide::CreerCategorie;
        });
        QVERIFY(d.montrer());
        QTest::keyClick(d.texte, Qt::Key_F1);
        modification = true;
        QTest::keyClick(d.liste, Qt::Key_F1);

        QCOMPARE(env.aide().appels.size(), 2);
        QCOMPARE(env.aide().appels[0].numero, 10011);
        QCOMPARE(env.aide().appels[1].numero, 10012);
        QCOMPARE(env.aide().appels[1].fichier, env.dossier() + QStringLiteral("aide.chm"));
        QCOMPARE(env.aide().appels[1].proprietaire.data(), &d.fenetre);
        QVERIFY(env.messages().vus.isEmpty());
    }
};

QTEST_MAIN(TestToucheAide)
#include "test_touche_aide.moc"
