// Where a run finds its files: the application folder as the build and `make install`
// lay it out, or the system-wide layout beside the command, with the user's own folders
// from the XDG variables.
#include "core/BaseRegistre.h"
#include "core/Contexte.h"
#include "core/Emplacements.h"

#include <QDir>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

class TestEmplacements : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void disposition_data() {
        QTest::addColumn<QString>("arbre");         // folders made under the root
        QTest::addColumn<QString>("commande");      // the program, from the root
        QTest::addColumn<QStringList>("variables"); // NAME=value
        QTest::addColumn<QStringList>("attendu");   // application, catalogue, pristine, work
        const QStringList maison{"HOME=/h"};
        QTest::newRow("dossier d'application")
            << "app"
            << "app/dalvire" << maison << QStringList{"@/app", "@/app/donnees.fdl", "", "@/app"};
        QTest::newRow("installé, XDG absents")
            << "usr/bin usr/share/dalvire"
            << "usr/bin/dalvire" << maison
            << QStringList{"@/usr/share/dalvire", "/h/.local/share/dalvire/donnees.fdl",
                           "@/usr/share/dalvire/donnees.fdl", "/h/.local/state/dalvire"};
        QTest::newRow("installé, XDG donnés")
            << "usr/bin usr/share/dalvire"
            << "usr/bin/dalvire" << QStringList{"HOME=/h", "XDG_DATA_HOME=/d/", "XDG_STATE_HOME=/e"}
            << QStringList{"@/usr/share/dalvire", "/d/dalvire/donnees.fdl",
                           "@/usr/share/dalvire/donnees.fdl", "/e/dalvire"};
        QTest::newRow("installé, XDG relatifs ignorés")
            << "usr/bin usr/share/dalvire"
            << "usr/bin/dalvire" << QStringList{"HOME=/h", "XDG_DATA_HOME=d", "XDG_STATE_HOME=./e"}
            << QStringList{"@/usr/share/dalvire", "/h/.local/share/dalvire/donnees.fdl",
                           "@/usr/share/dalvire/donnees.fdl", "/h/.local/state/dalvire"};
        // make install puts the program in ~/.local/share/dalvire: no share/ beside it.
        QTest::newRow("make install")
            << ".local/share/dalvire"
            << ".local/share/dalvire/dalvire" << maison
            << QStringList{"@/.local/share/dalvire", "@/.local/share/dalvire/donnees.fdl", "",
                           "@/.local/share/dalvire"};
    }
    void disposition() {
        QFETCH(QString, arbre);
        QFETCH(QString, commande);
        QFETCH(QStringList, variables);
        QFETCH(QStringList, attendu);
        QTemporaryDir racine;
        for (const QString& d : arbre.split(' '))
            QVERIFY(QDir(racine.path()).mkpath(d));
        QProcessEnvironment env;
        for (const QString& v : variables)
            env.insert(v.section('=', 0, 0), v.section('=', 1));
        const QString chemin = racine.filePath(commande);
        const Emplacements e = Emplacements_Programme(chemin, env);
        attendu.replaceInStrings("@", racine.path());
        QCOMPARE(
            (QStringList{e.dossierApplication, e.catalogue, e.catalogueVierge, e.dossierTravail}),
            attendu);
        QCOMPARE(e.executable, chemin);
        const bool installe = !e.catalogueVierge.isEmpty();
        // The modules beside the shared files' lib/<triplet>, or in the application folder.
        QVERIFY2(installe ? e.dossierModules.startsWith(racine.filePath("usr/lib/")) &&
                                e.dossierModules.endsWith("/dalvire")
                          : e.dossierModules == e.dossierApplication,
                 qPrintable(e.dossierModules));

        // The session's autostart starts the command itself.
        Contexte contexte(e, ServicesPlateforme{});
        QCOMPARE(Chemin_Executable(contexte), chemin);
    }
};

QTEST_GUILESS_MAIN(TestEmplacements)
#include "test_emplacements.moc"
