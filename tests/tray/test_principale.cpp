// The hidden main window: tray icon, main menu, quitting, closing and rebuilding windows.
#include "about/ContexteComplet.h"
#include "about/frmApropos.h"
#include "core/Contexte.h"
#include "core/Parametres.h"
#include "manage/frmParametres.h"
#include "support/Environnement.h"
#include "support/MessagesScriptes.h"
#include "support/ParametresMemoire.h"
#include "tray/FiltreNotification.h"
#include "tray/frmPrincipale.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>

#include <memory>

// Stands for the widget in which Qt's X11 tray embeds the icon: the filter knows it by
// its class name only (Qt's own class is internal to Qt and not exported).
class QSystemTrayIconSys : public QWidget {
    Q_OBJECT
public:
    QSystemTrayIconSys()
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
        resize(22, 22);
    }
};

namespace {

// A launcher window as the collection sees it: a window carrying its category's name.
QWidget* fenetreTaguee(Contexte& c, const QString& tag) {
    auto* w = new QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    Fenetres::definirTag(w, tag);
    c.fenetres().ajouter(w);
    return w;
}

// The windows Fermer_Fenetres unloads: every one but the main and management windows.
QList<QPointer<QWidget>> lanceurs(Contexte& c) {
    QList<QPointer<QWidget>> resultat;
    for (QWidget* w : c.fenetres().ouvertes())
        if (Fenetres::tag(w) != Tag::Principale && Fenetres::tag(w) != Tag::Gestion) resultat << w;
    return resultat;
}

int vivantes(const QList<QPointer<QWidget>>& fenetres) {
    return static_cast<int>(std::count_if(fenetres.cbegin(), fenetres.cend(),
                                          [](const QPointer<QWidget>& p) { return !p.isNull(); }));
}

void envoyerSouris(QWidget* cible, QEvent::Type type, Qt::MouseButton bouton,
                   const QPoint& globale) {
    const QPointF locale = cible->mapFromGlobal(globale);
    const Qt::MouseButtons enfonces =
        type == QEvent::MouseButtonRelease || type == QEvent::MouseMove ? Qt::NoButton
                                                                        : Qt::MouseButtons(bouton);
    QMouseEvent e(type, locale, locale, QPointF(globale), bouton, enfonces, Qt::NoModifier);
    QApplication::sendEvent(cible, &e);
}

// Closes the modal window the action opens as soon as it shows, and tells which one it was.
struct ObservateurModal {
    QString classe;
    QString tag;
    bool enregistree = false;
    void armer(Contexte& c) {
        QTimer::singleShot(0, [this, &c] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w) return;
            classe = QString::fromLatin1(w->metaObject()->className());
            tag = Fenetres::tag(w);
            enregistree = c.fenetres().ouvertes().contains(w);
            w->close();
        });
    }
};

} // namespace

class TestPrincipale : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void infoBulle() {
        QCOMPARE(
            Texte_Info_Bulle(),
            QStringLiteral(":: DALVIRE :: démarrez vos fichiers, programmes, url d'un seul c"));
        QCOMPARE(Texte_Info_Bulle().size(), 64);
    }

    void chargementEtIcone() {
        Environnement env;
        frmPrincipale principale(env.contexte());
        QVERIFY(principale.Form_Load());
        QVERIFY(principale.icone());
        QCOMPARE(principale.icone()->toolTip(), Texte_Info_Bulle());
        QVERIFY(!principale.icone()->icon().isNull());
        // The menu is never the icon's own: Qt would pop it up on the press.
        QVERIFY(!principale.icone()->contextMenu());
        QVERIFY(!principale.isVisible());
        QCOMPARE(Fenetres::tag(&principale), Tag::Principale);
    }

    void menu() {
        Environnement env;
        frmPrincipale principale(env.contexte());
        QStringList textes;
        for (const QAction* a : principale.mnuDePrincipal)
            textes << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(textes, QStringList({"Catégories...", "Programmes...", "-", "Paramètres...", "-",
                                      "Aide...", "A propos de...", "-", "Quitter"}));
        QCOMPARE(principale.mnuPrincipal->actions(), principale.mnuDePrincipal);
        QCOMPARE(principale.mnuPrincipal->defaultAction(),
                 principale.mnuDePrincipal.at(EntreeMenu::APropos));
        QCOMPARE(principale.mnuPrincipal->title(), QStringLiteral("Principal"));

        const QPoint ici(300, 200);
        principale.Afficher_Menu(ici);
        QVERIFY(principale.mnuPrincipal->isVisible());
        QCOMPARE(principale.mnuPrincipal->pos(), ici);
        principale.mnuPrincipal->hide();
    }

    // Only the release of the right button on the embedded icon opens the menu.
    void sourisSurIcone_data() {
        QTest::addColumn<QList<int>>("evenements"); // type, button pairs
        QTest::addColumn<bool>("ouvert");
        const int press = QEvent::MouseButtonPress, release = QEvent::MouseButtonRelease,
                  dbl = QEvent::MouseButtonDblClick, move = QEvent::MouseMove;
        const int g = Qt::LeftButton, d = Qt::RightButton, m = Qt::MiddleButton;
        QTest::newRow("appui droit seul") << QList<int>{press, d} << false;
        QTest::newRow("clic droit") << QList<int>{press, d, release, d} << true;
        QTest::newRow("clic gauche") << QList<int>{press, g, release, g} << false;
        QTest::newRow("double clic gauche")
            << QList<int>{press, g, release, g, dbl, g, release, g} << false;
        QTest::newRow("clic du milieu") << QList<int>{press, m, release, m} << false;
        QTest::newRow("mouvement") << QList<int>{move, 0} << false;
        QTest::newRow("double clic droit sans relachement")
            << QList<int>{press, d, dbl, d} << false;
    }
    void sourisSurIcone() {
        QFETCH(QList<int>, evenements);
        QFETCH(bool, ouvert);
        Environnement env;
        frmPrincipale principale(env.contexte());
        principale.Afficher_Icone_Notification();
        QSystemTrayIconSys icone;
        icone.move(290, 190);
        icone.show();
        const QPoint position(300, 201);
        for (qsizetype i = 0; i + 1 < evenements.size(); i += 2)
            envoyerSouris(&icone, static_cast<QEvent::Type>(evenements[i]),
                          static_cast<Qt::MouseButton>(evenements[i + 1]), position);
        QCOMPARE(principale.mnuPrincipal->isVisible(), ouvert);
        if (ouvert) QCOMPARE(principale.mnuPrincipal->pos(), position);
        principale.mnuPrincipal->hide();
    }

    void sourisAilleurs() {
        Environnement env;
        frmPrincipale principale(env.contexte());
        principale.Afficher_Icone_Notification();
        QWidget autre;
        autre.show();
        envoyerSouris(&autre, QEvent::MouseButtonPress, Qt::RightButton, QPoint(5, 5));
        envoyerSouris(&autre, QEvent::MouseButtonRelease, Qt::RightButton, QPoint(5, 5));
        QVERIFY(!principale.mnuPrincipal->isVisible());
        QVERIFY(!FiltreIconeNotification::Est_Icone_Notification(&autre));

        // Once the icon is removed, the release on its widget opens nothing either.
        principale.Retirer_Icone_Notification();
        QVERIFY(!principale.icone());
        QSystemTrayIconSys icone;
        icone.show();
        envoyerSouris(&icone, QEvent::MouseButtonRelease, Qt::RightButton, QPoint(5, 5));
        QVERIFY(!principale.mnuPrincipal->isVisible());
    }

    // A platform tray without the XEmbed widget reports the context request alone.
    void activationSansXEmbed_data() {
        QTest::addColumn<int>("raison");
        QTest::addColumn<bool>("xembed");
        QTest::addColumn<bool>("ouvert");
        QTest::newRow("contexte, tray D-Bus") << int(QSystemTrayIcon::Context) << false << true;
        QTest::newRow("contexte, tray XEmbed") << int(QSystemTrayIcon::Context) << true << false;
        QTest::newRow("clic") << int(QSystemTrayIcon::Trigger) << false << false;
        QTest::newRow("double clic") << int(QSystemTrayIcon::DoubleClick) << false << false;
        QTest::newRow("milieu") << int(QSystemTrayIcon::MiddleClick) << false << false;
    }
    void activationSansXEmbed() {
        QFETCH(int, raison);
        QFETCH(bool, xembed);
        QFETCH(bool, ouvert);
        Environnement env;
        frmPrincipale principale(env.contexte());
        std::unique_ptr<QSystemTrayIconSys> icone;
        if (xembed) icone = std::make_unique<QSystemTrayIconSys>();
        principale.Icone_Activee(static_cast<QSystemTrayIcon::ActivationReason>(raison));
        QCOMPARE(principale.mnuPrincipal->isVisible(), ouvert);
        principale.mnuPrincipal->hide();
    }

    void quitter_data() {
        QTest::addColumn<QString>("confirmation"); // "<absent>" for no key
        QTest::addColumn<int>("reponse");
        QTest::addColumn<bool>("question");
        QTest::addColumn<bool>("quitte");
        const int oui = int(ReponseMessage::Oui), non = int(ReponseMessage::Non);
        QTest::newRow("1, oui") << "1" << oui << true << true;
        QTest::newRow("1, non") << "1" << non << true << false;
        QTest::newRow("0") << "0" << non << false << true;
        QTest::newRow("absente") << "<absent>" << non << false << true;
        QTest::newRow("vide") << "" << non << false << true;
        QTest::newRow("1 avec blanc") << " 1" << non << false << true;
        QTest::newRow("1.0") << "1.0" << non << false << true;
    }
    void quitter() {
        QFETCH(QString, confirmation);
        QFETCH(int, reponse);
        QFETCH(bool, question);
        QFETCH(bool, quitte);
        Environnement env;
        Contexte& c = env.contexte();
        if (confirmation != QStringLiteral("<absent>"))
            env.parametres().valeurs.insert(Cle::ConfirmationFermeture, confirmation);
        env.messages().reponses = {static_cast<ReponseMessage>(reponse)};
        c.PremiereUtilisation = true; // the first-use rows give launcher windows

        frmPrincipale principale(c);
        QVERIFY(principale.Form_Load());
        QSignalSpy dechargee(&principale, &frmPrincipale::dechargee);
        QPointer<QWidget> gestion = fenetreTaguee(c, Tag::Gestion);
        const QList<QPointer<QWidget>> avant = lanceurs(c);
        QVERIFY(avant.size() >= 2);

        principale.mnuDePrincipal.at(EntreeMenu::Quitter)->trigger();

        if (question) {
            QCOMPARE(env.messages().vus.size(), 1);
            const Message& m = env.messages().vus.first();
            QCOMPARE(m.texte, QStringLiteral(
                                  "Êtes-vous sûr(e) de vouloir quitter le programme 'Dalvire' ?"));
            QCOMPARE(m.icone, IconeMessage::Question);
            QCOMPARE(m.boutons, BoutonsMessage::OuiNon);
            QCOMPARE(m.titre, QStringLiteral("Dalvire"));
        } else {
            QVERIFY(env.messages().vus.isEmpty());
        }
        QCOMPARE(dechargee.size(), quitte ? 1 : 0);
        QCOMPARE(vivantes(avant), quitte ? 0 : int(avant.size()));
        QCOMPARE(principale.icone() == nullptr, quitte);
        QCOMPARE(c.catalogue().connexion.estOuverte(), !quitte);
        QVERIFY(gestion); // never unloaded here
        delete gestion;
    }

    void fermerFenetres() {
        Environnement env;
        Contexte& c = env.contexte();
        frmPrincipale principale(c);
        QSignalSpy dechargee(&principale, &frmPrincipale::dechargee);
        QStringList ordre;
        const QStringList tags = {QStringLiteral("Jeux"), Tag::Gestion, QStringLiteral("Outils"),
                                  Tag::Parametres, QString(),
                                  // near misses of the kept tags are unloaded
                                  Tag::Principale.toUpper(), Tag::Gestion + QLatin1Char(' ')};
        QList<QPointer<QWidget>> fenetres;
        for (const QString& t : tags) {
            QWidget* w = fenetreTaguee(c, t);
            connect(w, &QObject::destroyed, this, [&ordre, t] { ordre << t; });
            fenetres << w;
        }
        // A registered window owned by another one goes with its owner, without fault.
        auto* enfant = new QWidget(fenetres.first(), Qt::Window);
        Fenetres::definirTag(enfant, QStringLiteral("enfant"));
        c.fenetres().ajouter(enfant);

        principale.Fermer_Fenetres(false);
        QCOMPARE(ordre,
                 QStringList({Tag::Gestion + QLatin1Char(' '), Tag::Principale.toUpper(), QString(),
                              Tag::Parametres, QStringLiteral("Outils"), QStringLiteral("Jeux")}));
        QCOMPARE(c.fenetres().ouvertes(), QList<QWidget*>({&principale, fenetres.at(1).data()}));
        QCOMPARE(dechargee.size(), 0);
        QVERIFY(c.fenetres().ouvertes().contains(&principale));
        delete fenetres.at(1);
    }

    // The management window's answer decides whether the launcher windows are rebuilt.
    void gestion_data() {
        QTest::addColumn<int>("entree");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("retour");
        QTest::addColumn<bool>("reconstruit");
        QTest::newRow("catégories, validé")
            << EntreeMenu::Categories << "0" << MiseAJourAFaire << true;
        QTest::newRow("programmes, validé")
            << EntreeMenu::Programmes << "1" << MiseAJourAFaire << true;
        QTest::newRow("catégories, sans changement") << EntreeMenu::Categories << "0"
                                                     << "" << false;
        QTest::newRow("programmes, sans changement") << EntreeMenu::Programmes << "1"
                                                     << "" << false;
        QTest::newRow("casse différente")
            << EntreeMenu::Categories << "0" << MiseAJourAFaire.toLower() << false;
    }
    void gestion() {
        QFETCH(int, entree);
        QFETCH(QString, page);
        QFETCH(QString, retour);
        QFETCH(bool, reconstruit);
        Environnement env;
        Contexte& c = env.contexte();
        c.PremiereUtilisation = true;
        frmPrincipale principale(c);
        QVERIFY(principale.Form_Load());
        QPointer<QWidget> gestion = fenetreTaguee(c, Tag::Gestion);
        const QList<QPointer<QWidget>> avant = lanceurs(c);
        QVERIFY(!avant.isEmpty());
        QString pageVue;
        principale.Afficher_Gestion = [&](frmPrincipale& p) {
            QCOMPARE(&p, &principale);
            pageVue = c.Echange;
            c.Echange = retour;
        };
        principale.mnuDePrincipal.at(entree)->trigger();
        QCOMPARE(pageVue, page);
        // Rebuilt: every old window gone, as many new ones built from the catalogue.
        QCOMPARE(vivantes(avant), reconstruit ? 0 : int(avant.size()));
        QCOMPARE(lanceurs(c).size(), avant.size());
        QVERIFY(gestion);
        QVERIFY(c.fenetres().ouvertes().contains(&principale));
        QVERIFY(env.messages().vus.isEmpty());
        delete gestion;
    }

    // Until a management window exists the entries only set the page.
    void gestionAbsente() {
        Environnement env;
        Contexte& c = env.contexte();
        frmPrincipale principale(c);
        QPointer<QWidget> lanceur = fenetreTaguee(c, QStringLiteral("Bureautique"));
        principale.mnuDePrincipal.at(EntreeMenu::Programmes)->trigger();
        QCOMPARE(c.Echange, QStringLiteral("1"));
        QVERIFY(lanceur);
        QVERIFY(env.messages().vus.isEmpty());
        delete lanceur;
    }

    void fenetresModales_data() {
        QTest::addColumn<int>("entree");
        QTest::addColumn<QString>("classe");
        QTest::addColumn<QString>("tag");
        QTest::newRow("paramètres") << EntreeMenu::Parametres << "frmParametres" << Tag::Parametres;
        QTest::newRow("à propos") << EntreeMenu::APropos << "frmApropos"
                                  << "";
    }
    void fenetresModales() {
        QFETCH(int, entree);
        QFETCH(QString, classe);
        QFETCH(QString, tag);
        Environnement env;
        Contexte& c = env.contexte();
        c.DelaiFermeture = 5;
        frmPrincipale principale(c);
        ObservateurModal observateur;
        observateur.armer(c);
        principale.mnuDePrincipal.at(entree)->trigger();
        QCOMPARE(observateur.classe, classe);
        QCOMPARE(observateur.tag, tag);
        QVERIFY(observateur.enregistree);
        // Gone once closed, and nothing written.
        QCOMPARE(c.fenetres().ouvertes(), QList<QWidget*>({&principale}));
        QVERIFY(env.parametres().ecritures.isEmpty());
    }
    void aide() {
        ContexteComplet cc;
        frmPrincipale principale(*cc.contexte);
        principale.mnuDePrincipal.at(EntreeMenu::Aide)->trigger();
        QCOMPARE(cc.rubriques(), QStringList(cc.env.dossier() + "aide.chm 10000"));
        QVERIFY(cc.messages->vus.isEmpty());
    }
};

QTEST_MAIN(TestPrincipale)
#include "test_principale.moc"
