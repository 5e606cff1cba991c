// The desktop services for real: programs started from script files, documents and
// links opened through desktop entries and MIME associations of a private XDG home.
#include "platform/ShellGio.h"
#include "platform/ShellGioOutils.h"
#include "launcher/frmOuvrirAvec.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The private home, made before the application and GIO look at the environment.
QString Maison;

bool ecrire(const QString& chemin, const QByteArray& contenu, bool executable = false) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    f.write(contenu);
    f.close();
    if (executable) f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return true;
}

QByteArray lire(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The stand-in application: it notes where its standard output and error go and the
// arguments it was given, one per line, in a file of its own.
QByteArray scriptTemoin(const QString& dossierAppels) {
    return "#!/bin/sh\n"
           "D='" +
           QFile::encodeName(dossierAppels) +
           "'\n"
           "s1=$(readlink /proc/$$/fd/1); s2=$(readlink /proc/$$/fd/2)\n"
           "printf '%s\\n' \"$s1\" \"$s2\" \"$@\" > \"$D/appel-$$.tmp\" && "
           "mv \"$D/appel-$$.tmp\" \"$D/appel-$$\"\n";
}

void preparerMaison(const QString& racine) {
    Maison = racine;
    const QDir d(racine);
    for (const char* sous :
         {"donnees/applications", "config", "etc", "systeme", "appels", "essais"})
        d.mkpath(QString::fromLatin1(sous));
    // The system's MIME database, without the system's applications.
    QFile::link(QStringLiteral("/usr/share/mime"), d.filePath(QStringLiteral("systeme/mime")));
    const QString temoin = d.filePath(QStringLiteral("temoin.sh"));
    ecrire(temoin, scriptTemoin(d.filePath(QStringLiteral("appels"))), true);
    const QByteArray exec = QFile::encodeName(temoin);
    ecrire(d.filePath(QStringLiteral("donnees/applications/dalvire-temoin.desktop")),
           "[Desktop Entry]\nType=Application\nName=Témoin Dalvire\nExec=\"" + exec +
               "\" %f\nMimeType=text/plain;\n");
    ecrire(d.filePath(QStringLiteral("donnees/applications/dalvire-lien.desktop")),
           "[Desktop Entry]\nType=Application\nName=Lien Dalvire\nExec=\"" + exec +
               "\" %u\nMimeType=x-scheme-handler/x-dalvire-essai;\n");
    // GIO learns the types of the entries from this index, as desktops maintain it.
    ecrire(d.filePath(QStringLiteral("donnees/applications/mimeinfo.cache")),
           "[MIME Cache]\ntext/plain=dalvire-temoin.desktop;\n"
           "x-scheme-handler/x-dalvire-essai=dalvire-lien.desktop;\n");
    ecrire(d.filePath(QStringLiteral("config/mimeapps.list")),
           "[Default Applications]\ntext/plain=dalvire-temoin.desktop\n");
    qputenv("XDG_DATA_HOME", QFile::encodeName(d.filePath(QStringLiteral("donnees"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(d.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(d.filePath(QStringLiteral("systeme"))));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(d.filePath(QStringLiteral("etc"))));
    qputenv("GIO_USE_VFS", "local");
    qunsetenv("XDG_CURRENT_DESKTOP");
}

QString essai(const QString& nom) {
    return Maison + QStringLiteral("/essais/") + nom;
}

// The next call of the stand-in application, waited for: its lines.
QStringList appelTemoin(int delaiMs = 5000) {
    const QDir appels(Maison + QStringLiteral("/appels"));
    QElapsedTimer chrono;
    chrono.start();
    while (chrono.elapsed() < delaiMs) {
        const QStringList fichiers = appels.entryList({QStringLiteral("appel-*")}, QDir::Files);
        for (const QString& f : fichiers) {
            if (f.endsWith(QLatin1String(".tmp"))) continue;
            const QString texte = QString::fromUtf8(lire(appels.filePath(f)));
            QFile::remove(appels.filePath(f));
            return texte.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        }
        QTest::qWait(20);
    }
    return {};
}

bool aucunAppel(int attenteMs = 300) {
    QTest::qWait(attenteMs);
    return QDir(Maison + QStringLiteral("/appels"))
        .entryList({QStringLiteral("appel-*")}, QDir::Files)
        .isEmpty();
}

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
    void choixSelonLeType();
    void ouvrirAvecAnnuleOuAccepte();
    void choixRetenuPourLeType();
};

void TestShellGio::cleanup() {
    QDir(essai(QString())).removeRecursively();
    QDir(Maison).mkpath(QStringLiteral("essais"));
    const QDir appels(Maison + QStringLiteral("/appels"));
    for (const QString& f : appels.entryList(QDir::Files))
        QFile::remove(appels.filePath(f));
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
    const bool lance = parOuverture ? shell.ouvrir(script, 1, nullptr) == ResultatOuverture::Reussi
                                    : shell.demarrer(script, 1);
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
    QCOMPARE(shell.demarrer(programme, 6), erreur == 0);
}

void TestShellGio::ouvrirDocumentAssocie() {
    const QString doc = essai(QStringLiteral("notes d'été.txt"));
    QVERIFY(ecrire(doc, "Bonjour\n"));
    ShellGio shell;
    QCOMPARE(shell.ouvrir(doc, 3, nullptr), ResultatOuverture::Reussi);
    QCOMPARE(appelTemoin(),
             (QStringList{QStringLiteral("/dev/null"), QStringLiteral("/dev/null"), doc}));
}

void TestShellGio::ouvrirLienAssocie() {
    const QString lien = QStringLiteral("x-dalvire-essai:bonjour?a=1&b=$(id)");
    ShellGio shell;
    QCOMPARE(shell.ouvrir(lien, 1, nullptr), ResultatOuverture::Reussi);
    QCOMPARE(appelTemoin().mid(2), QStringList{lien});
}

void TestShellGio::documentAvecDroitDExecution() {
    // A text with the execute bit (as on a FAT key) that the system will not run is a
    // document after all.
    const QString doc = essai(QStringLiteral("lisez-moi.txt"));
    QVERIFY(ecrire(doc, "Pas un programme.\n", true));
    ShellGio shell;
    QCOMPARE(shell.ouvrir(doc, 1, nullptr), ResultatOuverture::Reussi);
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
    QCOMPARE(shell.ouvrir(cible, 1, nullptr), ResultatOuverture::AucuneAssociation);
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
    QCOMPARE(shell.ouvrir(cible, 1, nullptr), ResultatOuverture::Echec);
    QVERIFY(aucunAppel(100));
}

void TestShellGio::choixSelonLeType() {
    QVERIFY(ecrire(essai(QStringLiteral("notes.txt")), "Bonjour\n"));
    frmOuvrirAvec texte(essai(QStringLiteral("notes.txt")), QString());
    QCOMPARE(texte.typeContenu(), QStringLiteral("text/plain"));
    QVERIFY(!texte.chkToutes->isChecked());
    QCOMPARE(texte.applicationsListees(), QStringList{QStringLiteral("dalvire-temoin.desktop")});
    QVERIFY(texte.applicationChoisie());

    // Nothing declared for the type: every application is offered.
    QVERIFY(ecrire(essai(QStringLiteral("plan.pdf")), "%PDF-1.4\n%%EOF\n"));
    frmOuvrirAvec pdf(essai(QStringLiteral("plan.pdf")), QString());
    QVERIFY(pdf.chkToutes->isChecked());
    QCOMPARE(pdf.applicationsListees(), (QStringList{QStringLiteral("dalvire-lien.desktop"),
                                                     QStringLiteral("dalvire-temoin.desktop")}));
    QVERIFY(pdf.choisir(QStringLiteral("dalvire-temoin.desktop")));
    QVERIFY(!pdf.choisir(QStringLiteral("absente.desktop")));
    QVERIFY(pdf.ouvrirAvecLeChoix());
    QCOMPARE(appelTemoin().mid(2), QStringList{essai(QStringLiteral("plan.pdf"))});
    // Not remembered unless asked.
    ShellGio shell;
    QCOMPARE(shell.ouvrir(essai(QStringLiteral("plan.pdf")), 1, nullptr),
             ResultatOuverture::AucuneAssociation);
}

void TestShellGio::ouvrirAvecAnnuleOuAccepte() {
    const QString doc = essai(QStringLiteral("notes.txt"));
    QVERIFY(ecrire(doc, "Bonjour\n"));
    ShellGio shell;
    for (const bool accepter : {false, true}) {
        bool vu = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialogue = qobject_cast<frmOuvrirAvec*>(QApplication::activeModalWidget());
            if (!dialogue) return;
            vu = true;
            if (accepter)
                dialogue->accept();
            else
                dialogue->reject();
        });
        QCOMPARE(shell.ouvrirAvec(doc, nullptr), accepter);
        QVERIFY(vu);
        if (accepter)
            QCOMPARE(appelTemoin().mid(2), QStringList{doc});
        else
            QVERIFY(aucunAppel());
    }
}

void TestShellGio::choixRetenuPourLeType() {
    const QString pdf = essai(QStringLiteral("plan.pdf"));
    QVERIFY(ecrire(pdf, "%PDF-1.4\n%%EOF\n"));
    frmOuvrirAvec choix(pdf, QString());
    QVERIFY(choix.choisir(QStringLiteral("dalvire-temoin.desktop")));
    choix.chkToujours->setChecked(true);
    QVERIFY(choix.ouvrirAvecLeChoix());
    QCOMPARE(appelTemoin().mid(2), QStringList{pdf});
    QVERIFY(lire(Maison + QStringLiteral("/config/mimeapps.list"))
                .contains("application/pdf=dalvire-temoin.desktop"));
    ShellGio shell;
    QCOMPARE(shell.ouvrir(pdf, 1, nullptr), ResultatOuverture::Reussi);
    QCOMPARE(appelTemoin().mid(2), QStringList{pdf});
}

int main(int argc, char** argv) {
    QTemporaryDir maison;
    if (!maison.isValid()) return 1;
    preparerMaison(maison.path());
    QApplication application(argc, argv);
    TestShellGio essais;
    return QTest::qExec(&essais, argc, argv);
}

#include "test_shell_gio.moc"
