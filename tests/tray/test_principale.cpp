// The hidden main window: tray icon, main menu, quitting, closing and rebuilding windows.
#include "core/ClesParametres.h"
#include "core/Demarrage.h"
#include "launcher/frmDalvire.h"
#include "launcher/frmRechercher.h"
#include "manage/frmGestion.h"
#include "manage/frmProgrammes.h"
#include "support/Controles.h"
#include "support/ControlesBande.h"
#include "support/Environnement.h"
#include "support/MessagesScriptes.h"
#include "support/ParametresMemoire.h"
#include "support/PremierDemarrage.h"
#include "support/RaccourciScripte.h"
#include "tray/frmPrincipale.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>

// Stands for the widget in which Qt's X11 tray embeds the icon, which the filter knows by
// its class name only (Qt's own class is internal to Qt and not exported).
class QSystemTrayIconSys : public QWidget {
    Q_OBJECT
};

namespace {

QWidget* fenetreTaguee(Contexte& c, const QString& tag) {
    auto* w = new QWidget(nullptr, Qt::Tool);
    Fenetres::definirTag(w, tag);
    c.fenetres().ajouter(w);
    return w;
}

// The windows Fermer_Fenetres unloads: all but the main and management ones.
QList<QPointer<QWidget>> lanceurs(Contexte& c) {
    QList<QPointer<QWidget>> r;
    for (QWidget* w : c.fenetres().ouvertes<QWidget>())
        if (Fenetres::tag(w) != Tag::Principale && Fenetres::tag(w) != Tag::Gestion) r << w;
    return r;
}

int vivantes(const QList<QPointer<QWidget>>& f) {
    return int(std::count_if(f.cbegin(), f.cend(), [](const auto& p) { return !p.isNull(); }));
}

} // namespace

class TestPrincipale : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The desktop key is taken once the strips and the icon are up. One another program
    // holds is said once, and the program runs on; where none can be taken, or none is
    // wanted, nothing is said. Unloading lets it go.
    void raccourciAuDemarrage_data() {
        using P = ServiceRaccourciGlobal::Prise;
        QTest::addColumn<QString>("reglage");
        QTest::addColumn<int>("reponse");
        QTest::addColumn<QString>("demande"); // empty: none asked for
        QTest::newRow("déjà pris") << QString() << int(P::Refusee) << "Ctrl+Alt+Space";
        QTest::newRow("choisi, pris") << "Meta+F12" << int(P::Prise) << "Meta+F12";
        QTest::newRow("Wayland") << QString() << int(P::Indisponible) << "Ctrl+Alt+Space";
        QTest::newRow("aucun") << "aucun" << int(P::Refusee) << "";
    }
    void raccourciAuDemarrage() {
        QFETCH(QString, reglage);
        QFETCH(int, reponse);
        QFETCH(QString, demande);
        PremierDemarrage d;
        if (!reglage.isNull()) d.env.parametres().valeurs[Cle::RaccourciRecherche] = reglage;
        d.env.raccourci().reponse = ServiceRaccourciGlobal::Prise(reponse);
        QVERIFY(Ouvrir_Catalogue(d.c));
        d.principale.Form_Load();
        QCOMPARE(d.env.raccourci().demandes, QList<QKeySequence>{QKeySequence(demande)});
        QCOMPARE(d.env.messages().textes().size(),
                 reponse == int(ServiceRaccourciGlobal::Prise::Refusee) && !demande.isEmpty() ? 1
                                                                                              : 0);
        QVERIFY(d.principale.icone() && lanceurs(d.c).size() == 3);
        d.principale.Form_Unload();
        QVERIFY(d.env.raccourci().tenue.isEmpty());
    }

    void icone() {
        Environnement env;
        frmPrincipale principale(env.contexte());
        QVERIFY(Ouvrir_Catalogue(env.contexte()));
        principale.Form_Load();
        QCOMPARE(
            principale.icone()->toolTip(),
            QStringLiteral(":: DALVIRE :: démarrez vos fichiers, programmes, url d'un seul c"));
        // Never the icon's own menu: Qt would pop that one up on the press.
        QVERIFY(!principale.icone()->contextMenu());
        QCOMPARE(principale.menuPrincipal().defaultAction()->text(),
                 QStringLiteral("A propos de..."));
    }

    // Only the release of the right button on the embedded icon opens the menu.
    void souris_data() {
        QTest::addColumn<QList<int>>("evenements"); // type, button, type, button...
        QTest::addColumn<bool>("surIcone");
        QTest::addColumn<bool>("ouvert");
        const int p = QEvent::MouseButtonPress, r = QEvent::MouseButtonRelease,
                  dbl = QEvent::MouseButtonDblClick, g = Qt::LeftButton, d = Qt::RightButton;
        QTest::newRow("appui droit seul") << QList<int>{p, d} << true << false;
        QTest::newRow("clic droit") << QList<int>{p, d, r, d} << true << true;
        QTest::newRow("clic gauche") << QList<int>{p, g, r, g} << true << false;
        QTest::newRow("double clic") << QList<int>{p, g, r, g, dbl, g, r, g} << true << false;
        QTest::newRow("milieu") << QList<int>{p, Qt::MiddleButton, r, Qt::MiddleButton} << true
                                << false;
        QTest::newRow("mouvement") << QList<int>{QEvent::MouseMove, 0} << true << false;
        QTest::newRow("autre fenêtre") << QList<int>{p, d, r, d} << false << false;
    }
    void souris() {
        QFETCH(QList<int>, evenements);
        QFETCH(bool, surIcone);
        Environnement env;
        frmPrincipale principale(env.contexte());
        principale.Afficher_Icone_Notification();
        std::unique_ptr<QWidget> cible(surIcone ? new QSystemTrayIconSys : new QWidget);
        cible->setGeometry(290, 190, 22, 22);
        cible->show();
        const QPoint ici(300, 201);
        for (qsizetype i = 0; i + 1 < evenements.size(); i += 2) {
            const auto type = QEvent::Type(evenements[i]);
            const auto bouton = Qt::MouseButton(evenements[i + 1]);
            const bool relache = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove;
            QMouseEvent e(type, cible->mapFromGlobal(QPointF(ici)), QPointF(ici), bouton,
                          relache ? Qt::NoButton : Qt::MouseButtons(bouton), Qt::NoModifier);
            QApplication::sendEvent(cible.get(), &e);
        }
        QTEST(principale.menuPrincipal().isVisible(), "ouvert");
        if (principale.menuPrincipal().isVisible()) QCOMPARE(principale.menuPrincipal().pos(), ici);
        principale.menuPrincipal().hide();
    }

    // A platform tray without the XEmbed widget reports the context request alone.
    void activation_data() {
        QTest::addColumn<int>("raison");
        QTest::addColumn<bool>("xembed");
        QTest::addColumn<bool>("ouvert");
        QTest::newRow("contexte, D-Bus") << int(QSystemTrayIcon::Context) << false << true;
        QTest::newRow("contexte, XEmbed") << int(QSystemTrayIcon::Context) << true << false;
        QTest::newRow("clic") << int(QSystemTrayIcon::Trigger) << false << false;
        QTest::newRow("double clic") << int(QSystemTrayIcon::DoubleClick) << false << false;
        QTest::newRow("contexte, dialogue ouvert") << -1 << false << false;
    }
    void activation() {
        QFETCH(int, raison);
        QFETCH(bool, xembed);
        Environnement env;
        frmPrincipale principale(env.contexte());
        std::unique_ptr<QWidget> icone(xembed ? new QSystemTrayIconSys : nullptr);
        bool ouvert = false;
        if (raison < 0) { // asked while a modal dialog is shown
            QDialog dialogue;
            QTimer::singleShot(0, [&] {
                principale.Icone_Activee(QSystemTrayIcon::Context);
                ouvert = principale.menuPrincipal().isVisible();
                dialogue.reject();
            });
            dialogue.exec();
        } else {
            principale.Icone_Activee(QSystemTrayIcon::ActivationReason(raison));
            ouvert = principale.menuPrincipal().isVisible();
        }
        QTEST(ouvert, "ouvert");
        principale.menuPrincipal().hide();
    }

    void quitter_data() {
        QTest::addColumn<QString>("confirmation"); // null for no key
        QTest::addColumn<int>("reponse");
        QTest::addColumn<bool>("question");
        QTest::addColumn<bool>("quitte");
        const int oui = int(ReponseMessage::Oui), non = int(ReponseMessage::Non);
        QTest::newRow("1, oui") << "1" << oui << true << true;
        QTest::newRow("1, non") << "1" << non << true << false;
        QTest::newRow("0") << "0" << non << false << true;
        QTest::newRow("absente") << QString() << non << false << true;
    }
    void quitter() {
        QFETCH(QString, confirmation);
        QFETCH(bool, quitte);
        Environnement env;
        Contexte& c = env.contexte();
        if (!confirmation.isNull())
            env.parametres().valeurs[Cle::ConfirmationFermeture] = confirmation;
        QFETCH(int, reponse);
        env.messages().reponses = {ReponseMessage(reponse)};
        c.PremiereUtilisation = true; // its rows give launcher windows
        frmPrincipale principale(c);
        QVERIFY(Ouvrir_Catalogue(c));
        principale.Form_Load();
        QSignalSpy dechargee(&principale, &frmPrincipale::dechargee);
        std::unique_ptr<QWidget> gestion(fenetreTaguee(c, Tag::Gestion));
        const auto avant = lanceurs(c);
        QVERIFY(avant.size() >= 2);

        principale.entreeMenu(EntreeMenu::Quitter)->trigger();

        QFETCH(bool, question);
        QCOMPARE(env.messages().vus.size(), question ? 1 : 0);
        if (question) {
            const Message& m = env.messages().vus.first();
            QCOMPARE(m.texte, QStringLiteral(
                                  "Êtes-vous sûr(e) de vouloir quitter le programme 'Dalvire' ?"));
            QVERIFY(m.icone == IconeMessage::Question && m.boutons == BoutonsMessage::OuiNon);
        }
        QCOMPARE(dechargee.size(), quitte ? 1 : 0);
        QCOMPARE(vivantes(avant), quitte ? 0 : int(avant.size()));
        QCOMPARE(principale.icone() == nullptr, quitte);
        QCOMPARE(c.catalogue().estOuvert(), !quitte);
    }

    void fermerFenetres() {
        Environnement env;
        Contexte& c = env.contexte();
        frmPrincipale principale(c);
        QSignalSpy dechargee(&principale, &frmPrincipale::dechargee);
        // Near misses of the kept tags are unloaded too.
        const QStringList tags = {"Jeux", Tag::Gestion, Tag::Parametres, "", Tag::Gestion + ' '};
        QStringList ordre;
        QList<QWidget*> fenetres;
        for (const QString& t : tags) {
            fenetres << fenetreTaguee(c, t);
            connect(fenetres.last(), &QObject::destroyed, this, [&ordre, t] { ordre << t; });
        }
        // A registered window owned by another one goes with its owner, without fault.
        c.fenetres().ajouter(new QWidget(fenetres.first(), Qt::Window));

        principale.Fermer_Fenetres(false);
        QCOMPARE(ordre, QStringList({Tag::Gestion + ' ', "", Tag::Parametres, "Jeux"}));
        QCOMPARE(c.fenetres().ouvertes<QWidget>(), QList<QWidget*>({&principale, fenetres.at(1)}));
        QCOMPARE(dechargee.size(), 0);
        delete fenetres.at(1);
    }

    // After a change of the screens only the launcher windows are built again; with no
    // category displayed nothing is built and nothing is said.
    void replacerFenetres_data() {
        QTest::addColumn<bool>("categories");
        QTest::newRow("premiere utilisation") << true;
        QTest::newRow("aucune categorie") << false;
    }
    void replacerFenetres() {
        QFETCH(bool, categories);
        Environnement env;
        Contexte& c = env.contexte();
        c.PremiereUtilisation = categories;
        frmPrincipale principale(c);
        QVERIFY(Ouvrir_Catalogue(c));
        principale.Form_Load();
        env.messages().vus.clear();
        std::unique_ptr<QWidget> aide(fenetreTaguee(c, QStringLiteral("aide")));
        const auto avant = lanceurs(c);
        principale.Replacer_Fenetres();
        QVERIFY(c.fenetres().ouvertes<QWidget>().contains(aide.get()));
        QVERIFY(env.messages().vus.isEmpty());
        if (!categories) {
            QCOMPARE(lanceurs(c), avant);
            return;
        }
        QCOMPARE(vivantes(avant), 1); // the help viewer alone
        QCOMPARE(lanceurs(c).size(), avant.size());
        QVERIFY(!principale.suiviEcrans().enAttente());
    }

    // A catalogue that breaks while the program runs: the rebuild reads first, and a read
    // that fails keeps the windows the user had, with a French message naming the cause.
    void catalogueCasse_data() {
        QTest::addColumn<bool>("ecrase"); // garbage over the file, or a table gone
        QTest::addColumn<bool>("ecrans"); // a change of the screens, or the management window
        QTest::addColumn<QString>("cause");
        const QString endommage = "Le fichier contenant les données est endommagé.";
        const QString refuse = "Le fichier contenant les données n'a pas accepté l'opération.";
        QTest::newRow("écrasé, validé") << true << false << endommage;
        QTest::newRow("écrasé, écrans") << true << true << endommage;
        QTest::newRow("table supprimée, validé") << false << false << refuse;
    }
    void catalogueCasse() {
        QFETCH(bool, ecrase);
        QFETCH(bool, ecrans);
        QFETCH(QString, cause);
        PremierDemarrage d;
        auto& [env, c, principale] = d;
        QVERIFY(Ouvrir_Catalogue(c));
        principale.Form_Load();
        const auto avant = lanceurs(c);
        QVERIFY(vivantes(avant) > 1);
        if (ecrase) {
            QFile fichier(env.cheminCatalogue());
            QVERIFY(fichier.open(QIODevice::ReadWrite));
            fichier.write(QByteArray(8192, 'x'));
        } else {
            env.executer(QStringLiteral("DROP TABLE programmes"));
        }
        env.messages().vus.clear();
        principale.Afficher_Gestion = [](frmPrincipale&, PageGestion) {
            return FinGestion::MiseAJourAFaire;
        };
        if (ecrans)
            principale.Replacer_Fenetres();
        else
            principale.entreeMenu(EntreeMenu::Categories)->trigger();
        QCOMPARE(vivantes(avant), int(avant.size()));
        QCOMPARE(lanceurs(c).size(), avant.size());
        QCOMPARE(env.messages().textes(),
                 QStringList("Les fenêtres n'ont pas pu être construites : le fichier contenant "
                             "les données n'a pas pu être lu.\r\n" +
                             cause + "\r\n[" + QString::number(ecrase ? 26 : 1) + "]"));
    }

    // How the management window was closed decides whether windows are rebuilt, from what
    // it changed through the catalogue model or another tool wrote in the file meanwhile;
    // the search sees both either way.
    void gestion_data() {
        QTest::addColumn<int>("entree");
        QTest::addColumn<bool>("fenetreGestion");
        QTest::addColumn<bool>("reconstruit");
        QTest::addColumn<bool>("autreOutil"); // the new item written by another tool
        QTest::newRow("catégories, validé") << EntreeMenu::Categories << true << true << false;
        QTest::newRow("programmes, validé") << EntreeMenu::Programmes << true << true << false;
        QTest::newRow("autre outil, validé") << EntreeMenu::Programmes << true << true << true;
        QTest::newRow("sans changement") << EntreeMenu::Categories << true << false << false;
        QTest::newRow("pas de fenêtre de gestion") << EntreeMenu::Programmes << false << false
                                                   << false;
    }
    void gestion() {
        QFETCH(int, entree);
        QFETCH(bool, fenetreGestion);
        QFETCH(bool, reconstruit);
        QFETCH(bool, autreOutil);
        PremierDemarrage d;
        auto& [env, c, principale] = d;
        QVERIFY(Ouvrir_Catalogue(c));
        principale.Form_Load();
        std::unique_ptr<QWidget> gestion(fenetreTaguee(c, Tag::Gestion));
        const auto avant = lanceurs(c);
        const Element nouveau{"Zut alors", "/bin/true", "MESSAGERIE", ModeAffichage::Normal,
                              TypeElement::Programme};
        std::optional<PageGestion> page;
        principale.Afficher_Gestion = nullptr;
        if (fenetreGestion)
            principale.Afficher_Gestion = [&](frmPrincipale&, PageGestion p) {
                page = p;
                if (autreOutil)
                    env.ajouterProgramme(nouveau.nom, nouveau.chemin, nouveau.categorie, "1", "0");
                else
                    c.modele().ajouter(nouveau);
                return reconstruit ? FinGestion::MiseAJourAFaire : FinGestion::SansChangement;
            };
        principale.entreeMenu(entree)->trigger();
        if (fenetreGestion)
            QCOMPARE(page, entree == EntreeMenu::Categories ? PageGestion::Categories
                                                            : PageGestion::Programmes);
        // Rebuilt: every old window gone, as many new ones built from the catalogue.
        QCOMPARE(vivantes(avant), reconstruit ? 0 : int(avant.size()));
        QCOMPARE(lanceurs(c).size(), avant.size());
        QVERIFY(c.fenetres().ouvertes<QWidget>().contains(gestion.get()));
        QVERIFY(env.messages().vus.isEmpty());
        qsizetype montre = 0;
        for (frmDalvire* bande : c.fenetres().ouvertes<frmDalvire>())
            montre += bande->lignes().count(nouveau);
        QCOMPARE(montre, reconstruit ? 1 : 0);
        principale.Afficher_Recherche();
        frmRechercher* recherche = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* r = qobject_cast<frmRechercher*>(w)) recherche = r;
        QVERIFY(recherche);
        QTest::keyClicks(Controle<QLineEdit>(*recherche, "txtRecherche"), QStringLiteral("zut"));
        QCOMPARE(recherche->trouves().size(), fenetreGestion ? 1 : 0);
    }

    // A link dropped on a launcher window opens the program editor on it; once saved, the
    // windows are built again and the item is in its category's list.
    void depot_data() {
        QTest::addColumn<bool>("valider");
        QTest::newRow("validé") << true;
        QTest::newRow("annulé") << false;
    }
    void depot() {
        QFETCH(bool, valider);
        PremierDemarrage d;
        auto& [env, c, principale] = d;
        QVERIFY(Ouvrir_Catalogue(c));
        principale.Form_Load();
        const auto avant = lanceurs(c);
        auto* cible = qobject_cast<frmDalvire*>(avant.value(0).data());
        QVERIFY(cible);
        const QString categorie = cible->Tag();
        env.messages().reponses = {ReponseMessage::OK, ReponseMessage::Non};
        bool vu = false;
        QTimer guetteur;
        connect(&guetteur, &QTimer::timeout, [&] {
            auto* e = qobject_cast<frmProgrammes*>(QApplication::activeModalWidget());
            if (!e) return;
            guetteur.stop();
            vu = Controle<QComboBox>(*e, "Catégorie du programme")->currentText() == categorie;
            Controle<QPushButton>(*e, valider ? "Valider" : "Annuler")->click();
        });
        guetteur.start(10);
        QMimeData donnees;
        donnees.setUrls({QUrl("https://www.exemple.fr/")});
        QDragEnterEvent entree(QPoint(5, 5), Qt::CopyAction, &donnees, Qt::LeftButton,
                               Qt::NoModifier);
        QApplication::sendEvent(cible, &entree);
        QDropEvent depot(QPointF(5, 5), Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(cible, &depot);
        QVERIFY(QTest::qWaitFor([&] { return !guetteur.isActive(); }, 5000));
        QVERIFY(vu);
        QCOMPARE(vivantes(avant), valider ? 0 : int(avant.size()));
        bool liste = false;
        for (QWidget* w : c.fenetres().ouvertes<QWidget>())
            if (auto* f = qobject_cast<frmDalvire*>(w); f && f->Tag() == categorie)
                liste = Liste(*f)->findText("www.exemple.fr") >= 0;
        QCOMPARE(liste, valider);
    }

    // The menu opens the real management window on the page it names; validating it
    // rebuilds the launcher windows.
    void fenetreGestion() {
        PremierDemarrage d;
        auto& [env, c, principale] = d;
        QVERIFY(Ouvrir_Catalogue(c));
        principale.Form_Load();
        const auto avant = lanceurs(c);
        int page = -1;
        QTimer::singleShot(0, [&] {
            auto* gestion = qobject_cast<frmGestion*>(QApplication::activeModalWidget());
            QVERIFY(gestion);
            page = gestion->pageVisible();
            Controle<QPushButton>(*gestion, "Valider les changements")->click();
        });
        principale.entreeMenu(EntreeMenu::Programmes)->trigger();
        QCOMPARE(page, 1);
        QCOMPARE(vivantes(avant), 0);
        QCOMPARE(lanceurs(c).size(), avant.size());
    }

    // Rebuilt strips hand the style the palette the strips of their colours had before
    // (what it draws it keeps under the palette); a colour drawn at each build keeps two at
    // most; no window is left behind.
    void palettesCommunes() {
        PremierDemarrage d;
        QVERIFY(Ouvrir_Catalogue(d.c));
        d.env.executer("UPDATE categorie SET couleur = '-1' WHERE nom = 'INTERNET'");
        d.principale.Form_Load();
        const auto dessin = [&d] { // category: key of the palette its list is drawn with
            QMap<QString, qint64> cles;
            for (frmDalvire* f : d.c.fenetres().ouvertes<frmDalvire>())
                cles[f->Tag()] = Liste(*f)->paletteDessin().cacheKey();
            return cles;
        };
        const auto avant = dessin();
        const qsizetype fenetres = QApplication::topLevelWidgets().size();
        QMap<QString, qint64> apres;
        for (int k = 0; k < 3; ++k) {
            d.principale.Reconstruire_Fenetres();
            apres = dessin();
        }
        QCOMPARE(apres.keys(), avant.keys());
        for (const QString& categorie : avant.keys())
            QCOMPARE(apres[categorie] == avant[categorie], categorie != "INTERNET");
        QCOMPARE(d.principale.palettesCommunes().taille(), 3);
        QCOMPARE(QApplication::topLevelWidgets().size(), fenetres);
    }

    void autresEntrees_data() {
        QTest::addColumn<int>("entree");
        QTest::addColumn<QString>("modale");
        QTest::addColumn<QStringList>("rubriques");
        QTest::newRow("paramètres") << EntreeMenu::Parametres << "frmParametres" << QStringList();
        QTest::newRow("à propos") << EntreeMenu::APropos << "frmApropos" << QStringList();
        QTest::newRow("aide") << EntreeMenu::Aide << "" << QStringList("aide.chm 10000");
    }
    void autresEntrees() {
        QFETCH(int, entree);
        QFETCH(QStringList, rubriques);
        Environnement cc;
        frmPrincipale principale(cc.contexte());
        QString modale;
        // Bound to the window: when no dialog opens (help), the call must not outlive the
        // test and fire into the next one with its references gone.
        QTimer::singleShot(0, &principale, [&] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                modale = w->metaObject()->className();
                QVERIFY(cc.contexte().fenetres().ouvertes<QWidget>().contains(w));
                w->close();
            }
        });
        principale.entreeMenu(entree)->trigger();
        QTEST(modale, "modale");
        for (QString& r : rubriques)
            r.prepend(cc.dossier());
        QCOMPARE(cc.rubriques(), rubriques);
        // Gone once closed, nothing written.
        QCOMPARE(cc.contexte().fenetres().ouvertes<QWidget>(), QList<QWidget*>({&principale}));
        QVERIFY(cc.parametres().ecritures.isEmpty());
    }

    // Built at the first opening, once, gone with the main window; never under a dialog.
    void recherche() {
        Environnement env{Environnement::lanceur()};
        auto principale = std::make_unique<frmPrincipale>(env.contexte());
        const auto nombre = [] {
            const QWidgetList w = QApplication::topLevelWidgets();
            return std::count_if(w.begin(), w.end(), [](QWidget* f) {
                return f->isVisible() && qobject_cast<frmRechercher*>(f);
            });
        };
        QDialog modale;
        modale.setModal(true);
        modale.show();
        principale->Afficher_Recherche();
        modale.hide();
        QCOMPARE(nombre(), 0);
        principale->Afficher_Recherche();
        principale->Afficher_Recherche();
        QCOMPARE(nombre(), 1);
        principale.reset();
        QCOMPARE(nombre(), 0);
    }
};

QTEST_MAIN(TestPrincipale)
#include "test_principale.moc"
