// The Open With chooser on the real desktop services: desktop entries of a private XDG
// home whose program notes what it was given, and the mimeapps.list the choice leaves.
#include "core/Contexte.h"
#include "launcher/frmOuvrirAvec.h"
#include "platform/linux/ShellGio.h"
#include "support/Controles.h"
#include "support/Environnement.h"
#include "support/MaisonXdg.h"
#include "support/MessagesScriptes.h"
#include "support/ParametresMemoire.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace MaisonXdg;

using namespace Qt::StringLiterals;

namespace {

const QString Temoin = u"dalvire-temoin.desktop"_s;
const QString Navigateur = u"dalvire-navigateur.desktop"_s;
const QString Messagerie = u"dalvire-messagerie.desktop"_s;
const QString Console = u"dalvire-console.desktop"_s;
const QString Disparue = u"dalvire-disparue.desktop"_s;
// Every application of the home, by name.
const QStringList Toutes{Console, Disparue, Messagerie, Navigateur, Temoin};

const QByteArray Pdf("%PDF-1.4\n%%EOF\n");

// The program of the application that goes away while the chooser is open.
QString programmeDisparu() {
    return racine() + u"/disparu.sh"_s;
}

// A run whose context has the real desktop services and scripted message boxes.
struct Poste {
    Environnement env{{.remplacerServices = [](ServicesPlateforme& s) {
        s.shell = std::make_unique<ShellGio>();
    }}};
    MessagesScriptes* messages = &env.messages();
    Contexte* contexte = &env.contexte();
};

// The chooser's controls, as the user reads them.
QLabel* cibleMontree(frmOuvrirAvec& c) {
    return c.findChild<QLabel*>(u"lblFichier"_s); // named by what it shows
}
QCheckBox* toutes(frmOuvrirAvec& c) {
    return Controle<QCheckBox>(c, u"Afficher toutes les applications"_s);
}
QCheckBox* toujours(frmOuvrirAvec& c) {
    return Controle<QCheckBox>(c, u"Toujours utiliser cette application pour ce type de fichier"_s);
}
QPushButton* ouvrir(frmOuvrirAvec& c) {
    return Controle<QPushButton>(c, u"Ouvrir"_s);
}

QByteArray association(const QString& type, const QString& application) {
    return (type + QLatin1Char('=') + application).toUtf8();
}

} // namespace

class TestOuvrirAvec : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { QVERIFY(ecrire(programmeDisparu(), scriptTemoin(), true)); }

    void cleanup() { nettoyer(); }

    void ouvrirEtRetenir_data() {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<QString>("cible"); // "@/" stands for the test folder
        QTest::addColumn<QString>("affiche");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("listees");
        QTest::addColumn<QString>("application");
        QTest::addColumn<QString>("recu"); // "@/" stands for the test folder
        const QString https = u"https://exemple.fr/docs/?q=été&r=$(id)#haut"_s;
        const QString mailto = u"mailto:moi@exemple.fr?subject=Essai%20Dalvire"_s;
        QTest::newRow("lien web") << "" << QByteArray() << https << https
                                  << "x-scheme-handler/https" << QStringList{Navigateur}
                                  << Navigateur << https;
        QTest::newRow("adresse mail")
            << "" << QByteArray() << mailto << mailto << "x-scheme-handler/mailto"
            << QStringList{Messagerie} << Messagerie << mailto;
        // Nothing declared for the scheme: every application is offered.
        QTest::newRow("schema sans application")
            << "" << QByteArray() << u"x-dalvire-inconnu:bonjour"_s
            << u"x-dalvire-inconnu:bonjour"_s << "x-scheme-handler/x-dalvire-inconnu" << Toutes
            << Navigateur << "x-dalvire-inconnu:bonjour";
        QTest::newRow("document sans application")
            << "plan.pdf" << Pdf << u"@/plan.pdf"_s << u"plan.pdf"_s << "application/pdf" << Toutes
            << Temoin << "@/plan.pdf";
        QTest::newRow("lien file")
            << "notes d'été.txt" << QByteArray("Bonjour\n")
            << u"file://@/notes%20d'%C3%A9t%C3%A9.txt"_s << u"notes d'été.txt"_s << "text/plain"
            << QStringList{Temoin} << Temoin << "@/notes d'été.txt";
    }

    void ouvrirEtRetenir() {
        QFETCH(QString, fichier);
        QFETCH(QByteArray, contenu);
        QFETCH(QString, cible);
        QFETCH(QString, affiche);
        QFETCH(QString, type);
        QFETCH(QStringList, listees);
        QFETCH(QString, application);
        QFETCH(QString, recu);
        if (!fichier.isEmpty()) QVERIFY(ecrire(essai(fichier), contenu));
        cible.replace(u"@/"_s, essai(QString()));
        recu.replace(u"@/"_s, essai(QString()));

        Poste p;
        frmOuvrirAvec choix(*p.contexte, cible);
        choix.show();
        QCOMPARE(cibleMontree(choix)->text(), affiche);
        QCOMPARE(cibleMontree(choix)->toolTip(), cible);
        QCOMPARE(choix.typeContenu(), type);
        QCOMPARE(toutes(choix)->isChecked(), listees == Toutes);
        QCOMPARE(choix.applicationsListees(), listees);
        QVERIFY(toujours(choix)->isEnabled());
        toujours(choix)->setChecked(true);
        QVERIFY(choix.choisir(application));
        QTest::mouseClick(ouvrir(choix), Qt::LeftButton);

        QCOMPARE(choix.result(), int(QDialog::Accepted));
        QVERIFY(!choix.isVisible());
        QCOMPARE(appelTemoin(), (QStringList{u"/dev/null"_s, u"/dev/null"_s, recu}));
        QVERIFY(p.messages->vus.isEmpty());
        const QByteArray liste = associations();
        QVERIFY2(liste.contains(association(type, application)), liste.constData());
        QVERIFY2(!liste.contains("application/octet-stream"), liste.constData());
        // From now on opening by association takes it there.
        ShellGio shell;
        QCOMPARE(shell.ouvrir(cible, AffichageFenetre::Normal, nullptr), ResultatOuverture::Reussi);
        QCOMPARE(appelTemoin().mid(2), QStringList{recu});
    }

    void lienTresLong() {
        // Shown whole up to half the screen's width; beyond, the chooser would outgrow the
        // screen, so the middle gives way and the tooltip keeps all of it.
        const QString lien = u"https://exemple.fr/"_s + QString(3000, QLatin1Char('a'));
        Poste p;
        frmOuvrirAvec choix(*p.contexte, lien);
        choix.show();
        QCOMPARE(cibleMontree(choix)->toolTip(), lien);
        QVERIFY(cibleMontree(choix)->text().startsWith(u"https://exemple.fr/"_s));
        QVERIFY(cibleMontree(choix)->text().contains(QChar(0x2026)));
        QVERIFY(choix.width() <= choix.screen()->availableGeometry().width());
        const QString invite = u"Choisissez l'application avec laquelle ouvrir ce fichier :"_s;
        QCOMPARE(Lecture_Accessible(Controle<QLabel>(choix, invite)),
                 invite + "|||" + invite + ';');
    }

    void retenuSeulementSurDemande() {
        const QString photo = essai(u"photo.png"_s);
        QVERIFY(ecrire(photo, QByteArray("\x89PNG\r\n\x1a\n", 8)));
        const QByteArray avant = associations();
        Poste p;
        frmOuvrirAvec choix(*p.contexte, photo);
        QCOMPARE(choix.typeContenu(), u"image/png"_s);
        QVERIFY(choix.choisir(Temoin));
        QVERIFY(choix.ouvrirAvecLeChoix());
        QCOMPARE(appelTemoin().mid(2), QStringList{photo});
        QCOMPARE(associations(), avant);
        ShellGio shell;
        QCOMPARE(shell.ouvrir(photo, AffichageFenetre::Normal, nullptr),
                 ResultatOuverture::AucuneAssociation);
    }

    void typeInconnuJamaisRetenu() {
        // Made the default for an unknown binary file, an application would open every file
        // the system cannot recognise.
        const QString donnees = essai(u"donnees.xyz"_s);
        QVERIFY(ecrire(donnees, QByteArray("\x01\x02\x00\xff", 4)));
        const QByteArray avant = associations();
        Poste p;
        frmOuvrirAvec choix(*p.contexte, donnees);
        QVERIFY(choix.typeContenu().isEmpty());
        QVERIFY(!toujours(choix)->isEnabled());
        QVERIFY(toutes(choix)->isChecked());
        toujours(choix)->setChecked(true);
        QVERIFY(choix.choisir(Temoin));
        QTest::mouseClick(ouvrir(choix), Qt::LeftButton);
        QCOMPARE(choix.result(), int(QDialog::Accepted));
        QCOMPARE(appelTemoin().mid(2), QStringList{donnees});
        QCOMPARE(associations(), avant);
    }

    void applicationQuiNeDemarrePas_data() {
        QTest::addColumn<QString>("application");
        QTest::addColumn<QString>("cause");
        QTest::newRow("terminal absent")
            << Console
            << "Impossible de démarrer l'application « Console Dalvire ».\r\n"
               "Elle doit s'ouvrir dans un terminal, et aucun terminal n'a pu être démarré.";
        QTest::newRow("programme disparu")
            << Disparue
            << "Impossible de démarrer l'application « Disparue Dalvire ».\r\n"
               "Son programme est introuvable : elle a peut-être été désinstallée.";
    }

    void applicationQuiNeDemarrePas() {
        QFETCH(QString, application);
        QFETCH(QString, cause);
        cause.replace(u"« "_s, u"«\u00A0"_s);
        cause.replace(u" »"_s, u"\u00A0»"_s);
        const QString plan = essai(u"plan.pdf"_s);
        QVERIFY(ecrire(plan, Pdf));
        Poste p;
        frmOuvrirAvec choix(*p.contexte, plan);
        choix.show();
        toutes(choix)->setChecked(true);
        QVERIFY(choix.choisir(application));
        toujours(choix)->setChecked(true);

        // No terminal on the search path; the program gone since the list was made.
        const QByteArray chemins = qgetenv("PATH");
        const QTemporaryDir vide;
        qputenv("PATH", QFile::encodeName(vide.path()));
        QVERIFY(QFile::remove(programmeDisparu()));
        QTest::mouseClick(ouvrir(choix), Qt::LeftButton);
        qputenv("PATH", chemins);

        QCOMPARE(p.messages->textes(), QStringList{cause + u"\r\n["_s + plan + u"]"_s});
        QCOMPARE(p.messages->vus.at(0).icone, IconeMessage::Information);
        QVERIFY(aucunAppel());
        QVERIFY(!associations().contains(association(u"application/pdf"_s, application)));
        // Still open, for another choice.
        QVERIFY(choix.isVisible());
        QVERIFY(choix.result() != QDialog::Accepted);
        QVERIFY(choix.choisir(Temoin));
        QTest::mouseClick(ouvrir(choix), Qt::LeftButton);
        QCOMPARE(choix.result(), int(QDialog::Accepted));
        QCOMPARE(appelTemoin().mid(2), QStringList{plan});
        QCOMPARE(p.messages->vus.size(), 1);
    }

    void annuleOuAccepte() {
        const QString doc = essai(u"notes.txt"_s);
        QVERIFY(ecrire(doc, "Bonjour\n"));
        Poste p;
        for (const bool accepter : {false, true}) {
            bool vu = false;
            QTimer::singleShot(0, this, [&] {
                auto* dialogue = qobject_cast<frmOuvrirAvec*>(QApplication::activeModalWidget());
                if (!dialogue) return;
                vu = true;
                QTest::mouseClick(accepter ? ouvrir(*dialogue)
                                           : Controle<QPushButton>(*dialogue, u"Annuler"_s),
                                  Qt::LeftButton);
            });
            frmOuvrirAvec choix(*p.contexte, doc);
            QCOMPARE(choix.exec(), int(accepter ? QDialog::Accepted : QDialog::Rejected));
            QVERIFY(vu);
            if (accepter)
                QCOMPARE(appelTemoin().mid(2), QStringList{doc});
            else
                QVERIFY(aucunAppel());
        }
    }
};

int main(int argc, char** argv) {
    QTemporaryDir maison;
    if (!maison.isValid()) return 1;
    preparer(
        maison.path(),
        {{Temoin, "Témoin Dalvire", "%f", "text/plain;"},
         {Navigateur, "Navigateur Dalvire", "%u", "x-scheme-handler/http;x-scheme-handler/https;"},
         {Messagerie, "Messagerie Dalvire", "%u", "x-scheme-handler/mailto;"},
         {Console, "Console Dalvire", "%f", "", "Terminal=true\n"},
         {Disparue, "Disparue Dalvire", "%f", "", {}, maison.path() + u"/disparu.sh"_s}},
        QByteArray());
    // The program of an entry must exist for GIO to load it.
    ecrire(maison.path() + u"/disparu.sh"_s, scriptTemoin(), true);
    QApplication application(argc, argv);
    TestOuvrirAvec essais;
    return QTest::qExec(&essais, argc, argv);
}

#include "test_ouvrir_avec.moc"
