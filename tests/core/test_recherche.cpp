// Finding items by a typed text, their order, and the starts each item keeps in its file.
#include "catalogue/Catalogue.h"
#include "core/Recherche.h"
#include "core/Utilisations.h"
#include "support/Environnement.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The real clock (the file leaves out starts of long ago), in whole seconds as it keeps them.
const QDateTime Maintenant =
    QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC);

QStringList liste(const QString& texte) {
    return texte.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

} // namespace

class TestRecherche : public QObject {
    Q_OBJECT
    QTemporaryDir dossier_;

private Q_SLOTS:
    void ordre_data() {
        QTest::addColumn<QStringList>("noms");
        QTest::addColumn<QStringList>("lancements");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QStringList>("trouves");
        // Case | names | starts ("Album@3": one three days ago) | typed text | names found.
        for (const char* ligne :
             {"accents|Éditeur de Notes d'été;Editor||editeur ETE|Éditeur de Notes d'été",
              "groupes|Pagenda;Mon agenda;Gestion;Agenda||agenda|Agenda;Mon agenda;Pagenda",
              "ponctuation|L'atelier;Grand-Atelier;Tablier||atel|Grand-Atelier;L'atelier",
              "francais|Edition;éditer;Ecrire;écran;Zèbre||É|écran;Ecrire;éditer;Edition;Zèbre",
              "mots|Code outil de;Outil Web de;Outil||outil de|Outil Web de;Code outil de",
              "dans un mot|Lecteur audio;Lecteur vidéo||dio lect|Lecteur audio",
              "jokers|a_b*(c.d%;ab c d;aXbXXcXdX||_ * ( . %|a_b*(c.d%",
              "blancs, dix|k;j;i;h;g;f;e;d;c;b;a|| \t |a;b;c;d;e;f;g;h;i;j",
              "lances|Agenda;Agrafe;Album|Album@0;Album@0;Agrafe@1|a|Album;Agrafe;Agenda",
              // Three starts a month ago weigh less than one today.
              "recent|Alto;Alpha|Alto@30;Alto@30;Alto@30;Alpha@0|al|Alpha;Alto",
              "oublie|Alto;Alpha|Alto@200;Alto@200;Alto@200|al|Alpha;Alto",
              "groupe d'abord|Mon lot;Lot|Mon lot@0;Mon lot@0|lot|Lot;Mon lot",
              // Ties of letters go to the accents; names the collation finds equal keep
              // the order they came in.
              "accents seuls|côté;cote;Côte;coté|côté@0;cote@0|cot|cote;côté;coté;Côte",
              "egaux|doublon;zz;Doublon;DOUBLON||doub|doublon;Doublon;DOUBLON"}) {
            const QStringList c = QString::fromUtf8(ligne).split('|');
            QTest::newRow(qPrintable(c[0])) << liste(c[1]) << liste(c[2]) << c[3] << liste(c[4]);
        }
    }
    void ordre() {
        QFETCH(QStringList, noms);
        QFETCH(QStringList, lancements);
        QFETCH(QString, texte);
        Utilisations utilisations(dossier_.filePath(QTest::currentDataTag()));
        for (const QString& l : lancements)
            utilisations.noter(l.section('@', 0, 0),
                               Maintenant.addDays(-l.section('@', 1).toInt()));
        // Read back from the file, as the next run does.
        const Utilisations relues(utilisations.chemin());
        QList<Element> elements;
        for (const QString& nom : noms)
            elements.append(Element{nom, "/bin/sh", "Outils", {}, {}});
        const QHash<QString, double> poids = relues.poidsDe(Maintenant);
        const IndexRecherche index(elements, [&](const QString& nom) { return poids.value(nom); });
        QTEST(Noms(index.chercher(texte, 10)), "trouves");
    }

    // The lines shown at an opening, read without every row: those an empty text gives
    // over the whole catalogue.
    void premiers_data() {
        QTest::addColumn<QStringList>("noms");
        QTest::addColumn<QStringList>("lancements");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QStringList>("trouves");
        // Case | names | starts | lines | names shown.
        for (const char* ligne :
             {"aucun lancement|Zèbre;écran;Ecrire;éditer;Edition||3|écran;Ecrire;éditer",
              "lances, absents|Agenda;Agrafe;Album;Zoo|Zoo@0;Absent@0;Absent@0;Album@1|10|"
              "Zoo;Album;Agenda;Agrafe",
              "casse|Agenda;Album;Bloc|album@0;album@0|10|Agenda;Album;Bloc",
              "egalites|côté;cote;Côte;Zoo;coté|côté@0;cote@0;Côte@0;coté@0|3|cote;coté;Côte",
              "plus que les lignes|a;b;c;d;e|a@5;b@4;c@3;d@2;e@1|3|e;d;c", "vide|||10|"}) {
            const QStringList c = QString::fromUtf8(ligne).split('|');
            QTest::newRow(qPrintable(c[0]))
                << liste(c[1]) << liste(c[2]) << c[3].toInt() << liste(c[4]);
        }
    }
    void premiers() {
        QFETCH(QStringList, noms);
        QFETCH(QStringList, lancements);
        QFETCH(int, maximum);
        Environnement env{Environnement::lanceur()};
        Catalogue& catalogue = env.contexte().catalogue();
        QList<Element> elements;
        for (const QString& nom : noms)
            elements.append(
                Element{nom, "/bin/sh", "Outils", ModeAffichage::Minimise, TypeElement::Programme});
        catalogue.ajouterEnsemble({Categorie{"Outils", {}, false, {}}}, elements);
        Utilisations utilisations(dossier_.filePath(QTest::currentDataTag()));
        for (const QString& l : lancements)
            utilisations.noter(l.section('@', 0, 0),
                               Maintenant.addDays(-l.section('@', 1).toInt()));
        const QHash<QString, double> poids = utilisations.poidsDe(Maintenant);
        const QStringList premiers = Noms(Premiers_Elements(catalogue.elements(), poids, maximum));
        QTEST(premiers, "trouves");
        const IndexRecherche index(catalogue.elementsSansOrdre(),
                                   [&](const QString& nom) { return poids.value(nom); });
        QCOMPARE(premiers, Noms(index.chercher(QString(), maximum)));
    }

    void renommerOublier() {
        Utilisations u(dossier_.filePath("renommer"));
        for (const char* nom : {"Scie", "Échecs", "dames", "dames"})
            u.noter(nom, Maintenant);
        u.renommer("dames", "Dames chinoises");
        u.renommer("Absent", "Scie");
        u.oublier(QStringList{"Échecs", "Absent"});
        const Utilisations r(u.chemin());
        QCOMPARE((QList<int>{r.lancements("Dames chinoises"), r.lancements("dames"),
                             r.lancements("Scie"), r.lancements("Échecs")}),
                 (QList<int>{2, 0, 1, 0}));
    }

    void fichierEndommage_data() {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<int>("lancementsB");
        const QByteArray b = R"({"nom":"B","poids":1,"dernier":"2026-06-15T12:00:00Z","nombre":2})";
        QTest::newRow("vide") << QByteArray() << 0;
        QTest::newRow("pas du json") << QByteArray("{{{ \xff\xfe") << 0;
        QTest::newRow("coupe") << QByteArray(R"({"lancements":[)") + b.left(30) << 0;
        const auto date = [&](const char* quand) {
            return QByteArray(R"({"lancements":[)") +
                   QByteArray(b).replace("2026-06-15T12:00:00Z", quand) + "]}";
        };
        QTest::newRow("sain") << date("2026-06-15T12:00:00Z") << 2;
        QTest::newRow("autre forme de date") << date("2026-06-15T14:00:00+02:00") << 2;
        for (const char* fausse :
             {"2026-13-15T12:00:00Z", "2026-02-30T12:00:00Z", "2026-06-1xT12:00:00Z"})
            QTest::newRow(fausse) << date(fausse) << 0;
    }
    void fichierEndommage() {
        QFETCH(QByteArray, contenu);
        const QString chemin = dossier_.filePath("endommage");
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(contenu) >= 0);
        f.close();
        Utilisations u(chemin);
        QCOMPARE(u.lancements("A"), 0);
        QTEST(u.lancements("B"), "lancementsB");
        // The next start writes a sound file again.
        u.noter("A", Maintenant);
        QCOMPARE(Utilisations(chemin).lancements("A"), 1);
    }

    // A process killed while it notes starts, again and again: the file left always reads
    // whole, with every start but at most the one being written.
    void ecritureInterrompue() {
        const QString chemin = dossier_.filePath("tue/lancements.json");
        int avant = 0;
        for (int essai = 0; essai < 4; ++essai) {
            int tube[2];
            QVERIFY(pipe(tube) == 0);
            const pid_t enfant = fork();
            // One byte to the parent per start on disk.
            for (Utilisations u(chemin); enfant == 0;) {
                u.noter("Éditeur", QDateTime::currentDateTimeUtc());
                if (write(tube[1], "x", 1) != 1) _exit(1);
            }
            close(tube[1]);
            char octet;
            int ecrits = 0;
            while (ecrits < 5 + 7 * essai && read(tube[0], &octet, 1) == 1)
                ++ecrits;
            usleep(static_cast<useconds_t>(1000 * essai));
            kill(enfant, SIGKILL);
            QCOMPARE(waitpid(enfant, nullptr, 0), enfant);
            while (read(tube[0], &octet, 1) == 1)
                ++ecrits;
            close(tube[0]);
            // A file cut by the kill would read as no start at all.
            const int lus = Utilisations(chemin).lancements("Éditeur");
            QVERIFY(lus == avant + ecrits || lus == avant + ecrits + 1);
            avant = lus;
        }
        // The state folder is the user's alone.
        QCOMPARE((QFile::permissions(dossier_.filePath("tue")) & 0x0077).toInt(), 0);
    }

    // What may lie where the starts file goes: never waited on, followed, or read past its
    // bounds; the next start puts a file of ours in its place and leaves the rest alone.
    void fichierEtrange_data() {
        QTest::addColumn<QString>("cas");
        for (const char* cas : {"tube", "lien vers /dev/zero", "lien vers un fichier", "trop grand",
                                "entrées sans fin"})
            QTest::newRow(cas) << QString::fromUtf8(cas);
    }
    void fichierEtrange() {
        QFETCH(QString, cas);
        QTemporaryDir d;
        const QString chemin = d.filePath("lancements.json"), autre = d.filePath("autre.txt");
        const QByteArray garde = "à garder";
        QFile a(autre);
        QVERIFY(a.open(QIODevice::WriteOnly) && a.write(garde) == garde.size());
        a.close();
        const QByteArray ligne =
            QJsonDocument(QJsonObject{{"nom", "N%1"},
                                      {"poids", 0.5},
                                      {"dernier", Maintenant.toString(Qt::ISODate)},
                                      {"nombre", 1}})
                .toJson(QJsonDocument::Compact);
        QByteArray contenu = "{\"lancements\":[" + QByteArray(ligne).replace("%1", "B");
        if (cas == "tube") QVERIFY(::mkfifo(QFile::encodeName(chemin), 0600) == 0);
        if (cas.startsWith("lien"))
            QVERIFY(QFile::link(cas.endsWith("zero") ? "/dev/zero" : autre, chemin));
        if (cas == "trop grand") contenu += QByteArray(Utilisations::TailleMaximum, ' ');
        for (int i = 0; cas == "entrées sans fin" && i < 3 * Utilisations::EntreesMaximum; ++i)
            contenu += ',' + QByteArray(ligne).replace("%1", QByteArray::number(i));
        QFile f(chemin);
        if (!QFileInfo::exists(chemin))
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(contenu + "]}") > 0);
        f.close();

        Utilisations u(chemin);
        QCOMPARE(u.lancements("NB"), cas == "entrées sans fin" ? 1 : 0);
        u.noter("A", Maintenant);
        QVERIFY(a.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), garde);
        QVERIFY(QFileInfo(chemin).isFile() && !QFileInfo(chemin).isSymLink());
        const Utilisations relues(chemin);
        QCOMPARE(relues.lancements("A"), 1);
        QVERIFY(relues.poidsDe(Maintenant).size() <= Utilisations::EntreesMaximum);
    }

    // A write that fails (a full disk, a quota, a size limit: here the last, in a child)
    // leaves the file as it was; the counts kept go with the next start that succeeds.
    void ecritureEchouee() {
        const QString chemin = dossier_.filePath("plein/lancements.json");
        Utilisations(chemin).noter("Ancien", Maintenant);
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray avant = f.readAll();
        f.close();
        const pid_t enfant = fork();
        if (enfant == 0) {
            // The signal would end the process; ignored, the write comes back short.
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limite{};
            ::getrlimit(RLIMIT_FSIZE, &limite);
            const rlimit petite{16, limite.rlim_max};
            ::setrlimit(RLIMIT_FSIZE, &petite);
            Utilisations u(chemin);
            u.noter("Nouveau", Maintenant);
            QFile relu(chemin);
            const bool intact =
                relu.open(QIODevice::ReadOnly) && relu.readAll() == avant &&
                QDir(dossier_.filePath("plein"))
                        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                        .size() == 1;
            ::setrlimit(RLIMIT_FSIZE, &limite);
            u.noter("Suivant", Maintenant);
            _exit(intact ? 0 : 1);
        }
        int statut = 0;
        QCOMPARE(waitpid(enfant, &statut, 0), enfant);
        QVERIFY(WIFEXITED(statut));
        QCOMPARE(WEXITSTATUS(statut), 0);
        const Utilisations r(chemin);
        QCOMPARE(
            (QList<int>{r.lancements("Ancien"), r.lancements("Nouveau"), r.lancements("Suivant")}),
            (QList<int>{1, 1, 1}));
    }
};

QTEST_GUILESS_MAIN(TestRecherche)
#include "test_recherche.moc"
