// The category and program editors over a real management window: the checks in their
// order, the dialogs, what is written, the refresh, and the refused saves.
#include "manage/frmCategories.h"
#include "manage/frmGestion.h"
#include "manage/frmProgrammes.h"
#include "support/AideFactice.h"
#include "support/BancGestion.h"
#include "support/DialoguesScriptes.h"
#include "ui/Controles.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

const QString DoublonCategorie = "Une catégorie du même nom existe déjà." + Crlf +
                                 "Saisissez un autre nom pour la nouvelle catégorie.";
const QString DoublonProgramme = "Un programme du même nom existe déjà." + Crlf +
                                 "Saisissez un autre nom pour le nouveau programme.";
const QString Compose = u"Été"_s;
const QString Decompose = u"E\u0301t\u00e9"_s;

void remplir(BancGestion& b) {
    b.categorie("Jeux");
    b.categorie("Outils", "0", "255");
    b.categorie(Compose, "1", "-1");
    b.programme("Scie", "Outils", "2", "3", "mailto:a@b");
    b.programme("Perdu", "Disparue", "9", "1");
}

// The category editor, or the program editor; in modify mode, on the first row.
std::unique_ptr<QDialog> editeur(BancGestion& b, bool categorie, ModeEditeur mode) {
    b.lire();
    const ModeleCatalogue& m = b.c().modele();
    if (categorie) return std::make_unique<frmCategories>(b.c(), mode, m.categories().value(0).nom);
    return std::make_unique<frmProgrammes>(b.c(), mode, m.elements().value(0).nom);
}

QLineEdit* champ(QWidget& e, const QString& nom) {
    return Controle<QLineEdit>(e, nom);
}

QRadioButton* option(QWidget& e, const QString& nom) {
    return Controle<QRadioButton>(e, nom);
}

QRadioButton* type(QWidget& e, int t) {
    static const QStringList Types{"Programme", "Fichier", "Lien Internet", "E-Mail"};
    return option(e, Types.at(t));
}

QListWidget* modes(QWidget& e) {
    return Controle<QListWidget>(e, "Mode d'affichage du programme");
}

QComboBox* categories(QWidget& e) {
    return Controle<QComboBox>(e, "Catégorie du programme");
}

} // namespace

class TestEditeurs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The first failing check speaks; nothing is written.
    void verificationsCategorie_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("icone"); // "*" the delivered icon
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("nomAffiche");
        const QString nomVide = "Vous devez saisir un nom pour la catégorie.";
        const QString icone = "Vous devez sélectionner une icône pour la catégorie.";
        QTest::newRow("tout vide") << u""_s << "" << nomVide << "";
        QTest::newRow("espaces") << u"   "_s << "*" << nomVide << "";
        QTest::newRow("casse") << u" jEUX "_s << "" << DoublonCategorie << "jEUX";
        QTest::newRow("forme Unicode") << Decompose << "*" << DoublonCategorie << Decompose;
        QTest::newRow("icône espaces") << u"Neuf"_s << "  " << icone << "Neuf";
        QTest::newRow("icône absente") << u"Neuf"_s << "/nulle/part.ico" << icone << "Neuf";
    }
    void verificationsCategorie() {
        QFETCH(QString, nom);
        QFETCH(QString, icone);
        BancGestion b;
        remplir(b);
        b.lire();
        frmCategories e(b.c(), ModeEditeur::Creation);
        champ(e, "Nom de la catégorie")->setText(nom);
        champ(e, "Icône de la catégorie")->setText(icone == "*" ? b.icone() : icone);
        Cliquer(e, "Valider");
        QTEST(b.vus().value(0), "message");
        QCOMPARE(b.vus().size(), 1);
        QTEST(champ(e, "Nom de la catégorie")->text(), "nomAffiche");
        QCOMPARE(b.lignes("categorie").size(), 3);
    }

    // "cote" and "côte" are two names; defaults, random colour, apostrophe.
    void creationCategorie_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("aleatoire");
        QTest::addColumn<bool>("affichee");
        QTest::addColumn<QString>("ligne"); // nom|affiche|couleur
        QTest::newRow("défauts") << "cote" << false << true << "cote|1|16761024";
        QTest::newRow("accent") << "côte" << true << false << "côte|0|-1";
        QTest::newRow("apostrophe") << " L'atelier " << false << true << "L'atelier|1|16761024";
    }
    void creationCategorie() {
        QFETCH(QString, nom);
        QFETCH(bool, aleatoire);
        QFETCH(bool, affichee);
        BancGestion b;
        b.categorie("cote");
        b.categorie("Zèbre");
        if (nom == "cote") b.env.executer("DELETE FROM categorie WHERE nom = 'cote'");
        frmGestion g(b.c());
        Dans_Editeur<frmCategories>(g, "Nouvelle catégorie", [&](frmCategories& e) {
            QCOMPARE(e.windowTitle(), u"Ajouter une Catégorie"_s);
            champ(e, "Nom de la catégorie")->setText(nom);
            champ(e, "Icône de la catégorie")->setText(b.icone());
            option(e, aleatoire ? "Aléatoire" : "Fixe")->setChecked(true);
            option(e, affichee ? "OUI" : "NON")->setChecked(true);
            b.env.messages().reponses = {ReponseMessage::OK, ReponseMessage::Non};
            Cliquer(e, "Valider");
            QCOMPARE(e.result(), int(QDialog::Accepted));
        });
        const QString nomSeul = nom.trimmed();
        QCOMPARE(b.vus(), QStringList({"La nouvelle catégorie [" + nomSeul + "] a été enregistrée.",
                                       "Désirez-vous saisir une nouvelle catégorie ?"}));
        QString trouvee;
        for (const QString& l : b.lignes("categorie"))
            if (l.startsWith(nomSeul + '|'))
                trouvee = l.section('|', 0, 0) + '|' + l.section('|', 2, 3);
        QTEST(trouvee, "ligne");
        // The management window shows the new category, in its list and its box.
        QCOMPARE(g.categorieChoisie(), nomSeul);
        QCOMPARE(Controle<QComboBox>(g, "Liste des catégories")->currentText(), nomSeul);
        QCOMPARE(Valeur(g, "Nom de la catégorie"), nomSeul);
    }

    // Yes keeps the window for another one; the saved name is then refused.
    void creationsEnSerie() {
        BancGestion b;
        b.lire();
        frmCategories e(b.c(), ModeEditeur::Creation);
        QLineEdit* n = champ(e, "Nom de la catégorie");
        n->setText("Jeux");
        champ(e, "Icône de la catégorie")->setText(b.icone());
        b.env.messages().reponses = {ReponseMessage::OK, ReponseMessage::Oui};
        Cliquer(e, "Valider");
        QVERIFY(e.result() != QDialog::Accepted);
        QCOMPARE(n->text(), QString());
        QCOMPARE(champ(e, "Icône de la catégorie")->text(), b.icone());
        n->setText("JEUX");
        Cliquer(e, "Valider");
        QCOMPARE(b.vus().last(), DoublonCategorie);
        QCOMPARE(n->selectedText(), u"JEUX"_s);
    }

    void modificationCategorie_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("aleatoire");
        QTest::addColumn<bool>("oui");
        QTest::addColumn<int>("couleur");
        QTest::newRow("aléatoire") << Compose << true << true << 16761024;
        QTest::newRow("rouge, non affichée") << "Outils" << false << false << 255;
    }
    void modificationCategorie() {
        QFETCH(QString, nom);
        QFETCH(bool, aleatoire);
        QFETCH(bool, oui);
        QFETCH(int, couleur);
        BancGestion b;
        remplir(b);
        frmGestion g(b.c());
        Choisir(Controle<QListView>(g, "Liste des catégories"), nom);
        auto* boite = Controle<QComboBox>(g, "Liste des catégories");
        boite->setCurrentIndex(1);
        Dans_Editeur<frmCategories>(g, "Modifier la catégorie", [&](frmCategories& e) {
            QCOMPARE(e.windowTitle(), u"Modifier une Catégorie"_s);
            QVERIFY(!champ(e, "Nom de la catégorie")->isEnabled());
            QCOMPARE(champ(e, "Nom de la catégorie")->text(), nom);
            QCOMPARE(option(e, "Aléatoire")->isChecked(), aleatoire);
            QCOMPARE(option(e, "OUI")->isChecked(), oui);
            QCOMPARE(e.couleurFixe(), couleur);
            option(e, oui ? "NON" : "OUI")->setChecked(true);
            Cliquer(e, "Valider");
            QCOMPARE(e.result(), int(QDialog::Accepted));
        });
        QCOMPARE(b.vus(), QStringList("La catégorie [" + nom + "] a été modifiée."));
        QVERIFY(b.lignes("categorie")
                    .contains(nom + '|' + b.icone() + '|' + (oui ? "0" : "1") + '|' +
                              (aleatoire ? "-1" : QString::number(couleur))));
        QCOMPARE(g.categorieChoisie(), nom);
        QCOMPARE(boite->currentIndex(), 1);
    }

    // A file that is no picture here (text, or a format with no reader) is refused.
    void imageIncorrecte_data() {
        QTest::addColumn<QString>("fichier");
        QTest::newRow("texte en .ico") << "faux.ico";
        QTest::newRow("métafichier") << "dessin.wmf";
    }
    void imageIncorrecte() {
        QFETCH(QString, fichier);
        BancGestion b;
        const QString chemin = b.env.dossier() + fichier;
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("pas une image\n");
        f.close();
        frmCategories e(b.c(), ModeEditeur::Creation);
        const QLabel* image = Controle<QLabel>(e, "Icône de la catégorie");
        QLineEdit* icone = champ(e, "Icône de la catégorie");
        QVERIFY(!image->pixmap().isNull());
        icone->setText(chemin);
        QCOMPARE(b.vus(), QStringList("Le format de l'image est incorrect."));
        QCOMPARE(b.env.messages().vus.at(0).icone, IconeMessage::Exclamation);
        QCOMPARE(icone->text(), QString());
        QVERIFY(image->pixmap().isNull());
        // The SVG reader is there: a drawing of the application folder shows.
        icone->setText(b.env.dossier() + "icones/categories.svg");
        QVERIFY(!image->pixmap().isNull());
    }

    void dialoguesCategorie() {
        BancGestion b;
        frmCategories e(b.c(), ModeEditeur::Creation);
        QLineEdit* icone = champ(e, "Icône de la catégorie");
        DialoguesScriptes& d = b.env.dialogues();
        d.fichiers = {std::nullopt, b.icone()};
        Cliquer(e, "Rechercher une Icône");
        QCOMPARE(icone->text(), QString());
        Cliquer(e, "Rechercher une Icône");
        QCOMPARE(icone->text(), b.icone());
        QCOMPARE(champ(e, "Nom de la catégorie")->text(), QString());
        QCOMPARE(d.ouvertures.at(0).titre, u"Rechercher un Icône..."_s);
        QVERIFY(d.ouvertures.at(0).filtres.first().contains("*.svg"));
        QVERIFY(d.ouvertures.at(0).filtres.contains("Fichiers Icônes (*.ico)"));
        // The swatch: always the fixed colour; the dialog starts from its own last choice.
        option(e, "Aléatoire")->setChecked(true);
        d.couleurs = {std::nullopt, QColor(255, 0, 0), std::nullopt};
        Cliquer(e, "Couleur du fond fixe");
        QVERIFY(option(e, "Fixe")->isChecked());
        QCOMPARE(e.couleurFixe(), 16761024);
        Cliquer(e, "Couleur du fond fixe");
        QCOMPARE(e.couleurFixe(), 255);
        Cliquer(e, "Couleur du fond fixe");
        QCOMPARE(d.departsCouleur, QList<QColor>({Qt::black, Qt::black, QColor(255, 0, 0)}));
        QCOMPARE(e.couleurFixe(), 255);
    }

    // Enter in a field validates, Esc cancels, F1 and the help button open the topic of
    // the mode; every control has a name a screen reader can say.
    void touches_data() {
        QTest::addColumn<bool>("categorie");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("rubrique");
        QTest::newRow("nouvelle catégorie") << true << "0" << 10011;
        QTest::newRow("catégorie modifiée") << true << "1" << 10012;
        QTest::newRow("nouveau programme") << false << "0" << 10009;
        QTest::newRow("programme modifié") << false << "1" << 10010;
    }
    void touches() {
        QFETCH(bool, categorie);
        QFETCH(QString, mode);
        QFETCH(int, rubrique);
        BancGestion b;
        remplir(b);
        const auto e =
            editeur(b, categorie, mode == "1" ? ModeEditeur::Modification : ModeEditeur::Creation);
        e->show();
        QVERIFY(QTest::qWaitForWindowExposed(e.get()));
        for (QWidget* w : e->findChildren<QWidget*>())
            if (w->focusPolicy() != Qt::NoFocus)
                QVERIFY2(!w->accessibleName().isEmpty(), w->metaObject()->className());
        e->activateWindow();
        QWidget* champ = e->focusWidget(); // the name, or the path in modify mode
        QVERIFY(qobject_cast<QLineEdit*>(champ) && champ->isEnabled());
        QTest::keyClick(champ, Qt::Key_F1);
        Cliquer(*e, "Aide");
        QCoreApplication::processEvents();
        QCOMPARE(b.env.aide().appels.size(), 2);
        QCOMPARE(b.env.aide().appels.at(1).numero, rubrique);
        QTest::keyClick(champ, Qt::Key_Return); // a check message, or the save
        QVERIFY(!b.vus().isEmpty());
        QTest::keyClick(champ, Qt::Key_Escape);
        QVERIFY(!e->isVisible());
    }

    // Checks in their order; the e-mail prefix is added without a word.
    void verificationsProgramme_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("categorie");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("cheminAffiche");
        QTest::newRow("tout vide")
            << u""_s << "" << 0 << 0 << 1 << u"Vous devez saisir un nom pour le programme."_s << "";
        QTest::newRow("chemin vide") << u"A"_s << "  " << 0 << 0 << 1
                                     << u"Vous devez saisir un chemin pour le programme."_s << "";
        QTest::newRow("programme absent")
            << u"A"_s << "/nulle/part" << 0 << 0 << 1
            << u"Vous devez saisir un chemin valide pour le programme."_s << "/nulle/part";
        QTest::newRow("fichier absent")
            << u"A"_s << "/nulle/part" << 1 << 0 << 1
            << u"Vous devez saisir un chemin valide pour le fichier à éxécuter."_s << "/nulle/part";
        QTest::newRow("lien refusé")
            << u"A"_s << "pas un lien" << 2 << 0 << 1
            << u"Vous devez saisir un lien Internet valide."_s << "pas un lien";
        QTest::newRow("doublon après le chemin")
            << u"scie"_s << "x@y" << 3 << -1 << -1 << DoublonProgramme << "mailto:x@y";
        QTest::newRow("catégorie")
            << u"A"_s << "MAILTO:x@y" << 3 << -1 << 1
            << u"Sélectionnez une catégorie pour le programme."_s << "MAILTO:x@y";
        QTest::newRow("mode") << u"A"_s << "/bin/sh" << 0 << 0 << -1
                              << u"Sélectionnez un mode d'affichage pour le programme."_s
                              << "/bin/sh";
    }
    void verificationsProgramme() {
        QFETCH(QString, nom);
        QFETCH(QString, chemin);
        QFETCH(int, type);
        QFETCH(int, categorie);
        QFETCH(int, mode);
        BancGestion b;
        remplir(b);
        b.lire();
        frmProgrammes e(b.c(), ModeEditeur::Creation);
        champ(e, "Nom du programme")->setText(nom);
        champ(e, "Chemin du programme")->setText(chemin);
        ::type(e, type)->setChecked(true);
        categories(e)->setCurrentIndex(categorie);
        // A list given the focus makes its first line current without choosing it.
        modes(e)->setCurrentRow(qMax(mode, 0), mode < 0 ? QItemSelectionModel::NoUpdate
                                                        : QItemSelectionModel::ClearAndSelect);
        Cliquer(e, "Valider");
        QCOMPARE(b.vus().size(), 1);
        QTEST(b.vus().at(0), "message");
        QTEST(champ(e, "Chemin du programme")->text(), "cheminAffiche");
        QCOMPARE(b.lignes("programmes").size(), 2);
    }

    void parcourir() {
        BancGestion b;
        frmProgrammes e(b.c(), ModeEditeur::Creation);
        QLineEdit* chemin = champ(e, "Chemin du programme");
        QLineEdit* nom = champ(e, "Nom du programme");
        auto* parcourir = Controle<QPushButton>(e, "Rechercher un programme");
        DialoguesScriptes& d = b.env.dialogues();
        QVERIFY(parcourir->isEnabled());
        chemin->setText("garde");
        for (int t : {2, 3}) {
            ::type(e, t)->setChecked(true);
            QVERIFY(!parcourir->isEnabled());
        }
        ::type(e, 1)->setChecked(true);
        QVERIFY(parcourir->isEnabled());
        QCOMPARE(chemin->text(), u"garde"_s);
        d.fichiers = {std::nullopt, "/usr/bin/env", "/bin/true"};
        parcourir->click();
        QCOMPARE(chemin->text() + nom->text(), u"garde"_s);
        parcourir->click();
        QCOMPARE(nom->text(), u"env"_s);
        ::type(e, 0)->setChecked(true);
        parcourir->click();
        QCOMPARE(chemin->text(), u"/bin/true"_s);
        QCOMPARE(nom->text(), u"env"_s);
        QCOMPARE(d.ouvertures.at(1).filtres, QStringList("Tous les fichiers (*)"));
        QVERIFY(!d.ouvertures.at(1).executablesSeulement);
        QCOMPARE(d.ouvertures.at(2).filtres,
                 QStringList({"Programmes (*)", "Tous les fichiers (*)"}));
        QVERIFY(d.ouvertures.at(2).executablesSeulement);
    }

    // Odd stored values open with nothing chosen, and Valider stops there.
    void modificationProgramme_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("message");
        QTest::newRow("mail maximum") << "Scie" << 2 << 3 << "Le programme [Scie] a été modifié.";
        QTest::newRow("catégorie disparue, mode 9")
            << "Perdu" << -1 << 1 << "Sélectionnez une catégorie pour le programme.";
    }
    void modificationProgramme() {
        QFETCH(QString, nom);
        QFETCH(int, mode);
        QFETCH(int, type);
        QFETCH(QString, message);
        BancGestion b;
        remplir(b);
        frmGestion g(b.c());
        Choisir(Controle<QListView>(g, "Liste des programmes"), nom);
        QCOMPARE(g.programmeChoisi(), nom);
        bool acceptee = false;
        Dans_Editeur<frmProgrammes>(g, "Modifier le programme", [&](frmProgrammes& e) {
            QCOMPARE(e.windowTitle(), u"Modifier un Programme"_s);
            QCOMPARE(modes(e)->currentRow(), mode);
            QVERIFY(::type(e, type)->isChecked());
            QCOMPARE(Controle<QPushButton>(e, "Rechercher un programme")->isEnabled(), type < 2);
            QCOMPARE(categories(e)->currentText(), nom == "Scie" ? QString("Outils") : QString());
            Cliquer(e, "Valider");
            acceptee = e.result() == QDialog::Accepted;
        });
        QCOMPARE(b.vus().value(0), message);
        QCOMPARE(acceptee, nom == "Scie");
        if (acceptee) QVERIFY(g.programmeChoisi().isEmpty());
    }

    // Several items in one opening; the management window follows each save.
    void creationsProgrammes() {
        BancGestion b;
        remplir(b);
        frmGestion g(b.c());
        Choisir(Controle<QListView>(g, "Liste des catégories"), "Jeux");
        Dans_Editeur<frmProgrammes>(g, "Nouveau programme", [&](frmProgrammes& e) {
            QLineEdit* nom = champ(e, "Nom du programme");
            QLineEdit* chemin = champ(e, "Chemin du programme");
            nom->setText(" L'outil ");
            chemin->setText("/bin/sh");
            categories(e)->setCurrentIndex(categories(e)->findText("Outils"));
            modes(e)->setCurrentRow(0);
            b.env.messages().reponses = {ReponseMessage::OK, ReponseMessage::Oui};
            Cliquer(e, "Valider");
            QVERIFY(b.lignes("programmes").contains("L'outil|/bin/sh|Outils|0|0"));
            QCOMPARE(b.vus().at(0), u"Le nouveau programme [L'outil] a été enregistré."_s);
            QCOMPARE(Controle<QComboBox>(g, "Liste des catégories")->currentText(), "Outils");
            QCOMPARE(g.categorieChoisie(), "Jeux");
            QCOMPARE(g.programmeChoisi(), "L'outil");
            QCOMPARE(Valeur(g, "Nom du programme"), "L'outil");
            QCOMPARE(nom->text() + chemin->text(), QString());
            QCOMPARE(modes(e)->currentRow(), 0);
            nom->setText("l'OUTIL");
            chemin->setText("/bin/sh");
            Cliquer(e, "Valider");
            QCOMPARE(b.vus().last(), DoublonProgramme);
        });
    }

    // A refused save never reports success: the editor stays open with the input.
    void enregistrementRefuse_data() {
        QTest::addColumn<bool>("categorie");
        QTest::addColumn<bool>("doublon");
        QTest::addColumn<QString>("message");
        QTest::newRow("catégorie, même nom en base") << true << true << DoublonCategorie;
        QTest::newRow("catégorie, fichier refusant")
            << true << false << "La catégorie [Neuf] n'a pas pu être enregistrée.";
        QTest::newRow("programme, même nom en base") << false << true << DoublonProgramme;
        QTest::newRow("programme, fichier refusant")
            << false << false << "Le programme [Neuf] n'a pas pu être enregistré.";
    }
    void enregistrementRefuse() {
        QFETCH(bool, categorie);
        QFETCH(bool, doublon);
        QFETCH(QString, message);
        BancGestion b;
        remplir(b);
        const auto e = editeur(b, categorie, ModeEditeur::Creation);
        QLineEdit* nom = champ(*e, categorie ? "Nom de la catégorie" : "Nom du programme");
        if (categorie) {
            champ(*e, "Icône de la catégorie")->setText(b.icone());
        } else {
            champ(*e, "Chemin du programme")->setText("/bin/sh");
            categories(*e)->setCurrentIndex(0);
            modes(*e)->setCurrentRow(1);
        }
        nom->setText("Neuf");
        // Behind the editor's back: another row of that name, or a file that refuses.
        if (doublon && categorie) b.categorie("NEUF");
        if (doublon && !categorie) b.programme("NEUF", "Jeux");
        if (!doublon) b.refuser("INSERT", categorie ? "categorie" : "programmes");
        const QStringList avant = b.lignes("categorie") + b.lignes("programmes");
        Cliquer(*e, "Valider");
        QCOMPARE(b.vus().size(), 1);
        QVERIFY2(b.vus().at(0).startsWith(message), qPrintable(b.vus().at(0)));
        QVERIFY(e->result() != QDialog::Accepted);
        QCOMPARE(nom->text(), u"Neuf"_s);
        QCOMPARE(b.lignes("categorie") + b.lignes("programmes"), avant);
    }

    // Modify mode: a name longer than the field (written by another tool) is saved whole;
    // a row gone meanwhile is not reported as saved, and the editor stays.
    void modificationSansLigne_data() {
        QTest::addColumn<bool>("categorie");
        QTest::addColumn<bool>("disparue");
        QTest::newRow("catégorie au nom long") << true << false;
        QTest::newRow("catégorie disparue") << true << true;
        QTest::newRow("programme au nom long") << false << false;
        QTest::newRow("programme disparu") << false << true;
    }
    void modificationSansLigne() {
        QFETCH(bool, categorie);
        QFETCH(bool, disparue);
        const QString nom = QString(60, QLatin1Char('x')) + u" l'été"_s;
        BancGestion b;
        b.categorie(nom);
        b.programme(nom, nom, "1", "0", "/bin/sh");
        const auto e = editeur(b, categorie, ModeEditeur::Modification);
        QCOMPARE(e->findChild<QLineEdit*>()->text(), nom);
        if (disparue) b.env.executer(u"DELETE FROM "_s + (categorie ? "categorie" : "programmes"));
        b.env.messages().reponses = {ReponseMessage::OK};
        Cliquer(*e, "Valider");
        const QString quoi =
            categorie ? "La catégorie [" + nom + "] " : "Le programme [" + nom + "] ";
        const QString attendu =
            !disparue ? quoi + (categorie ? "a été modifiée." : "a été modifié.")
            : categorie
                ? quoi + "n'a pas pu être modifiée : elle n'a pas été trouvée (supprimée ou "
                         "renommée entre-temps)."
                : quoi + "n'a pas pu être modifié : il n'a pas été trouvé (supprimé ou renommé "
                         "entre-temps).";
        QCOMPARE(b.vus(), QStringList{attendu});
        QCOMPARE(e->result() == QDialog::Accepted, !disparue);
        if (!disparue)
            QVERIFY(
                b.lignes(categorie ? "categorie" : "programmes").value(0).startsWith(nom + '|'));
    }

    // Enter on a focused browse button presses it, not the default "&Valider".
    void entreeSurLeBouton_data() {
        QTest::addColumn<bool>("categorie");
        QTest::addColumn<QString>("bouton"); // its accessible name
        QTest::newRow("icône") << true << "Rechercher une Icône";
        QTest::newRow("couleur") << true << "Couleur du fond fixe";
        QTest::newRow("chemin") << false << "Rechercher un programme";
    }
    void entreeSurLeBouton() {
        QFETCH(bool, categorie);
        QFETCH(QString, bouton);
        BancGestion b;
        remplir(b);
        const auto e = editeur(b, categorie, ModeEditeur::Creation);
        e->show();
        QVERIFY(QTest::qWaitForWindowActive(e.get()));
        auto* cible = Controle<QPushButton>(*e, bouton);
        cible->setFocus();
        QTest::keyClick(cible, Qt::Key_Return);
        QCOMPARE(b.env.dialogues().ouvertures.size() + b.env.dialogues().departsCouleur.size(), 1);
        QVERIFY(b.vus().isEmpty());
        QVERIFY(e->isVisible());
    }
};

QTEST_MAIN(TestEditeurs)
#include "test_editeurs.moc"
