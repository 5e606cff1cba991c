#include "core/RubriquesAide.h"
#include "core/Contexte.h"
#include "platform/Shell.h"
#include "support/AideFactice.h"
#include "support/Environnement.h"
#include "support/MessagesScriptes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <climits>

namespace {

class ShellEnregistre final : public ServiceShell {
public:
    ResultatOuverture ouvrir(const QString& chemin, AffichageFenetre affichage, QWidget*) override {
        ouverts << chemin;
        affichages << affichage;
        return resultat;
    }
    bool demarrer(const QString&, AffichageFenetre) override { return false; }
    ChoixOuverture choixPour(const QString&) override { return {}; }
    QList<ApplicationProposee> toutesLesApplications() override { return {}; }
    ResultatLancement lancerEntreeBureau(const QString&, AffichageFenetre) override {
        return ResultatLancement::Echec;
    }
    ResultatLancement ouvrirAvecApplication(const QString&, const QString&) override {
        return ResultatLancement::Echec;
    }
    bool definirParDefaut(const QString&, const QString&) override { return false; }

    ResultatOuverture resultat = ResultatOuverture::Reussi;
    QStringList ouverts;
    QList<AffichageFenetre> affichages;
};

// A run of the program whose help and shell are fakes.
struct Banc {
    ShellEnregistre* shell = nullptr;
    Environnement env{{.remplacerServices = [this](ServicesPlateforme& s) {
        auto enregistre = std::make_unique<ShellEnregistre>();
        shell = enregistre.get();
        s.shell = std::move(enregistre);
    }}};
    MessagesScriptes* messages = &env.messages();
    AideFactice* aide = &env.aide();
    Contexte* contexte = &env.contexte();

    // The help files are each test's own to make.
    Banc() {
        QFile::remove(chemin(QStringLiteral("aide.chm")));
        QFile::remove(chemin(QStringLiteral("informations.txt")));
    }
    QString chemin(const QString& nom) const { return env.dossier() + nom; }
};

} // namespace

Q_DECLARE_METATYPE(ResultatOuverture)

class TestAide : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rubrique_data() {
        QTest::addColumn<qint32>("numero");
        QTest::addColumn<bool>("ouverte");
        QTest::addColumn<qint32>("demande");
        QTest::newRow("rubrique ouverte") << qint32(10003) << true << qint32(10003);
        QTest::newRow("rubrique en échec") << qint32(10012) << false << qint32(10012);
        QTest::newRow("négatif") << qint32(-1) << true << qint32(0);
        QTest::newRow("négatif en échec") << qint32(-10006) << false << qint32(0);
        QTest::newRow("le plus petit") << qint32(INT_MIN) << true << qint32(0);
    }
    void rubrique() {
        QFETCH(qint32, numero);
        QFETCH(bool, ouverte);
        QFETCH(qint32, demande);
        Banc banc;
        banc.aide->reussite = ouverte;
        QWidget fenetre;
        // The page is there too: with a topic number it must not be opened instead.
        QFile page(banc.chemin(QStringLiteral("parametres.htm")));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.close();

        qint32 n = numero;
        Afficher_Aide(*banc.contexte, &fenetre, QStringLiteral("parametres.htm"), n);

        QCOMPARE(n, demande);
        QCOMPARE(banc.aide->appels.size(), 1);
        QCOMPARE(banc.aide->appels[0].proprietaire.data(), &fenetre);
        QCOMPARE(banc.aide->appels[0].fichier, banc.chemin(QStringLiteral("aide.chm")));
        QCOMPARE(banc.aide->appels[0].numero, demande);
        QVERIFY(banc.shell->ouverts.isEmpty());
        if (ouverte) {
            QVERIFY(banc.messages->vus.isEmpty());
            return;
        }
        QCOMPARE(banc.messages->vus.size(), 1);
        const Message& m = banc.messages->vus[0];
        QCOMPARE(m.texte, QStringLiteral("Le fichier d'aide [aide.chm] est introuvable.\r\n"
                                         "Assurez-vous que ce fichier doit se trouver\r\n"
                                         "dans le dossier:\r\n") +
                              banc.env.dossier().chopped(1));
        QCOMPARE(m.icone, IconeMessage::Exclamation);
        QCOMPARE(m.boutons, BoutonsMessage::OK);
        QCOMPARE(m.titre, QStringLiteral("Dalvire"));
    }

    void page_data() {
        QTest::addColumn<QString>("present"); // "fichier", "dossier" or ""
        QTest::addColumn<ResultatOuverture>("resultat");
        QTest::addColumn<QString>("message");
        QTest::addColumn<IconeMessage>("icone");
        const QString introuvable =
            QStringLiteral("Fichier d'aide [aide.htm] introuvable.\r\n"
                           "Assurez-vous que celui-ci doit se trouver dans le dossier:\r\n");
        QTest::newRow("ouverte") << "fichier" << ResultatOuverture::Reussi << ""
                                 << IconeMessage::Aucune;
        QTest::newRow("sans application")
            << "fichier" << ResultatOuverture::AucuneAssociation
            << "Aucune application associée avec ce type de fichier [HTM]."
            << IconeMessage::Information;
        QTest::newRow("autre échec, muet")
            << "fichier" << ResultatOuverture::Echec << "" << IconeMessage::Aucune;
        QTest::newRow("absente") << "" << ResultatOuverture::Reussi << introuvable
                                 << IconeMessage::Critique;
        QTest::newRow("un dossier à sa place")
            << "dossier" << ResultatOuverture::Reussi << introuvable << IconeMessage::Critique;
    }
    void page() {
        QFETCH(QString, present);
        QFETCH(ResultatOuverture, resultat);
        QFETCH(QString, message);
        QFETCH(IconeMessage, icone);
        Banc banc;
        banc.shell->resultat = resultat;
        const QString chemin = banc.chemin(QStringLiteral("aide.htm"));
        if (present == QLatin1String("fichier")) {
            QFile f(chemin);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else if (present == QLatin1String("dossier")) {
            QVERIFY(QDir(banc.env.dossier().chopped(1)).mkdir(QStringLiteral("aide.htm")));
        }
        QWidget fenetre;

        qint32 numero = 0;
        Afficher_Aide(*banc.contexte, &fenetre, QStringLiteral("aide.htm"), numero);

        QVERIFY(banc.aide->appels.isEmpty());
        if (present == QLatin1String("fichier")) {
            QCOMPARE(banc.shell->ouverts, QStringList{chemin});
            QCOMPARE(banc.shell->affichages, QList<AffichageFenetre>{AffichageFenetre::Normal});
        } else {
            QVERIFY(banc.shell->ouverts.isEmpty());
        }
        if (message.isEmpty()) {
            QVERIFY(banc.messages->vus.isEmpty());
            return;
        }
        if (icone == IconeMessage::Critique) message += banc.env.dossier().chopped(1);
        QCOMPARE(banc.messages->vus.size(), 1);
        QCOMPARE(banc.messages->vus[0].texte, message);
        QCOMPARE(banc.messages->vus[0].icone, icone);
        QCOMPARE(banc.messages->vus[0].boutons, BoutonsMessage::OK);
        QCOMPARE(banc.messages->vus[0].titre, QStringLiteral("Dalvire"));
    }
};

QTEST_MAIN(TestAide)
#include "test_aide.moc"
