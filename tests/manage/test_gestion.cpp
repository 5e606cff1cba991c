// The management window: pages, lists and details, deletions, closing.
#include "manage/Gestion.h"
#include "manage/frmCategories.h"
#include "manage/frmGestion.h"
#include "manage/frmParametres.h"
#include "support/AideFactice.h"
#include "support/BancGestion.h"
#include "support/Controles.h"
#include "support/Lisibilite.h"
#include "ui/Controles.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

const QString Crlf = QStringLiteral("\r\n");

// Jeux (2 items, one of each odd code), L'atelier (none), Outils (fixed red, hidden).
void remplir(BancGestion& b) {
    b.categorie("Jeux", "1", "-1");
    b.categorie("L'atelier");
    b.categorie("Outils", "0", "255");
    b.programme("Échecs", "Jeux", "2", "3", "mailto:a@b");
    b.programme("dames", "Jeux", "7", "x");
    b.programme("Scie", "Outils", "0", "2", "https://x.fr/");
}

QStringList lignes(const QListWidget* l) {
    QStringList r;
    for (int i = 0; i < l->count(); ++i)
        r << l->item(i)->text();
    return r;
}

QStringList champs(const std::array<Controles::EtiquetteValeur*, 5>& d) {
    QStringList r;
    for (const QLabel* l : d)
        r << l->text();
    return r;
}

// The management window over the test catalogue above.
struct GestionRemplie {
    BancGestion b;
    frmGestion g{(remplir(b), b.c())};
};

} // namespace

class TestGestion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void page_data() {
        QTest::addColumn<int>("page");
        QTest::newRow("programmes") << 1;
        QTest::newRow("catégories") << 0;
    }
    void page() {
        QFETCH(int, page);
        BancGestion b;
        frmGestion g(b.c(), PageGestion(page));
        QCOMPARE(g.pageVisible(), page);
        QVERIFY(!g.Frame1[page]->isHidden() && g.Frame1[1 - page]->isHidden());
        QVERIFY(g.lblRubrique[page]->font().bold() && !g.lblRubrique[1 - page]->font().bold());
        QCOMPARE(Fenetres::tag(&g), Tag::Gestion);
    }

    void catalogueVide() {
        BancGestion b;
        frmGestion g(b.c());
        QCOMPARE(g.cboCategorie->count(), 0);
        QCOMPARE(g.lstCategories->count() + g.lstProgrammes->count(), 0);
        QCOMPARE(g.lblTotalCategorie->text(), QStringLiteral("Total: 0"));
        QCOMPARE(g.lblTotalProgrammes->text(), QStringLiteral("Total: 0"));
        QCOMPARE(champs(g.lblDonneesProgrammes).join(""), QString());
        for (int i : {1, 2}) {
            g.cmdCategorie[i]->click();
            g.cmdProgrammes[i]->click();
        }
        const QString c = "Sélectionnez une catégorie dans la liste.";
        const QString p = "Sélectionnez un programme dans la liste.";
        QCOMPARE(b.vus(), QStringList({c, p, c, p}));
    }

    // Details of each category, and of each item through "(Toutes les catégories)".
    void details_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QStringList>("attendu");
        QTest::newRow("aléatoire") << "Jeux" << QStringList{"Jeux", "2", "OUI", "Aléatoire", ""};
        QTest::newRow("apostrophe")
            << "L'atelier" << QStringList{"L'atelier", "0", "OUI", "", "#c0c0ff"};
        QTest::newRow("rouge caché")
            << "Outils" << QStringList{"Outils", "1", "NON", "", "#ff0000"};
        QTest::newRow("mail maximum")
            << "Échecs" << QStringList{"Échecs", "mailto:a@b", "2 - MAXIMUM", "Jeux", "3 - E.MAIL"};
        QTest::newRow("codes inconnus")
            << "dames" << QStringList{"dames", "/bin/sh", "7", "Jeux", "x"};
        QTest::newRow("lien minimum")
            << "Scie"
            << QStringList{"Scie", "https://x.fr/", "0 - MINIMUM", "Outils", "2 - LIEN INTERNET"};
    }
    void details() {
        QFETCH(QString, nom);
        QFETCH(QStringList, attendu);
        GestionRemplie f;
        auto& [b, g] = f;
        const int categorie = lignes(g.lstCategories).indexOf(nom);
        if (categorie >= 0) {
            g.choisirCategorie(categorie);
            QStringList vu;
            for (int i : {0, 1, 2, 3})
                vu << g.lblDonneesCategories[i]->text();
            const QString style = g.lblDonneesCategories[3]->styleSheet();
            vu << (style.contains("border") ? style.mid(style.indexOf('#'), 7) : QString());
            QCOMPARE(vu, attendu);
            QVERIFY(!g.imgIcone->pixmap().isNull());
        } else {
            g.choisirProgramme(lignes(g.lstProgrammes).indexOf(nom));
            QCOMPARE(champs(g.lblDonneesProgrammes), attendu);
        }
    }

    void listes() {
        GestionRemplie f;
        auto& [b, g] = f;
        QCOMPARE(lignes(g.lstCategories), QStringList({"Jeux", "L'atelier", "Outils"}));
        QCOMPARE(g.lignesBoiteCategories(),
                 QStringList({"(Toutes les catégories)", "Jeux", "L'atelier", "Outils"}));
        // Opening: every item, the first one shown; the first category shown.
        QCOMPARE(lignes(g.lstProgrammes), QStringList({"dames", "Échecs", "Scie"}));
        QCOMPARE(g.programmeChoisi(), QStringLiteral("dames"));
        QCOMPARE(g.categorieChoisie(), QStringLiteral("Jeux"));
        g.cboCategorie->setCurrentIndex(3);
        QCOMPARE(lignes(g.lstProgrammes), QStringList({"Scie"}));
        QCOMPARE(g.lblTotalProgrammes->text(), QStringLiteral("Total: 1"));
        QCOMPARE(g.lblDonneesProgrammes[0]->text(), QStringLiteral("Scie"));
        g.cboCategorie->setCurrentIndex(2);
        QCOMPARE(g.lblTotalProgrammes->text(), QStringLiteral("Total: 0"));
        QCOMPARE(champs(g.lblDonneesProgrammes).join(""), QString());
    }

    // The questions, the reports, and what is left in the catalogue and the lists; the row
    // that took the deleted one's place is chosen.
    void suppression_data() {
        QTest::addColumn<bool>("categorie");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("oui");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("restantes"); // categories
        QTest::addColumn<QStringList>("programmes");
        const QStringList tous{"dames", "Échecs", "Scie"};
        const QStringList cats{"Jeux", "L'atelier", "Outils"};
        QTest::newRow("catégorie et ses programmes")
            << true << "Jeux" << true
            << QStringList{"Il existe un ou plusieurs programmes dépendant de la catégorie que "
                           "vous désirez supprimer." +
                               Crlf +
                               "Si vous supprimez cette catégorie, ces programmes seront "
                               "également supprimés." +
                               Crlf + "Désirez-vous supprimer la catégorie [Jeux] ?",
                           "La catégorie [Jeux] a été supprimée." + Crlf +
                               "Les programmes de cette catégorie ont également été supprimés."}
            << QStringList{"L'atelier", "Outils"} << QStringList{"Scie"};
        QTest::newRow("catégorie vide, apostrophe")
            << true << "L'atelier" << true
            << QStringList{"Êtes vous sûr(e) de vouloir supprimer la catégorie:" + Crlf +
                               "[L'atelier] ?",
                           "La catégorie [L'atelier] a été supprimée."}
            << QStringList{"Jeux", "Outils"} << tous;
        QTest::newRow("non") << true << "Jeux" << false << QStringList() << cats << tous;
        QTest::newRow("programme")
            << false << "Échecs" << true
            << QStringList{"Êtes vous sûr(e) de vouloir supprimer le programme:" + Crlf +
                               "[Échecs] ?",
                           "Le programme [Échecs] a été supprimé."}
            << cats << QStringList{"dames", "Scie"};
        QTest::newRow("programme, non")
            << false << "Scie" << false << QStringList() << cats << tous;
    }
    void suppression() {
        QFETCH(bool, categorie);
        QFETCH(QString, nom);
        QFETCH(bool, oui);
        QFETCH(QStringList, messages);
        GestionRemplie f;
        auto& [b, g] = f;
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QListWidget* liste = categorie ? g.lstCategories : g.lstProgrammes;
        const QStringList tous{"dames", "Échecs", "Scie"};
        for (const QString& p : tous)
            b.c().utilisations().noter(p, QDateTime::currentDateTimeUtc());
        const int ligne = static_cast<int>(lignes(liste).indexOf(nom));
        if (categorie)
            g.choisirCategorie(ligne);
        else
            g.choisirProgramme(ligne);
        b.env.messages().reponses = {oui ? ReponseMessage::Oui : ReponseMessage::Non};
        (categorie ? g.cmdCategorie : g.cmdProgrammes)[2]->click();
        const QList<QListWidgetItem*> choisies = liste->selectedItems();
        QCOMPARE(choisies.isEmpty() ? -1 : liste->row(choisies.first()),
                 std::min(ligne, liste->count() - 1));
        if (!oui) {
            QCOMPARE(b.vus().size(), 1);
            QCOMPARE(QApplication::focusWidget(), liste);
        } else {
            QCOMPARE(b.vus(), messages);
        }
        QStringList categories;
        for (const QString& l : b.lignes("categorie"))
            categories << l.section('|', 0, 0);
        QTEST(categories, "restantes");
        QStringList programmes;
        for (const QString& l : b.lignes("programmes"))
            programmes << l.section('|', 0, 0);
        QTEST(programmes, "programmes");
        // The starts of the items deleted went with them, in the file too.
        const Utilisations relues(b.c().utilisations().chemin());
        QStringList comptes = tous;
        comptes.removeIf([&](const QString& p) { return relues.lancements(p) == 0; });
        QTEST(comptes, "programmes");
        QTEST(lignes(g.lstCategories), "restantes");
        QCOMPARE(g.lblTotalCategorie->text(),
                 "Total: " + QString::number(g.lstCategories->count()));
        QCOMPARE(g.lblTotalProgrammes->text(),
                 "Total: " + QString::number(g.lstProgrammes->count()));
    }

    // The last line deleted: the new last one is chosen, its details shown, and the item
    // list no longer shows the items that went with it.
    void derniereLigne() {
        GestionRemplie f;
        auto& [b, g] = f;
        g.choisirCategorie(2);
        g.choisirBoiteCategories(3);
        const QStringList partis = lignes(g.lstProgrammes);
        b.env.messages().reponses = {ReponseMessage::Oui};
        g.cmdCategorie[2]->click();
        QCOMPARE(g.positionCategorie(), 1);
        QCOMPARE(g.lblDonneesCategories[0]->text(), g.categorieChoisie());
        QCOMPARE(g.positionBoiteCategories(), 2);
        for (const QString& p : partis)
            QVERIFY(!lignes(g.lstProgrammes).contains(p));
    }

    // A refused deletion is told as such; nothing is half done, the lists stay.
    void suppressionRefusee_data() {
        QTest::addColumn<bool>("categorie");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("message");
        QTest::newRow("programmes de la catégorie")
            << true << "programmes"
            << "La catégorie [Jeux] n'a pas pu être supprimée.";
        QTest::newRow("catégorie") << true << "categorie"
                                   << "La catégorie [Jeux] n'a pas pu être supprimée.";
        QTest::newRow("programme") << false << "programmes"
                                   << "Le programme [dames] n'a pas pu être supprimé.";
    }
    void suppressionRefusee() {
        QFETCH(bool, categorie);
        QFETCH(QString, table);
        QFETCH(QString, message);
        BancGestion b;
        remplir(b);
        const QStringList avant = b.lignes("categorie") + b.lignes("programmes");
        b.refuser("DELETE", table);
        frmGestion g(b.c());
        b.env.messages().reponses = {ReponseMessage::Oui};
        (categorie ? g.cmdCategorie : g.cmdProgrammes)[2]->click();
        QCOMPARE(b.vus().size(), 2);
        QVERIFY2(b.vus().at(1).startsWith(message + Crlf), qPrintable(b.vus().at(1)));
        QCOMPARE(b.env.messages().vus.at(1).icone, IconeMessage::Critique);
        QCOMPARE(b.lignes("categorie") + b.lignes("programmes"), avant);
        QCOMPARE(g.lstCategories->count(), 3);
        QCOMPARE(g.lstProgrammes->count(), 3);
    }

    void fermeture_data() {
        QTest::addColumn<int>("maniere");
        QTest::addColumn<bool>("reconstruire");
        QTest::newRow("Quitter") << 0 << false;
        QTest::newRow("Valider les changements") << 1 << true;
        QTest::newRow("Échap") << 2 << true;
        QTest::newRow("case de fermeture") << 3 << false;
    }
    void fermeture() {
        QFETCH(int, maniere);
        BancGestion b;
        frmGestion g(b.c());
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        if (maniere == 0) g.Boutons[1]->click();
        if (maniere == 1) g.Boutons[2]->click();
        if (maniere == 2) QTest::keyClick(g.lstCategories, Qt::Key_Escape);
        if (maniere == 3) g.close();
        QVERIFY(!g.isVisible());
        QTEST(g.fin() == FinGestion::MiseAJourAFaire, "reconstruire");
    }

    // Enter on a list and F1 open the help of the visible page.
    void aide() {
        GestionRemplie f;
        auto& [b, g] = f;
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.lstCategories->setFocus();
        QTest::keyClick(g.lstCategories, Qt::Key_Return);
        QCoreApplication::processEvents();
        g.lblRubrique[1]->click();
        QTest::keyClick(g.cboCategorie, Qt::Key_F1);
        QVERIFY(g.isVisible());
        QStringList vus;
        for (const AideFactice::Appel& a : b.env.aide().appels)
            vus << QString::number(a.numero);
        QCOMPARE(vus, QStringList({"10006", "10007"}));
    }

    void nomsAccessibles() {
        BancGestion b;
        frmGestion g(b.c());
        for (QWidget* w : g.findChildren<QWidget*>())
            if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                qobject_cast<QListWidget*>(w))
                QVERIFY2(!w->accessibleName().isEmpty(), w->metaObject()->className());
        QCOMPARE(g.Boutons[2]->accessibleName(), QStringLiteral("Valider les changements"));
        // Names and descriptions a screen reader once missed, read as it reads them.
        frmParametres reglages(b.c());
        frmCategories editeur(b.c(), g, ModeEditeur::Creation);
        const QList<std::pair<QWidget*, QString>> attendus{
            {g.cmdProgrammes[1], "Modifier|Modifier le programme"},
            {g.cmdProgrammes[2], "Supprimer|Supprimer le programme"},
            {Controle<QPushButton>(reglages, "Annuler"), "Annuler|Annuler"},
            {Controle<QLineEdit>(reglages, "Raccourci de recherche"),
             "Raccourci de recherche|Appuyez sur le raccourci"},
            {Controle<QToolButton>(reglages, "Effacer le raccourci"),
             "Effacer le raccourci|Effacer le raccourci"},
            {editeur.optCouleur[1], "Fixe|"},
        };
        for (const auto& [controle, lu] : attendus)
            QCOMPARE(Lecture_Accessible(controle).section('|', 0, 1), lu);
    }

    // However a row becomes the selected one, the details follow it, and so does every
    // decision taken from them: the delete question counts the items of that very row.
    void choixDeLaLigne_data() {
        QTest::addColumn<bool>("categorie");
        QTest::addColumn<QString>("geste");
        QTest::addColumn<QString>("nom");
        for (const QString geste : {"clic", "espace", "fin", "lettre"}) {
            QTest::newRow(qPrintable("catégories, " + geste)) << true << geste << "Outils";
            QTest::newRow(qPrintable("programmes, " + geste)) << false << geste << "Scie";
        }
    }
    void choixDeLaLigne() {
        QFETCH(bool, categorie);
        QFETCH(QString, geste);
        QFETCH(QString, nom);
        GestionRemplie f;
        auto& [b, g] = f;
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        QListWidget* liste = categorie ? g.lstCategories : g.lstProgrammes;
        if (!categorie) g.Afficher_Page(1);
        liste->setFocus();
        const int ligne = lignes(liste).indexOf(nom);
        if (geste == "clic") {
            QTest::mouseClick(liste->viewport(), Qt::LeftButton, {},
                              liste->visualItemRect(liste->item(ligne)).center());
        } else if (geste == "espace") {
            liste->setCurrentRow(ligne, QItemSelectionModel::NoUpdate);
            liste->clearSelection();
            QTest::keyClick(liste, Qt::Key_Space);
        } else {
            QTest::keyClick(liste, geste == "fin" ? Qt::Key_End
                                   : categorie    ? Qt::Key_O
                                                  : Qt::Key_S);
        }
        QCOMPARE(categorie ? g.categorieChoisie() : g.programmeChoisi(), nom);
        QCOMPARE((categorie ? g.lblDonneesCategories[0] : g.lblDonneesProgrammes[0])->text(), nom);
        if (!categorie) return;
        QCOMPARE(g.lblDonneesCategories[1]->text(), QStringLiteral("1"));
        b.env.messages().reponses = {ReponseMessage::Non};
        g.cmdCategorie[2]->click();
        QCOMPARE(b.vus().value(0).count(Crlf), 2); // the question that names the items
    }

    // What a screen reader reads of each value: the value as the name, the tooltip as the
    // description, the caption that names it; a value too long for the label is cut on
    // screen only.
    void valeursLues() {
        const QString longue = QString(70, QLatin1Char('n')) + QStringLiteral("-fin");
        BancGestion b;
        remplir(b);
        b.programme(longue, "Outils");
        frmGestion g(b.c());
        g.choisirCategorie(2);
        g.choisirProgramme(lignes(g.lstProgrammes).indexOf(longue));
        const auto lu = [](QWidget* w, QAccessible::Text t) {
            return QAccessible::queryAccessibleInterface(w)->text(t);
        };
        const QList<QPair<Controles::EtiquetteValeur*, QString>> attendus{
            {g.lblTotalCategorie, "Total: 3"},
            {g.lblTotalProgrammes, "Total: 4"},
            {g.lblDonneesCategories[0], "Outils"},
            {g.lblDonneesCategories[1], "2"},
            {g.lblDonneesCategories[2], "NON"},
            {g.lblDonneesCategories[3], "Rouge 255, vert 0, bleu 0"},
            {g.lblDonneesProgrammes[0], longue},
            {g.lblDonneesProgrammes[2], "1 - NORMAL"},
            {g.lblDonneesProgrammes[4], "0 - PROGRAMME"}};
        for (const auto& [etiquette, valeur] : attendus) {
            QCOMPARE(lu(etiquette, QAccessible::Name), valeur);
            QVERIFY(!lu(etiquette, QAccessible::Description).isEmpty());
        }
        QCOMPARE(lu(g.lblDonneesCategories[0], QAccessible::Description),
                 QStringLiteral("Nom de la catégorie"));
        const auto legendes = QAccessible::queryAccessibleInterface(g.lblDonneesCategories[0])
                                  ->relations(QAccessible::Label);
        QCOMPARE(legendes.size(), 1);
        QCOMPARE(legendes.at(0).first->text(QAccessible::Name), QStringLiteral("Nom:"));
        QVERIFY(g.lblDonneesProgrammes[0]->text().endsWith(QChar(0x2026)));
        QCOMPARE(g.lblDonneesProgrammes[0]->toolTip(), longue);
        QCOMPARE(g.lblDonneesProgrammes[1]->text(), QStringLiteral("/bin/sh"));
    }

    // A row gone since the list was read: nothing deleted, said in French, lists read again.
    void suppressionDUneLigneDisparue_data() {
        QTest::addColumn<bool>("categorie");
        QTest::newRow("catégorie") << true;
        QTest::newRow("programme") << false;
    }
    void suppressionDUneLigneDisparue() {
        QFETCH(bool, categorie);
        GestionRemplie f;
        auto& [b, g] = f;
        g.choisirCategorie(2);
        g.choisirProgramme(2);
        b.env.executer(categorie ? "DELETE FROM categorie WHERE nom = 'Outils'"
                                 : "DELETE FROM programmes WHERE nom = 'Scie'");
        b.env.messages().reponses = {ReponseMessage::Oui};
        (categorie ? g.cmdCategorie : g.cmdProgrammes)[2]->click();
        QCOMPARE(b.vus().value(1),
                 categorie ? "La catégorie [Outils] n'a pas été trouvée : elle a été supprimée "
                             "ou renommée entre-temps."
                           : "Le programme [Scie] n'a pas été trouvé : il a été supprimé ou "
                             "renommé entre-temps.");
        QVERIFY(!lignes(categorie ? g.lstCategories : g.lstProgrammes)
                     .contains(categorie ? "Outils" : "Scie"));
    }

    // Enter presses the button that has the focus; in a list, the default "&Aide" runs.
    void entreeSurLeBouton_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("bouton"); // -1: the list
        QTest::addColumn<QString>("attendu");
        const QString c = "Sélectionnez une catégorie dans la liste.";
        const QString p = "Sélectionnez un programme dans la liste.";
        QTest::newRow("Nouvelle") << 0 << 0 << "frmCategories";
        QTest::newRow("Modifier la catégorie") << 0 << 1 << c;
        QTest::newRow("Supprimer la catégorie") << 0 << 2 << c;
        QTest::newRow("Nouveau") << 1 << 0 << "frmProgrammes";
        QTest::newRow("Modifier le programme") << 1 << 1 << p;
        QTest::newRow("Supprimer le programme") << 1 << 2 << p;
        QTest::newRow("liste des catégories") << 0 << -1 << "aide";
    }
    void entreeSurLeBouton() {
        QFETCH(int, page);
        QFETCH(int, bouton);
        QFETCH(QString, attendu);
        BancGestion b;
        frmGestion g(b.c());
        g.Afficher_Page(page);
        g.show();
        QVERIFY(QTest::qWaitForWindowActive(&g));
        QWidget* cible = bouton < 0 ? static_cast<QWidget*>(g.lstCategories)
                                    : (page == 0 ? g.cmdCategorie : g.cmdProgrammes)[bouton];
        cible->setFocus();
        QString vu;
        QTimer::singleShot(0, &g, [&vu] {
            if (QWidget* editeur = QApplication::activeModalWidget()) {
                vu = editeur->metaObject()->className();
                editeur->close();
            }
        });
        QTest::keyClick(cible, Qt::Key_Return);
        QCoreApplication::processEvents();
        if (vu.isEmpty()) vu = b.env.aide().appels.isEmpty() ? b.vus().value(0) : "aide";
        QCOMPARE(vu, attendu);
    }

    // Ctrl+Tab and its kin go to the other page and put the focus in it; the entries of
    // the bar are in the Tab order and pressed from the keyboard.
    void pagesAuClavier_data() {
        QTest::addColumn<int>("touche");
        QTest::addColumn<int>("modificateurs");
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << ctrl;
        QTest::newRow("Ctrl+Maj+Tab") << int(Qt::Key_Backtab) << int(ctrl | Qt::ShiftModifier);
        QTest::newRow("Ctrl+Backtab sans Maj") << int(Qt::Key_Backtab) << ctrl;
        QTest::newRow("Ctrl+Page suivante") << int(Qt::Key_PageDown) << ctrl;
        QTest::newRow("Ctrl+Page précédente") << int(Qt::Key_PageUp) << ctrl;
    }
    void pagesAuClavier() {
        QFETCH(int, touche);
        QFETCH(int, modificateurs);
        GestionRemplie f;
        auto& [b, g] = f;
        g.show();
        QVERIFY(QTest::qWaitForWindowActive(&g));
        g.lstCategories->setFocus();
        for (const int page : {1, 0}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(touche),
                            Qt::KeyboardModifiers(modificateurs));
            QCOMPARE(g.pageVisible(), page);
            QCOMPARE(QApplication::focusWidget(), page == 1 ? g.lstProgrammes : g.lstCategories);
        }
        g.lblRubrique[1]->setFocus();
        QCOMPARE(g.lblRubrique[1]->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
        for (const Qt::Key k : {Qt::Key_Space, Qt::Key_Return}) {
            g.Afficher_Page(0);
            QTest::keyClick(g.lblRubrique[1], k);
            QCOMPARE(g.pageVisible(), 1);
        }
    }

    // Every control the Tab key reaches shows when it has the keyboard, on both pages and
    // in the settings, under a light and a dark theme.
    void marquesDeFocus_data() {
        QTest::addColumn<bool>("sombre");
        QTest::addColumn<bool>("parametres");
        for (const bool parametres : {false, true})
            for (const bool sombre : {false, true})
                QTest::addRow("%s, %s", parametres ? "paramètres" : "gestion",
                              sombre ? "sombre" : "clair")
                    << sombre << parametres;
    }
    void marquesDeFocus() {
        QFETCH(bool, sombre);
        QFETCH(bool, parametres);
        const Theme theme(sombre);
        GestionRemplie f;
        auto& [b, g] = f;
        frmParametres reglages(b.c());
        QDialog& fenetre = parametres ? static_cast<QDialog&>(reglages) : g;
        fenetre.show();
        QVERIFY(QTest::qWaitForWindowActive(&fenetre));
        QStringList sans;
        for (const int page : {0, 1}) {
            g.Afficher_Page(page);
            sans += Sans_Marque_De_Focus(&fenetre);
        }
        QVERIFY2(sans.isEmpty(), qPrintable(sans.join(", ")));
    }
};

QTEST_MAIN(TestGestion)
#include "test_gestion.moc"
