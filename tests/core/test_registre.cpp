// Registering the program to start with the session, and the autostart entry itself.
#include "core/BaseRegistre.h"
#include "core/Contexte.h"
#include "core/Services.h"
#include "platform/linux/AutostartXdg.h"
#include "support/DemarrageSessionMemoire.h"
#include "support/Environnement.h"
#include "support/MaisonXdg.h"
#include "support/MessagesScriptes.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <glib.h>

namespace {

// Reads the entry back the way a session starter does: the string value unescaped by
// the key file reader, then split into arguments with the quoting rules.
QStringList argumentsExec(const QString& fichier) {
    GKeyFile* cles = g_key_file_new();
    QStringList arguments;
    if (g_key_file_load_from_file(cles, QFile::encodeName(fichier).constData(), G_KEY_FILE_NONE,
                                  nullptr)) {
        gchar* exec = g_key_file_get_string(cles, "Desktop Entry", "Exec", nullptr);
        gint n = 0;
        gchar** argv = nullptr;
        if (exec && g_shell_parse_argv(exec, &n, &argv, nullptr)) {
            for (gint i = 0; i < n; ++i)
                arguments << QString::fromUtf8(argv[i]).replace(QStringLiteral("%%"),
                                                                QStringLiteral("%"));
            g_strfreev(argv);
        }
        g_free(exec);
    }
    g_key_file_free(cles);
    return arguments;
}

} // namespace

class TestRegistre : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void inscriptionEtRetrait() {
        Environnement env;
        Contexte& c = env.contexte();
        const QString executable = Chemin_Executable(c);
        QCOMPARE(executable,
                 env.dossier() + QFileInfo(QCoreApplication::applicationFilePath()).fileName());
        QVERIFY(MaisonXdg::ecrire(executable, {}));

        for (const int valeur : {1, 1, 0, 0, 2, -1})
            QVERIFY(Demarrage_Windows(c, valeur));
        const QString ecrire = QStringLiteral("ecrire Dalvire=") + executable;
        QCOMPARE(env.demarrageSession().journal,
                 QStringList({ecrire, ecrire, QStringLiteral("supprimer Dalvire"),
                              QStringLiteral("supprimer Dalvire (absente)")}));
        QVERIFY(env.messages().vus.isEmpty());
    }

    void executableAbsent() {
        Environnement env;
        Contexte& c = env.contexte();
        env.demarrageSession().valeurs.insert(QStringLiteral("Dalvire"), QStringLiteral("/ancien"));
        QVERIFY(!Demarrage_Windows(c, 1));
        QCOMPARE(env.messages().vus.size(), 1);
        const Message& m = env.messages().vus.first();
        QCOMPARE(m.titre, QStringLiteral("ERREUR..."));
        QCOMPARE(m.icone, IconeMessage::Information);
        QCOMPARE(m.boutons, BoutonsMessage::OK);
        const QString nom = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        QVERIFY2(
            m.texte.endsWith(QStringLiteral("Fichier introuvable: ") + nom +
                             QStringLiteral(" n'a pas été trouvé.\r\n"
                                            "Celui-ci devrait se trouver dans le dossier: \r\n") +
                             Chemin_Application(c)),
            qPrintable(m.texte));
        QVERIFY(!m.texte.contains(QStringLiteral(".exe")));
        QVERIFY(env.demarrageSession().valeurs.isEmpty());
    }

    void entreeAutostart_data() {
        QTest::addColumn<QString>("chemin");
        QTest::newRow("simple") << "/opt/dalvire/dalvire";
        QTest::newRow("blancs") << "/home/moi/Mes programmes/dalvire";
        QTest::newRow("caracteres du shell") << "/tmp/a;b|c&d$(rm -rf x)`id`/dalvire";
        QTest::newRow("guillemets") << "/tmp/l'été \"chaud\"/dalvire";
        QTest::newRow("barre inverse") << "/tmp/a\\b\\\\c/dalvire";
        QTest::newRow("pourcent") << "/tmp/100%f %u/dalvire";
        QTest::newRow("emoji") << "/tmp/🚀/dalvire";
    }
    void entreeAutostart() {
        QFETCH(QString, chemin);
        QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        AutostartXdg autostart;
        autostart.ecrire(QStringLiteral("Dalvire"), chemin);
        const QString fichier = config.path() + QStringLiteral("/autostart/dalvire.desktop");
        QCOMPARE(AutostartXdg::cheminEntree(QStringLiteral("Dalvire")), fichier);
        QVERIFY(QFile::exists(fichier));
        QCOMPARE(argumentsExec(fichier), QStringList(chemin));
        autostart.supprimer(QStringLiteral("Dalvire"));
        QVERIFY(!QFile::exists(fichier));
        autostart.supprimer(QStringLiteral("Dalvire")); // silent when already gone
        qunsetenv("XDG_CONFIG_HOME");
    }

    void dossierAutostartParDefaut() {
        qunsetenv("XDG_CONFIG_HOME");
        QCOMPARE(AutostartXdg::dossierAutostart(),
                 QDir::homePath() + QStringLiteral("/.config/autostart"));
        qputenv("XDG_CONFIG_HOME", "relatif/ignore");
        QCOMPARE(AutostartXdg::dossierAutostart(),
                 QDir::homePath() + QStringLiteral("/.config/autostart"));
        qunsetenv("XDG_CONFIG_HOME");
    }
};

QTEST_GUILESS_MAIN(TestRegistre)
#include "test_registre.moc"
