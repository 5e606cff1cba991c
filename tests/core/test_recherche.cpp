// Finding items by a typed text, their order, and the starts each item keeps in its file.
#include "core/Recherche.h"
#include "core/Utilisations.h"
#include "support/Environnement.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Whole seconds, as the file keeps the dates; the real clock, which the file's writing
// reads to leave out the starts of long ago.
const QDateTime Maintenant =
    QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC);

QList<Element> elements(const QStringList& noms) {
    QList<Element> liste;
    for (const QString& nom : noms)
        liste.append(Element{nom, QStringLiteral("/bin/") + nom, QStringLiteral("Outils"),
                             QStringLiteral("1"), QStringLiteral("0")});
    return liste;
}

} // namespace

class TestRecherche : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ordre_data();
    void ordre();
    void decroissance();
    void renommerOublier();
    void fichierEndommage_data();
    void fichierEndommage();
    void ecritureInterrompue();
    void emplacement_data();
    void emplacement();

private:
    QTemporaryDir dossier_;
};

void TestRecherche::ordre_data() {
    QTest::addColumn<QStringList>("noms");
    // One start of a name that many days before now: "Album@0".
    QTest::addColumn<QStringList>("lancements");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QStringList>("trouves");
    const QStringList aucun;
    QTest::newRow("accents et casse")
        << QStringList{"Éditeur de Notes d'été", "Editor", "Calculatrice"} << aucun << "editeur ETE"
        << QStringList{"Éditeur de Notes d'été"};
    QTest::newRow("majuscules accentuees")
        << QStringList{"Notes d'été", "Été indien", "Ete", "Étude"} << aucun << "ÉTÉ"
        << QStringList{"Ete", "Été indien", "Notes d'été"};
    QTest::newRow("accent decompose tape")
        << QStringList{"Café", "Cafe", "Caf"} << aucun << QStringLiteral("cafe\u0301")
        << QStringList{"Cafe", "Café"};
    QTest::newRow("trois groupes")
        << QStringList{"Pagenda", "Mon agenda", "Gestion", "Agenda"} << aucun << "agenda"
        << QStringList{"Agenda", "Mon agenda", "Pagenda"};
    QTest::newRow("apostrophe et tiret commencent un mot")
        << QStringList{"L'atelier", "Grand-Atelier", "Tablier", "Atelier"} << aucun << "atel"
        << QStringList{"Atelier", "Grand-Atelier", "L'atelier"};
    QTest::newRow("ordre francais dans un groupe")
        << QStringList{"Edition", "éditer", "Ecrire", "écran", "Zèbre"} << aucun << "e"
        << QStringList{"écran", "Ecrire", "éditer", "Edition", "Zèbre"};
    QTest::newRow("plusieurs mots, premier en tete")
        << QStringList{"Code éditeur de texte", "Éditeur Web de Dalvire", "Éditeur de Notes",
                       "Éditeur"}
        << aucun << "editeur de"
        << QStringList{"Éditeur de Notes", "Éditeur Web de Dalvire", "Code éditeur de texte"};
    QTest::newRow("plusieurs mots dans le desordre")
        << QStringList{"Éditeur de Notes d'été", "Notes", "Éditeur"} << aucun << "notes editeur"
        << QStringList{"Éditeur de Notes d'été"};
    QTest::newRow("second mot au milieu d'un mot")
        << QStringList{"Lecteur audio", "Lecteur radio", "Lecteur vidéo"} << aucun << "lecteur dio"
        << QStringList{"Lecteur audio", "Lecteur radio"};
    QTest::newRow("pourcent") << QStringList{"Remise 500", "Remise 50%", "Remise 50"} << aucun
                              << "50%" << QStringList{"Remise 50%"};
    QTest::newRow("souligne") << QStringList{"mon fichier", "monXfichier", "mon_fichier"} << aucun
                              << "n_f" << QStringList{"mon_fichier"};
    QTest::newRow("etoile") << QStringList{"ab", "axb", "a*b"} << aucun << "*"
                            << QStringList{"a*b"};
    QTest::newRow("parenthese ouverte") << QStringList{"Notes perso", "Notes (perso)"} << aucun
                                        << "(pe" << QStringList{"Notes (perso)"};
    QTest::newRow("point, crochet, barre oblique inverse")
        << QStringList{"a.b", "axb", "c[1]", "c\\d"} << aucun << ". [ \\" << QStringList{};
    QTest::newRow("point seul") << QStringList{"a.b", "axb"} << aucun << "." << QStringList{"a.b"};
    QTest::newRow("rien") << QStringList{"Agenda"} << aucun << "zz" << QStringList{};
    QTest::newRow("blancs seuls: tout, au plus dix")
        << QStringList{"k", "j", "i", "h", "g", "f", "e", "d", "c", "b", "a", "l"} << aucun
        << "  \t " << QStringList{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"};
    QTest::newRow("les plus lances d'abord")
        << QStringList{"Agenda", "Agrafe", "Album"} << QStringList{"Album@0", "Album@0", "Agrafe@1"}
        << "a" << QStringList{"Album", "Agrafe", "Agenda"};
    // A start a month ago weighs under a quarter of one today.
    QTest::newRow("recent avant ancien")
        << QStringList{"Alto", "Alpha"} << QStringList{"Alto@30", "Alto@30", "Alto@30", "Alpha@0"}
        << "al" << QStringList{"Alpha", "Alto"};
    QTest::newRow("ancien mais frequent")
        << QStringList{"Alto", "Alpha"}
        << QStringList{"Alto@30", "Alto@30", "Alto@30", "Alto@30", "Alto@30", "Alpha@0"} << "al"
        << QStringList{"Alto", "Alpha"};
    QTest::newRow("oublie apres des mois")
        << QStringList{"Alto", "Alpha"} << QStringList(10, QStringLiteral("Alto@200")) << "al"
        << QStringList{"Alpha", "Alto"};
    QTest::newRow("le groupe passe avant les lancements")
        << QStringList{"Mon agenda", "Agenda"} << QStringList(5, QStringLiteral("Mon agenda@0"))
        << "agenda" << QStringList{"Agenda", "Mon agenda"};
    QTest::newRow("texte vide, les plus lances d'abord")
        << QStringList{"b", "a", "c"} << QStringList{"c@2"} << "" << QStringList{"c", "a", "b"};
}

void TestRecherche::ordre() {
    QFETCH(QStringList, noms);
    QFETCH(QStringList, lancements);
    QFETCH(QString, texte);
    QTemporaryDir dossier;
    Utilisations utilisations(dossier.filePath(QStringLiteral("lancements.json")));
    for (const QString& l : lancements)
        utilisations.noter(l.section('@', 0, 0), Maintenant.addDays(-l.section('@', 1).toInt()));
    // Read back from the file, as the next run of the program would.
    const Utilisations relues(utilisations.chemin());
    const IndexRecherche index(elements(noms),
                               [&](const QString& nom) { return relues.poids(nom, Maintenant); });
    QTEST(Noms(index.chercher(texte, 10)), "trouves");
}

void TestRecherche::decroissance() {
    Utilisations u(dossier_.filePath(QStringLiteral("decroissance.json")));
    u.noter(QStringLiteral("Notes"), Maintenant);
    QCOMPARE(u.poids(QStringLiteral("Notes"), Maintenant), 1.0);
    QCOMPARE(u.poids(QStringLiteral("Notes"), Maintenant.addDays(14)), 0.5);
    // A clock put back makes no start weigh more.
    QCOMPARE(u.poids(QStringLiteral("Notes"), Maintenant.addDays(-3)), 1.0);
    u.noter(QStringLiteral("Notes"), Maintenant.addDays(14));
    QCOMPARE(u.poids(QStringLiteral("Notes"), Maintenant.addDays(14)), 1.5);
    QCOMPARE(u.lancements(QStringLiteral("Notes")), 2);
    QCOMPARE(u.poids(QStringLiteral("Absent"), Maintenant), 0.0);
    // The name as the catalogue stores it: another case is another key here.
    QCOMPARE(u.lancements(QStringLiteral("notes")), 0);
}

void TestRecherche::renommerOublier() {
    const QString chemin = dossier_.filePath(QStringLiteral("renommer.json"));
    {
        Utilisations u(chemin);
        for (const char* nom : {"Scie", "Échecs", "dames", "dames"})
            u.noter(QString::fromUtf8(nom), Maintenant);
        u.renommer(QStringLiteral("dames"), QStringLiteral("Dames chinoises"));
        u.renommer(QStringLiteral("Absent"), QStringLiteral("Scie"));
        u.renommer(QStringLiteral("Scie"), QStringLiteral("Scie"));
        u.oublier(QStringList{QStringLiteral("Échecs"), QStringLiteral("Absent")});
    }
    const Utilisations relues(chemin);
    QCOMPARE(relues.lancements(QStringLiteral("dames")), 0);
    QCOMPARE(relues.lancements(QStringLiteral("Dames chinoises")), 2);
    QCOMPARE(relues.lancements(QStringLiteral("Scie")), 1);
    QCOMPARE(relues.lancements(QStringLiteral("Échecs")), 0);
}

void TestRecherche::fichierEndommage_data() {
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<int>("lancementsB"); // what is read of "B"
    const QByteArray b = R"({"nom":"B","poids":1,"dernier":"2026-06-15T12:00:00Z","nombre":2})";
    QTest::newRow("vide") << QByteArray() << 0;
    QTest::newRow("pas du json") << QByteArray("{{{ lancements") << 0;
    QTest::newRow("coupe en cours d'ecriture")
        << QByteArray(R"({"lancements":[)") + b.left(30) << 0;
    QTest::newRow("liste d'un autre type") << QByteArray(R"({"lancements":"B"})") << 0;
    QTest::newRow("tableau a la racine") << QByteArray("[") + b + "]" << 0;
    QByteArray binaire;
    for (int i = 0; i < 256; ++i)
        binaire += char(i);
    QTest::newRow("binaire") << binaire << 0;
    // A bad line costs that line alone.
    for (const char* mauvaise :
         {R"({"nom":"A","poids":"x","dernier":"2026-06-15T12:00:00Z","nombre":1})",
          R"({"nom":"A","poids":-1,"dernier":"2026-06-15T12:00:00Z","nombre":1})",
          R"({"nom":"A","poids":1,"dernier":"hier","nombre":1})",
          R"({"nom":"A","poids":1,"dernier":"2026-06-15T12:00:00Z","nombre":-4})",
          R"({"nom":"","poids":1,"dernier":"2026-06-15T12:00:00Z","nombre":1})", R"(12)"})
        QTest::addRow("ligne fausse %s", mauvaise)
            << QByteArray(R"({"lancements":[)") + mauvaise + "," + b + "]}" << 2;
}

void TestRecherche::fichierEndommage() {
    QFETCH(QByteArray, contenu);
    const QString chemin = dossier_.filePath(QStringLiteral("endommage.json"));
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(contenu);
    f.close();
    Utilisations u(chemin);
    QCOMPARE(u.lancements(QStringLiteral("A")), 0);
    QTEST(u.lancements(QStringLiteral("B")), "lancementsB");
    // The next start writes a sound file again.
    u.noter(QStringLiteral("A"), QDateTime::currentDateTimeUtc());
    QCOMPARE(Utilisations(chemin).lancements(QStringLiteral("A")), 1);
}

// A process killed while it notes starts, again and again: the file it leaves always
// reads whole, with every start but the one being written at most.
void TestRecherche::ecritureInterrompue() {
    const QString chemin = dossier_.filePath(QStringLiteral("tue/lancements.json"));
    int precedent = 0;
    for (int essai = 0; essai < 4; ++essai) {
        int tube[2];
        QVERIFY(pipe(tube) == 0);
        const pid_t enfant = fork();
        QVERIFY(enfant >= 0);
        if (enfant == 0) {
            close(tube[0]);
            Utilisations u(chemin);
            for (;;) {
                u.noter(QStringLiteral("Éditeur"), QDateTime::currentDateTimeUtc());
                // Each start on disk is told to the parent as one byte.
                if (write(tube[1], "x", 1) != 1) _exit(1);
            }
        }
        close(tube[1]);
        // Killed after some starts are on disk, at a moment of no choosing.
        char octet;
        int ecrits = 0;
        while (ecrits < 5 + 7 * essai && read(tube[0], &octet, 1) == 1)
            ++ecrits;
        usleep(static_cast<useconds_t>(1000 * essai));
        kill(enfant, SIGKILL);
        int etat = 0;
        QCOMPARE(waitpid(enfant, &etat, 0), enfant);
        while (read(tube[0], &octet, 1) == 1)
            ++ecrits;
        close(tube[0]);
        QVERIFY(WIFSIGNALED(etat));

        QFile f(chemin);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY2(!QJsonDocument::fromJson(f.readAll()).isNull(), "a file cut by the kill");
        const int lus = Utilisations(chemin).lancements(QStringLiteral("Éditeur"));
        QVERIFY2(lus >= precedent + ecrits && lus <= precedent + ecrits + 1,
                 qPrintable(QStringLiteral("%1 starts read, %2 written before")
                                .arg(lus)
                                .arg(precedent + ecrits)));
        precedent = lus;
    }
    // The state folder is the user's alone.
    QCOMPARE(QFile::permissions(dossier_.filePath(QStringLiteral("tue"))) & 0x0077,
             QFileDevice::Permissions());
}

void TestRecherche::emplacement_data() {
    QTest::addColumn<QByteArray>("etat"); // XDG_STATE_HOME; "-": unset
    QTest::addColumn<QString>("chemin");  // "~" stands for the home folder
    QTest::newRow("variable") << QByteArray("/var/etat") << "/var/etat/dalvire/lancements.json";
    QTest::newRow("vide") << QByteArray("") << "~/.local/state/dalvire/lancements.json";
    QTest::newRow("relative") << QByteArray("etat") << "~/.local/state/dalvire/lancements.json";
    QTest::newRow("absente") << QByteArray("-") << "~/.local/state/dalvire/lancements.json";
}

void TestRecherche::emplacement() {
    QFETCH(QByteArray, etat);
    QFETCH(QString, chemin);
    const QByteArray avant = qgetenv("XDG_STATE_HOME");
    if (etat == "-")
        qunsetenv("XDG_STATE_HOME");
    else
        qputenv("XDG_STATE_HOME", etat);
    const QString lu = Utilisations::cheminParDefaut();
    qputenv("XDG_STATE_HOME", avant);
    QCOMPARE(lu, chemin.replace(QLatin1Char('~'), QDir::homePath()));
}

QTEST_GUILESS_MAIN(TestRecherche)
#include "test_recherche.moc"
