// The About box: its texts, its links, its keys and the system-information tool.
#include "about/frmApropos.h"
#include "base/Version.h"
#include "core/ClesParametres.h"
#include "launcher/Lanceur.h"
#include "support/AideFactice.h"
#include "support/Controles.h"
#include "support/Environnement.h"
#include "support/Lisibilite.h"
#include "support/MaisonXdg.h"
#include "support/MessagesScriptes.h"
#include "support/ParametresMemoire.h"
#include "support/ShellFactice.h"
#include "ui/Couleurs.h"

#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

void deplacer(QWidget* cible) {
    const QPointF p(2, 2);
    QMouseEvent e(QEvent::MouseMove, p, cible->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(cible, &e);
}

// The value labels have no name of their own: a screen reader reads what they show.
QLabel* etiquette(const frmApropos& f, const QString& nom) {
    return f.findChild<QLabel*>(nom);
}
QLabel* lien(const frmApropos& f, int index) {
    return etiquette(f, QStringLiteral("lblUrl") + QString::number(index));
}
QPlainTextEdit* informations(frmApropos& f) {
    return Controle<QPlainTextEdit>(f, QStringLiteral("Texte d'information sur l'application"));
}

// "10": the first link underlined, not the second.
QString soulignes(const frmApropos& f) {
    return QString(lien(f, 0)->font().underline() ? "1" : "0") +
           (lien(f, 1)->font().underline() ? "1" : "0");
}

} // namespace

class TestApropos : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The test runs under LC_ALL=C: the dates must come out French all the same.
    void initTestCase() { QCOMPARE(QLocale().language(), QLocale::C); }

    // The days of use and the first day, as stored in the settings.
    void joursEtDateDeDebut_data() {
        QTest::addColumn<QString>("jours");
        QTest::addColumn<QString>("stockee"); // null for no key
        QTest::addColumn<QString>("texteJours");
        QTest::addColumn<QString>("affichee");
        const auto ligne = [](const char* nom, const QString& jours, const QString& stockee,
                              const QString& texteJours, const QString& affichee) {
            QTest::newRow(nom) << jours << stockee << texteJours << affichee;
        };
        ligne("0, date absente", "0", QString(), "Vous utilisez ce programme depuis 1 jour", "");
        ligne("1, 7 décembre 2026", "1", "07/12/2026", "Vous utilisez ce programme depuis 1 jour",
              "lundi 7 décembre 2026");
        ligne("2, date sans zéros", "2", "3/2/2025", "Vous utilisez ce programme depuis 2 jours",
              "lundi 3 février 2025");
        ligne("vide, date illisible", "", "demain", "Vous utilisez ce programme depuis 1 jour", "");
        ligne("2, date impossible", "2", "31/02/2026", "Vous utilisez ce programme depuis 2 jours",
              "");
    }
    void joursEtDateDeDebut() {
        QFETCH(QString, jours);
        QFETCH(QString, stockee);
        QFETCH(QString, affichee);
        Environnement cc;
        cc.contexte().JoursUtilisation = jours;
        cc.contexte().TexteVersion = QStringLiteral("Version 2.0.0");
        if (!stockee.isNull()) cc.parametres().valeurs.insert(Cle::DateDebut, stockee);
        frmApropos f(cc.contexte());
        QTEST(etiquette(f, "lblJours")->text(), "texteJours");
        const QLabel* version = etiquette(f, "lblVersion");
        QCOMPARE(version->text(), QStringLiteral("Version 2.0.0"));
        // Labels grow with their text rather than cut it.
        QVERIFY(version->width() >= version->sizeHint().width());
        QVERIFY(cc.parametres().ecritures.isEmpty());
        // Screen readers read the values shown, with the caption before them.
        QCOMPARE(Lecture_Accessible(lien(f, 1)),
                 "contact@qelm.fr|Adresse de messagerie du concepteur|Mail:;|");
        QCOMPARE(Lecture_Accessible(Controle<QLabel>(f, "Icône de Dalvire")),
                 "Icône de Dalvire|||");
        QCOMPARE(informations(f)->toPlainText().split('\n'),
                 QStringList({"Ce programme vous permet de démarrer des programmes d'un seul et "
                              "simple clic.",
                              "Ces programmes peuvent être rangés par catégorie.",
                              "Vous pouvez également ouvrir des fichiers avec l'application "
                              "associée.",
                              "(vous utilisez ce programme depuis le " + affichee + ")"}));
        QTest::mouseClick(etiquette(f, "lblJours"), Qt::LeftButton);
        QCOMPARE(cc.messages().textes(),
                 QStringList("Vous utilisez ce programme depuis le " + affichee));
    }

    void survolDesLiens() {
        Environnement cc;
        frmApropos f(cc.contexte());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QCOMPARE(soulignes(f), QStringLiteral("00"));
        deplacer(lien(f, 0));
        QCOMPARE(soulignes(f), QStringLiteral("10"));
        deplacer(lien(f, 1));
        QCOMPARE(soulignes(f), QStringLiteral("01"));
        deplacer(informations(f)->viewport());
        QCOMPARE(soulignes(f), QStringLiteral("00"));
        deplacer(lien(f, 0));
        deplacer(&f);
        QCOMPARE(soulignes(f), QStringLiteral("00"));
        QCOMPARE(lien(f, 1)->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    }

    void liens_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("resultat");
        QTest::addColumn<bool>("message");
        const int reussi = int(ResultatOuverture::Reussi);
        const int sans = int(ResultatOuverture::AucuneAssociation);
        QTest::newRow("site ouvert") << 0 << reussi << false;
        QTest::newRow("site sans application") << 0 << sans << true;
        QTest::newRow("site, autre échec") << 0 << int(ResultatOuverture::Echec) << false;
        QTest::newRow("mail ouvert") << 1 << reussi << false;
        QTest::newRow("mail sans application") << 1 << sans << true;
    }
    void liens() {
        QFETCH(int, index);
        QFETCH(int, resultat);
        QFETCH(bool, message);
        Environnement cc;
        cc.shell().reponseOuvrir = ResultatOuverture(resultat);
        frmApropos f(cc.contexte());
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTest::mouseClick(lien(f, index), Qt::LeftButton);
        const QString cible =
            index == 0 ? Concepteur::SiteInternet
                       : Lien_Mail(Concepteur::AdresseMail, "Dalvire version 2.0.0",
                                   "Saisissez ci-dessous le texte de votre message:", {}, {});
        QCOMPARE(cc.shell().journal(), QStringList("ouvrir|" + cible + "|normal"));
        QCOMPARE(cc.messages().vus.size(), message ? 1 : 0);
        if (message && index == 0)
            QCOMPARE(cc.messages().vus.first().texte,
                     QStringLiteral("Aucune application ne permet de visiter le site Internet."));
        QVERIFY(f.isVisible());
    }

    // Any key closes the box but F1, which opens its help and leaves it open.
    void touches_data() {
        QTest::addColumn<int>("touche");
        QTest::newRow("F1") << int(Qt::Key_F1);
        QTest::newRow("tabulation") << int(Qt::Key_Tab);
        QTest::newRow("flèche") << int(Qt::Key_Down);
        QTest::newRow("lettre") << int(Qt::Key_A);
        QTest::newRow("F2") << int(Qt::Key_F2);
        QTest::newRow("espace") << int(Qt::Key_Space);
        QTest::newRow("échap") << int(Qt::Key_Escape);
    }
    void touches() {
        QFETCH(int, touche);
        const bool ferme = touche != Qt::Key_F1;
        Environnement cc;
        frmApropos f(cc.contexte());
        // Whichever control has the focus.
        for (QWidget* cible :
             {static_cast<QWidget*>(informations(f)),
              static_cast<QWidget*>(Controle<QPushButton>(f, "Infos système..."))}) {
            f.show();
            QVERIFY(QTest::qWaitForWindowExposed(&f));
            cible->setFocus();
            QTest::keyClick(cible, Qt::Key(touche));
            QCOMPARE(f.isVisible(), !ferme);
        }
        const QString rubrique = cc.dossier() + "aide.chm 10001";
        QCOMPARE(cc.rubriques(), ferme ? QStringList() : QStringList({rubrique, rubrique}));
        QVERIFY(cc.shell().appels.isEmpty() && cc.messages().vus.isEmpty());
    }

    void infosSysteme_data() {
        QTest::addColumn<QStringList>("outils"); // in the search folder; "-" first: not runnable
        QTest::addColumn<bool>("demarre");       // what the desktop answers
        QTest::addColumn<QString>("choisi");     // empty when none is found
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
        for (const QString& outil : outils) {
            const bool executable = !outil.startsWith('-');
            QVERIFY(MaisonXdg::ecrire(dossier.filePath(executable ? outil : outil.mid(1)), {},
                                      executable));
        }
        Environnement cc;
        cc.shell().reponseDemarrer = demarre;
        frmApropos f(cc.contexte());
        f.cheminsRecherche = {dossier.path()};
        const QString chemin = choisi.isEmpty() ? QString() : dossier.filePath(choisi);

        QString valeur = QStringLiteral("ancienne");
        QCOMPARE(f.GetKeyValue(InfosSysteme::Cle, InfosSysteme::Valeur, valeur), !chemin.isEmpty());
        QCOMPARE(valeur, chemin);
        QVERIFY(!f.GetKeyValue(InfosSysteme::Cle, "MSINFO", valeur) && valeur.isEmpty());

        Controle<QPushButton>(f, "Infos système...")->click();
        QCOMPARE(cc.shell().journal(),
                 chemin.isEmpty() ? QStringList() : QStringList("demarrer|" + chemin + "|normal"));
        QCOMPARE(cc.messages().textes(),
                 chemin.isEmpty() || !demarre
                     ? QStringList("Les informations système ne sont pas disponibles actuellement")
                     : QStringList());
    }

    // The links read at 4.5:1 against the window under a light and a dark theme, whose
    // own link colour may be too faint there.
    void liensLisibles_data() { Lignes_Claire_Et_Sombre(); }
    void liensLisibles() {
        QFETCH(bool, sombre);
        const Theme theme(sombre);
        Environnement cc;
        frmApropos f(cc.contexte());
        for (int i = 0; i < 2; ++i) {
            const QImage image = lien(f, i)->grab().toImage();
            const double c = Contraste_Dessine(image, image.rect());
            QVERIFY2(c >= Couleurs::ContrasteMinimum, qPrintable(QString::number(c)));
        }
    }
};

QTEST_MAIN(TestApropos)
#include "test_apropos.moc"
