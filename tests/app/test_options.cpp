// The command line: --help and --version answer in French and end with 0 without
// starting anything, a mistyped option or a stray argument ends with 2, Qt's own options
// go through; once read in-process, once from the real program, with no display at all.
#include "app/Options.h"

#include <QProcess>
#include <QTest>

#include <cstdio>
#include <vector>

namespace {

struct Reponse {
    int code;
    QByteArray sortie, erreurs;
};

QByteArray lire(std::FILE* f) {
    std::rewind(f);
    QByteArray octets;
    for (int c; (c = std::fgetc(f)) != EOF;)
        octets.append(static_cast<char>(c));
    std::fclose(f);
    return octets;
}

Reponse repondre(const QStringList& arguments) {
    std::vector<QByteArray> octets{"dalvire"};
    for (const QString& a : arguments)
        octets.push_back(a.toUtf8());
    std::vector<const char*> argv;
    for (const QByteArray& a : octets)
        argv.push_back(a.constData());
    std::FILE* sortie = std::tmpfile();
    std::FILE* erreurs = std::tmpfile();
    const int code =
        Repondre_Ligne_De_Commande(static_cast<int>(argv.size()), argv.data(), sortie, erreurs);
    const QByteArray s = lire(sortie);
    return {code, s, lire(erreurs)};
}

} // namespace

class TestOptions : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void options_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");           // -1: the program starts
        QTest::addColumn<QByteArray>("sortie");  // its start; empty: nothing
        QTest::addColumn<QByteArray>("erreurs"); // its start; empty: nothing
        const QByteArray aide = "Utilisation : dalvire [--rechercher | --version | --help]\n";
        const QByteArray essayez = "\nEssayez « dalvire --help » pour la liste des options.\n";
        QTest::newRow("aucun") << QStringList{} << -1 << QByteArray() << QByteArray();
        QTest::newRow("--rechercher")
            << QStringList{"--rechercher"} << -1 << QByteArray() << QByteArray();
        QTest::newRow("--help") << QStringList{"--help"} << 0 << aide << QByteArray();
        QTest::newRow("-h après --rechercher")
            << QStringList{"--rechercher", "-h"} << 0 << aide << QByteArray();
        QTest::newRow("--version")
            << QStringList{"--version"} << 0 << QByteArray("Dalvire 2.0.0\n") << QByteArray();
        QTest::newRow("option inconnue") << QStringList{"--aide"} << 2 << QByteArray()
                                         << "dalvire : option inconnue « --aide »" + essayez;
        QTest::newRow("faute de frappe") << QStringList{"--recherche"} << 2 << QByteArray()
                                         << "dalvire : option inconnue « --recherche »" + essayez;
        QTest::newRow("argument") << QStringList{"fichier.txt"} << 2 << QByteArray()
                                  << "dalvire : argument inattendu « fichier.txt »" + essayez;
        QTest::newRow("inconnue après l'aide")
            << QStringList{"--help", "--x"} << 0 << aide << QByteArray();
        // Qt's, with their values: a session manager restores the program with -session.
        QTest::newRow("Qt") << QStringList{"-session",  "1a2b",          "-platform",   "xcb",
                                           "--reverse", "-style=Fusion", "--rechercher"}
                            << -1 << QByteArray() << QByteArray();
        QTest::newRow("valeur de Qt qui ressemble à une option")
            << QStringList{"-title", "--version"} << -1 << QByteArray() << QByteArray();
        QTest::newRow("nom de Qt collé") << QStringList{"-platformxcb"} << 2 << QByteArray()
                                         << "dalvire : option inconnue « -platformxcb »" + essayez;
    }
    void options() {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QByteArray, sortie);
        QFETCH(QByteArray, erreurs);
        const Reponse r = repondre(arguments);
        QCOMPARE(r.code, code);
        QVERIFY2(r.sortie.startsWith(sortie) && (sortie.isEmpty() == r.sortie.isEmpty()), r.sortie);
        QCOMPARE(r.erreurs, erreurs);
        if (code != 0 || r.sortie == "Dalvire 2.0.0\n") return;
        for (const char* ligne : {"--rechercher", "--version", "--help", "man dalvire"})
            QVERIFY2(r.sortie.contains(ligne), ligne);
    }

    // The real program, with no display and no running copy to find: it answers and ends
    // at once, touching nothing.
    void programme_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::newRow("--help") << QStringList{"--help"} << 0;
        QTest::newRow("--version") << QStringList{"--version"} << 0;
        QTest::newRow("inconnue") << QStringList{"--inconnue"} << 2;
    }
    void programme() {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QTemporaryDir maison;
        QProcess p;
        QProcessEnvironment env;
        env.insert("HOME", maison.path());
        env.insert("XDG_RUNTIME_DIR", maison.path());
        env.insert("PATH", "/usr/bin:/bin");
        p.setProcessEnvironment(env);
        p.start(DALVIRE_EXECUTABLE, arguments);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), code);
        const Reponse attendue = repondre(arguments);
        QCOMPARE(p.readAllStandardOutput(), attendue.sortie);
        QCOMPARE(p.readAllStandardError(), attendue.erreurs);
        QCOMPARE(
            QDir(maison.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList());
    }
};

QTEST_GUILESS_MAIN(TestOptions)
#include "test_options.moc"
