// The category and program editors over a real management window: the checks in their
// order, the dialogs, what is written, the refresh, and the refused saves.
#include "support/BancGestion.h"
#include "manage/frmCategories.h"
#include "manage/frmGestion.h"
#include "manage/frmProgrammes.h"
#include "support/AideFactice.h"
#include "support/DialoguesScriptes.h"
#include "ui/Controles.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QString Crlf = QStringLiteral("\r\n");
const QString DoublonCategorie = "Une catégorie du même nom existe déjà." + Crlf +
                                 "Saisissez un autre nom pour la nouvelle catégorie.";
const QString DoublonProgramme = "Un programme du même nom existe déjà." + Crlf +
                                 "Saisissez un autre nom pour le nouveau programme.";
const QString Compose = QStringLiteral("Été");
const QString Decompose = QStringLiteral("E\u0301t\u00e9");

void remplir(BancGestion& b) {
    b.categorie("Jeux");
    b.categorie("Outils", "0", "255");
    b.categorie(Compose, "1", "-1");
    b.programme("Scie", "Outils", "2", "3", "mailto:a@b");
    b.programme("Perdu", "Disparue", "9", "1");
}

// The category editor, or the program editor, over the management window.
std::unique_ptr<QDialog> editeur(BancGestion& b, frmGestion& g, bool categorie, ModeEditeur mode) {
    if (categorie) return std::make_unique<frmCategories>(b.c(), g, mode);
    return std::make_unique<frmProgrammes>(b.c(), g, mode);
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
        QTest::newRow("tout vide") << ""
                                   << "" << nomVide << "";
        QTest::newRow("espaces") << "   "
                                 << "*" << nomVide << "";
        QTest::newRow("casse") << " jEUX "
                               << "" << DoublonCategorie << "jEUX";
        QTest::newRow("forme Unicode") << Decompose << "*" << DoublonCategorie << Decompose;
        QTest::newRow("icône espaces") << "Neuf"
                                       << "  " << icone << "Neuf";
        QTest::newRow("icône absente") << "Neuf"
                                       << "/nulle/part.ico" << icone << "Neuf";
    }
    void verificationsCategorie() {
        QFETCH(QString, nom);
        QFETCH(QString, icone);
        BancGestion b;
        remplir(b);
        frmGestion g(b.c());
        frmCategories e(b.c(), g, ModeEditeur::Creation);
        e.txtNom->setText(nom);
        e.txtIcone->setText(icone == "*" ? b.icone() : icone);
        e.Bouton[0]->click();
        QTEST(b.vus().value(0), "message");
        QCOMPARE(b.vus().size(), 1);
        QTEST(e.txtNom->text(), "nomAffiche");
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
        frmCategories e(b.c(), g, ModeEditeur::Creation);
        QCOMPARE(e.windowTitle(), QStringLiteral("Ajouter une Catégorie"));
        e.txtNom->setText(nom);
        e.txtIcone->setText(b.icone());
        e.optCouleur[aleatoire ? 0 : 1]->setChecked(true);
        e.optAffiche[affichee ? 1 : 0]->setChecked(true);
        b.env.messages().reponses = {ReponseMessage::OK, ReponseMessage::Non};
        e.Bouton[0]->click();
        const QString nomSeul = nom.trimmed();
        QCOMPARE(b.vus(), QStringList({"La nouvelle catégorie [" + nomSeul + "] a été enregistrée.",
                                       "Désirez-vous saisir une nouvelle catégorie ?"}));
        QCOMPARE(e.result(), int(QDialog::Accepted));
        QString trouvee;
        for (const QString& l : b.lignes("categorie"))
            if (l.startsWith(nomSeul + '|'))
                trouvee = l.section('|', 0, 0) + '|' + l.section('|', 2, 3);
        QTEST(trouvee, "ligne");
        // The management window shows the new category, in its list and its box.
        QCOMPARE(g.categorieChoisie(), nomSeul);
        QCOMPARE(g.lignesBoiteCategories().value(g.positionBoiteCategories()), nomSeul);
        QCOMPARE(g.lblDonneesCategories[0]->text(), nomSeul);
    }

    // Yes keeps the window for another one; the saved name is then refused.
    void creationsEnSerie() {
        BancGestion b;
        frmGestion g(b.c());
        frmCategories e(b.c(), g, ModeEditeur::Creation);
        e.txtNom->setText("Jeux");
        e.txtIcone->setText(b.icone());
        b.env.messages().reponses = {ReponseMessage::OK, ReponseMessage::Oui};
        e.Bouton[0]->click();
        QVERIFY(e.result() != QDialog::Accepted);
        QCOMPARE(e.txtNom->text(), QString());
        QCOMPARE(e.txtIcone->text(), b.icone());
        e.txtNom->setText("JEUX");
        e.Bouton[0]->click();
        QCOMPARE(b.vus().last(), DoublonCategorie);
        QCOMPARE(e.txtNom->selectedText(), QStringLiteral("JEUX"));
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
        g.choisirCategorie(g.lignesCategories().indexOf(nom));
        g.choisirBoiteCategories(1);
        const int position = g.positionCategorie();
        frmCategories e(b.c(), g, ModeEditeur::Modification);
        QCOMPARE(e.windowTitle(), QStringLiteral("Modifier une Catégorie"));
        QVERIFY(!e.txtNom->isEnabled());
        QCOMPARE(e.txtNom->text(), nom);
        QCOMPARE(e.optCouleur[0]->isChecked(), aleatoire);
        QCOMPARE(e.optAffiche[1]->isChecked(), oui);
        QCOMPARE(e.couleurFixe(), couleur);
        e.optAffiche[oui ? 0 : 1]->setChecked(true);
        e.Bouton[0]->click();
        QCOMPARE(b.vus(), QStringList("La catégorie [" + nom + "] a été modifiée."));
        QCOMPARE(e.result(), int(QDialog::Accepted));
        QVERIFY(b.lignes("categorie")
                    .contains(nom + '|' + b.icone() + '|' + (oui ? "0" : "1") + '|' +
                              (aleatoire ? "-1" : QString::number(couleur))));
        QCOMPARE(g.positionCategorie(), position);
        QCOMPARE(g.positionBoiteCategories(), 1);
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
        frmGestion g(b.c());
        frmCategories e(b.c(), g, ModeEditeur::Creation);
        QVERIFY(!e.imgIcone->pixmap().isNull());
        e.txtIcone->setText(chemin);
        QCOMPARE(b.vus(), QStringList("Le format de l'image est incorrect."));
        QCOMPARE(b.env.messages().vus.at(0).icone, IconeMessage::Exclamation);
        QCOMPARE(e.txtIcone->text(), QString());
        QVERIFY(e.imgIcone->pixmap().isNull());
        // The SVG reader is there: a drawing of the application folder shows.
        e.txtIcone->setText(b.env.dossier() + "icones/categories.svg");
        QVERIFY(!e.imgIcone->pixmap().isNull());
    }

    void dialoguesCategorie() {
        BancGestion b;
        frmGestion g(b.c());
        frmCategories e(b.c(), g, ModeEditeur::Creation);
        DialoguesScriptes& d = b.env.dialogues();
        d.fichiers = {std::nullopt, b.icone()};
        e.cmdIcone->click();
        QCOMPARE(e.txtIcone->text(), QString());
        e.cmdIcone->click();
        QCOMPARE(e.txtIcone->text(), b.icone());
        QCOMPARE(e.txtNom->text(), QString());
        QCOMPARE(d.ouvertures.at(0).titre, QStringLiteral("Rechercher un Icône..."));
        QVERIFY(d.ouvertures.at(0).filtres.first().contains("*.svg"));
        QVERIFY(d.ouvertures.at(0).filtres.contains("Fichiers Icônes (*.ico)"));
        // The swatch: always the fixed colour; the dialog starts from its own last choice.
        e.optCouleur[0]->setChecked(true);
        d.couleurs = {std::nullopt, QColor(255, 0, 0), std::nullopt};
        e.lblCouleur->click();
        QVERIFY(e.optCouleur[1]->isChecked());
        QCOMPARE(e.couleurFixe(), 16761024);
        e.lblCouleur->click();
        QCOMPARE(e.couleurFixe(), 255);
        e.lblCouleur->click();
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
        frmGestion g(b.c());
        const auto e = editeur(b, g, categorie,
                               mode == "1" ? ModeEditeur::Modification : ModeEditeur::Creation);
        e->show();
        QVERIFY(QTest::qWaitForWindowExposed(e.get()));
        for (QWidget* w : e->findChildren<QWidget*>())
            if (w->focusPolicy() != Qt::NoFocus)
                QVERIFY2(!w->accessibleName().isEmpty(), w->metaObject()->className());
        e->activateWindow();
        QWidget* champ = e->focusWidget(); // the name, or the path in modify mode
        QVERIFY(qobject_cast<QLineEdit*>(champ) && champ->isEnabled());
        QTest::keyClick(champ, Qt::Key_F1);
        for (QPushButton* p : e->findChildren<QPushButton*>())
            if (p->text() == "A&ide") p->click();
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
            << ""
            << "" << 0 << 0 << 1 << "Vous devez saisir un nom pour le programme."
            << "";
        QTest::newRow("chemin vide")
            << "A"
            << "  " << 0 << 0 << 1 << "Vous devez saisir un chemin pour le programme."
            << "";
        QTest::newRow("programme absent") << "A"
                                          << "/nulle/part" << 0 << 0 << 1
                                          << "Vous devez saisir un chemin valide pour le programme."
                                          << "/nulle/part";
        QTest::newRow("fichier absent")
            << "A"
            << "/nulle/part" << 1 << 0 << 1
            << "Vous devez saisir un chemin valide pour le fichier à éxécuter."
            << "/nulle/part";
        QTest::newRow("lien refusé")
            << "A"
            << "pas un lien" << 2 << 0 << 1 << "Vous devez saisir un lien Internet valide."
            << "pas un lien";
        QTest::newRow("doublon après le chemin")
            << "scie"
            << "x@y" << 3 << -1 << -1 << DoublonProgramme << "mailto:x@y";
        QTest::newRow("catégorie")
            << "A"
            << "MAILTO:x@y" << 3 << -1 << 1 << "Sélectionnez une catégorie pour le programme."
            << "MAILTO:x@y";
        QTest::newRow("mode") << "A"
                              << "/bin/sh" << 0 << 0 << -1
                              << "Sélectionnez un mode d'affichage pour le programme."
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
        frmGestion g(b.c());
        frmProgrammes e(b.c(), g, ModeEditeur::Creation);
        e.txtNom->setText(nom);
        e.txtChemin->setText(chemin);
        e.optType[type]->setChecked(true);
        e.cboCategorie->setCurrentIndex(categorie);
        // A list given the focus makes its first line current without choosing it.
        e.lstAffichage->setCurrentRow(qMax(mode, 0), mode < 0
                                                         ? QItemSelectionModel::NoUpdate
                                                         : QItemSelectionModel::ClearAndSelect);
        e.Bouton[0]->click();
        QCOMPARE(b.vus().size(), 1);
        QTEST(b.vus().at(0), "message");
        QTEST(e.txtChemin->text(), "cheminAffiche");
        QCOMPARE(b.lignes("programmes").size(), 2);
    }

    void parcourir() {
        BancGestion b;
        frmGestion g(b.c());
        frmProgrammes e(b.c(), g, ModeEditeur::Creation);
        DialoguesScriptes& d = b.env.dialogues();
        QVERIFY(e.cmdChemin->isEnabled());
        e.txtChemin->setText("garde");
        for (int t : {2, 3}) {
            e.optType[t]->setChecked(true);
            QVERIFY(!e.cmdChemin->isEnabled());
        }
        e.optType[1]->setChecked(true);
        QVERIFY(e.cmdChemin->isEnabled());
        QCOMPARE(e.txtChemin->text(), QStringLiteral("garde"));
        d.fichiers = {std::nullopt, "/usr/bin/env", "/bin/true"};
        e.cmdChemin->click();
        QCOMPARE(e.txtChemin->text() + e.txtNom->text(), QStringLiteral("garde"));
        e.cmdChemin->click();
        QCOMPARE(e.txtNom->text(), QStringLiteral("env"));
        e.optType[0]->setChecked(true);
        e.cmdChemin->click();
        QCOMPARE(e.txtChemin->text(), QStringLiteral("/bin/true"));
        QCOMPARE(e.txtNom->text(), QStringLiteral("env"));
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
        g.choisirProgramme(nom == "Scie" ? 1 : 0);
        QCOMPARE(g.programmeChoisi(), nom);
        frmProgrammes e(b.c(), g, ModeEditeur::Modification);
        QCOMPARE(e.windowTitle(), QStringLiteral("Modifier un Programme"));
        QCOMPARE(e.lstAffichage->currentRow(), mode);
        QVERIFY(e.optType[type]->isChecked());
        QCOMPARE(e.cmdChemin->isEnabled(), type < 2);
        QCOMPARE(e.cboCategorie->currentText(), nom == "Scie" ? QString("Outils") : QString());
        e.Bouton[0]->click();
        QCOMPARE(b.vus().value(0), message);
        if (nom == "Scie") {
            QCOMPARE(e.result(), int(QDialog::Accepted));
            QVERIFY(g.programmeChoisi().isEmpty());
        }
    }

    // Several items in one opening; the management window follows each save.
    void creationsProgrammes() {
        BancGestion b;
        remplir(b);
        frmGestion g(b.c());
        g.choisirCategorie(1);
        frmProgrammes e(b.c(), g, ModeEditeur::Creation);
        e.txtNom->setText(" L'outil ");
        e.txtChemin->setText("/bin/sh");
        e.cboCategorie->setCurrentIndex(e.cboCategorie->findText("Outils"));
        e.lstAffichage->setCurrentRow(0);
        b.env.messages().reponses = {ReponseMessage::OK, ReponseMessage::Oui};
        e.Bouton[0]->click();
        QVERIFY(b.lignes("programmes").contains("L'outil|/bin/sh|Outils|0|0"));
        QCOMPARE(b.vus().at(0), QStringLiteral("Le nouveau programme [L'outil] a été enregistré."));
        QCOMPARE(g.lignesBoiteCategories().value(g.positionBoiteCategories()),
                 QStringLiteral("Outils"));
        QCOMPARE(g.positionCategorie(), 1);
        QCOMPARE(g.programmeChoisi(), "L'outil");
        QCOMPARE(g.lblDonneesProgrammes[0]->text(), "L'outil");
        QCOMPARE(e.txtNom->text() + e.txtChemin->text(), QString());
        QCOMPARE(e.lstAffichage->currentRow(), 0);
        e.txtNom->setText("l'OUTIL");
        e.txtChemin->setText("/bin/sh");
        e.Bouton[0]->click();
        QCOMPARE(b.vus().last(), DoublonProgramme);
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
        frmGestion g(b.c());
        std::unique_ptr<QDialog> e;
        QLineEdit* nom = nullptr;
        if (categorie) {
            auto* c = new frmCategories(b.c(), g, ModeEditeur::Creation);
            c->txtIcone->setText(b.icone());
            nom = c->txtNom;
            e.reset(c);
        } else {
            auto* p = new frmProgrammes(b.c(), g, ModeEditeur::Creation);
            p->txtChemin->setText("/bin/sh");
            p->cboCategorie->setCurrentIndex(0);
            p->lstAffichage->setCurrentRow(1);
            nom = p->txtNom;
            e.reset(p);
        }
        nom->setText("Neuf");
        // Behind the editor's back: another row of that name, or a file that refuses.
        if (doublon && categorie) b.categorie("NEUF");
        if (doublon && !categorie) b.programme("NEUF", "Jeux");
        if (!doublon) b.refuser("INSERT", categorie ? "categorie" : "programmes");
        const QStringList avant = b.lignes("categorie") + b.lignes("programmes");
        QPushButton* valider = e->findChildren<QPushButton*>().value(0);
        for (QPushButton* p : e->findChildren<QPushButton*>())
            if (p->text() == "&Valider") valider = p;
        valider->click();
        QCOMPARE(b.vus().size(), 1);
        QVERIFY2(b.vus().at(0).startsWith(message), qPrintable(b.vus().at(0)));
        QVERIFY(e->result() != QDialog::Accepted);
        QCOMPARE(nom->text(), QStringLiteral("Neuf"));
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
        const QString nom = QString(60, QLatin1Char('x')) + QStringLiteral(" l'été");
        BancGestion b;
        b.categorie(nom);
        b.programme(nom, nom, "1", "0", "/bin/sh");
        frmGestion g(b.c());
        g.choisirCategorie(0);
        g.choisirProgramme(0);
        const auto e = editeur(b, g, categorie, ModeEditeur::Modification);
        QCOMPARE(e->findChild<QLineEdit*>()->text(), nom);
        if (disparue)
            b.env.executer(QStringLiteral("DELETE FROM ") +
                           (categorie ? "categorie" : "programmes"));
        b.env.messages().reponses = {ReponseMessage::OK};
        for (QPushButton* p : e->findChildren<QPushButton*>())
            if (p->text() == "&Valider") p->click();
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
        frmGestion g(b.c());
        const auto e = editeur(b, g, categorie, ModeEditeur::Creation);
        e->show();
        QVERIFY(QTest::qWaitForWindowActive(e.get()));
        QPushButton* cible = nullptr;
        for (QPushButton* p : e->findChildren<QPushButton*>())
            if (p->accessibleName() == bouton) cible = p;
        QVERIFY(cible);
        cible->setFocus();
        QTest::keyClick(cible, Qt::Key_Return);
        QCOMPARE(b.env.dialogues().ouvertures.size() + b.env.dialogues().departsCouleur.size(), 1);
        QVERIFY(b.vus().isEmpty());
        QVERIFY(e->isVisible());
    }
};

QTEST_MAIN(TestEditeurs)
#include "test_editeurs.moc"
