#include "core/Contexte.h"
#include "core/RubriquesAide.h"
#include "support/AideFactice.h"
#include "support/Environnement.h"
#include "support/MessagesScriptes.h"
#include "support/ShellFactice.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QWidget>

#include <climits>

Q_DECLARE_METATYPE(ResultatOuverture)

class TestAide : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A topic number goes to the help file, even with the page there; none opens the page.
    void afficher_data() {
        QTest::addColumn<qint32>("numero");
        QTest::addColumn<QString>("present"); // aide.htm: "fichier", "dossier" or ""
        QTest::addColumn<bool>("aideOuverte");
        QTest::addColumn<ResultatOuverture>("resultat"); // what the desktop answers
        QTest::addColumn<qint32>("demande");             // topic asked; -1: the page is opened
        QTest::addColumn<QString>("message");            // "@" the application folder
        QTest::addColumn<IconeMessage>("icone");
        const auto reussi = ResultatOuverture::Reussi;
        const auto aucune = IconeMessage::Aucune;
        const QString chm = QStringLiteral("Le fichier d'aide [aide.chm] est introuvable.\r\n"
                                           "Assurez-vous que ce fichier doit se trouver\r\n"
                                           "dans le dossier:\r\n@");
        const QString htm =
            QStringLiteral("Fichier d'aide [aide.htm] introuvable.\r\n"
                           "Assurez-vous que celui-ci doit se trouver dans le dossier:\r\n@");
        QTest::newRow("rubrique ouverte")
            << qint32(10003) << "fichier" << true << reussi << qint32(10003) << "" << aucune;
        QTest::newRow("rubrique en échec") << qint32(10012) << "fichier" << false << reussi
                                           << qint32(10012) << chm << IconeMessage::Exclamation;
        QTest::newRow("négatif") << qint32(-1) << "fichier" << true << reussi << qint32(0) << ""
                                 << aucune;
        QTest::newRow("négatif en échec") << qint32(-10006) << "fichier" << false << reussi
                                          << qint32(0) << chm << IconeMessage::Exclamation;
        QTest::newRow("le plus petit")
            << qint32(INT_MIN) << "fichier" << true << reussi << qint32(0) << "" << aucune;
        QTest::newRow("page ouverte")
            << qint32(0) << "fichier" << true << reussi << qint32(-1) << "" << aucune;
        QTest::newRow("page sans application")
            << qint32(0) << "fichier" << true << ResultatOuverture::AucuneAssociation << qint32(-1)
            << "Aucune application associée avec ce type de fichier [HTM]."
            << IconeMessage::Information;
        QTest::newRow("page, autre échec, muet")
            << qint32(0) << "fichier" << true << ResultatOuverture::Echec << qint32(-1) << ""
            << aucune;
        QTest::newRow("page absente")
            << qint32(0) << "" << true << reussi << qint32(-1) << htm << IconeMessage::Critique;
        QTest::newRow("un dossier à la place de la page")
            << qint32(0) << "dossier" << true << reussi << qint32(-1) << htm
            << IconeMessage::Critique;
    }
    void afficher() {
        QFETCH(qint32, numero);
        QFETCH(QString, present);
        QFETCH(bool, aideOuverte);
        QFETCH(ResultatOuverture, resultat);
        QFETCH(qint32, demande);
        QFETCH(QString, message);
        QFETCH(IconeMessage, icone);
        Environnement env;
        // The help files are each case's own to make.
        QFile::remove(env.dossier() + QStringLiteral("aide.chm"));
        QFile::remove(env.dossier() + QStringLiteral("informations.txt"));
        const QString page = env.dossier() + QStringLiteral("aide.htm");
        if (present == QLatin1String("fichier"))
            QVERIFY(QFile(page).open(QIODevice::WriteOnly));
        else if (present == QLatin1String("dossier"))
            QVERIFY(QDir().mkdir(page));
        env.aide().reussite = aideOuverte;
        env.shell().reponseOuvrir = resultat;
        QWidget fenetre;

        qint32 n = numero;
        Afficher_Aide(env.contexte(), &fenetre, QStringLiteral("aide.htm"), n);

        QCOMPARE(n, qMax(demande, 0));
        if (demande < 0) {
            QVERIFY(env.aide().appels.isEmpty());
        } else {
            QCOMPARE(env.aide().appels.size(), 1);
            QCOMPARE(env.aide().appels[0].proprietaire.data(), &fenetre);
            QCOMPARE(env.aide().appels[0].fichier, env.dossier() + QStringLiteral("aide.chm"));
            QCOMPARE(env.aide().appels[0].numero, demande);
        }
        QCOMPARE(env.shell().journal(), demande < 0 && present == QLatin1String("fichier")
                                            ? QStringList("ouvrir|" + page + "|normal")
                                            : QStringList());
        QCOMPARE(env.messages().vus.size(), message.isEmpty() ? 0 : 1);
        if (message.isEmpty()) return;
        const Message& m = env.messages().vus[0];
        QCOMPARE(m.texte, message.replace(QLatin1Char('@'), env.dossier().chopped(1)));
        QCOMPARE(m.icone, icone);
        QCOMPARE(m.boutons, BoutonsMessage::OK);
        QCOMPARE(m.titre, QStringLiteral("Dalvire"));
    }
};

QTEST_MAIN(TestAide)
#include "test_aide.moc"
