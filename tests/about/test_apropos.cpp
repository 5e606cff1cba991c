// The About box: its texts, its links, its keys and the system-information tool.
#include "ContexteComplet.h"
#include "about/frmApropos.h"
#include "catalogue/Requetes.h"
#include "core/Contexte.h"
#include "core/Parametres.h"
#include "launcher/Lanceur.h"
#include "support/MessagesScriptes.h"
#include "support/ParametresMemoire.h"

#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Ligne4 = QStringLiteral("(vous utilisez ce programme depuis le ");

void deplacer(QWidget* cible) {
    const QPointF p(2, 2);
    QMouseEvent e(QEvent::MouseMove, p, cible->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(cible, &e);
}

bool souligne(const QLabel* l) {
    return l->font().underline();
}

void creerProgramme(const QString& chemin, bool executable = true) {
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n");
    f.close();
    if (executable) f.setPermissions(f.permissions() | QFile::ExeOwner);
}

} // namespace

class TestApropos : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    void textes() {
        ContexteComplet cc;
        cc.contexte->TexteVersion = QStringLiteral("Version 2.0.0");
        frmApropos f(*cc.contexte);
        QCOMPARE(f.windowTitle(), QStringLiteral("A propos de..."));
        QCOMPARE(f.lblTitle->text(), QStringLiteral("Dalvire"));
        QCOMPARE(f.lblVersion->text(), QStringLiteral("Version 2.0.0"));
        QCOMPARE(f.lblUrl[0]->text(), Concepteur::SiteInternet);
        QCOMPARE(f.lblUrl[1]->text(), Concepteur::AdresseMail);
        QCOMPARE(f.Label1->text(), QStringLiteral("qelm"));
        QVERIFY(!f.Image1->pixmap().isNull());
        QVERIFY(f.cmdOK->isDefault());
        // Labels that grow with their text keep it whole.
        QVERIFY(f.lblVersion->width() >= f.lblVersion->sizeHint().width());
        QVERIFY(f.rect().contains(f.lblJours->geometry()));
        QVERIFY(cc.parametres->ecritures.isEmpty());
    }

    void jours_data() {
        QTest::addColumn<QString>("jours");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("0") << "0"
                           << "Vous utilisez ce programme depuis 1 jour";
        QTest::newRow("1") << "1"
                           << "Vous utilisez ce programme depuis 1 jour";
        QTest::newRow("2") << "2"
                           << "Vous utilisez ce programme depuis 2 jours";
        QTest::newRow("vide") << ""
                              << "Vous utilisez ce programme depuis 1 jour";
        QTest::newRow("1000") << "1000"
                              << "Vous utilisez ce programme depuis 1000 jours";
    }
    void jours() {
        QFETCH(QString, jours);
        ContexteComplet cc;
        cc.contexte->JoursUtilisation = jours;
        frmApropos f(*cc.contexte);
        QTEST(f.lblJours->text(), "attendu");
    }

    void dateDeDebut_data() {
        QTest::addColumn<QString>("stockee"); // "<absente>" for no key
        QTest::addColumn<QString>("affichee");
        QTest::newRow("7 décembre 2026") << "07/12/2026"
                                         << "lundi 7 décembre 2026";
        QTest::newRow("1er janvier") << "01/01/2027"
                                     << "vendredi 1 janvier 2027";
        QTest::newRow("sans zéros") << "3/2/2025"
                                    << "lundi 3 février 2025";
        QTest::newRow("absente") << "<absente>"
                                 << "";
        QTest::newRow("vide") << ""
                              << "";
        QTest::newRow("illisible") << "demain"
                                   << "";
        QTest::newRow("impossible") << "31/02/2026"
                                    << "";
    }
    void dateDeDebut() {
        QFETCH(QString, stockee);
        QFETCH(QString, affichee);
        ContexteComplet cc;
        if (stockee != QStringLiteral("<absente>"))
            cc.parametres->valeurs.insert(Cle::DateDebut, stockee);
        frmApropos f(*cc.contexte);
        const QStringList lignes = f.txtInformations->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lignes,
                 QStringList({"Ce programme vous permet de démarrer des programmes d'un seul et "
                              "simple clic.",
                              "Ces programmes peuvent être rangés par catégorie.",
                              "Vous pouvez également ouvrir des fichiers avec l'application "
                              "associée.",
                              Ligne4 + affichee + QLatin1Char(')')}));
        QVERIFY(f.txtInformations->isReadOnly());

        f.lblJours_Click();
        QCOMPARE(cc.messages->vus.size(), 1);
        QCOMPARE(cc.messages->vus.first().texte,
                 QStringLiteral("Vous utilisez ce programme depuis le ") + affichee);
        QCOMPARE(cc.messages->vus.first().icone, IconeMessage::Information);
    }

    void survolDesLiens() {
        ContexteComplet cc;
        frmApropos f(*cc.contexte);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        const QColor bleu = f.lblUrl[0]->palette().color(QPalette::WindowText);
        QCOMPARE(bleu, QColor(0, 0, 255));
        QVERIFY(!souligne(f.lblUrl[0]) && !souligne(f.lblUrl[1]));

        deplacer(f.lblUrl[0]);
        QVERIFY(souligne(f.lblUrl[0]) && !souligne(f.lblUrl[1]));
        deplacer(f.lblUrl[1]);
        QVERIFY(!souligne(f.lblUrl[0]) && souligne(f.lblUrl[1]));
        deplacer(f.txtInformations->viewport());
        QVERIFY(!souligne(f.lblUrl[0]) && !souligne(f.lblUrl[1]));
        deplacer(f.lblUrl[0]);
        deplacer(&f);
        QVERIFY(!souligne(f.lblUrl[0]) && !souligne(f.lblUrl[1]));
        QCOMPARE(f.lblUrl[1]->palette().color(QPalette::WindowText), bleu);
    }

    void lienInternet_data() {
        QTest::addColumn<int>("resultat");
        QTest::addColumn<bool>("message");
        QTest::newRow("ouvert") << int(ResultatOuverture::Reussi) << false;
        QTest::newRow("sans application") << int(ResultatOuverture::AucuneAssociation) << true;
        QTest::newRow("autre échec") << int(ResultatOuverture::Echec) << false;
    }
    void lienInternet() {
        QFETCH(int, resultat);
        QFETCH(bool, message);
        ContexteComplet cc;
        cc.shell->reponseOuvrir = static_cast<ResultatOuverture>(resultat);
        frmApropos f(*cc.contexte);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTest::mouseClick(f.lblUrl[0], Qt::LeftButton);
        QCOMPARE(cc.shell->journal(),
                 QStringList(QStringLiteral("ouvrir|") + Concepteur::SiteInternet + "|1"));
        QCOMPARE(cc.messages->textes(),
                 message ? QStringList("Aucune application ne permet de visiter le site Internet.")
                         : QStringList());
        QVERIFY(f.isVisible());
    }

    void lienMail_data() {
        QTest::addColumn<int>("resultat");
        QTest::addColumn<bool>("message");
        QTest::newRow("ouvert") << int(ResultatOuverture::Reussi) << false;
        QTest::newRow("sans application") << int(ResultatOuverture::AucuneAssociation) << true;
    }
    void lienMail() {
        QFETCH(int, resultat);
        QFETCH(bool, message);
        ContexteComplet cc;
        cc.shell->reponseOuvrir = static_cast<ResultatOuverture>(resultat);
        frmApropos f(*cc.contexte);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTest::mouseClick(f.lblUrl[1], Qt::LeftButton);
        const QString lien =
            Lien_Mail(Concepteur::AdresseMail, QStringLiteral("Dalvire version 2.0.0"),
                      QStringLiteral("Saisissez ci-dessous le texte de votre message:"), {}, {});
        QCOMPARE(cc.shell->journal(), QStringList(QStringLiteral("ouvrir|") + lien + "|1"));
        QCOMPARE(cc.messages->vus.size(), message ? 1 : 0);
        if (message) QVERIFY(cc.messages->vus.first().texte.endsWith(Concepteur::AdresseMail));
    }

    // Any key closes the box but F1, which opens its help and leaves it open.
    void touches_data() {
        QTest::addColumn<int>("touche");
        QTest::addColumn<bool>("ferme");
        QTest::newRow("F1") << int(Qt::Key_F1) << false;
        QTest::newRow("tabulation") << int(Qt::Key_Tab) << true;
        QTest::newRow("flèche") << int(Qt::Key_Down) << true;
        QTest::newRow("lettre") << int(Qt::Key_A) << true;
        QTest::newRow("F2") << int(Qt::Key_F2) << true;
        QTest::newRow("espace") << int(Qt::Key_Space) << true;
        QTest::newRow("entrée") << int(Qt::Key_Return) << true;
        QTest::newRow("échap") << int(Qt::Key_Escape) << true;
    }
    void touches() {
        QFETCH(int, touche);
        QFETCH(bool, ferme);
        ContexteComplet cc;
        frmApropos f(*cc.contexte);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        // Keys reach the box whichever control has the focus.
        for (QWidget* cible :
             {static_cast<QWidget*>(f.txtInformations), static_cast<QWidget*>(f.cmdSysInfo)}) {
            if (!f.isVisible()) f.show();
            cible->setFocus();
            QTest::keyClick(cible, static_cast<Qt::Key>(touche));
            QCOMPARE(f.isVisible(), !ferme);
        }
        QCOMPARE(cc.rubriques(), ferme ? QStringList()
                                       : QStringList({cc.env.dossier() + "aide.chm 10001",
                                                      cc.env.dossier() + "aide.chm 10001"}));
        QVERIFY(cc.shell->journal().isEmpty());
        QVERIFY(cc.messages->vus.isEmpty());
    }

    void infosSysteme_data() {
        QTest::addColumn<QStringList>("outils"); // programs in the search folder
        QTest::addColumn<bool>("demarre");       // what the desktop answers
        QTest::addColumn<QString>("choisi");     // "" when none is found
        QTest::newRow("aucun outil") << QStringList() << true << "";
        QTest::newRow("un outil") << QStringList{"xfce4-taskmanager"} << true
                                  << "xfce4-taskmanager";
        QTest::newRow("le préféré d'abord")
            << QStringList{"lxtask", "gnome-system-monitor", "hardinfo"} << true << "hardinfo";
        QTest::newRow("non exécutable") << QStringList{"-hardinfo"} << true << "";
        QTest::newRow("démarrage impossible") << QStringList{"ksysguard"} << false << "ksysguard";
    }
    void infosSysteme() {
        QFETCH(QStringList, outils);
        QFETCH(bool, demarre);
        QFETCH(QString, choisi);
        QTemporaryDir dossier;
        // A leading "-" names a file that is there but may not be run.
        for (const QString& outil : outils) {
            const bool executable = !outil.startsWith(QLatin1Char('-'));
            creerProgramme(dossier.filePath(executable ? outil : outil.mid(1)), executable);
        }
        ContexteComplet cc;
        cc.shell->reponseDemarrer = demarre;
        frmApropos f(*cc.contexte);
        f.cheminsRecherche = {dossier.path()};

        QString valeur = QStringLiteral("ancienne");
        const bool trouve = f.GetKeyValue(InfosSysteme::Cle, InfosSysteme::Valeur, valeur);
        QCOMPARE(trouve, !choisi.isEmpty());
        QCOMPARE(valeur, choisi.isEmpty() ? QString() : dossier.filePath(choisi));

        f.cmdSysInfo->click();
        QCOMPARE(cc.shell->journal(),
                 choisi.isEmpty() ? QStringList()
                                  : QStringList("demarrer|" + dossier.filePath(choisi) + "|1"));
        const bool message = choisi.isEmpty() || !demarre;
        QCOMPARE(cc.messages->textes(),
                 message ? QStringList("Les informations système ne sont pas disponibles "
                                       "actuellement")
                         : QStringList());
    }

    void valeurInconnue() {
        ContexteComplet cc;
        frmApropos f(*cc.contexte);
        QString valeur = QStringLiteral("ancienne");
        QVERIFY(!f.GetKeyValue(InfosSysteme::Cle, QStringLiteral("MSINFO"), valeur));
        QVERIFY(valeur.isEmpty());
        QVERIFY(!f.GetKeyValue(QStringLiteral("ailleurs"), InfosSysteme::Valeur, valeur));
    }
};

QTEST_MAIN(TestApropos)
#include "test_apropos.moc"
