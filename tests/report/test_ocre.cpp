// The error-report tool and the error prompt: the report built from the form, its three
// files, printing, mail, opening the saved file, and the failures the user is told about.
#include "base/Version.h"
#include "launcher/Lanceur.h"
#include "report/DocumentRtf.h"
#include "report/MessageErreur.h"
#include "report/frmOCRE.h"
#include "support/AideFactice.h"
#include "support/Controles.h"
#include "support/DialoguesScriptes.h"
#include "support/Environnement.h"
#include "support/ImpressionPdf.h"
#include "support/MaisonXdg.h"
#include "support/MessagesScriptes.h"
#include "support/ShellFactice.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>

namespace {

const QString Aujourdhui = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));

using MaisonXdg::lire;

QString rapport(const frmOCRE& f) {
    return Texte_Brut(*f.RTF);
}

// The tool's fields, by the heading a screen reader reads with them.
QComboBox* programme(frmOCRE& f) {
    return Controle<QComboBox>(f, QStringLiteral("Programme utilisé (nom et version)"));
}
QPlainTextEdit* champ(frmOCRE& f, int index) {
    static const QStringList titres{QStringLiteral("Description du problème"),
                                    QStringLiteral("Action ayant entrainé le problème"),
                                    QStringLiteral("Message d'erreur (No et message)")};
    return Controle<QPlainTextEdit>(f, titres.at(index));
}

bool outilCharge() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<frmOCRE*>(w)) return true;
    return false;
}

} // namespace

class TestOcre : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }

    void controles() {
        Environnement env;
        frmOCRE f(env.contexte());
        QCOMPARE(f.windowTitle(), QStringLiteral("Outil de Création de Rapport d'Erreur"));
        QCOMPARE(programme(f)->count(), 10);
        QCOMPARE(programme(f)->itemText(1), QStringLiteral("DALVIRE - version 2.0.0"));
        QCOMPARE(programme(f)->currentText(), QStringLiteral("[Sélectionnez le programme ici]"));
        QCOMPARE(champ(f, 1)->toPlainText(),
                 QStringLiteral("[Décrivez l'action ayant entrainé le problème ici]"));
        QCOMPARE(Controle<QToolButton>(f, "Envoyer par E-mail ")->toolTip(),
                 QStringLiteral("Envoyer le formulaire par e-mail"));
        // Every control is named for assistive technology, fields by their heading.
        QCOMPARE(Lecture_Accessible(champ(f, 0)),
                 "Description du problème||Description du problème;Pour soumettre le problème, "
                 "fournissez les informations suivantes:;|");
        QVERIFY(Controle<QLineEdit>(f, "Nom:") &&
                Controle<QToolButton>(f, "Enregistrer dans un fichier") &&
                Controle<QPushButton>(f, "Quitter"));
        QWidgetList controles = f.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (const QGroupBox* cadre : f.findChildren<QGroupBox*>())
            controles += cadre->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* w : controles)
            QVERIFY2(!w->accessibleName().isEmpty(), w->metaObject()->className());
    }

    void expediteur_data() {
        QTest::addColumn<QStringList>("champs");
        QTest::addColumn<QString>("ligne");
        QTest::newRow("aucun") << QStringList() << QStringLiteral("Expéditeur: \r\n");
        QTest::newRow("nom et ville")
            << QStringList{QStringLiteral("  Jean Dupont "), {}, {}, QStringLiteral("Lyon")}
            << QStringLiteral("Expéditeur: \tJean Dupont\r\n\tLyon\r\n\r\n");
    }
    void expediteur() {
        QFETCH(QStringList, champs);
        QFETCH(QString, ligne);
        Environnement env;
        frmOCRE f(env.contexte());
        for (int i = 0; i < champs.size(); ++i)
            f.definirExpediteur(i, champs.at(i));
        f.Remplir_Rapport();
        QVERIFY2(rapport(f).startsWith(QStringLiteral("RAPPORT D'ERREUR\r\n") + ligne +
                                       QString(42, QLatin1Char('-'))),
                 qPrintable(rapport(f)));
        if (!champs.isEmpty()) QCOMPARE(f.texteExpediteur(0), QStringLiteral("Jean Dupont"));
    }

    void champsEtInvites() {
        Environnement env;
        frmOCRE f(env.contexte());
        programme(f)->setEditText(QStringLiteral(" DALVIRE - version 2.0.0 "));
        champ(f, 0)->setPlainText(QStringLiteral("  Clic sur <DATE>  "));
        champ(f, 2)->setPlainText(QStringLiteral("   "));
        f.Remplir_Rapport();
        const QString t = rapport(f);
        QVERIFY(t.contains(QStringLiteral("Programme:  DALVIRE - version 2.0.0 \r\n")));
        // Left at its prompt: an empty section, and the prompt shown again.
        QVERIFY(t.contains(QStringLiteral("Action ayant entrainé le problème:\r\n\r\n")));
        QCOMPARE(champ(f, 1)->toPlainText(), f.invite(1));
        QCOMPARE(champ(f, 2)->toPlainText(), f.invite(2));
        // A mark typed by the user is the first one found; the template's stays.
        QVERIFY(t.contains(QStringLiteral("Description du problème:\r\nClic sur ") + Aujourdhui +
                           QStringLiteral("\r\n")));
        QVERIFY(t.contains(QStringLiteral("Rapport créé le  <date> à ")));
        QCOMPARE(champ(f, 0)->toPlainText(), QStringLiteral("Clic sur <DATE>"));
        // A second build starts from the template again.
        f.Charger_Modele();
        f.Remplir_Rapport();
        QCOMPARE(rapport(f).count(QStringLiteral("Programme:")), 1);
    }

    void enregistrer_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QByteArray>("debut");
        QTest::newRow("htm") << "r.htm" << QByteArray("<html>\r\n");
        QTest::newRow("HTM majuscules") << "r.HTM" << QByteArray("<html>\r\n");
        QTest::newRow("txt") << "r.txt" << QByteArray("RAPPORT D'ERREUR\r\n");
        QTest::newRow("rtf") << "r.rtf" << QByteArray("{\\rtf1\\ansi\\ansicpg1252");
        QTest::newRow("autre type: en HTML") << "r.doc" << QByteArray("<html>\r\n");
        QTest::newRow("annulé") << QString() << QByteArray();
    }
    void enregistrer() {
        QFETCH(QString, nom);
        QFETCH(QByteArray, debut);
        Environnement env;
        frmOCRE f(env.contexte());
        champ(f, 0)->setPlainText(QStringLiteral("Écran figé"));
        const QString chemin = env.dossier() + nom;
        if (!nom.isEmpty()) env.dialogues().fichiers << chemin;
        env.messages().reponses << ReponseMessage::Oui;
        f.cmdEnregistrer_Click();

        QCOMPARE(env.dialogues().enregistrements.size(), 1);
        const DemandeEnregistrement& d = env.dialogues().enregistrements.first();
        QCOMPARE(d.titre, QStringLiteral("Enregistrer le rapport d'erreur..."));
        QCOMPARE(d.filtres, (QStringList{QStringLiteral("Fichier Html (*.htm)"),
                                         QStringLiteral("Fichier Texte (*.txt)"),
                                         QStringLiteral("Fichier Texte Formaté (*.rtf)")}));
        QCOMPARE(d.extensionParDefaut, QStringLiteral("htm"));
        if (nom.isEmpty()) {
            QVERIFY(env.messages().vus.isEmpty() && env.shell().appels.isEmpty());
            return;
        }
        const QByteArray octets = lire(chemin);
        QVERIFY(octets.startsWith(debut));
        if (nom.endsWith(QLatin1String("txt")))
            QVERIFY(octets.contains("Écran figé"));
        else if (nom.endsWith(QLatin1String("rtf")))
            QVERIFY(octets.contains("\\'c9cran fig\\'e9"));
        else
            QVERIFY(octets.contains("\xC9"
                                    "cran fig\xE9"));
        QCOMPARE(env.messages().textes(),
                 QStringList{QStringLiteral("Le fichier [") + chemin +
                             QStringLiteral("] a été créé.\r\nDésirez-vous ouvrir ce fichier ?")});
        QCOMPARE(env.shell().journal(),
                 QStringList{QStringLiteral("ouvrir|") + chemin + "|normal"});
    }

    void echecsDEnregistrement_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("message");
        QTest::newRow("txt sur un dossier") << "dossier.txt"
                                            << "n'a pas pu être enregistré.\r\nCe nom est celui "
                                               "d'un dossier.";
        QTest::newRow("rtf, disque plein") << "plein.rtf"
                                           << "n'a pas pu être enregistré.\r\nLe disque est plein.";
        QTest::newRow("rtf, dossier absent") << "absent/r.rtf"
                                             << "n'a pas pu être enregistré.\r\nChemin d'accès "
                                                "introuvable.";
        QTest::newRow("htm, disque plein") << "plein.htm"
                                           << "[Erreur No:61].\r\nDésirez-vous";
    }
    void echecsDEnregistrement() {
        QFETCH(QString, nom);
        QFETCH(QString, message);
        Environnement env;
        QDir(env.dossier()).mkdir(QStringLiteral("dossier.txt"));
        QFile::link(QStringLiteral("/dev/full"), env.dossier() + QStringLiteral("plein.rtf"));
        QFile::link(QStringLiteral("/dev/full"), env.dossier() + QStringLiteral("plein.htm"));
        frmOCRE f(env.contexte());
        env.dialogues().fichiers << env.dossier() + nom;
        f.cmdEnregistrer_Click();
        QCOMPARE(env.messages().vus.size(), 1);
        QVERIFY2(env.messages().vus.at(0).texte.contains(message),
                 qPrintable(env.messages().vus.at(0).texte));
        QVERIFY(!env.messages().vus.at(0).texte.contains(QStringLiteral("a été créé")));
    }

    void programmeVide() {
        Environnement env;
        frmOCRE f(env.contexte());
        programme(f)->setEditText(QString());
        f.cmdEnregistrer_Click();
        f.cmdImprimer_Click();
        f.cmdMail_Click();
        QCOMPARE(env.messages().textes(),
                 QStringList(
                     3, QStringLiteral("Sélectionnez ou saisissez un programme dans la liste.")));
        QVERIFY(env.dialogues().enregistrements.isEmpty());
        QVERIFY(env.shell().appels.isEmpty());
    }

    void ouvrirFichier() {
        Environnement env;
        frmOCRE f(env.contexte());
        f.Ouvrir_Fichier(env.dossier() + QStringLiteral("absent.htm"), QStringLiteral("open"));
        QFile(env.dossier() + QStringLiteral("r.txt")).open(QIODevice::WriteOnly);
        env.shell().reponseOuvrir = ResultatOuverture::AucuneAssociation;
        f.Ouvrir_Fichier(env.dossier() + QStringLiteral("r.txt"), QStringLiteral("open"));
        QString dossier = env.dossier();
        dossier.chop(1);
        QCOMPARE(env.messages().textes(),
                 (QStringList{env.dossier() +
                                  QStringLiteral("absent.htm\r\n est introuvable. "
                                                 "Assurez-vous que celui-ci doit se "
                                                 "trouver dans le dossier:\r\n") +
                                  dossier,
                              QStringLiteral("Aucune application associée avec le type de "
                                             "fichier TXT .")}));
        QCOMPARE(env.messages().vus.at(0).icone, IconeMessage::Critique);
    }

    void mail() {
        Environnement env;
        frmOCRE f(env.contexte());
        programme(f)->setCurrentIndex(1);
        champ(f, 0)->setPlainText(QStringLiteral("Tout & rien #1"));
        f.cmdMail_Click();
        const QString lien = Lien_Mail(Concepteur::AdresseMail,
                                       QStringLiteral("Rapport d'Erreur (DALVIRE - version 2.0.0)"),
                                       rapport(f), QString(), QString());
        QVERIFY(lien.contains(QStringLiteral("Tout%20%26%20rien%20%231")));
        QCOMPARE(env.shell().journal(), QStringList{QStringLiteral("ouvrir|") + lien + "|normal"});
    }

    // An application folder that cannot take the working file: the report is built from
    // memory and every output still works.
    void dossierApplicationEnLectureSeule() {
        Environnement env;
        QDir(env.dossier()).mkdir(QStringLiteral("rapport.rtf"));
        frmOCRE f(env.contexte());
        QVERIFY(rapport(f).startsWith(QStringLiteral("RAPPORT D'ERREUR\r\n")));
        env.dialogues().fichiers << env.dossier() + QStringLiteral("r.txt");
        f.cmdEnregistrer_Click();
        QVERIFY(lire(env.dossier() + QStringLiteral("r.txt")).startsWith("RAPPORT D'ERREUR"));
    }

    void imprimer() {
        Environnement env;
        frmOCRE f(env.contexte());
        champ(f, 0)->setPlainText(QStringLiteral("Clavier introuvable"));
        auto& pdf = static_cast<ImpressionPdf&>(env.contexte().impression());
        pdf.definirFichier(env.dossier() + QStringLiteral("r.pdf"));
        f.cmdImprimer_Click();
        QVERIFY(env.messages().vus.isEmpty());
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty()) QSKIP("pdftotext is not installed");
        QProcess p;
        p.start(pdftotext, {pdf.fichier(), QStringLiteral("-")});
        QVERIFY(p.waitForFinished(20000));
        const QString texte = QString::fromUtf8(p.readAllStandardOutput());
        for (const char* mot : {"RAPPORT D'ERREUR", "Clavier introuvable", "Programme:"})
            QVERIFY2(texte.contains(QString::fromUtf8(mot)), qPrintable(texte));

        // Nowhere to print: said, not silent.
        pdf.definirFichier(QStringLiteral("/dossier/absent/r.pdf"));
        f.cmdImprimer_Click();
        QCOMPARE(env.messages().textes(),
                 QStringList{QStringLiteral("Le rapport n'a pas pu être imprimé.\r\nLe dossier du "
                                            "fichier n'existe pas.")});
    }

    void aide() {
        Environnement env;
        frmOCRE f(env.contexte());
        QTest::keyClick(champ(f, 0), Qt::Key_F1);
        QCOMPARE(env.aide().appels.size(), 1);
        QCOMPARE(env.aide().appels.at(0).numero, 10005);
        // No cancel button: Escape leaves the report as it is, only Quitter closes the tool.
        f.show();
        QTest::keyClick(Controle<QLineEdit>(f, "Nom:"), Qt::Key_Escape);
        QVERIFY(f.isVisible());
        QTest::mouseClick(Controle<QPushButton>(f, "Quitter"), Qt::LeftButton);
        QVERIFY(!f.isVisible());
    }

    void messageErreur_data() {
        QTest::addColumn<QString>("description");
        QTest::newRow("avec description") << QStringLiteral("Fichier introuvable");
        QTest::newRow("description vide") << QString();
    }
    void messageErreur() {
        QFETCH(QString, description);
        Environnement env;
        env.contexte().TexteVersion = QStringLiteral("Version 2.0.0");
        Message_Erreur(env.contexte(), nullptr, 53, description);
        QCOMPARE(env.messages().vus.size(), 1);
        const Message& m = env.messages().vus.at(0);
        QVERIFY(m.texte.startsWith(QStringLiteral("Une erreur est intervenue dans le déroulement "
                                                  "de l'application. Il se peut")));
        QVERIFY(m.texte.endsWith(QStringLiteral(
            "vous pouvez m'envoyer un rapport d'erreur [Erreur No:53].\r\nDésirez-vous envoyer "
            "un rapport d'erreur maintenant ?")));
        QCOMPARE(m.icone, IconeMessage::Question);
        QCOMPARE(m.boutons, BoutonsMessage::OuiNon);
        QVERIFY(!outilCharge());

        env.messages().reponses << ReponseMessage::Oui;
        QStringList vus;
        QTimer::singleShot(0, [&vus] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* outil = qobject_cast<frmOCRE*>(w); outil && outil->isVisible()) {
                    vus << programme(*outil)->currentText() << champ(*outil, 2)->toPlainText();
                    outil->reject();
                }
        });
        Message_Erreur(env.contexte(), nullptr, 53, description);
        QCOMPARE(vus, (QStringList{QStringLiteral("Dalvire - Version 2.0.0"),
                                   QStringLiteral("[Erreur No:53]\n") + description}));
    }

    // Called from the open tool (its HTML writer failing): the tool is filled, not opened again.
    void messageErreurOutilOuvert() {
        Environnement env;
        frmOCRE f(env.contexte());
        env.messages().reponses << ReponseMessage::Oui;
        Message_Erreur(env.contexte(), champ(f, 0), 53, QStringLiteral("Fichier introuvable"));
        QVERIFY(programme(f)->currentText().startsWith(QStringLiteral("Dalvire - ")));
        QFile::link(QStringLiteral("/dev/full"), env.dossier() + QStringLiteral("plein.htm"));
        env.messages().reponses << ReponseMessage::Oui;
        env.dialogues().fichiers << env.dossier() + QStringLiteral("plein.htm");
        f.cmdEnregistrer_Click();
        QCOMPARE(champ(f, 2)->toPlainText(),
                 QStringLiteral("[Erreur No:53]\nFichier introuvable\n[Erreur No:61]\nLe disque "
                                "est plein."));
    }
};

QTEST_MAIN(TestOcre)
#include "test_ocre.moc"
