// The command line, from the real program with no display: --help and --version answer
// in French and end with 0 without starting anything or writing a file, a mistyped
// option or a stray argument ends with 2; Qt's own options, with their values, go through.
#include "app/Options.h"

#include <QProcess>
#include <QTest>

#include <vector>

class TestOptions : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void options_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");           // -1: the program starts
        QTest::addColumn<QByteArray>("sortie");  // its start
        QTest::addColumn<QByteArray>("erreurs"); // all of it
        const QByteArray aide = "Utilisation : dalvire [--rechercher | --version | --help]\n";
        const QByteArray essayez = "\nEssayez « dalvire --help » pour la liste des options.\n";
        const auto ligne = [](const char* nom, QStringList a, int code, QByteArray s,
                              QByteArray e) { QTest::newRow(nom) << a << code << s << e; };
        ligne("aucun", {}, -1, {}, {});
        ligne("--rechercher", {"--rechercher"}, -1, {}, {});
        ligne("--help", {"--help"}, 0, aide, {});
        ligne("inconnue après l'aide", {"--help", "--x"}, 0, aide, {});
        ligne("--version", {"--version"}, 0, "Dalvire 2.0.0\n", {});
        ligne("option inconnue", {"--aide"}, 2, {},
              "dalvire : option inconnue « --aide »" + essayez);
        ligne("argument", {"fichier.txt"}, 2, {},
              "dalvire : argument inattendu « fichier.txt »" + essayez);
        ligne("nom de Qt collé", {"-platformxcb"}, 2, {},
              "dalvire : option inconnue « -platformxcb »" + essayez);
        // A session manager restores the program with -session.
        ligne(
            "Qt",
            {"-session", "1a2b", "-platform", "xcb", "--reverse", "-style=Fusion", "--rechercher"},
            -1, {}, {});
        ligne("valeur de Qt qui ressemble à une option", {"-title", "--version"}, -1, {}, {});
    }
    void options() {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QByteArray, sortie);
        QFETCH(QByteArray, erreurs);
        if (code < 0) {
            std::vector<QByteArray> octets{"dalvire"};
            for (const QString& a : arguments)
                octets.push_back(a.toUtf8());
            std::vector<const char*> argv;
            for (const QByteArray& a : octets)
                argv.push_back(a.constData());
            const LigneDeCommande l = Lire_Ligne_De_Commande(int(argv.size()), argv.data());
            QCOMPARE(l.demande, arguments.contains("--rechercher")
                                    ? LigneDeCommande::Demande::Rechercher
                                    : LigneDeCommande::Demande::Demarrer);
            return;
        }
        QTemporaryDir maison;
        QProcess p;
        QProcessEnvironment env;
        for (const char* v : {"HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            env.insert(v, maison.path());
        p.setProcessEnvironment(env);
        p.start(DALVIRE_EXECUTABLE, arguments);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), code);
        const QByteArray s = p.readAllStandardOutput();
        QVERIFY2(s.startsWith(sortie) && sortie.isEmpty() == s.isEmpty(), s);
        QCOMPARE(p.readAllStandardError(), erreurs);
        if (s.startsWith("Utilisation : dalvire"))
            for (const char* mot : {"--rechercher", "--version", "--help", "man dalvire"})
                QVERIFY2(s.contains(mot), mot);
        // Nothing written: no settings, no catalogue, no lock.
        QVERIFY(
            QDir(maison.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    }
};

QTEST_GUILESS_MAIN(TestOptions)
#include "test_options.moc"
