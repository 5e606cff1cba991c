// Window states on a real X11 desktop (run in the harness session; skipped elsewhere):
// the launcher window kept out of the taskbar and the pager, and the display mode of a
// started program reaching its first window, message boxes placed where the user looks.
#include "core/Services.h"
#include "launcher/frmDalvire.h"
#include "platform/FenetresX11.h"
#include "platform/linux/MessagesQt.h"
#include "platform/linux/ShellGio.h"
#include "support/Environnement.h"
#include "support/MaisonXdg.h"
#include "support/ShellFactice.h"
#include "tray/frmPrincipale.h"
#include "ui/Cadre.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <functional>

namespace {

// Whether the window manager has the window in that state ("ABOVE" for _NET_WM_STATE_ABOVE).
bool aLEtat(quint32 fenetre, const char* etat) {
    return X11::Etats_Net(fenetre).contains(QStringLiteral("_NET_WM_STATE_") + QLatin1String(etat));
}

qint64 attendrePid(const QString& note) {
    QFile f(note);
    for (int i = 0; i < 250 && !(f.exists() && f.size() > 0); ++i)
        QTest::qWait(20);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    return f.readAll().toLongLong();
}

// Where the window manager put the message box shown by the call, once its place has
// stopped changing; the box is then closed.
QRect placeDeLaBoite(const std::function<void()>& afficher) {
    QRect place, precedente;
    int stable = 0, essais = 0;
    QTimer sonde;
    sonde.setInterval(40);
    QObject::connect(&sonde, &QTimer::timeout, [&] {
        auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!boite) return;
        // The box's own area, which is what is placed: the frame's margins, read by Qt from
        // the window manager's windows, are now and then read in the middle of the
        // reparenting and stay wrong (a 430x84 box then has a 1x1 frame).
        const QRect r = boite->geometry();
        // Exposed and laid out: a box is seen for a moment at 1x1 before its first layout.
        const bool montree = boite->windowHandle() && boite->windowHandle()->isExposed() &&
                             r.width() > 1 && r.height() > 1;
        stable = montree && r == precedente ? stable + 1 : 0;
        precedente = r;
        if (stable >= 5 || ++essais > 200) {
            place = r;
            boite->done(0);
        }
    });
    sonde.start();
    afficher();
    return place;
}

} // namespace

class TestAffichageX11 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        if (!X11::Disponible()) QSKIP("no X11 display: these checks run in the desktop session");
    }

    void fenetreHorsBarreDesTaches_data() {
        QTest::addColumn<int>("premierPlan");
        QTest::newRow("plan 0") << 0;
        QTest::newRow("plan 1") << 1;
    }

    void fenetreHorsBarreDesTaches() {
        QFETCH(int, premierPlan);
        Environnement env{Environnement::lanceur()};
        env.contexte().reglages().definirPremierPlan(premierPlan != 0);
        frmDalvire f(env.contexte());
        f.Form_Load();
        f.show();
        const auto id = static_cast<quint32>(f.winId());
        QTRY_VERIFY(aLEtat(id, "SKIP_TASKBAR"));
        QVERIFY(aLEtat(id, "SKIP_PAGER"));
        QTRY_COMPARE(aLEtat(id, "ABOVE"), premierPlan != 0);
        // Changing the keep-on-top state of the shown window keeps it out of the taskbar.
        Placer_Premier_Plan(&f, premierPlan == 0);
        QTRY_COMPARE(aLEtat(id, "ABOVE"), premierPlan == 0);
        QVERIFY(aLEtat(id, "SKIP_TASKBAR"));
    }

    void plusieursFenetresAuPremierPlan() {
        // As the program builds them: for a main window that has a native window of its own.
        Environnement env{Environnement::lanceur()};
        env.contexte().reglages().definirPremierPlan(true);
        for (const char* nom : {"A", "B", "C"})
            env.ajouterCategorie(QString::fromLatin1(nom), QString(), QStringLiteral("1"),
                                 QStringLiteral("0"));
        frmPrincipale principale(env.contexte());
        principale.winId();
        principale.Reconstruire_Fenetres();
        QList<frmDalvire*> fenetres;
        for (QWidget* w : env.contexte().fenetres().ouvertes<QWidget>())
            if (auto* f = qobject_cast<frmDalvire*>(w)) fenetres << f;
        QCOMPARE(fenetres.size(), 3);
        QTest::qWait(300);
        for (const frmDalvire* f : fenetres) {
            const auto id = static_cast<quint32>(f->winId());
            QTRY_VERIFY2(aLEtat(id, "ABOVE"),
                         qPrintable(X11::Etats_Net(id).join(QLatin1Char(' '))));
            QVERIFY(aLEtat(id, "SKIP_TASKBAR"));
        }
    }

    void modeDuProgrammeDemarre_data() {
        QTest::addColumn<AffichageFenetre>("affichage");
        QTest::addColumn<QString>("attendu");
        QTest::addColumn<bool>("parEntree"); // started from a desktop entry of its own
        const auto maximise = AffichageFenetre::Maximise;
        const auto minimise = AffichageFenetre::Minimise;
        QTest::newRow("maximise") << maximise << "maximisee" << false;
        QTest::newRow("minimise") << minimise << "iconifiee" << false;
        QTest::newRow("normal") << AffichageFenetre::Normal << "normale" << false;
        QTest::newRow("cache") << AffichageFenetre::Cache << "normale" << false;
        QTest::newRow("entree de bureau maximisee") << maximise << "maximisee" << true;
        QTest::newRow("entree de bureau minimisee") << minimise << "iconifiee" << true;
    }

    void modeDuProgrammeDemarre() {
        QFETCH(AffichageFenetre, affichage);
        QFETCH(QString, attendu);
        QFETCH(bool, parEntree);
        QTemporaryDir dossier;
        const QString note = dossier.filePath(QStringLiteral("pid"));
        qputenv("DALVIRE_TEMOIN_PID", QFile::encodeName(note));
        ShellGio shell;
        if (parEntree) {
            const QString entree = dossier.filePath(QStringLiteral("temoin.desktop"));
            QVERIFY(MaisonXdg::ecrire(entree, "[Desktop Entry]\nType=Application\nName=Témoin\n"
                                              "Exec=\"" DALVIRE_FENETRE_TEMOIN "\" %U\n"));
            QCOMPARE(shell.lancerEntreeBureau(entree, affichage), ResultatLancement::Reussi);
        } else {
            QVERIFY(shell.demarrer(QStringLiteral(DALVIRE_FENETRE_TEMOIN), affichage));
        }
        const qint64 pid = attendrePid(note);
        QVERIFY(pid > 0);
        quint32 fenetre = 0;
        QTRY_VERIFY((fenetre = X11::Premiere_Fenetre(pid)) != 0);

        const auto maximisee = [&] {
            return aLEtat(fenetre, "MAXIMIZED_VERT") && aLEtat(fenetre, "MAXIMIZED_HORZ");
        };
        if (attendu == QLatin1String("maximisee")) {
            QTRY_VERIFY(maximisee());
        } else if (attendu == QLatin1String("iconifiee")) {
            QTRY_VERIFY(X11::Est_Iconifiee(fenetre));
        } else {
            QTest::qWait(1000);
            QVERIFY(!maximisee());
            QVERIFY(!X11::Est_Iconifiee(fenetre));
        }
        ::kill(static_cast<pid_t>(pid), SIGTERM);
    }

    void messageSansParentCentre_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("boutons");
        QTest::addColumn<bool>("parentCache"); // the hidden main window owns it
        QTest::newRow("question de fin")
            << "Êtes-vous sûr(e) de vouloir quitter le programme 'Dalvire' ?"
            << int(BoutonsMessage::OuiNon) << true;
        QTest::newRow("trois lignes")
            << "Le programme ne peut être utilisé.\r\nLe fichier contenant "
               "les données est introuvable.\r\nContactez le concepteur "
               "du programme."
            << int(BoutonsMessage::OK) << false;
        QTest::newRow("une ligne longue")
            << QString(300, QLatin1Char('x')) << int(BoutonsMessage::OK) << false;
        QTest::newRow("longue, parent caché")
            << QString(300, QLatin1Char('x')) << int(BoutonsMessage::OK) << true;
    }

    void messageSansParentCentre() {
        QFETCH(QString, texte);
        QFETCH(int, boutons);
        QFETCH(bool, parentCache);
        QWidget principale;
        MessagesQt messages;
        const QRect place = placeDeLaBoite([&] {
            messages.afficher(texte, IconeMessage::Question, BoutonsMessage(boutons),
                              QStringLiteral("Dalvire"), parentCache ? &principale : nullptr);
        });
        QVERIFY(place.isValid());
        const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
        const QPoint ecart = place.center() - centre;
        // Within the frame's title bar, should the window manager move the box under it.
        QVERIFY2(qAbs(ecart.x()) <= 16 && qAbs(ecart.y()) <= 16,
                 qPrintable(QStringLiteral("box at %1,%2 %3x%4, screen centre %5,%6")
                                .arg(place.x())
                                .arg(place.y())
                                .arg(place.width())
                                .arg(place.height())
                                .arg(centre.x())
                                .arg(centre.y())));
    }
};

QTEST_MAIN(TestAffichageX11)
#include "test_affichage_x11.moc"
