// The management window: pages, lists and details, deletions, closing.
#include "manage/Gestion.h"
#include "manage/frmCategories.h"
#include "manage/frmGestion.h"
#include "manage/frmParametres.h"
#include "support/AideFactice.h"
#include "support/BancGestion.h"
#include "support/Controles.h"
#include "support/Lisibilite.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

const QString SansCategorie = "Sélectionnez une catégorie dans la liste.";
const QString SansProgramme = "Sélectionnez un programme dans la liste.";

// Jeux (2 items, one of each odd code), L'atelier (none), Outils (fixed red, hidden).
void remplir(BancGestion& b) {
    b.categorie("Jeux", "1", "-1");
    b.categorie("L'atelier");
    b.categorie("Outils", "0", "255");
    b.programme("Échecs", "Jeux", "2", "3", "mailto:a@b");
    b.programme("dames", "Jeux", "7", "x");
    b.programme("Scie", "Outils", "0", "2", "https://x.fr/");
}

QListView* liste(frmGestion& g, bool categories) {
    return Controle<QListView>(g, categories ? "Liste des catégories" : "Liste des programmes");
}

QComboBox* boite(frmGestion& g) {
    return Controle<QComboBox>(g, "Liste des catégories");
}

int ligneChoisie(const QListView* l) {
    const QModelIndexList choisies = l->selectionModel()->selectedIndexes();
    return choisies.isEmpty() ? -1 : choisies.first().row();
}

const QStringList DetailsCategorie{"Nom de la catégorie", "Nombre de programmes de la catégorie",
                                   "Catégorie affichée à l'écran", "Couleur de la catégorie"};
const QStringList DetailsProgramme{"Nom du programme", "Chemin d'accès du programme",
                                   "Mode d'affichage du programme", "Catégorie du programme",
                                   "Type de programme"};

QStringList champs(frmGestion& g, const QStringList& quoi = DetailsProgramme) {
    QStringList r;
    for (const QString& q : quoi)
        r << Valeur(g, q);
    return r;
}

void montrerPage(frmGestion& g, int page) {
    Cliquer(g, page == 1 ? "Programmes" : "Catégories");
}

QString total(frmGestion& g, bool categories) {
    return Valeur(g, categories ? "Nombre total de catégories" : "Nombre total de programmes");
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
        QVERIFY(liste(g, page == 0)->isVisibleTo(&g) && !liste(g, page == 1)->isVisibleTo(&g));
        QCOMPARE(Controle<QPushButton>(g, "Programmes")->font().bold(), page == 1);
        QCOMPARE(Controle<QPushButton>(g, "Catégories")->font().bold(), page == 0);
        QCOMPARE(Fenetres::tag(&g), Tag::Gestion);
    }

    void catalogueVide() {
        BancGestion b;
        frmGestion g(b.c());
        QCOMPARE(boite(g)->count(), 0);
        QCOMPARE(g.lignesCategories().size() + g.lignesProgrammes().size(), 0);
        QCOMPARE(total(g, true), QStringLiteral("Total: 0"));
        QCOMPARE(total(g, false), QStringLiteral("Total: 0"));
        QCOMPARE(champs(g).join(""), QString());
        for (const QString action : {"Modifier", "Supprimer"}) {
            Cliquer(g, action + " la catégorie");
            Cliquer(g, action + " le programme");
        }
        QCOMPARE(b.vus(),
                 QStringList({SansCategorie, SansProgramme, SansCategorie, SansProgramme}));
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
        if (g.lignesCategories().contains(nom)) {
            Choisir(liste(g, true), nom);
            QStringList vu = champs(g, DetailsCategorie);
            const QString style = Controle<QLabel>(g, "Couleur de la catégorie")->styleSheet();
            vu << (style.contains("border") ? style.mid(style.indexOf('#'), 7) : QString());
            QCOMPARE(vu, attendu);
            QVERIFY(!Controle<QLabel>(g, "Icône de la catégorie")->pixmap().isNull());
        } else {
            Choisir(liste(g, false), nom);
            QCOMPARE(champs(g), attendu);
        }
    }

    void listes() {
        GestionRemplie f;
        auto& [b, g] = f;
        QCOMPARE(g.lignesCategories(), QStringList({"Jeux", "L'atelier", "Outils"}));
        QCOMPARE(g.lignesBoiteCategories(),
                 QStringList({"(Toutes les catégories)", "Jeux", "L'atelier", "Outils"}));
        // Opening: every item, the first one shown; the first category shown.
        QCOMPARE(g.lignesProgrammes(), QStringList({"dames", "Échecs", "Scie"}));
        QCOMPARE(g.programmeChoisi(), QStringLiteral("dames"));
        QCOMPARE(g.categorieChoisie(), QStringLiteral("Jeux"));
        boite(g)->setCurrentIndex(3);
        QCOMPARE(g.lignesProgrammes(), QStringList({"Scie"}));
        QCOMPARE(total(g, false), QStringLiteral("Total: 1"));
        QCOMPARE(Valeur(g, "Nom du programme"), QStringLiteral("Scie"));
        boite(g)->setCurrentIndex(2);
        QCOMPARE(total(g, false), QStringLiteral("Total: 0"));
        QCOMPARE(champs(g).join(""), QString());
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
        QListView* vue = liste(g, categorie);
        const QStringList tous{"dames", "Échecs", "Scie"};
        for (const QString& p : tous)
            b.c().utilisations().noter(p, QDateTime::currentDateTimeUtc());
        const int ligne = static_cast<int>(
            (categorie ? g.lignesCategories() : g.lignesProgrammes()).indexOf(nom));
        Choisir(vue, nom);
        b.env.messages().reponses = {oui ? ReponseMessage::Oui : ReponseMessage::Non};
        Cliquer(g, categorie ? "Supprimer la catégorie" : "Supprimer le programme");
        QCOMPARE(ligneChoisie(vue), std::min(ligne, vue->model()->rowCount() - 1));
        if (!oui) {
            QCOMPARE(b.vus().size(), 1);
            QCOMPARE(QApplication::focusWidget(), vue);
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
        QTEST(g.lignesCategories(), "restantes");
        QCOMPARE(total(g, true), "Total: " + QString::number(g.lignesCategories().size()));
        QCOMPARE(total(g, false), "Total: " + QString::number(g.lignesProgrammes().size()));
    }

    // A change made through the catalogue model while the window is open shows at once in
    // its lists, totals and details; so does what another tool wrote before it opened.
    void changementsDuModele_data() {
        QTest::addColumn<QString>("changement");
        QTest::addColumn<QStringList>("programmes"); // of Jeux, chosen in both lists
        QTest::newRow("ajout") << "+" << QStringList{"Alpha", "dames", "Échecs"};
        QTest::newRow("changement de catégorie") << "~" << QStringList{"Échecs"};
        QTest::newRow("suppression") << "-" << QStringList{"Échecs"};
        QTest::newRow("catégorie ajoutée") << "c" << QStringList{"dames", "Échecs"};
        QTest::newRow("autre outil, avant") << "sql" << QStringList{"Alpha", "dames", "Échecs"};
    }
    void changementsDuModele() {
        QFETCH(QString, changement);
        QFETCH(QStringList, programmes);
        BancGestion b;
        remplir(b);
        b.lire();
        if (changement == "sql") b.programme("Alpha", "Jeux");
        frmGestion g(b.c());
        boite(g)->setCurrentIndex(1);
        ModeleCatalogue& m = b.c().modele();
        if (changement == "+") m.ajouter(Element{"Alpha", "/bin/sh", "Jeux", {}, {}});
        if (changement == "~") m.modifier(Element{"dames", "/bin/sh", "Outils", {}, {}});
        if (changement == "-") m.supprimerElement("dames");
        if (changement == "c") m.ajouter(Categorie{"Neuve", b.icone(), true, {}});
        QCOMPARE(g.lignesCategories().contains("Neuve"), changement == "c");
        QCOMPARE(g.lignesProgrammes(), programmes);
        QCOMPARE(total(g, true), "Total: " + QString::number(g.lignesCategories().size()));
        QCOMPARE(total(g, false), "Total: " + QString::number(programmes.size()));
        QCOMPARE(g.categorieChoisie(), "Jeux");
        QTRY_COMPARE(Valeur(g, "Nombre de programmes de la catégorie"),
                     QString::number(programmes.size()));
    }

    // The last line deleted: the new last one is chosen, its details shown, and the item
    // list no longer shows the items that went with it.
    void derniereLigne() {
        GestionRemplie f;
        auto& [b, g] = f;
        Choisir(liste(g, true), "Outils");
        boite(g)->setCurrentIndex(3);
        const QStringList partis = g.lignesProgrammes();
        b.env.messages().reponses = {ReponseMessage::Oui};
        Cliquer(g, "Supprimer la catégorie");
        QCOMPARE(ligneChoisie(liste(g, true)), 1);
        QCOMPARE(Valeur(g, "Nom de la catégorie"), g.categorieChoisie());
        QCOMPARE(boite(g)->currentIndex(), 2);
        for (const QString& p : partis)
            QVERIFY(!g.lignesProgrammes().contains(p));
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
        Cliquer(g, categorie ? "Supprimer la catégorie" : "Supprimer le programme");
        QCOMPARE(b.vus().size(), 2);
        QVERIFY2(b.vus().at(1).startsWith(message + Crlf), qPrintable(b.vus().at(1)));
        QCOMPARE(b.env.messages().vus.at(1).icone, IconeMessage::Critique);
        QCOMPARE(b.lignes("categorie") + b.lignes("programmes"), avant);
        QCOMPARE(g.lignesCategories().size(), 3);
        QCOMPARE(g.lignesProgrammes().size(), 3);
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
        if (maniere == 0) Cliquer(g, "Quitter");
        if (maniere == 1) Cliquer(g, "Valider les changements");
        if (maniere == 2) QTest::keyClick(liste(g, true), Qt::Key_Escape);
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
        liste(g, true)->setFocus();
        QTest::keyClick(liste(g, true), Qt::Key_Return);
        QCoreApplication::processEvents();
        montrerPage(g, 1);
        QTest::keyClick(boite(g), Qt::Key_F1);
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
            // The lists of the window, not the drop-down part of its box.
            if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w) ||
                (qobject_cast<QListView*>(w) && w->window() == &g))
                QVERIFY2(!w->accessibleName().isEmpty(), w->metaObject()->className());
        QCOMPARE(Controle<QPushButton>(g, "Valider les changements")->accessibleName(),
                 QStringLiteral("Valider les changements"));
        // Names and descriptions a screen reader once missed, read as it reads them.
        frmParametres reglages(b.c());
        frmCategories editeur(b.c(), ModeEditeur::Creation);
        const QList<std::pair<QWidget*, QString>> attendus{
            {Controle<QPushButton>(g, "Modifier le programme"), "Modifier|Modifier le programme"},
            {Controle<QPushButton>(g, "Supprimer le programme"),
             "Supprimer|Supprimer le programme"},
            {Controle<QPushButton>(reglages, "Annuler"), "Annuler|Annuler"},
            {Controle<QLineEdit>(reglages, "Raccourci de recherche"),
             "Raccourci de recherche|Appuyez sur le raccourci"},
            {Controle<QToolButton>(reglages, "Effacer le raccourci"),
             "Effacer le raccourci|Effacer le raccourci"},
            {Controle<QRadioButton>(editeur, "Fixe"), "Fixe|"},
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
        QListView* vue = liste(g, categorie);
        if (!categorie) montrerPage(g, 1);
        vue->setFocus();
        const QModelIndex ligne = vue->model()->index(
            static_cast<int>(
                (categorie ? g.lignesCategories() : g.lignesProgrammes()).indexOf(nom)),
            0);
        if (geste == "clic") {
            QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, vue->visualRect(ligne).center());
        } else if (geste == "espace") {
            vue->selectionModel()->setCurrentIndex(ligne, QItemSelectionModel::NoUpdate);
            vue->clearSelection();
            QTest::keyClick(vue, Qt::Key_Space);
        } else {
            QTest::keyClick(vue, geste == "fin" ? Qt::Key_End : categorie ? Qt::Key_O : Qt::Key_S);
        }
        QCOMPARE(categorie ? g.categorieChoisie() : g.programmeChoisi(), nom);
        QCOMPARE(Valeur(g, categorie ? "Nom de la catégorie" : "Nom du programme"), nom);
        if (!categorie) return;
        QCOMPARE(Valeur(g, "Nombre de programmes de la catégorie"), QStringLiteral("1"));
        b.env.messages().reponses = {ReponseMessage::Non};
        Cliquer(g, "Supprimer la catégorie");
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
        Choisir(liste(g, true), "Outils");
        Choisir(liste(g, false), longue);
        const auto lu = [&g](const QString& quoi, QAccessible::Text t) {
            return QAccessible::queryAccessibleInterface(Controle<QLabel>(g, quoi))->text(t);
        };
        const QList<QPair<QString, QString>> attendus{
            {"Nombre total de catégories", "Total: 3"},
            {"Nombre total de programmes", "Total: 4"},
            {"Nom de la catégorie", "Outils"},
            {"Nombre de programmes de la catégorie", "2"},
            {"Catégorie affichée à l'écran", "NON"},
            {"Couleur de la catégorie", "Rouge 255, vert 0, bleu 0"},
            {"Nom du programme", longue},
            {"Mode d'affichage du programme", "1 - NORMAL"},
            {"Type de programme", "0 - PROGRAMME"}};
        for (const auto& [etiquette, valeur] : attendus) {
            QCOMPARE(lu(etiquette, QAccessible::Name), valeur);
            QCOMPARE(lu(etiquette, QAccessible::Description), etiquette);
        }
        const auto legendes =
            QAccessible::queryAccessibleInterface(Controle<QLabel>(g, "Nom de la catégorie"))
                ->relations(QAccessible::Label);
        QCOMPARE(legendes.size(), 1);
        QCOMPARE(legendes.at(0).first->text(QAccessible::Name), QStringLiteral("Nom:"));
        QVERIFY(Valeur(g, "Nom du programme").endsWith(QChar(0x2026)));
        QCOMPARE(Controle<QLabel>(g, "Nom du programme")->toolTip(), longue);
        QCOMPARE(Valeur(g, "Chemin d'accès du programme"), QStringLiteral("/bin/sh"));
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
        Choisir(liste(g, true), "Outils");
        Choisir(liste(g, false), "Scie");
        b.env.executer(categorie ? "DELETE FROM categorie WHERE nom = 'Outils'"
                                 : "DELETE FROM programmes WHERE nom = 'Scie'");
        b.env.messages().reponses = {ReponseMessage::Oui};
        Cliquer(g, categorie ? "Supprimer la catégorie" : "Supprimer le programme");
        QCOMPARE(b.vus().value(1),
                 categorie ? "La catégorie [Outils] n'a pas été trouvée : elle a été supprimée "
                             "ou renommée entre-temps."
                           : "Le programme [Scie] n'a pas été trouvé : il a été supprimé ou "
                             "renommé entre-temps.");
        QVERIFY(!(categorie ? g.lignesCategories() : g.lignesProgrammes())
                     .contains(categorie ? "Outils" : "Scie"));
    }

    // Enter presses the button that has the focus; in a list, the default "&Aide" runs.
    void entreeSurLeBouton_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("bouton"); // -1: the list
        QTest::addColumn<QString>("attendu");
        QTest::newRow("Nouvelle") << 0 << 0 << "frmCategories";
        QTest::newRow("Modifier la catégorie") << 0 << 1 << SansCategorie;
        QTest::newRow("Supprimer la catégorie") << 0 << 2 << SansCategorie;
        QTest::newRow("Nouveau") << 1 << 0 << "frmProgrammes";
        QTest::newRow("Modifier le programme") << 1 << 1 << SansProgramme;
        QTest::newRow("Supprimer le programme") << 1 << 2 << SansProgramme;
        QTest::newRow("liste des catégories") << 0 << -1 << "aide";
    }
    void entreeSurLeBouton() {
        QFETCH(int, page);
        QFETCH(int, bouton);
        QFETCH(QString, attendu);
        BancGestion b;
        frmGestion g(b.c());
        montrerPage(g, page);
        g.show();
        QVERIFY(QTest::qWaitForWindowActive(&g));
        const QStringList boutons = page == 0
                                        ? QStringList{"Nouvelle catégorie", "Modifier la catégorie",
                                                      "Supprimer la catégorie"}
                                        : QStringList{"Nouveau programme", "Modifier le programme",
                                                      "Supprimer le programme"};
        QWidget* cible = bouton < 0 ? static_cast<QWidget*>(liste(g, true))
                                    : Controle<QPushButton>(g, boutons.at(bouton));
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
        liste(g, true)->setFocus();
        for (const int page : {1, 0}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(touche),
                            Qt::KeyboardModifiers(modificateurs));
            QCOMPARE(g.pageVisible(), page);
            QCOMPARE(QApplication::focusWidget(), liste(g, page == 0));
        }
        auto* programmes = Controle<QPushButton>(g, "Programmes");
        programmes->setFocus();
        QCOMPARE(programmes->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
        for (const Qt::Key k : {Qt::Key_Space, Qt::Key_Return}) {
            montrerPage(g, 0);
            QTest::keyClick(programmes, k);
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
        for (const int p : {0, 1}) {
            montrerPage(g, p);
            sans += Sans_Marque_De_Focus(&fenetre);
        }
        QVERIFY2(sans.isEmpty(), qPrintable(sans.join(", ")));
    }
};

QTEST_MAIN(TestGestion)
#include "test_gestion.moc"
