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

// The text with "@/" standing for the test folder.
QString dansEssai(QString texte) {
    return texte.replace(QStringLiteral("@/"), essai(QString()));
}

} // namespace

class TestShellGio : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { nettoyer(); }

    void cheminPiege_data() {
        QTest::addColumn<bool>("parOuverture");
        QTest::newRow("demarrage direct") << false;
        QTest::newRow("ouverture") << true;
    }

    void cheminPiege() {
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

    void demarrageDetache() {
        const QString dossier = essai(QString());
        const QString script = dossier + QStringLiteral("long.exe");
        QVERIFY(
            ecrire(script,
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
        QCOMPARE(etat.mid(0, 4),
                 (QStringList{QStringLiteral("/dev/null"), QStringLiteral("/dev/null"),
                              QStringLiteral("/dev/null"), QStringLiteral("absent")}));
        QCOMPARE(etat.at(5).toLongLong(), d.pid);
        // A session of its own.
        QVERIFY(etat.at(4).toLongLong() > 0);
        QVERIFY(etat.at(4).toLongLong() != ::getsid(0));
        ::kill(static_cast<pid_t>(d.pid), SIGTERM);
    }

    void demarrageImpossible_data() {
        QTest::addColumn<QString>("programme"); // "@/" stands for the test folder
        QTest::addColumn<int>("erreur");        // 0: it starts
        QTest::addColumn<QString>("fichier");   // made in the test folder first
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<bool>("executable");
        const auto ligne = [](const char* nom, const QString& programme, int erreur,
                              const QString& fichier = {}, const QByteArray& contenu = {},
                              bool executable = false) {
            QTest::newRow(nom) << programme << erreur << fichier << contenu << executable;
        };
        ligne("vide", "", ENOENT);
        ligne("absent", "@/absent.exe", ENOENT);
        ligne("dossier", "@/", EACCES);
        ligne("sans droit d'execution", "@/texte.exe", EACCES, "texte.exe", "#!/bin/sh\n");
        ligne("ni binaire ni script", "@/donnees.exe", ENOEXEC, "donnees.exe", "rien\n", true);
        ligne("nom introuvable dans PATH", "dalvire-introuvable.exe", ENOENT);
        ligne("nom trouve dans PATH", "true", 0);
    }

    void demarrageImpossible() {
        QFETCH(QString, fichier);
        QFETCH(QByteArray, contenu);
        QFETCH(bool, executable);
        QFETCH(QString, programme);
        QFETCH(int, erreur);
        if (!fichier.isEmpty()) QVERIFY(ecrire(essai(fichier), contenu, executable));
        programme = dansEssai(programme);
        const ResultatDemarrage d = Demarrer_Detache(programme);
        QCOMPARE(d.reussi(), erreur == 0);
        QCOMPARE(d.erreur, erreur);
        ShellGio shell;
        QCOMPARE(shell.demarrer(programme, AffichageFenetre::Minimise), erreur == 0);
    }

    // Opening by association, or with the application chosen: what the stand-in receives,
    // or nothing when no application takes it or the target is not there.
    void ouvrir_data() {
        QTest::addColumn<QString>("application"); // empty: by association
        QTest::addColumn<QString>("cible");       // "@/" stands for the test folder
        QTest::addColumn<int>("resultat");
        QTest::addColumn<QString>("recu");    // empty: the stand-in is not called
        QTest::addColumn<QString>("fichier"); // made in the test folder first
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<bool>("executable");
        const auto ligne = [](const char* nom, const QString& application, const QString& cible,
                              int resultat, const QString& recu, const QString& fichier = {},
                              const QByteArray& contenu = {}, bool executable = false) {
            QTest::newRow(nom) << application << cible << resultat << recu << fichier << contenu
                               << executable;
        };
        const int reussi = int(ResultatOuverture::Reussi);
        const int aucune = int(ResultatOuverture::AucuneAssociation);
        const int echec = int(ResultatOuverture::Echec);
        const int lance = int(ResultatLancement::Reussi);
        const QString lien = QStringLiteral("x-dalvire-essai:bonjour?a=1&b=$(id)");
        const QString temoin = QStringLiteral("dalvire-temoin.desktop");
        ligne("document", "", "@/notes d'été.txt", reussi, "@/notes d'été.txt", "notes d'été.txt",
              "Bonjour\n");
        ligne("lien", "", lien, reussi, lien);
        // A text with the execute bit (as on a FAT key) that the system will not run is a
        // document after all.
        ligne("document avec droit d'exécution", "", "@/lisez-moi.txt", reussi, "@/lisez-moi.txt",
              "lisez-moi.txt", "Pas un programme.\n", true);
        ligne("document sans application", "", "@/plan.pdf", aucune, "", "plan.pdf",
              "%PDF-1.4\n%%EOF\n");
        ligne("dossier sans gestionnaire", "", "@/", aucune, "");
        ligne("schema sans application", "", "schema-inconnu:bonjour", aucune, "");
        ligne("mailto sans messagerie", "", "mailto:moi@exemple.fr", aucune, "");
        ligne("vide", "", "", echec, "");
        ligne("fichier absent", "", "/dalvire/absent/notes.txt", echec, "");
        ligne("lecteur", "", "C:\\notes.txt", echec, "");
        ligne("lien file absent", "", "file:///dalvire/absent/notes.txt", echec, "");
        ligne("avec l'application: fichier", temoin, "@/notes.txt", lance, "@/notes.txt",
              "notes.txt", "Bonjour\n");
        ligne("avec l'application: lien file", temoin, "file://@/notes.txt", lance, "@/notes.txt",
              "notes.txt", "Bonjour\n");
        // A link is no file of the current folder: it reaches the application as it is.
        ligne("avec l'application: lien", "dalvire-lien.desktop", lien, lance, lien, "notes.txt",
              "Bonjour\n");
        ligne("application absente", "dalvire-absente.desktop", "@/notes.txt",
              int(ResultatLancement::ApplicationIntrouvable), "", "notes.txt", "Bonjour\n");
        ligne("avec l'application: cible vide", temoin, "", int(ResultatLancement::Echec), "",
              "notes.txt", "Bonjour\n");
    }

    void ouvrir() {
        QFETCH(QString, application);
        QFETCH(QString, cible);
        QFETCH(int, resultat);
        QFETCH(QString, recu);
        QFETCH(QString, fichier);
        QFETCH(QByteArray, contenu);
        QFETCH(bool, executable);
        if (!fichier.isEmpty()) QVERIFY(ecrire(essai(fichier), contenu, executable));
        ShellGio shell;
        cible = dansEssai(cible);
        QCOMPARE(application.isEmpty()
                     ? int(shell.ouvrir(cible, AffichageFenetre::Maximise, nullptr))
                     : int(shell.ouvrirAvecApplication(cible, application)),
                 resultat);
        if (recu.isEmpty())
            QVERIFY(aucunAppel(100));
        else
            QCOMPARE(appelTemoin(), (QStringList{QStringLiteral("/dev/null"),
                                                 QStringLiteral("/dev/null"), dansEssai(recu)}));
    }

    void choixPour_data() {
        QTest::addColumn<QString>("cible"); // "@/" stands for the test folder
        QTest::addColumn<bool>("estLien");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("declarees");
        QTest::addColumn<QString>("fichier"); // made in the test folder first
        QTest::addColumn<QByteArray>("contenu");
        const auto ligne = [](const char* nom, const QString& cible, bool estLien,
                              const QString& type, const QStringList& declarees,
                              const QString& fichier = {}, const QByteArray& contenu = {}) {
            QTest::newRow(nom) << cible << estLien << type << declarees << fichier << contenu;
        };
        const QStringList temoin{QStringLiteral("dalvire-temoin.desktop")};
        ligne("texte", "@/notes.txt", false, "text/plain", temoin, "notes.txt", "Bonjour\n");
        ligne("lien file", "file://@/notes%20d'%C3%A9t%C3%A9.txt", false, "text/plain", temoin,
              "notes d'été.txt", "Bonjour\n");
        ligne("pdf sans application", "@/plan.pdf", false, "application/pdf", {}, "plan.pdf",
              "%PDF-1.4\n%%EOF\n");
        // The generic types are nothing to be the default for.
        ligne("binaire inconnu", "@/donnees.xyz", false, "", {}, "donnees.xyz",
              QByteArray("\x01\x02\x00\xff", 4));
        ligne("lien avec application", "x-dalvire-essai:bonjour", true,
              "x-scheme-handler/x-dalvire-essai", {QStringLiteral("dalvire-lien.desktop")});
        ligne("lien web sans application", "https://exemple.fr/a/", true, "x-scheme-handler/https",
              {});
        ligne("schema en capitales", "MAILTO:moi@exemple.fr", true, "x-scheme-handler/mailto", {});
        ligne("vide", "", false, "", {});
    }

    void choixPour() {
        QFETCH(QString, fichier);
        QFETCH(QByteArray, contenu);
        QFETCH(QString, cible);
        QFETCH(bool, estLien);
        QFETCH(QString, type);
        QFETCH(QStringList, declarees);
        if (!fichier.isEmpty()) QVERIFY(ecrire(essai(fichier), contenu));
        ShellGio shell;
        const ChoixOuverture choix = shell.choixPour(dansEssai(cible));
        QCOMPARE(choix.estLien, estLien);
        QCOMPARE(choix.type, type);
        QStringList ids;
        for (const ApplicationProposee& a : choix.declarees)
            ids << a.id;
        QCOMPARE(ids, declarees);
    }

    void toutesLesApplications() {
        ShellGio shell;
        QStringList lignes;
        for (const ApplicationProposee& a : shell.toutesLesApplications())
            lignes << a.id + QLatin1Char('|') + a.nom + QLatin1Char('|') + a.icone +
                          QLatin1Char('|') + a.fichier.section(QLatin1Char('/'), -1);
        // By name in French order whatever the locale ("écran" among the e); the icon a theme
        // name or a file; the entries not displayed, hidden or broken left out.
        QCOMPARE(lignes,
                 (QStringList{
                     QStringLiteral("dalvire-ecran.desktop|écran Dalvire||dalvire-ecran.desktop"),
                     QStringLiteral("dalvire-lien.desktop|Lien Dalvire||dalvire-lien.desktop"),
                     QStringLiteral("dalvire-temoin.desktop|Témoin Dalvire|") + racine() +
                         QStringLiteral("/temoin.png|dalvire-temoin.desktop")}));
        QCOMPARE(shell.toutesLesApplications().at(0).fichier,
                 racine() + QStringLiteral("/donnees/applications/dalvire-ecran.desktop"));
    }

    void lancerEntreeBureau_data() {
        QTest::addColumn<QByteArray>("contenu"); // "@temoin" stands for the stand-in script
        QTest::addColumn<int>("resultat");
        QTest::addColumn<QStringList>("arguments"); // "@entree" stands for the entry's path
        const int introuvable = int(ResultatLancement::ApplicationIntrouvable);
        // Field codes are GIO's: no file given, %f and %U are nothing; %c is the name, %k the
        // entry itself, whose path full of shell characters stays one argument.
        QTest::newRow("application")
            << QByteArray("[Desktop Entry]\nType=Application\nName=Écran d'essai\n"
                          "Exec=\"@temoin\" --nom %c %k %f %U\n")
            << int(ResultatLancement::Reussi)
            << QStringList{QStringLiteral("--nom"), QStringLiteral("Écran d'essai"),
                           QStringLiteral("@entree")};
        QTest::newRow("illisible")
            << QByteArray("Ceci n'est pas une entrée.\n\x01\x02") << introuvable << QStringList();
        QTest::newRow("sans Exec") << QByteArray("[Desktop Entry]\nType=Application\nName=X\n")
                                   << introuvable << QStringList();
        QTest::newRow("programme disparu")
            << QByteArray("[Desktop Entry]\nType=Application\nName=X\nExec=/dalvire/absent %f\n")
            << introuvable << QStringList();
        QTest::newRow("absente") << QByteArray() << introuvable << QStringList();
    }

    void lancerEntreeBureau() {
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
                 contenu.isEmpty() ? QStringList()
                                   : QStringList{QStringLiteral("mon appli.desktop")});
    }

    // A default application kept for a type is what opening by association then uses.
    void choixRetenuPourLeType_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("application");
        QTest::addColumn<bool>("retenu");
        QTest::addColumn<QString>("cible"); // opened once kept; "@/" stands for the test folder
        const auto ligne = [](const char* nom, const QString& type, const QString& application,
                              bool retenu, const QString& cible) {
            QTest::newRow(nom) << type << application << retenu << cible;
        };
        const QString temoin = QStringLiteral("dalvire-temoin.desktop");
        ligne("type generique", "application/octet-stream", temoin, false, "");
        ligne("fichier vide", "application/x-zerosize", temoin, false, "");
        ligne("sans type", "", temoin, false, "");
        ligne("application absente", "application/pdf", "dalvire-absente.desktop", false, "");
        ligne("pdf", "application/pdf", temoin, true, "@/plan.pdf");
        ligne("schema", "x-scheme-handler/https", "dalvire-lien.desktop", true,
              "https://exemple.fr/?q=1");
        // Last: it makes the stand-in the user's file manager.
        ligne("dossier", "inode/directory", temoin, true, "@/Mes documents; $(touch pirate)");
    }

    void choixRetenuPourLeType() {
        QFETCH(QString, type);
        QFETCH(QString, application);
        QFETCH(bool, retenu);
        QFETCH(QString, cible);
        const QByteArray avant = associations();
        ShellGio shell;
        QCOMPARE(shell.definirParDefaut(type, application), retenu);
        if (!retenu) {
            QCOMPARE(associations(), avant);
            return;
        }
        QVERIFY(associations().contains((type + QLatin1Char('=') + application).toUtf8()));
        cible = dansEssai(cible);
        const bool dossier = type == QLatin1String("inode/directory");
        if (dossier)
            QVERIFY(QDir().mkpath(cible));
        else if (!type.startsWith(QLatin1String("x-scheme-handler/")))
            QVERIFY(ecrire(cible, "%PDF-1.4\n%%EOF\n"));
        QCOMPARE(shell.ouvrir(cible, AffichageFenetre::Normal, nullptr), ResultatOuverture::Reussi);
        QCOMPARE(appelTemoin().mid(2), QStringList{cible});
        if (dossier) QVERIFY(QDir(cible).isEmpty());
    }
};

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
