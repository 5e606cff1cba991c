// The search window: what it lists, its keys, starting the current item, closing.
#include "launcher/Lanceur.h"
#include "launcher/frmDalvire.h"
#include "launcher/frmRechercher.h"
#include "support/Environnement.h"
#include "support/MessagesScriptes.h"
#include "support/ShellFactice.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSignalBlocker>
#include <QTest>

namespace {

// Thirteen items, one of them in a category that has no strip.
struct PosteRecherche {
    Environnement env{Environnement::lanceur()};
    frmRechercher fenetre{env.contexte()};
    QString document = env.dossier() + QStringLiteral("informations.txt");

    PosteRecherche() {
        env.ajouterCategorie(QStringLiteral("Outils"), QString(), QStringLiteral("1"),
                             QStringLiteral("-1"));
        env.ajouterCategorie(QStringLiteral("Cachée"), QString(), QStringLiteral("0"),
                             QStringLiteral("-1"));
        for (int i = 12; i >= 1; --i)
            env.ajouterProgramme(QStringLiteral("Élément %1").arg(i, 2, 10, QLatin1Char('0')),
                                 document, QStringLiteral("Outils"), QStringLiteral("1"),
                                 QStringLiteral("1"));
        env.ajouterProgramme(QStringLiteral("Journal secret"), document, QStringLiteral("Cachée"),
                             QStringLiteral("2"), QStringLiteral("1"));
    }

    void ouvrir() {
        QVERIFY(fenetre.ouvrir());
        QVERIFY(QTest::qWaitForWindowActive(&fenetre));
    }
    // Keys as the window system gives them, to whatever has the keyboard.
    void touche(Qt::Key touche) { QTest::keyClick(fenetre.windowHandle(), touche); }
    void taper(const char* texte) {
        for (const char* c = texte; *c; ++c)
            QTest::keyClick(fenetre.windowHandle(), *c);
    }
    int lancements(const QString& nom) { return env.contexte().utilisations().lancements(nom); }
};

} // namespace

class TestRechercher : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ouverture();
    void place_data();
    void place();
    void touches_data();
    void touches();
    void entree();
    void entreeRefusee();
    void fermetureSansLancement_data();
    void fermetureSansLancement();
    void aucun();
    void accessibilite();
    void lancementDuBandeau();
};

void TestRechercher::ouverture() {
    PosteRecherche p;
    p.ouvrir();
    frmRechercher& f = p.fenetre;
    QCOMPARE(f.windowTitle(), QStringLiteral("Rechercher"));
    QCOMPARE(f.accessibleName(), QStringLiteral("Rechercher"));
    QVERIFY(f.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(f.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(f.pos(), frmRechercher::place(frmDalvire::zoneDeTravail(), f.size()));
    QCOMPARE(QApplication::focusWidget(), f.txtRecherche);
    // Nothing typed: the first ten items, hidden category or not, in French order.
    QCOMPARE(f.trouves().size(), 10);
    QCOMPARE(Noms(f.trouves()).first(), QStringLiteral("Élément 01"));
    QCOMPARE(Noms(f.trouves()).last(), QStringLiteral("Élément 10"));
    QCOMPARE(f.ligneCourante(), 0);
    QVERIFY(f.lblAucun->isHidden());

    // Opened again while open: the same search, given the keyboard again.
    p.taper("jour");
    QCOMPARE(Noms(f.trouves()), QStringList{QStringLiteral("Journal secret")});
    QVERIFY(f.ouvrir());
    QCOMPARE(f.txtRecherche->text(), QStringLiteral("jour"));
    // Closed and opened: an empty field, and the catalogue read anew.
    f.fermer();
    p.env.ajouterProgramme(QStringLiteral("Journal de bord"), p.document, QStringLiteral("Outils"),
                           QStringLiteral("1"), QStringLiteral("1"));
    p.ouvrir();
    QCOMPARE(f.txtRecherche->text(), QString());
    p.taper("jour");
    QCOMPARE(Noms(f.trouves()),
             (QStringList{QStringLiteral("Journal de bord"), QStringLiteral("Journal secret")}));
}

void TestRechercher::place_data() {
    QTest::addColumn<QRect>("zone");
    QTest::addColumn<QSize>("taille");
    QTest::addColumn<QPoint>("place");
    QTest::newRow("ecran entier") << QRect(0, 0, 1920, 1080) << QSize(420, 260) << QPoint(750, 50);
    QTest::newRow("panneau en haut")
        << QRect(0, 30, 1920, 1050) << QSize(420, 260) << QPoint(750, 75);
    QTest::newRow("second ecran a droite")
        << QRect(1920, 0, 1280, 1024) << QSize(420, 260) << QPoint(2350, 40);
    // Taller than the top third: against the top of the work area.
    QTest::newRow("ecran bas") << QRect(0, 24, 1024, 576) << QSize(420, 260) << QPoint(302, 24);
}

void TestRechercher::place() {
    QFETCH(QRect, zone);
    QFETCH(QSize, taille);
    QTEST(frmRechercher::place(zone, taille), "place");
}

void TestRechercher::touches_data() {
    QTest::addColumn<QList<int>>("touches");
    QTest::addColumn<int>("ligne");
    using K = QList<int>;
    QTest::newRow("bas") << K{Qt::Key_Down} << 1;
    QTest::newRow("bas bas haut") << K{Qt::Key_Down, Qt::Key_Down, Qt::Key_Up} << 1;
    QTest::newRow("haut sur la premiere") << K{Qt::Key_Up} << 0;
    QTest::newRow("bas au-dela de la derniere") << K(12, Qt::Key_Down) << 9;
    QTest::newRow("fin") << K{Qt::Key_End} << 9;
    QTest::newRow("fin puis debut") << K{Qt::Key_End, Qt::Key_Home} << 0;
    QTest::newRow("page suivante") << K{Qt::Key_PageDown} << 9;
    QTest::newRow("bas puis page precedente") << K{Qt::Key_Down, Qt::Key_PageUp} << 0;
    QTest::newRow("fin puis haut") << K{Qt::Key_End, Qt::Key_Up} << 8;
}

void TestRechercher::touches() {
    QFETCH(QList<int>, touches);
    PosteRecherche p;
    p.ouvrir();
    p.taper("elem");
    for (const int t : touches)
        p.touche(static_cast<Qt::Key>(t));
    QTEST(p.fenetre.ligneCourante(), "ligne");
    // The keyboard never left the field, whose text and caret the keys left alone.
    QCOMPARE(QApplication::focusWidget(), p.fenetre.txtRecherche);
    QCOMPARE(p.fenetre.txtRecherche->text(), QStringLiteral("elem"));
    QCOMPARE(p.fenetre.txtRecherche->cursorPosition(), 4);
    QVERIFY(p.env.shell().appels.isEmpty());
}

void TestRechercher::entree() {
    PosteRecherche p;
    p.ouvrir();
    p.taper("elem");
    p.touche(Qt::Key_Down);
    p.touche(Qt::Key_Return);
    QVERIFY(!p.fenetre.isVisible());
    QTRY_COMPARE(p.env.shell().appels.size(), 1);
    // Started as its strip would start it: opened, in its display mode.
    QCOMPARE(p.env.shell().journal(), QStringList{"ouvrir|" + p.document + "|1"});
    QCOMPARE(p.lancements(QStringLiteral("Élément 02")), 1);

    // An item of a hidden category, by a word inside its name, with the keypad's Enter.
    p.ouvrir();
    p.taper("secr");
    p.touche(Qt::Key_Enter);
    QTRY_COMPARE(p.env.shell().appels.size(), 2);
    QCOMPARE(p.env.shell().journal().last(), "ouvrir|" + p.document + "|3");
    QCOMPARE(p.lancements(QStringLiteral("Journal secret")), 1);
    QVERIFY(p.env.messages().vus.isEmpty());
}

void TestRechercher::entreeRefusee() {
    // The strip's check and message: a program that is gone starts nothing, and counts
    // for nothing.
    PosteRecherche p;
    p.env.ajouterProgramme(QStringLiteral("Ancien outil"), p.env.dossier() + "absent",
                           QStringLiteral("Outils"), QStringLiteral("1"), QStringLiteral("0"));
    p.ouvrir();
    p.taper("ancien");
    p.touche(Qt::Key_Return);
    QTRY_COMPARE(p.env.messages().vus.size(), 1);
    QCOMPARE(p.env.messages().textes().first(),
             QStringLiteral("Impossible de démarrer le programme sélectionné.\r\nLe programme "
                            "n'existe pas.\r\n[") +
                 p.env.dossier() + QStringLiteral("absent]"));
    QVERIFY(p.env.shell().appels.isEmpty());
    QCOMPARE(p.lancements(QStringLiteral("Ancien outil")), 0);
}

void TestRechercher::fermetureSansLancement_data() {
    QTest::addColumn<bool>("echap"); // else: another window takes the keyboard
    QTest::newRow("echap") << true;
    QTest::newRow("perte du focus") << false;
}

void TestRechercher::fermetureSansLancement() {
    QFETCH(bool, echap);
    PosteRecherche p;
    QWidget autre;
    autre.show();
    p.ouvrir();
    p.taper("secr");
    if (echap) {
        p.touche(Qt::Key_Escape);
    } else {
        autre.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&autre));
    }
    QVERIFY(!p.fenetre.isVisible());
    QTest::qWait(50);
    QVERIFY(p.env.shell().appels.isEmpty());
    QVERIFY(p.env.messages().vus.isEmpty());
    QCOMPARE(p.lancements(QStringLiteral("Journal secret")), 0);
    QVERIFY(p.fenetre.trouves().isEmpty());
}

void TestRechercher::aucun() {
    PosteRecherche p;
    p.ouvrir();
    p.taper("zq%");
    QVERIFY(p.fenetre.trouves().isEmpty());
    QVERIFY(p.fenetre.lblAucun->isVisible());
    QCOMPARE(p.fenetre.lblAucun->text(),
             QStringLiteral("Aucun élément ne correspond à «\u00A0zq%\u00A0»."));
    p.touche(Qt::Key_Return);
    p.touche(Qt::Key_Down);
    QTest::qWait(50);
    QVERIFY(p.fenetre.isVisible());
    QVERIFY(p.env.shell().appels.isEmpty());
    // A text too long for the line is shortened, never cut off by the window.
    const QString long_(300, QLatin1Char('z'));
    p.fenetre.txtRecherche->setText(long_);
    QVERIFY(p.fenetre.lblAucun->fontMetrics().horizontalAdvance(p.fenetre.lblAucun->text()) <=
            p.fenetre.lblAucun->contentsRect().width());
    p.fenetre.txtRecherche->setText(QStringLiteral("jour"));
    QVERIFY(p.fenetre.lblAucun->isHidden());
}

void TestRechercher::accessibilite() {
    PosteRecherche p;
    p.ouvrir();
    p.taper("jour");
    QCOMPARE(Lecture_Accessible(p.fenetre.txtRecherche),
             QStringLiteral("Nom de l'élément à rechercher|Une partie du nom, puis Entrée||"));
    QCOMPARE(Lecture_Accessible(p.fenetre.lstTrouves), QStringLiteral("Éléments trouvés|||"));
    QAccessibleInterface* liste = QAccessible::queryAccessibleInterface(p.fenetre.lstTrouves);
    QStringList lignes;
    for (int i = 0; i < liste->childCount(); ++i)
        lignes << liste->child(i)->text(QAccessible::Name);
    QVERIFY2(lignes.contains(QStringLiteral("Journal secret — Cachée")),
             qPrintable(lignes.join('|')));
}

void TestRechercher::lancementDuBandeau() {
    // A start from a strip counts too: that item goes first in the search.
    PosteRecherche p;
    frmDalvire bandeau(p.env.contexte());
    bandeau.Form_Load();
    bandeau.definirTag(QStringLiteral("Outils"));
    {
        const QSignalBlocker silence(bandeau.cboProgrammes);
        bandeau.cboProgrammes->addItem(QStringLiteral("Élément 07"));
        bandeau.cboChemin.addItem(p.document);
        bandeau.cboType.addItem(QStringLiteral("1"));
        bandeau.cboAffichage.addItem(QStringLiteral("1"));
        bandeau.cboProgrammes->setCurrentIndex(0);
    }
    Lancer_Element(bandeau);
    QCOMPARE(p.lancements(QStringLiteral("Élément 07")), 1);
    p.ouvrir();
    p.taper("elem");
    QCOMPARE(Noms(p.fenetre.trouves()).mid(0, 2),
             (QStringList{QStringLiteral("Élément 07"), QStringLiteral("Élément 01")}));
}

QTEST_MAIN(TestRechercher)
#include "test_rechercher.moc"
