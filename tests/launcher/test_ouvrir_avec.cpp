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

namespace {

const QString Temoin = QStringLiteral("dalvire-temoin.desktop");
const QString Navigateur = QStringLiteral("dalvire-navigateur.desktop");
const QString Messagerie = QStringLiteral("dalvire-messagerie.desktop");
const QString Console = QStringLiteral("dalvire-console.desktop");
const QString Disparue = QStringLiteral("dalvire-disparue.desktop");
// Every application of the home, by name.
const QStringList Toutes{Console, Disparue, Messagerie, Navigateur, Temoin};

const QByteArray Pdf("%PDF-1.4\n%%EOF\n");

// The program of the application that goes away while the chooser is open.
QString programmeDisparu() {
    return racine() + QStringLiteral("/disparu.sh");
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
    return c.findChild<QLabel*>(QStringLiteral("lblFichier")); // named by what it shows
}
QCheckBox* toutes(frmOuvrirAvec& c) {
    return Controle<QCheckBox>(c, QStringLiteral("Afficher toutes les applications"));
}
QCheckBox* toujours(frmOuvrirAvec& c) {
    return Controle<QCheckBox>(
        c, QStringLiteral("Toujours utiliser cette application pour ce type de fichier"));
}
QPushButton* ouvrir(frmOuvrirAvec& c) {
    return Controle<QPushButton>(c, QStringLiteral("Ouvrir"));
}

QByteArray association(const QString& type, const QString& application) {
    return (type + QLatin1Char('=') + application).toUtf8();
}

} // namespace

class TestOuvrirAvec : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void ouvrirEtRetenir_data();
    void ouvrirEtRetenir();
    void lienTresLong();
    void retenuSeulementSurDemande();
    void typeInconnuJamaisRetenu();
    void applicationQuiNeDemarrePas_data();
    void applicationQuiNeDemarrePas();
    void annuleOuAccepte();
};

void TestOuvrirAvec::init() {
    QVERIFY(ecrire(programmeDisparu(), scriptTemoin(), true));
}

void TestOuvrirAvec::cleanup() {
    nettoyer();
}

void TestOuvrirAvec::ouvrirEtRetenir_data() {
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QString>("cible"); // "@/" stands for the test folder
    QTest::addColumn<QString>("affiche");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("listees");
    QTest::addColumn<QString>("application");
    QTest::addColumn<QString>("recu"); // "@/" stands for the test folder
    const QString https = QStringLiteral("https://exemple.fr/docs/?q=été&r=$(id)#haut");
    const QString mailto = QStringLiteral("mailto:moi@exemple.fr?subject=Essai%20Dalvire");
    QTest::newRow("lien web") << "" << QByteArray() << https << https << "x-scheme-handler/https"
                              << QStringList{Navigateur} << Navigateur << https;
    QTest::newRow("adresse mail") << "" << QByteArray() << mailto << mailto
                                  << "x-scheme-handler/mailto" << QStringList{Messagerie}
                                  << Messagerie << mailto;
    // Nothing declared for the scheme: every application is offered.
    QTest::newRow("schema sans application") << "" << QByteArray() << "x-dalvire-inconnu:bonjour"
                                             << "x-dalvire-inconnu:bonjour"
                                             << "x-scheme-handler/x-dalvire-inconnu" << Toutes
                                             << Navigateur << "x-dalvire-inconnu:bonjour";
    QTest::newRow("document sans application")
        << "plan.pdf" << Pdf << "@/plan.pdf"
        << "plan.pdf"
        << "application/pdf" << Toutes << Temoin << "@/plan.pdf";
    QTest::newRow("lien file") << "notes d'été.txt" << QByteArray("Bonjour\n")
                               << "file://@/notes%20d'%C3%A9t%C3%A9.txt"
                               << "notes d'été.txt"
                               << "text/plain" << QStringList{Temoin} << Temoin
                               << "@/notes d'été.txt";
}

void TestOuvrirAvec::ouvrirEtRetenir() {
    QFETCH(QString, fichier);
    QFETCH(QByteArray, contenu);
    QFETCH(QString, cible);
    QFETCH(QString, affiche);
    QFETCH(QString, type);
    QFETCH(QStringList, listees);
    QFETCH(QString, application);
    QFETCH(QString, recu);
    if (!fichier.isEmpty()) QVERIFY(ecrire(essai(fichier), contenu));
    cible.replace(QStringLiteral("@/"), essai(QString()));
    recu.replace(QStringLiteral("@/"), essai(QString()));

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
    QCOMPARE(appelTemoin(),
             (QStringList{QStringLiteral("/dev/null"), QStringLiteral("/dev/null"), recu}));
    QVERIFY(p.messages->vus.isEmpty());
    const QByteArray liste = associations();
    QVERIFY2(liste.contains(association(type, application)), liste.constData());
    QVERIFY2(!liste.contains("application/octet-stream"), liste.constData());
    // From now on opening by association takes it there.
    ShellGio shell;
    QCOMPARE(shell.ouvrir(cible, AffichageFenetre::Normal, nullptr), ResultatOuverture::Reussi);
    QCOMPARE(appelTemoin().mid(2), QStringList{recu});
}

void TestOuvrirAvec::lienTresLong() {
    // Shown whole up to half the screen's width; beyond, the chooser would outgrow the
    // screen, so the middle gives way and the tooltip keeps all of it.
    const QString lien = QStringLiteral("https://exemple.fr/") + QString(3000, QLatin1Char('a'));
    Poste p;
    frmOuvrirAvec choix(*p.contexte, lien);
    choix.show();
    QCOMPARE(cibleMontree(choix)->toolTip(), lien);
    QVERIFY(cibleMontree(choix)->text().startsWith(QStringLiteral("https://exemple.fr/")));
    QVERIFY(cibleMontree(choix)->text().contains(QChar(0x2026)));
    QVERIFY(choix.width() <= choix.screen()->availableGeometry().width());
    const QString invite =
        QStringLiteral("Choisissez l'application avec laquelle ouvrir ce fichier :");
    QCOMPARE(Lecture_Accessible(Controle<QLabel>(choix, invite)), invite + "|||" + invite + ';');
}

void TestOuvrirAvec::retenuSeulementSurDemande() {
    const QString photo = essai(QStringLiteral("photo.png"));
    QVERIFY(ecrire(photo, QByteArray("\x89PNG\r\n\x1a\n", 8)));
    const QByteArray avant = associations();
    Poste p;
    frmOuvrirAvec choix(*p.contexte, photo);
    QCOMPARE(choix.typeContenu(), QStringLiteral("image/png"));
    QVERIFY(choix.choisir(Temoin));
    QVERIFY(choix.ouvrirAvecLeChoix());
    QCOMPARE(appelTemoin().mid(2), QStringList{photo});
    QCOMPARE(associations(), avant);
    ShellGio shell;
    QCOMPARE(shell.ouvrir(photo, AffichageFenetre::Normal, nullptr),
             ResultatOuverture::AucuneAssociation);
}

void TestOuvrirAvec::typeInconnuJamaisRetenu() {
    // Made the default for an unknown binary file, an application would open every file
    // the system cannot recognise.
    const QString donnees = essai(QStringLiteral("donnees.xyz"));
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

void TestOuvrirAvec::applicationQuiNeDemarrePas_data() {
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

void TestOuvrirAvec::applicationQuiNeDemarrePas() {
    QFETCH(QString, application);
    QFETCH(QString, cause);
    cause.replace(QStringLiteral("« "), QStringLiteral("«\u00A0"));
    cause.replace(QStringLiteral(" »"), QStringLiteral("\u00A0»"));
    const QString plan = essai(QStringLiteral("plan.pdf"));
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

    QCOMPARE(p.messages->textes(),
             QStringList{cause + QStringLiteral("\r\n[") + plan + QStringLiteral("]")});
    QCOMPARE(p.messages->vus.at(0).icone, IconeMessage::Information);
    QVERIFY(aucunAppel());
    QVERIFY(!associations().contains(association(QStringLiteral("application/pdf"), application)));
    // Still open, for another choice.
    QVERIFY(choix.isVisible());
    QVERIFY(choix.result() != QDialog::Accepted);
    QVERIFY(choix.choisir(Temoin));
    QTest::mouseClick(ouvrir(choix), Qt::LeftButton);
    QCOMPARE(choix.result(), int(QDialog::Accepted));
    QCOMPARE(appelTemoin().mid(2), QStringList{plan});
    QCOMPARE(p.messages->vus.size(), 1);
}

void TestOuvrirAvec::annuleOuAccepte() {
    const QString doc = essai(QStringLiteral("notes.txt"));
    QVERIFY(ecrire(doc, "Bonjour\n"));
    Poste p;
    for (const bool accepter : {false, true}) {
        bool vu = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialogue = qobject_cast<frmOuvrirAvec*>(QApplication::activeModalWidget());
            if (!dialogue) return;
            vu = true;
            QTest::mouseClick(accepter
                                  ? ouvrir(*dialogue)
                                  : Controle<QPushButton>(*dialogue, QStringLiteral("Annuler")),
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

int main(int argc, char** argv) {
    QTemporaryDir maison;
    if (!maison.isValid()) return 1;
    preparer(
        maison.path(),
        {{Temoin, "Témoin Dalvire", "%f", "text/plain;"},
         {Navigateur, "Navigateur Dalvire", "%u", "x-scheme-handler/http;x-scheme-handler/https;"},
         {Messagerie, "Messagerie Dalvire", "%u", "x-scheme-handler/mailto;"},
         {Console, "Console Dalvire", "%f", "", "Terminal=true\n"},
         {Disparue,
          "Disparue Dalvire",
          "%f",
          "",
          {},
          maison.path() + QStringLiteral("/disparu.sh")}},
        QByteArray());
    // The program of an entry must exist for GIO to load it.
    ecrire(maison.path() + QStringLiteral("/disparu.sh"), scriptTemoin(), true);
    QApplication application(argc, argv);
    TestOuvrirAvec essais;
    return QTest::qExec(&essais, argc, argv);
}

#include "test_ouvrir_avec.moc"
