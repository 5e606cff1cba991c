// The item launcher: checks by type, display modes, direct start or opening by
// association, the Open With offer; the two validations and the mail link.
#include "core/Services.h"
#include "launcher/Lanceur.h"
#include "launcher/frmDalvire.h"
#include "launcher/frmOuvrirAvec.h"
#include "support/Controles.h"
#include "support/ControlesBande.h"
#include "support/Environnement.h"
#include "support/MessagesScriptes.h"
#include "support/ShellFactice.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString AucuneAssociation =
    QStringLiteral("Le fichier que vous voulez lancer n'est associé à aucune application.\r\n"
                   "Voulez-vous ouvrir la boite de dialogue d'association de fichiers ?");

// A link or an address is no file: the question says what it is.
const QString LienSansApplication =
    QStringLiteral("Aucune application n'ouvre les liens Internet de ce type.\r\n"
                   "Voulez-vous choisir l'application qui ouvrira ces liens ?");
const QString MailSansApplication =
    QStringLiteral("Aucune application n'est associée à l'envoi d'e-mails.\r\n"
                   "Voulez-vous choisir l'application qui ouvrira les adresses e-mail ?");

const QString Editeur = u"editeur.desktop"_s;
// The chooser's box that makes the choice the default one.
const QString Toujours = u"Toujours utiliser cette application pour ce type de fichier"_s;

// What the user does in the Open With chooser once it shows; a chooser still open after
// it is cancelled, and the test fails.
void auChoix(std::function<void(frmOuvrirAvec&)> geste) {
    QTimer::singleShot(0, qApp, [geste] {
        auto* choix = qobject_cast<frmOuvrirAvec*>(QApplication::activeModalWidget());
        QVERIFY2(choix, "no chooser shown");
        geste(*choix);
        if (choix->isVisible()) {
            choix->reject();
            QFAIL("the chooser was left open");
        }
    });
}

struct Poste {
    Environnement env{Environnement::lanceur()};
    std::unique_ptr<frmDalvire> fenetre = Bande(env.contexte(), u"Essais"_s);

    // One item in the list, after another, selected as the user would, without running
    // the click.
    void element(const QString& nom, const QString& chemin, const QString& type,
                 const QString& mode) {
        fenetre->definirLignes({Element{u"Autre"_s, u"/autre"_s, QString(), ModeAffichage::Normal,
                                        CodeStocke<TypeElement>::lu(u"4"_s)},
                                Element{nom, chemin, QString(), CodeStocke<ModeAffichage>::lu(mode),
                                        CodeStocke<TypeElement>::lu(type)}});
        Ligne_Courante(*fenetre, 1);
    }

    QString fichier(const QString& nom) {
        const QString chemin = env.dossier() + nom;
        QFile f(chemin);
        f.open(QIODevice::WriteOnly);
        return chemin;
    }
};

} // namespace

class TestLanceur : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sansSelection() {
        Poste p;
        p.element(u"Notes"_s, u"/notes"_s, u"4"_s, u"1"_s);
        Liste(*p.fenetre)->setToolTip(u"ancien"_s);
        Ligne_Courante(*p.fenetre, -1);
        Lancer_Element(*p.fenetre);
        QVERIFY(Liste(*p.fenetre)->toolTip().isEmpty());
        QVERIFY(p.env.shell().appels.isEmpty());
        QVERIFY(p.env.messages().vus.isEmpty());
        QVERIFY(!p.fenetre->Afficher);
    }

    void nomFaitDeBlancs() {
        Poste p;
        p.fenetre->imgIcone_Click();
        p.element(u"   "_s, u"/notes"_s, u"4"_s, u"1"_s);
        Liste(*p.fenetre)->setToolTip(u"ancien"_s);
        Lancer_Element(*p.fenetre);
        QVERIFY(Liste(*p.fenetre)->toolTip().isEmpty());
        QVERIFY(p.env.shell().appels.isEmpty());
        QVERIFY(p.env.messages().vus.isEmpty());
        QVERIFY(p.fenetre->Afficher);
    }

    void verificationEchouee_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("chemin"); // "@/" stands for the test folder
        QTest::addColumn<QString>("premiere");
        QTest::addColumn<QString>("seconde");
        const QString programme = u"Impossible de démarrer le programme sélectionné."_s;
        const QString programmeAbsent = u"Le programme n'existe pas."_s;
        const QString fichier = u"Impossible de démarrer le fichier sélectionné."_s;
        const QString fichierAbsent = u"Le fichier n'existe pas."_s;
        const QString page = u"Impossible d'afficher la page Internet sélectionnée."_s;
        const QString pageInvalide =
            u"L'adresse du site Internet ne semble pas une adresse valide."_s;
        const QString mail = u"Impossible d'envoyer un e-mail à l'adresse sélectionnée."_s;
        const QString mailInvalide = u"L'adresse de messagerie ne semble pas une adresse valide."_s;
        QTest::newRow("programme absent")
            << u"0"_s << "@/absent.exe" << programme << programmeAbsent;
        QTest::newRow("dossier pour programme")
            << u"0"_s << "@/icones" << programme << programmeAbsent;
        QTest::newRow("entree de bureau absente")
            << u"0"_s << "@/absente.desktop" << programme << programmeAbsent;
        QTest::newRow("programme vide") << u"0"_s << "" << programme << programmeAbsent;
        QTest::newRow("fichier absent") << u"1"_s << "@/absent.txt" << fichier << fichierAbsent;
        QTest::newRow("lien sans schema") << u"2"_s << "www.exemple.fr" << page << pageInvalide;
        QTest::newRow("lien avec blanc")
            << u"2"_s << "http://exemple.fr/a b" << page << pageInvalide;
        QTest::newRow("mail sans prefixe") << u"3"_s << "moi@exemple.fr" << mail << mailInvalide;
        QTest::newRow("mail tronque") << u"3"_s << "mailto" << mail << mailInvalide;
    }

    void verificationEchouee() {
        QFETCH(QString, type);
        QFETCH(QString, chemin);
        QFETCH(QString, premiere);
        QFETCH(QString, seconde);
        Poste p;
        chemin.replace(u"@/"_s, p.env.dossier());
        p.fenetre->imgIcone_Click();
        p.fenetre->Compteur = 2;
        p.element(u"Élément"_s, chemin, type, u"1"_s);
        Lancer_Element(*p.fenetre);

        QCOMPARE(p.env.messages().textes(),
                 QStringList{premiere + u"\r\n"_s + seconde + u"\r\n["_s + chemin + u"]"_s});
        const Message& m = p.env.messages().vus.at(0);
        QCOMPARE(m.icone, IconeMessage::Information);
        QCOMPARE(m.boutons, BoutonsMessage::OK);
        QCOMPARE(m.titre, u"Dalvire"_s);
        QVERIFY(p.env.shell().appels.isEmpty());
        QCOMPARE(p.env.contexte().utilisations().lancements(u"Élément"_s), 0);
        // The window keeps its place and its timer.
        QVERIFY(p.fenetre->Afficher);
        QVERIFY(p.fenetre->Timer1.isActive());
        QCOMPARE(p.fenetre->Compteur, qint16(2));
        QCOMPARE(Liste(*p.fenetre)->toolTip(), u"Élément ["_s + chemin + u"]"_s);
    }

    void lancement_data() {
        QTest::addColumn<QString>("type");
        // Created in the test folder when not empty; a folder when it ends in "/".
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<QString>("chemin"); // "@/" stands for the test folder
        QTest::addColumn<QString>("operation");
        QTest::newRow("programme") << u"0"_s << u"outil.sh"_s << u"@/outil.sh"_s << "ouvrir";
        QTest::newRow("programme exe")
            << u"0"_s << u"outil.exe"_s << u"@/outil.exe"_s << "demarrer";
        QTest::newRow("document") << u"1"_s << u"notes.txt"_s << u"@/notes.txt"_s << "ouvrir";
        QTest::newRow("dossier") << u"1"_s << u"Mes documents/"_s << u"@/Mes documents"_s
                                 << "ouvrir";
        QTest::newRow("dossier en exe")
            << u"1"_s << u"outils.exe/"_s << u"@/outils.exe"_s << "ouvrir";
        QTest::newRow("entree de bureau")
            << u"0"_s << u"editeur.desktop"_s << u"@/editeur.desktop"_s << "lancerEntreeBureau";
        // Only a program item names an application; as a document it is a file like another.
        QTest::newRow("entree de bureau en document")
            << u"1"_s << u"editeur.desktop"_s << u"@/editeur.desktop"_s << "ouvrir";
        QTest::newRow("document en EXE")
            << u"1"_s << u"notes.EXE"_s << u"@/notes.EXE"_s << "demarrer";
        QTest::newRow("document en exe sans point")
            << u"1"_s << u"notesexe"_s << u"@/notesexe"_s << "demarrer";
        QTest::newRow("lien") << u"2"_s << u""_s << u"https://exemple.fr/"_s << "ouvrir";
        QTest::newRow("lien en exe")
            << u"2"_s << u""_s << u"https://exemple.fr/setup.exe"_s << "demarrer";
        QTest::newRow("mailto seul") << u"3"_s << u""_s << u"mailto:"_s << "ouvrir";
        QTest::newRow("MAILTO et suite")
            << u"3"_s << u""_s << u"MAILTO:n'importe quoi"_s << "ouvrir";
        QTest::newRow("type inconnu") << u"4"_s << u""_s << u"@/absent"_s << "ouvrir";
        QTest::newRow("type 0 precede d'un blanc") << u" 0"_s << u""_s << u"@/absent"_s << "ouvrir";
        QTest::newRow("type vide") << u""_s << u""_s << u"quelque chose"_s << "ouvrir";
    }

    void lancement() {
        QFETCH(QString, type);
        QFETCH(QString, fichier);
        QFETCH(QString, chemin);
        QFETCH(QString, operation);
        Poste p;
        if (fichier.endsWith(QLatin1Char('/')))
            QVERIFY(QDir().mkpath(p.env.dossier() + fichier));
        else if (!fichier.isEmpty())
            p.fichier(fichier);
        chemin.replace(u"@/"_s, p.env.dossier());
        p.fenetre->imgIcone_Click();
        p.element(u"Notes"_s, chemin, type, u"1"_s);
        Lancer_Element(*p.fenetre);

        QVERIFY(p.env.messages().vus.isEmpty());
        QCOMPARE(p.env.shell().journal(),
                 QStringList{operation + QLatin1Char('|') + chemin + "|normal"});
        // Every start counts for its item.
        QCOMPARE(p.env.contexte().utilisations().lancements(u"Notes"_s), 1);
        if (operation == QLatin1String("ouvrir"))
            QCOMPARE(p.env.shell().appels.at(0).proprietaire, p.fenetre.get());
        QCOMPARE(Liste(*p.fenetre)->toolTip(), u"Notes ["_s + chemin + u"]"_s);
        QVERIFY(!p.fenetre->Afficher);
        QVERIFY(!p.fenetre->Timer1.isActive());
    }

    void affichageDuLancement_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<AffichageFenetre>("affichage");
        using enum AffichageFenetre;
        QTest::newRow("vide") << "" << Minimise;
        QTest::newRow("x") << "x" << Minimise;
        QTest::newRow("0") << "0" << Minimise;
        QTest::newRow("0.5") << "0.5" << Minimise;
        QTest::newRow("1") << "1" << Normal;
        QTest::newRow("1.5") << "1.5" << Maximise;
        QTest::newRow("2") << "2" << Maximise;
        QTest::newRow("2.5") << "2.5" << Maximise;
        QTest::newRow("5") << "5" << Normal;
        QTest::newRow("blancs puis 3") << "  3" << Maximise;
        QTest::newRow("6") << "6" << Minimise;
        QTest::newRow("7") << "7" << Minimise;
        QTest::newRow("11") << "11" << Minimise;
        QTest::newRow("-1") << "-1" << Normal;
        QTest::newRow("hors 16 bits") << "70000" << Minimise;
    }

    void affichageDuLancement() {
        QFETCH(QString, mode);
        QFETCH(AffichageFenetre, affichage);
        QCOMPARE(Affichage_Fenetre(CodeStocke<ModeAffichage>::lu(mode)), affichage);
        // And it is the display mode the launch hands over, for either kind of start.
        for (const QString& chemin : {u"/a/document"_s, u"/a/prog.exe"_s}) {
            Poste p;
            p.element(u"Notes"_s, chemin, u"4"_s, mode);
            Lancer_Element(*p.fenetre);
            QCOMPARE(p.env.shell().appels.size(), 1);
            QCOMPARE(p.env.shell().appels.at(0).affichage, std::optional(affichage));
        }
    }

    void aucuneAssociation_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<int>("reponse");
        QTest::addColumn<QString>("geste"); // in the chooser: "ouvrir", "toujours" or "annuler"
        QTest::addColumn<QString>("typeOuverture");
        QTest::addColumn<QString>("affiche");
        QTest::addColumn<QStringList>("journal");
        const int oui = int(ReponseMessage::Oui);
        const QString plan = u"/docs/plan.xyz"_s;
        const QString ouvrirPlan = u"ouvrir|/docs/plan.xyz|minimise"_s;
        const QString choixPlan = u"choixPour|/docs/plan.xyz|-"_s;
        QTest::newRow("non") << "4" << plan << int(ReponseMessage::Non) << u""_s << u""_s << ""
                             << QStringList{ouvrirPlan};
        QTest::newRow("oui puis annuler")
            << "4" << plan << oui << u"annuler"_s << u"application/x-xyz"_s << "plan.xyz"
            << QStringList{ouvrirPlan, choixPlan};
        QTest::newRow("oui puis ouvrir")
            << "4" << plan << oui << u"ouvrir"_s << u"application/x-xyz"_s << "plan.xyz"
            << QStringList{ouvrirPlan, choixPlan,
                           "ouvrirAvecApplication|/docs/plan.xyz|-|editeur.desktop"};
        // A link reaches the chooser, the application and the default as a link.
        const QString lien = u"https://exemple.fr/a?b=1&c=2"_s;
        QTest::newRow("lien web, toujours")
            << "2" << lien << oui << u"toujours"_s << "x-scheme-handler/https" << lien
            << QStringList{"ouvrir|" + lien + "|minimise", "choixPour|" + lien + "|-",
                           "ouvrirAvecApplication|" + lien + "|-|editeur.desktop",
                           "definirParDefaut|x-scheme-handler/https|-|editeur.desktop"};
        const QString mail = u"mailto:moi@exemple.fr"_s;
        QTest::newRow("adresse mail, toujours")
            << "3" << mail << oui << u"toujours"_s << "x-scheme-handler/mailto" << mail
            << QStringList{"ouvrir|" + mail + "|minimise", "choixPour|" + mail + "|-",
                           "ouvrirAvecApplication|" + mail + "|-|editeur.desktop",
                           "definirParDefaut|x-scheme-handler/mailto|-|editeur.desktop"};
    }

    void aucuneAssociation() {
        QFETCH(QString, type);
        QFETCH(QString, chemin);
        QFETCH(int, reponse);
        QFETCH(QString, geste);
        QFETCH(QString, typeOuverture);
        QFETCH(QString, affiche);
        QFETCH(QStringList, journal);
        Poste p;
        p.env.shell().reponseOuvrir = ResultatOuverture::AucuneAssociation;
        const bool estLien = type != QLatin1String("4");
        p.env.shell().reponseChoix = {estLien,
                                      estLien ? QString() : chemin,
                                      typeOuverture,
                                      {{Editeur, u"Éditeur"_s, {}, {}}}};
        p.env.messages().reponses = {static_cast<ReponseMessage>(reponse)};
        QString vu;
        QWidget* proprietaire = nullptr;
        if (!geste.isEmpty())
            auChoix([&](frmOuvrirAvec& choix) {
                vu = choix.findChild<QLabel*>(u"lblFichier"_s)->text();
                proprietaire = choix.parentWidget();
                Controle<QCheckBox>(choix, Toujours)
                    ->setChecked(geste == QLatin1String("toujours"));
                QTest::mouseClick(Controle<QPushButton>(choix, geste == QLatin1String("annuler")
                                                                   ? u"Annuler"_s
                                                                   : u"Ouvrir"_s),
                                  Qt::LeftButton);
            });
        p.fenetre->imgIcone_Click();
        p.element(u"Plan"_s, chemin, type, u"0"_s);
        Lancer_Element(*p.fenetre);

        const QString question = type == QLatin1String("2")   ? LienSansApplication
                                 : type == QLatin1String("3") ? MailSansApplication
                                                              : AucuneAssociation;
        QCOMPARE(p.env.messages().textes(), QStringList{question});
        QCOMPARE(p.env.messages().vus.at(0).icone, IconeMessage::Question);
        QCOMPARE(p.env.messages().vus.at(0).boutons, BoutonsMessage::OuiNon);
        QCOMPARE(p.env.shell().journal(), journal);
        QCOMPARE(vu, affiche);
        if (!geste.isEmpty()) QCOMPARE(proprietaire, p.fenetre.get());
        QVERIFY(!p.fenetre->Afficher);
    }

    void applicationQuiNeDemarrePas_data() {
        QTest::addColumn<int>("resultat");
        QTest::addColumn<QString>("cause");
        QTest::newRow("echec") << int(ResultatLancement::Echec) << "";
        QTest::newRow("application introuvable")
            << int(ResultatLancement::ApplicationIntrouvable)
            << "Son programme est introuvable : elle a peut-être été désinstallée.\r\n";
        QTest::newRow("terminal introuvable")
            << int(ResultatLancement::TerminalIntrouvable)
            << "Elle doit s'ouvrir dans un terminal, et aucun terminal n'a pu être démarré.\r\n";
    }

    void applicationQuiNeDemarrePas() {
        QFETCH(int, resultat);
        QFETCH(QString, cause);
        Poste p;
        p.env.shell().reponseOuvrir = ResultatOuverture::AucuneAssociation;
        p.env.shell().reponseChoix = {false,
                                      u"/docs/plan.xyz"_s,
                                      u"application/x-xyz"_s,
                                      {{Editeur, u"Éditeur d'essai"_s, {}, {}}}};
        p.env.shell().reponseLancement = static_cast<ResultatLancement>(resultat);
        p.env.messages().reponses = {ReponseMessage::Oui};
        bool resteOuvert = false;
        auChoix([&](frmOuvrirAvec& choix) {
            Controle<QCheckBox>(choix, Toujours)->setChecked(true);
            QTest::mouseClick(Controle<QPushButton>(choix, u"Ouvrir"_s), Qt::LeftButton);
            resteOuvert = choix.isVisible();
            QTest::mouseClick(Controle<QPushButton>(choix, u"Annuler"_s), Qt::LeftButton);
        });
        p.fenetre->imgIcone_Click();
        p.element(u"Plan"_s, u"/docs/plan.xyz"_s, u"4"_s, u"1"_s);
        Lancer_Element(*p.fenetre);

        QCOMPARE(p.env.messages().textes(),
                 (QStringList{AucuneAssociation,
                              QStringLiteral("Impossible de démarrer l'application «\u00A0Éditeur "
                                             "d'essai\u00A0».\r\n") +
                                  cause + u"[/docs/plan.xyz]"_s}));
        QCOMPARE(p.env.messages().vus.at(1).icone, IconeMessage::Information);
        QCOMPARE(p.env.messages().vus.at(1).boutons, BoutonsMessage::OK);
        QVERIFY(resteOuvert);
        // Not made the default: it did not start.
        QCOMPARE(p.env.shell().journal().last(),
                 u"ouvrirAvecApplication|/docs/plan.xyz|-|editeur.desktop"_s);
        QVERIFY(!p.fenetre->Afficher);
    }

    void echecsSilencieux() {
        Poste p;
        p.env.shell().reponseDemarrer = false;
        p.env.shell().reponseOuvrir = ResultatOuverture::Echec;
        for (const QString& chemin : {u"/absent.exe"_s, u"/absent.txt"_s}) {
            p.fenetre->imgIcone_Click();
            p.element(u"X"_s, chemin, u"4"_s, u"1"_s);
            Lancer_Element(*p.fenetre);
            QVERIFY(!p.fenetre->Afficher);
        }
        QVERIFY(p.env.messages().vus.isEmpty());
        QCOMPARE(p.env.shell().appels.size(), 2);
    }

    void entreeDeBureauQuiNeDemarrePas_data() {
        QTest::addColumn<int>("resultat");
        QTest::addColumn<QString>("message");
        QTest::newRow("illisible") << int(ResultatLancement::ApplicationIntrouvable)
                                   << "Impossible de démarrer le programme sélectionné.\r\n"
                                      "Le programme n'existe pas.\r\n[@]";
        QTest::newRow("echec") << int(ResultatLancement::Echec) << "";
        QTest::newRow("sans terminal") << int(ResultatLancement::TerminalIntrouvable) << "";
    }

    void entreeDeBureauQuiNeDemarrePas() {
        QFETCH(int, resultat);
        QFETCH(QString, message);
        Poste p;
        const QString entree = p.fichier(u"editeur.desktop"_s);
        message.replace(QLatin1Char('@'), entree);
        p.env.shell().reponseEntreeBureau = static_cast<ResultatLancement>(resultat);
        p.fenetre->imgIcone_Click();
        p.element(u"Éditeur"_s, entree, u"0"_s, u"2"_s);
        Lancer_Element(*p.fenetre);
        // The display mode goes with it, as for any program.
        QCOMPARE(p.env.shell().journal(),
                 QStringList{u"lancerEntreeBureau|"_s + entree + u"|maximise"_s});
        QCOMPARE(p.env.messages().textes(),
                 message.isEmpty() ? QStringList() : QStringList{message});
        // Like a failed check, a program that is gone leaves the window out.
        QCOMPARE(p.fenetre->Afficher, !message.isEmpty());
    }

    void fenetreRentreePendantLeChoix() {
        // The delay runs out while the chooser is open: the window has slid in by itself and
        // stays in once the launch ends.
        Poste p;
        p.env.contexte().reglages().definirDelaiFermeture(5);
        p.env.shell().reponseOuvrir = ResultatOuverture::AucuneAssociation;
        p.env.shell().reponseChoix = {
            false, u"/docs/plan.xyz"_s, u"application/x-xyz"_s, {{Editeur, u"Éditeur"_s, {}, {}}}};
        p.env.messages().reponses = {ReponseMessage::Oui};
        p.env.shell().pendant = [&] {
            if (p.env.shell().appels.size() == 2)
                for (int i = 0; i < 5; ++i)
                    p.fenetre->Timer1_Timer();
        };
        auChoix([](frmOuvrirAvec& choix) {
            QTest::mouseClick(Controle<QPushButton>(choix, u"Ouvrir"_s), Qt::LeftButton);
        });
        p.fenetre->imgIcone_Click();
        p.element(u"Plan"_s, u"/docs/plan.xyz"_s, u"4"_s, u"1"_s);
        Lancer_Element(*p.fenetre);
        QCOMPARE(p.env.shell().appels.size(), 3);
        QVERIFY(!p.fenetre->Afficher);
        QVERIFY(!p.fenetre->Timer1.isActive());
    }

    void lienInternet_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<bool>("valide");
        QTest::newRow("http") << "http://www.exemple.fr" << true;
        QTest::newRow("https chemin requete fragment")
            << "https://exemple.fr/a/b.html?x=1&y=%C3%A9#haut" << true;
        QTest::newRow("port et utilisateur") << "ftp://moi@exemple.fr:2121/pub/" << true;
        QTest::newRow("IPv6") << "http://[2001:db8::1]/" << true;
        QTest::newRow("IRI") << "https://exemple.fr/été" << true;
        QTest::newRow("mailto") << "mailto:moi@exemple.fr" << true;
        QTest::newRow("autre schema") << "urn:isbn:2070360024" << true;
        QTest::newRow("majuscules") << "HTTP://EXEMPLE.FR/" << true;
        QTest::newRow("vide") << "" << false;
        QTest::newRow("sans schema") << "www.exemple.fr" << false;
        QTest::newRow("relatif") << "/pages/index.html" << false;
        QTest::newRow("blanc interieur") << "http://exemple.fr/a b" << false;
        QTest::newRow("blanc en tete") << " http://exemple.fr" << false;
        QTest::newRow("blanc en fin") << "http://exemple.fr " << false;
        QTest::newRow("tabulation") << "http://exemple.fr/\t" << false;
        QTest::newRow("saut de ligne") << "http://exemple.fr/\n" << false;
        QTest::newRow("echappement casse") << "http://exemple.fr/%zz" << false;
        QTest::newRow("echappement tronque") << "http://exemple.fr/%4" << false;
        QTest::newRow("port non numerique") << "http://exemple.fr:port/" << false;
        QTest::newRow("http sans hote") << "http://" << false;
        QTest::newRow("http sans autorite") << "http:exemple.fr" << false;
        QTest::newRow("schema invalide") << "1http://exemple.fr" << false;
        QTest::newRow("deux-points seuls") << ":exemple" << false;
        for (const char* c : {"<", ">", "\"", "{", "}", "|", "\\", "^", "`"})
            QTest::addRow("caractere interdit %s", c)
                << u"http://exemple.fr/a"_s + QLatin1String(c) + u"b"_s << false;
        QTest::newRow("crochets hors de l'hote") << "http://exemple.fr/[x]" << false;
        QTest::newRow("second diese") << "http://exemple.fr/a#b#c" << false;
        QTest::newRow("crochet encode") << "http://exemple.fr/%5Bx%5D" << true;
    }

    void lienInternet() {
        QFETCH(QString, texte);
        QFETCH(bool, valide);
        QCOMPARE(Lien_Internet_Valide(texte), valide);
    }

    void adresseMail_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<bool>("valide");
        QTest::newRow("prefixe seul") << "mailto:" << true;
        QTest::newRow("adresse") << "mailto:moi@exemple.fr" << true;
        QTest::newRow("capitales et n'importe quoi") << "MaIlTo:???" << true;
        QTest::newRow("vide") << "" << false;
        QTest::newRow("trop court") << "mailto" << false;
        QTest::newRow("sans prefixe") << "moi@exemple.fr" << false;
        QTest::newRow("blanc en tete") << " mailto:moi@exemple.fr" << false;
    }

    void adresseMail() {
        QFETCH(QString, texte);
        QFETCH(bool, valide);
        QCOMPARE(Adresse_Mail_Valide(texte), valide);
    }

    void lienMail_data() {
        QTest::addColumn<QString>("sujet");
        QTest::addColumn<QString>("corps");
        QTest::addColumn<QString>("copie");
        QTest::addColumn<QString>("copieCachee");
        QTest::addColumn<QString>("lien");
        QTest::newRow("adresse seule")
            << u""_s << u""_s << u""_s << u""_s << "mailto:moi@exemple.fr";
        QTest::newRow("sujet") << u"S"_s << u""_s << u""_s << u""_s
                               << "mailto:moi@exemple.fr?Subject=S";
        QTest::newRow("corps") << u""_s << u"B"_s << u""_s << u""_s
                               << "mailto:moi@exemple.fr?Body=B";
        QTest::newRow("sujet et copie") << u"S"_s << u""_s << u"c@x.fr"_s << u""_s
                                        << "mailto:moi@exemple.fr?Subject=S&CC=c@x.fr";
        QTest::newRow("copie seule")
            << u""_s << u""_s << u"c@x.fr"_s << u""_s << "mailto:moi@exemple.fr?CC=c@x.fr";
        QTest::newRow("copie cachee seule")
            << u""_s << u""_s << u""_s << u"b@x.fr"_s << "mailto:moi@exemple.fr?BCC=b@x.fr";
        QTest::newRow("tout") << u"S"_s << u"B"_s << u"c@x.fr"_s << u"b@x.fr"_s
                              << "mailto:moi@exemple.fr?Subject=S&Body=B&CC=c@x.fr&BCC=b@x.fr";
        QTest::newRow("delimiteurs du lien")
            << u"a&b=c#d%e?f"_s << u""_s << u""_s << u""_s
            << "mailto:moi@exemple.fr?Subject=a%26b%3Dc%23d%25e%3Ff";
        QTest::newRow("sauts de ligne du corps")
            << u""_s << u"un\ndeux\r\ntrois\rquatre"_s << u""_s << u""_s
            << "mailto:moi@exemple.fr?Body=un%0D%0Adeux%0D%0Atrois%0D%0Aquatre";
        QTest::newRow("blancs plus et accents")
            << u"Rapport d'erreur : é+1"_s << u""_s << u""_s << u""_s
            << "mailto:moi@exemple.fr?Subject=Rapport%20d%27erreur%20%3A%20%C3%A9%2B1";
        QTest::newRow("plusieurs copies") << u""_s << u""_s << u"a+x@x.fr,b@y.fr"_s << u""_s
                                          << "mailto:moi@exemple.fr?CC=a+x@x.fr,b@y.fr";
        QTest::newRow("copie piegee") << u""_s << u""_s << u"a@x.fr&Body=faux"_s << u""_s
                                      << "mailto:moi@exemple.fr?CC=a@x.fr%26Body%3Dfaux";
    }

    void lienMail() {
        QFETCH(QString, sujet);
        QFETCH(QString, corps);
        QFETCH(QString, copie);
        QFETCH(QString, copieCachee);
        QFETCH(QString, lien);
        QCOMPARE(Lien_Mail(u"moi@exemple.fr"_s, sujet, corps, copie, copieCachee), lien);
    }

    void envoyerMail_data() {
        QTest::addColumn<int>("resultat");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("reussi") << int(ResultatOuverture::Reussi) << QStringList();
        QTest::newRow("echec ignore") << int(ResultatOuverture::Echec) << QStringList();
        QTest::newRow("aucune application")
            << int(ResultatOuverture::AucuneAssociation)
            << QStringList{QStringLiteral("Aucune application ne permet d'envoyer un e-mail à "
                                          "l'adresse :\r\nmoi@exemple.fr")};
    }

    void envoyerMail() {
        QFETCH(int, resultat);
        QFETCH(QStringList, messages);
        Environnement env{Environnement::lanceur()};
        env.shell().reponseOuvrir = static_cast<ResultatOuverture>(resultat);
        QWidget proprietaire;
        Envoyer_Mail(env.contexte(), u"moi@exemple.fr"_s, &proprietaire, u"Sujet"_s, u"Corps"_s);
        QCOMPARE(env.shell().journal(),
                 QStringList{QStringLiteral(
                     "ouvrir|mailto:moi@exemple.fr?Subject=Sujet&Body=Corps|normal")});
        QCOMPARE(env.shell().appels.at(0).proprietaire, &proprietaire);
        QCOMPARE(env.messages().textes(), messages);
        for (const Message& m : env.messages().vus) {
            QCOMPARE(m.icone, IconeMessage::Information);
            QCOMPARE(m.boutons, BoutonsMessage::OK);
        }
    }
};

QTEST_MAIN(TestLanceur)
#include "test_lanceur.moc"
