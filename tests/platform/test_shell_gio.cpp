// The desktop services for real: programs started from script files, documents and
// links opened through desktop entries and MIME associations of a private XDG home.
#include "platform/linux/DemarrageDetache.h"
#include "platform/linux/ShellGio.h"
#include "platform/linux/ShellGioOutils.h"
#include "support/MaisonXdg.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace MaisonXdg;

namespace {

// A script that records its own $0 in "marqueur" beside itself.
QByteArray scriptMarqueur() {
    return "#!/bin/sh\n"
           "printf '%s' \"$0\" > \"$(dirname \"$0\")/marqueur.tmp\" && "
           "mv \"$(dirname \"$0\")/marqueur.tmp\" \"$(dirname \"$0\")/marqueur\"\n";
}

bool attendreFichier(const QString& chemin, int delaiMs = 5000) {
    QElapsedTimer chrono;
    chrono.start();
    while (chrono.elapsed() < delaiMs) {
        if (QFile::exists(chemin)) return true;
        QTest::qWait(20);
    }
    return false;
}

} // namespace

class TestShellGio : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void cheminPiege_data();
    void cheminPiege();
    void demarrageDetache();
    void demarrageImpossible_data();
    void demarrageImpossible();
    void ouvrirDocumentAssocie();
    void ouvrirLienAssocie();
    void documentAvecDroitDExecution();
    void aucuneAssociation_data();
    void aucuneAssociation();
    void echecs_data();
    void echecs();
    void choixPour_data();
    void choixPour();
    void toutesLesApplications();
    void ouvrirAvecApplication_data();
    void ouvrirAvecApplication();
    void choixRetenuPourLeType_data();
    void choixRetenuPourLeType();
    void lancerEntreeBureau_data();
    void lancerEntreeBureau();
    // Last: it makes the stand-in the user's file manager.
    void ouvrirDossier();
};

void TestShellGio::cleanup() {
    nettoyer();
}

void TestShellGio::cheminPiege_data() {
    QTest::addColumn<bool>("parOuverture");
    QTest::newRow("demarrage direct") << false;
    QTest::newRow("ouverture") << true;
}

void TestShellGio::cheminPiege() {
    QFETCH(bool, parOuverture);
    // Every character a shell would act upon, in one file name.
    const QString dossier = essai(QStringLiteral("piege"));
    QVERIFY(QDir().mkpath(dossier));
    const QString nom = QStringLiteral("a;touch pirate1|touch pirate2&touch pirate3 $(touch "
                                       "pirate4)`touch pirate5`'\"  >pirate6 ") +
                        (parOuverture ? QStringLiteral("x.sh") : QStringLiteral("x.exe"));
    const QString script = dossier + QLatin1Char('/') + nom;
    QVERIFY(ecrire(script, scriptMarqueur(), true));
    // Relative side effects would land here.
    const QString ancien = QDir::currentPath();
    QDir::setCurrent(dossier);

    ShellGio shell;
    const bool lance = parOuverture ? shell.ouvrir(script, AffichageFenetre::Normal, nullptr) ==
                                          ResultatOuverture::Reussi
                                    : shell.demarrer(script, AffichageFenetre::Normal);
    QVERIFY(lance);
    QVERIFY(attendreFichier(dossier + QStringLiteral("/marqueur")));
    QTest::qWait(200);
    QDir::setCurrent(ancien);
    QCOMPARE(QString::fromUtf8(lire(dossier + QStringLiteral("/marqueur"))), script);
    // That very file ran, and nothing else.
    QCOMPARE(QDir(dossier).entryList(QDir::Files | QDir::Hidden),
             (QStringList{nom, QStringLiteral("marqueur")}));
}

void TestShellGio::demarrageDetache() {
    const QString dossier = essai(QString());
    const QString script = dossier + QStringLiteral("long.exe");
    QVERIFY(ecrire(script,
                   "#!/bin/sh\n"
                   "e0=$(readlink /proc/$$/fd/0); e1=$(readlink /proc/$$/fd/1); "
                   "e2=$(readlink /proc/$$/fd/2)\n"
                   "if [ -e /proc/$$/fd/57 ]; then h=herite; else h=absent; fi\n"
                   "sid=$(cut -d' ' -f6 /proc/$$/stat)\n"
                   "printf '%s\\n' \"$e0\" \"$e1\" \"$e2\" \"$h\" \"$sid\" \"$$\" > \"$0.tmp\" && "
                   "mv \"$0.tmp\" \"$0.etat\"\n"
                   "sleep 3\n",
                   true));
    // A descriptor of ours that is not close-on-exec.
    const int source = ::open("/dev/null", O_RDONLY);
    QVERIFY(source >= 0);
    QVERIFY(::dup2(source, 57) == 57);
    ::close(source);

    QElapsedTimer chrono;
    chrono.start();
    const ResultatDemarrage d = Demarrer_Detache(script);
    const qint64 duree = chrono.elapsed();
    ::close(57);
    QVERIFY(d.reussi());
    // Never waited for: the program sleeps three seconds.
    QVERIFY2(duree < 1500, qPrintable(QString::number(duree)));
    // Not a child of ours: nothing to reap.
    errno = 0;
    QCOMPARE(::waitpid(-1, nullptr, WNOHANG), -1);
    QCOMPARE(errno, ECHILD);

    QVERIFY(attendreFichier(script + QStringLiteral(".etat")));
    const QStringList etat =
        QString::fromUtf8(lire(script + QStringLiteral(".etat"))).split(QLatin1Char('\n'));
    QCOMPARE(etat.mid(0, 4), (QStringList{QStringLiteral("/dev/null"), QStringLiteral("/dev/null"),
                                          QStringLiteral("/dev/null"), QStringLiteral("absent")}));
    QCOMPARE(etat.at(5).toLongLong(), d.pid);
    // A session of its own.
    QVERIFY(etat.at(4).toLongLong() > 0);
    QVERIFY(etat.at(4).toLongLong() != ::getsid(0));
    ::kill(static_cast<pid_t>(d.pid), SIGTERM);
}

void TestShellGio::demarrageImpossible_data() {
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<QString>("programme"); // "@/" stands for the test folder
    QTest::addColumn<int>("erreur");        // 0: it starts
    QTest::newRow("vide") << "" << QByteArray() << false << "" << ENOENT;
    QTest::newRow("absent") << "" << QByteArray() << false << "@/absent.exe" << ENOENT;
    QTest::newRow("dossier") << "" << QByteArray() << false << "@/" << EACCES;
    QTest::newRow("sans droit d'execution")
        << "texte.exe" << QByteArray("#!/bin/sh\n") << false << "@/texte.exe" << EACCES;
    QTest::newRow("ni binaire ni script")
        << "donnees.exe" << QByteArray("rien\n") << true << "@/donnees.exe" << ENOEXEC;
    QTest::newRow("nom introuvable dans PATH")
        << "" << QByteArray() << false << "dalvire-introuvable.exe" << ENOENT;
    QTest::newRow("nom trouve dans PATH") << "" << QByteArray() << false << "true" << 0;
}

void TestShellGio::demarrageImpossible() {
    QFETCH(QString, fichier);
    QFETCH(QByteArray, contenu);
    QFETCH(bool, executable);
    QFETCH(QString, programme);
    QFETCH(int, erreur);
    if (!fichier.isEmpty()) QVERIFY(ecrire(essai(fichier), contenu, executable));
    programme.replace(QStringLiteral("@/"), essai(QString()));
    const ResultatDemarrage d = Demarrer_Detache(programme);
    QCOMPARE(d.reussi(), erreur == 0);
    QCOMPARE(d.erreur, erreur);
    ShellGio shell;
    QCOMPARE(shell.demarrer(programme, AffichageFenetre::Minimise), erreur == 0);
}

void TestShellGio::ouvrirDocumentAssocie() {
    const QString doc = essai(QStringLiteral("notes d'été.txt"));
    QVERIFY(ecrire(doc, "Bonjour\n"));
    ShellGio shell;
    QCOMPARE(shell.ouvrir(doc, AffichageFenetre::Maximise, nullptr), ResultatOuverture::Reussi);
    QCOMPARE(appelTemoin(),
             (QStringList{QStringLiteral("/dev/null"), QStringLiteral("/dev/null"), doc}));
}

void TestShellGio::ouvrirLienAssocie() {
    const QString lien = QStringLiteral("x-dalvire-essai:bonjour?a=1&b=$(id)");
    ShellGio shell;
    QCOMPARE(shell.ouvrir(lien, AffichageFenetre::Normal, nullptr), ResultatOuverture::Reussi);
    QCOMPARE(appelTemoin().mid(2), QStringList{lien});
}

void TestShellGio::documentAvecDroitDExecution() {
    // A text with the execute bit (as on a FAT key) that the system will not run is a
    // document after all.
    const QString doc = essai(QStringLiteral("lisez-moi.txt"));
    QVERIFY(ecrire(doc, "Pas un programme.\n", true));
    ShellGio shell;
    QCOMPARE(shell.ouvrir(doc, AffichageFenetre::Normal, nullptr), ResultatOuverture::Reussi);
    QCOMPARE(appelTemoin().mid(2), QStringList{doc});
}

void TestShellGio::aucuneAssociation_data() {
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QString>("cible"); // "@/" stands for the test folder
    QTest::newRow("document sans application")
        << "plan.pdf" << QByteArray("%PDF-1.4\n%%EOF\n") << "@/plan.pdf";
    QTest::newRow("dossier sans gestionnaire") << "" << QByteArray() << "@/";
    QTest::newRow("schema sans application") << "" << QByteArray() << "schema-inconnu:bonjour";
    QTest::newRow("mailto sans messagerie") << "" << QByteArray() << "mailto:moi@exemple.fr";
}

void TestShellGio::aucuneAssociation() {
    QFETCH(QString, fichier);
    QFETCH(QByteArray, contenu);
    QFETCH(QString, cible);
    if (!fichier.isEmpty()) QVERIFY(ecrire(essai(fichier), contenu));
    cible.replace(QStringLiteral("@/"), essai(QString()));
    ShellGio shell;
    QCOMPARE(shell.ouvrir(cible, AffichageFenetre::Normal, nullptr),
             ResultatOuverture::AucuneAssociation);
    QVERIFY(aucunAppel(100));
}

void TestShellGio::echecs_data() {
    QTest::addColumn<QString>("cible");
    QTest::newRow("vide") << "";
    QTest::newRow("fichier absent") << "/dalvire/absent/notes.txt";
    QTest::newRow("lecteur") << "C:\\notes.txt";
    QTest::newRow("lien file absent") << "file:///dalvire/absent/notes.txt";
}

void TestShellGio::echecs() {
    QFETCH(QString, cible);
    ShellGio shell;
    QCOMPARE(shell.ouvrir(cible, AffichageFenetre::Normal, nullptr), ResultatOuverture::Echec);
    QVERIFY(aucunAppel(100));
}

void TestShellGio::choixPour_data() {
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QString>("cible"); // "@/" stands for the test folder
    QTest::addColumn<bool>("estLien");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("declarees");
    const QStringList temoin{QStringLiteral("dalvire-temoin.desktop")};
    QTest::newRow("texte") << "notes.txt" << QByteArray("Bonjour\n") << "@/notes.txt" << false
                           << "text/plain" << temoin;
    QTest::newRow("lien file") << "notes d'été.txt" << QByteArray("Bonjour\n")
                               << "file://@/notes%20d'%C3%A9t%C3%A9.txt" << false << "text/plain"
                               << temoin;
    QTest::newRow("pdf sans application")
        << "plan.pdf" << QByteArray("%PDF-1.4\n%%EOF\n") << "@/plan.pdf" << false
        << "application/pdf" << QStringList();
    // The generic types are nothing to be the default for.
    QTest::newRow("binaire inconnu") << "donnees.xyz" << QByteArray("\x01\x02\x00\xff", 4)
                                     << "@/donnees.xyz" << false << "" << QStringList();
    QTest::newRow("lien avec application") << "" << QByteArray() << "x-dalvire-essai:bonjour"
                                           << true << "x-scheme-handler/x-dalvire-essai"
                                           << QStringList{QStringLiteral("dalvire-lien.desktop")};
    QTest::newRow("lien web sans application") << "" << QByteArray() << "https://exemple.fr/a/"
                                               << true << "x-scheme-handler/https" << QStringList();
    QTest::newRow("schema en capitales") << "" << QByteArray() << "MAILTO:moi@exemple.fr" << true
                                         << "x-scheme-handler/mailto" << QStringList();
    QTest::newRow("vide") << "" << QByteArray() << "" << false << "" << QStringList();
}

void TestShellGio::choixPour() {
    QFETCH(QString, fichier);
    QFETCH(QByteArray, contenu);
    QFETCH(QString, cible);
    QFETCH(bool, estLien);
    QFETCH(QString, type);
    QFETCH(QStringList, declarees);
    if (!fichier.isEmpty()) QVERIFY(ecrire(essai(fichier), contenu));
    cible.replace(QStringLiteral("@/"), essai(QString()));
    ShellGio shell;
    const ChoixOuverture choix = shell.choixPour(cible);
    QCOMPARE(choix.estLien, estLien);
    QCOMPARE(choix.type, type);
    QStringList ids;
    for (const ApplicationProposee& a : choix.declarees)
        ids << a.id;
    QCOMPARE(ids, declarees);
}

void TestShellGio::toutesLesApplications() {
    ShellGio shell;
    QStringList lignes;
    for (const ApplicationProposee& a : shell.toutesLesApplications())
        lignes << a.id + QLatin1Char('|') + a.nom + QLatin1Char('|') + a.icone + QLatin1Char('|') +
                      a.fichier.section(QLatin1Char('/'), -1);
    // By name in French order whatever the locale ("écran" among the e); the icon a theme
    // name or a file; the entries not displayed, hidden or broken left out.
    QCOMPARE(
        lignes,
        (QStringList{QStringLiteral("dalvire-ecran.desktop|écran Dalvire||dalvire-ecran.desktop"),
                     QStringLiteral("dalvire-lien.desktop|Lien Dalvire||dalvire-lien.desktop"),
                     QStringLiteral("dalvire-temoin.desktop|Témoin Dalvire|") + racine() +
                         QStringLiteral("/temoin.png|dalvire-temoin.desktop")}));
    QCOMPARE(shell.toutesLesApplications().at(0).fichier,
             racine() + QStringLiteral("/donnees/applications/dalvire-ecran.desktop"));
}

void TestShellGio::ouvrirAvecApplication_data() {
    QTest::addColumn<QString>("cible"); // "@/" stands for the test folder
    QTest::addColumn<QString>("application");
    QTest::addColumn<int>("resultat");
    QTest::addColumn<QString>("recu"); // "@/" stands for the test folder
    const int reussi = int(ResultatLancement::Reussi);
    QTest::newRow("fichier") << "@/notes.txt"
                             << "dalvire-temoin.desktop" << reussi << "@/notes.txt";
    QTest::newRow("lien file") << "file://@/notes.txt"
                               << "dalvire-temoin.desktop" << reussi << "@/notes.txt";
    // A link is no file of the current folder: it reaches the application as it is.
    QTest::newRow("lien") << "x-dalvire-essai:bonjour?a=1&b=$(id)"
                          << "dalvire-lien.desktop" << reussi
                          << "x-dalvire-essai:bonjour?a=1&b=$(id)";
    QTest::newRow("application absente")
        << "@/notes.txt"
        << "dalvire-absente.desktop" << int(ResultatLancement::ApplicationIntrouvable) << "";
    QTest::newRow("cible vide") << ""
                                << "dalvire-temoin.desktop" << int(ResultatLancement::Echec) << "";
}

void TestShellGio::ouvrirAvecApplication() {
    QFETCH(QString, cible);
    QFETCH(QString, application);
    QFETCH(int, resultat);
    QFETCH(QString, recu);
    QVERIFY(ecrire(essai(QStringLiteral("notes.txt")), "Bonjour\n"));
    cible.replace(QStringLiteral("@/"), essai(QString()));
    recu.replace(QStringLiteral("@/"), essai(QString()));
    ShellGio shell;
    QCOMPARE(int(shell.ouvrirAvecApplication(cible, application)), resultat);
    if (recu.isEmpty())
        QVERIFY(aucunAppel(100));
    else
        QCOMPARE(appelTemoin(),
                 (QStringList{QStringLiteral("/dev/null"), QStringLiteral("/dev/null"), recu}));
}

void TestShellGio::choixRetenuPourLeType_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("application");
    QTest::addColumn<bool>("retenu");
    QTest::newRow("type generique") << "application/octet-stream"
                                    << "dalvire-temoin.desktop" << false;
    QTest::newRow("fichier vide") << "application/x-zerosize"
                                  << "dalvire-temoin.desktop" << false;
    QTest::newRow("sans type") << ""
                               << "dalvire-temoin.desktop" << false;
    QTest::newRow("application absente") << "application/pdf"
                                         << "dalvire-absente.desktop" << false;
    QTest::newRow("pdf") << "application/pdf"
                         << "dalvire-temoin.desktop" << true;
    QTest::newRow("schema") << "x-scheme-handler/https"
                            << "dalvire-lien.desktop" << true;
}

void TestShellGio::choixRetenuPourLeType() {
    QFETCH(QString, type);
    QFETCH(QString, application);
    QFETCH(bool, retenu);
    const QByteArray avant = associations();
    ShellGio shell;
    QCOMPARE(shell.definirParDefaut(type, application), retenu);
    if (!retenu) {
        QCOMPARE(associations(), avant);
        return;
    }
    QVERIFY(associations().contains((type + QLatin1Char('=') + application).toUtf8()));
    // And it is what opening by association now uses.
    const QString cible = type == QLatin1String("application/pdf")
                              ? essai(QStringLiteral("plan.pdf"))
                              : QStringLiteral("https://exemple.fr/?q=1");
    if (!type.startsWith(QLatin1String("x-scheme-handler/")))
        QVERIFY(ecrire(cible, "%PDF-1.4\n%%EOF\n"));
    QCOMPARE(shell.ouvrir(cible, AffichageFenetre::Normal, nullptr), ResultatOuverture::Reussi);
    QCOMPARE(appelTemoin().mid(2), QStringList{cible});
}

void TestShellGio::lancerEntreeBureau_data() {
    QTest::addColumn<QByteArray>("contenu"); // "@temoin" stands for the stand-in script
    QTest::addColumn<int>("resultat");
    QTest::addColumn<QStringList>("arguments"); // "@entree" stands for the entry's path
    const int introuvable = int(ResultatLancement::ApplicationIntrouvable);
    // Field codes are GIO's: no file given, %f and %U are nothing; %c is the name, %k the
    // entry itself, whose path full of shell characters stays one argument.
    QTest::newRow("application") << QByteArray(
                                        "[Desktop Entry]\nType=Application\nName=Écran d'essai\n"
                                        "Exec=\"@temoin\" --nom %c %k %f %U\n")
                                 << int(ResultatLancement::Reussi)
                                 << QStringList{QStringLiteral("--nom"),
                                                QStringLiteral("Écran d'essai"),
                                                QStringLiteral("@entree")};
    QTest::newRow("illisible") << QByteArray("Ceci n'est pas une entrée.\n\x01\x02") << introuvable
                               << QStringList();
    QTest::newRow("sans Exec") << QByteArray("[Desktop Entry]\nType=Application\nName=X\n")
                               << introuvable << QStringList();
    QTest::newRow("programme disparu")
        << QByteArray("[Desktop Entry]\nType=Application\nName=X\nExec=/dalvire/absent %f\n")
        << introuvable << QStringList();
    QTest::newRow("absente") << QByteArray() << introuvable << QStringList();
}

void TestShellGio::lancerEntreeBureau() {
    QFETCH(QByteArray, contenu);
    QFETCH(int, resultat);
    QFETCH(QStringList, arguments);
    const QString dossier = essai(QStringLiteral("a;touch pirate1|b $(touch pirate2)`x`'\" &"));
    QVERIFY(QDir().mkpath(dossier));
    const QString entree = dossier + QStringLiteral("/mon appli.desktop");
    contenu.replace("@temoin", QFile::encodeName(racine() + QStringLiteral("/temoin.sh")));
    if (!contenu.isEmpty()) QVERIFY(ecrire(entree, contenu));
    const QString ancien = QDir::currentPath();
    QDir::setCurrent(dossier);

    ShellGio shell;
    const int obtenu = int(shell.lancerEntreeBureau(entree, AffichageFenetre::Normal));
    const QStringList appel = arguments.isEmpty() ? QStringList() : appelTemoin();
    QDir::setCurrent(ancien);
    QCOMPARE(obtenu, resultat);
    if (arguments.isEmpty()) {
        QVERIFY(aucunAppel(100));
    } else {
        arguments.replaceInStrings(QStringLiteral("@entree"), entree);
        QCOMPARE(appel, QStringList{QStringLiteral("/dev/null")} +
                            QStringList{QStringLiteral("/dev/null")} + arguments);
    }
    QCOMPARE(QDir(dossier).entryList(QDir::Files),
             contenu.isEmpty() ? QStringList() : QStringList{QStringLiteral("mon appli.desktop")});
}

void TestShellGio::ouvrirDossier() {
    const QString dossier = essai(QStringLiteral("Mes documents; $(touch pirate)"));
    QVERIFY(QDir().mkpath(dossier));
    ShellGio shell;
    QVERIFY(shell.definirParDefaut(QStringLiteral("inode/directory"),
                                   QStringLiteral("dalvire-temoin.desktop")));
    QCOMPARE(shell.ouvrir(dossier, AffichageFenetre::Normal, nullptr), ResultatOuverture::Reussi);
    QCOMPARE(appelTemoin().mid(2), QStringList{dossier});
    QVERIFY(QDir(dossier).isEmpty());
}

int main(int argc, char** argv) {
    QTemporaryDir maison;
    if (!maison.isValid()) return 1;
    preparer(maison.path(),
             {{QStringLiteral("dalvire-temoin.desktop"), "Témoin Dalvire", "%f", "text/plain;",
               "Icon=" + QFile::encodeName(maison.path()) + "/temoin.png\n"},
              {QStringLiteral("dalvire-lien.desktop"), "Lien Dalvire", "%u",
               "x-scheme-handler/x-dalvire-essai;"},
              // For the list of applications: shown, not displayed, hidden, broken.
              {QStringLiteral("dalvire-ecran.desktop"), "écran Dalvire", "", ""},
              {QStringLiteral("dalvire-cachee.desktop"), "Cachée", "", "", "NoDisplay=true\n"},
              {QStringLiteral("dalvire-supprimee.desktop"), "Supprimée", "", "", "Hidden=true\n"},
              {QStringLiteral("dalvire-cassee.desktop"), "Cassée", "", "", "",
               QStringLiteral("/dalvire/programme/absent")}},
             "text/plain=dalvire-temoin.desktop\n");
    // Entries that do not parse: no program, no group, not text.
    const QString applications = maison.path() + QStringLiteral("/donnees/applications/");
    ecrire(applications + QStringLiteral("dalvire-sans-exec.desktop"),
           "[Desktop Entry]\nType=Application\nName=Sans programme\n");
    ecrire(applications + QStringLiteral("dalvire-casse.desktop"), "Name=Cassé\nExec=true\n");
    ecrire(applications + QStringLiteral("dalvire-binaire.desktop"),
           QByteArray("\xff\xfe\0\x01", 4));
    QApplication application(argc, argv);
    TestShellGio essais;
    return QTest::qExec(&essais, argc, argv);
}

#include "test_shell_gio.moc"
