// The search window: what it lists, its keys, starting the current item, closing.
#include "launcher/frmDalvire.h"
#include "launcher/frmRechercher.h"
#include "support/AideFactice.h"
#include "support/Controles.h"
#include "support/Environnement.h"
#include "support/Lisibilite.h"
#include "support/MessagesScriptes.h"
#include "support/ShellFactice.h"
#include "ui/Couleurs.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTest>

namespace {

// Twelve items and one of a hidden category; keys given to whatever has the keyboard.
struct PosteRecherche {
    Environnement env{Environnement::lanceur()};
    frmRechercher f{env.contexte()};
    QString doc = env.dossier() + QStringLiteral("informations.txt");

    PosteRecherche() {
        env.ajouterCategorie("Cachée", "", "0", "-1");
        for (int i = 12; i >= 1; --i)
            env.ajouterProgramme(QString("Élément %1").arg(i, 2, 10, QChar('0')), doc, "Outils",
                                 "1", "1");
        env.ajouterProgramme("Journal secret", doc, "Cachée", "2", "1");
    }
    void ouvrir(const char* texte = "") {
        QVERIFY(f.ouvrir());
        QVERIFY(QTest::qWaitForWindowActive(&f));
        for (const char* c = texte; *c; ++c)
            QTest::keyClick(f.windowHandle(), *c);
    }
    void touche(Qt::Key touche) { QTest::keyClick(f.windowHandle(), touche); }
    int lancements(const QString& nom) { return env.contexte().utilisations().lancements(nom); }
};

} // namespace

class TestRechercher : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ouverture() {
        PosteRecherche p;
        p.ouvrir();
        QCOMPARE(p.f.accessibleName(), QStringLiteral("Rechercher"));
        QVERIFY(p.f.windowFlags().testFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));
        QCOMPARE(p.f.pos(), frmRechercher::place(frmDalvire::zoneDeTravail(), p.f.size()));
        // Nothing typed: the first ten items in French order.
        QCOMPARE(Noms(p.f.trouves()).mid(8), (QStringList{"Élément 09", "Élément 10"}));
        // Opened again while open: the same search; closed and opened, the catalogue anew.
        p.touche(Qt::Key_J);
        QVERIFY(p.f.ouvrir());
        QCOMPARE(Controle<QLineEdit>(p.f, "txtRecherche")->text(), QStringLiteral("j"));
        p.f.fermer();
        p.env.ajouterProgramme("Journal de bord", p.doc, "Outils", "1", "1");
        p.ouvrir("jour");
        QCOMPARE(Noms(p.f.trouves()), (QStringList{"Journal de bord", "Journal secret"}));
    }

    void touches() {
        PosteRecherche p;
        p.ouvrir("elem");
        const Qt::Key cles[] = {Qt::Key_Down,   Qt::Key_Up,   Qt::Key_PageDown,
                                Qt::Key_PageUp, Qt::Key_Home, Qt::Key_End};
        // Keys (b h: Down, Up; s p: pages; d f: Home, End), then the line they lead to.
        for (const QString& cas :
             QString("b1 h0 h0 bb2 h1 bbbbbbbbbbbb9 h8 d0 f9 p0 s9").split(' ')) {
            for (const QChar t : cas.chopped(1))
                p.touche(cles[QStringLiteral("bhspdf").indexOf(t)]);
            QVERIFY2(p.f.ligneCourante() == cas.back().digitValue(), qPrintable(cas));
        }
        // The keyboard never left the field, whose text and caret the keys left alone.
        QCOMPARE(QApplication::focusWidget(), Controle<QLineEdit>(p.f, "txtRecherche"));
        QCOMPARE(Controle<QLineEdit>(p.f, "txtRecherche")->text(), QStringLiteral("elem"));
        QCOMPARE(Controle<QLineEdit>(p.f, "txtRecherche")->cursorPosition(), 4);
    }

    void entree() {
        PosteRecherche p;
        p.env.contexte().utilisations().noter("Élément 07", QDateTime::currentDateTimeUtc());
        p.ouvrir("elem");
        p.touche(Qt::Key_Down);
        p.touche(Qt::Key_Return);
        QVERIFY(!p.f.isVisible());
        // Started as a strip starts it, in its display mode; the hidden category's too.
        QTRY_COMPARE(p.lancements("Élément 01"), 1);
        p.ouvrir("secr");
        p.touche(Qt::Key_Enter);
        QTRY_COMPARE(p.lancements("Journal secret"), 1);
        QCOMPARE(p.env.shell().journal(),
                 (QStringList{"ouvrir|" + p.doc + "|normal", "ouvrir|" + p.doc + "|maximise"}));
        // The strip's checks and messages: a program that is gone starts and counts nothing.
        p.env.ajouterProgramme("Vieil outil", "/absent", "Outils", "1", "0");
        p.ouvrir("vieil");
        p.touche(Qt::Key_Return);
        QTRY_COMPARE(p.env.messages().textes(),
                     QStringList{"Impossible de démarrer le programme sélectionné.\r\nLe programme "
                                 "n'existe pas.\r\n[/absent]"});
        QCOMPARE(p.env.shell().appels.size(), 2);
    }

    // Escape, F1 or another window taking the keyboard close the window without a start;
    // F1 opens the search's help topic, with no owner (the window is gone by then).
    void sansLancement_data() {
        QTest::addColumn<int>("touche"); // 0: another window takes the keyboard
        QTest::addColumn<QStringList>("rubriques");
        QTest::newRow("Échap") << int(Qt::Key_Escape) << QStringList();
        QTest::newRow("autre fenêtre") << 0 << QStringList();
        QTest::newRow("F1") << int(Qt::Key_F1) << QStringList("aide.chm 10013");
    }
    void sansLancement() {
        QFETCH(int, touche);
        QFETCH(QStringList, rubriques);
        PosteRecherche p;
        QWidget autre;
        autre.show();
        p.ouvrir("secr");
        touche ? p.touche(Qt::Key(touche)) : autre.activateWindow();
        QTRY_VERIFY(!p.f.isVisible());
        QTest::qWait(50);
        QVERIFY(p.env.shell().appels.isEmpty() && p.f.trouves().isEmpty());
        QCOMPARE(p.env.rubriques().replaceInStrings(p.env.dossier(), QString()), rubriques);
        QVERIFY(rubriques.isEmpty() || !p.env.aide().appels[0].proprietaire);
    }

    // The catalogue gone or damaged since the program opened it: said, nothing shown.
    void catalogueIllisible() {
        for (const auto& [contenu, numero] : {std::pair{QByteArray(), 14}, {"pas une base", 26}}) {
            PosteRecherche p;
            QFile::remove(p.env.cheminCatalogue());
            QFile f(p.env.cheminCatalogue());
            if (!contenu.isNull())
                QVERIFY(f.open(QIODevice::WriteOnly) && f.write(contenu.repeated(100)) > 0);
            f.close();
            QVERIFY(!p.f.ouvrir());
            QVERIFY(!p.f.isVisible());
            const QString texte = p.env.messages().textes().value(0);
            QVERIFY2(texte.startsWith("La recherche n'a pas pu s'ouvrir : le fichier contenant "
                                      "les données n'a pas pu être lu.\r\n") &&
                         texte.endsWith(QStringLiteral("\r\n[%1]").arg(numero)),
                     qPrintable(texte));
        }
    }

    void aucunEtAccessibilite() {
        PosteRecherche p;
        p.ouvrir("zq%");
        QCOMPARE(Controle<QLabel>(p.f, "lblAucun")->text(),
                 QStringLiteral("Aucun élément ne correspond à «\u00A0zq%\u00A0»."));
        Controle<QLineEdit>(p.f, "txtRecherche")->setText(QStringLiteral("jour"));
        QVERIFY(Controle<QLabel>(p.f, "lblAucun")->isHidden());
        QCOMPARE(Lecture_Accessible(Controle<QLineEdit>(p.f, "txtRecherche")),
                 QStringLiteral("Nom de l'élément à rechercher|Une partie du nom, puis Entrée||"));
        QCOMPARE(Lecture_Accessible(Controle<QListView>(p.f, "lstTrouves")), QStringLiteral("Éléments trouvés|||"));
        QCOMPARE(QAccessible::queryAccessibleInterface(Controle<QListView>(p.f, "lstTrouves"))
                     ->child(0)
                     ->text(QAccessible::Name),
                 QStringLiteral("Journal secret — Cachée"));
    }

    // The lighter category reads at 4.5:1 against its line, chosen or not, light or dark.
    void lisibilite_data() { Lignes_Claire_Et_Sombre(); }
    void lisibilite() {
        QFETCH(bool, sombre);
        const Theme theme(sombre);
        PosteRecherche p;
        p.ouvrir();
        const QImage image = Controle<QListView>(p.f, "lstTrouves")->viewport()->grab().toImage();
        for (const int ligne : {0, 1}) {
            QRect zone = Controle<QListView>(p.f, "lstTrouves")->visualRect(Controle<QListView>(p.f, "lstTrouves")->model()->index(ligne, 0));
            zone.setLeft(zone.left() + zone.width() * 3 / 5);
            const double c = Contraste_Dessine(image, zone);
            QVERIFY2(c >= Couleurs::ContrasteMinimum, qPrintable(QString::number(c)));
        }
    }

    // A screen reader hears that nothing matches (the list's description changes), and
    // reads the field as the controller of the list.
    void lecteurDEcran() {
        PosteRecherche p;
        p.ouvrir("zq");
        QCOMPARE(Controle<QListView>(p.f, "lstTrouves")->accessibleDescription(), Controle<QLabel>(p.f, "lblAucun")->text());
        QVERIFY(Controle<QLabel>(p.f, "lblAucun")->text().startsWith("Aucun élément ne correspond"));
        const auto relations = QAccessible::queryAccessibleInterface(Controle<QLineEdit>(p.f, "txtRecherche"))
                                   ->relations(QAccessible::Controlled);
        QCOMPARE(relations.size(), 1);
        QCOMPARE(relations.first().first->object(), Controle<QListView>(p.f, "lstTrouves"));
    }
};

QTEST_MAIN(TestRechercher)
#include "test_rechercher.moc"
