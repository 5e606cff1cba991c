#include "core/RubriquesAide.h"
#include "support/Environnement.h"
#include "support/MaisonXdg.h"
#include "ui/AideChm.h"
#include "ui/frmAide.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>

namespace {

QString AideLivree() {
    return Fichier_Livre(QStringLiteral("aide.chm"));
}

QByteArray Source(const QString& nom) {
    return MaisonXdg::lire(QStringLiteral(DALVIRE_DOSSIER_SOURCES "/data/aide/") + nom);
}

// Where the link to href shows in the viewer, in the coordinates of its viewport.
std::optional<QPoint> PositionDuLien(QTextBrowser* navigateur, const QString& href) {
    QTextDocument* document = navigateur->document();
    for (QTextBlock bloc = document->begin(); bloc.isValid(); bloc = bloc.next()) {
        for (auto it = bloc.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isAnchor() || fragment.charFormat().anchorHref() != href)
                continue;
            QTextCursor curseur(document);
            curseur.setPosition(fragment.position() + fragment.length() / 2);
            navigateur->setTextCursor(curseur);
            navigateur->ensureCursorVisible();
            return navigateur->cursorRect(curseur).center();
        }
    }
    return std::nullopt;
}

QAction* Action(frmAide* fenetre, const QString& texte) {
    for (QAction* a : fenetre->findChild<QToolBar*>()->actions())
        if (a->text() == texte) return a;
    return nullptr;
}

} // namespace

class TestAideChm : public QObject {
    Q_OBJECT
    const std::shared_ptr<const FichierChm> livre_ = FichierChm::ouvrir(AideLivree());

private Q_SLOTS:
    void initTestCase() { QVERIFY(livre_); }

    // Each topic opens its page, as kept in the sources rather than a stale build; a number
    // that names no topic opens nothing.
    void rubriques_data() {
        QTest::addColumn<QString>("page"); // empty: no topic of that number
        QTest::addColumn<qint32>("numero");
        for (const RubriqueAide::Rubrique& r : RubriqueAide::Toutes)
            QTest::newRow(r.page) << r.nomPage() << r.numero;
        QTest::newRow("entre deux") << QString() << 10002;
        QTest::newRow("juste après") << QString() << 10014;
        QTest::newRow("négatif") << QString() << -10000;
        QTest::newRow("grand") << QString() << 2147483647;
    }
    void rubriques() {
        QFETCH(QString, page);
        QFETCH(qint32, numero);
        if (page.isEmpty()) {
            QVERIFY(livre_->page(numero).isEmpty());
            AideChm aide;
            QVERIFY(!aide.ouvrirRubrique(nullptr, AideLivree(), numero));
            QVERIFY(!aide.fenetre());
            return;
        }
        QCOMPARE(livre_->page(numero), QLatin1Char('/') + page);
        const std::optional<QByteArray> contenu = livre_->lire(QLatin1Char('/') + page);
        QVERIFY(contenu);
        QVERIFY(!contenu->isEmpty());
        QCOMPARE(*contenu, Source(page));
    }

    void entete() {
        QCOMPARE(livre_->pageParDefaut(), QStringLiteral("/aide.htm"));
        QCOMPARE(livre_->titre(), QStringLiteral("Aide de Dalvire"));
        QVERIFY(!livre_->lire(QStringLiteral("/images/")));
        QVERIFY(!livre_->lire(QStringLiteral("/absente.htm")));
    }

    // Every link, picture and style sheet named by a page is inside the file.
    void aucunLienMort() {
        const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"#]*)"));
        int liens = 0;
        for (const RubriqueAide::Rubrique& r : RubriqueAide::Toutes) {
            const QString html = QString::fromUtf8(*livre_->lire(QLatin1Char('/') + r.nomPage()));
            for (auto m = reference.globalMatch(html); m.hasNext();) {
                const QString cible = m.next().captured(1);
                if (cible.isEmpty()) continue;
                QVERIFY2(!cible.contains(QLatin1Char(':')), qPrintable(r.nomPage() + ": " + cible));
                QVERIFY2(livre_->lire(QLatin1Char('/') + cible),
                         qPrintable(r.nomPage() + ": " + cible));
                ++liens;
            }
        }
        QVERIFY(liens > 50);
    }

    void fichierDefectueux_data() {
        QTest::addColumn<QByteArray>("contenu"); // written to the file; "-" none, "/" a folder
        const QByteArray livre = MaisonXdg::lire(AideLivree());
        QVERIFY(!livre.isEmpty());
        QByteArray hasard(70000, Qt::Uninitialized);
        QRandomGenerator generateur(1234);
        for (char& c : hasard)
            c = char(generateur.bounded(256));
        QTest::newRow("absent") << QByteArray("-");
        QTest::newRow("un dossier") << QByteArray("/");
        QTest::newRow("vide") << QByteArray();
        QTest::newRow("du texte") << QByteArray("<html>aide.htm</html>\n");
        QTest::newRow("au hasard") << hasard;
        QTest::newRow("en-tête puis hasard") << livre.left(0x60) + hasard;
        QTest::newRow("tronqué au début") << livre.left(1000);
        QTest::newRow("tronqué à moitié") << livre.left(livre.size() / 2);
        QTest::newRow("sans sa fin") << livre.left(livre.size() - 200);
    }
    void fichierDefectueux() {
        QFETCH(QByteArray, contenu);
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(QStringLiteral("aide.chm"));
        if (contenu == "/")
            QVERIFY(QDir(dossier.path()).mkdir(QStringLiteral("aide.chm")));
        else if (contenu != "-")
            QVERIFY(MaisonXdg::ecrire(chemin, contenu));
        AideChm aide;
        // Whatever the damage, no crash, and no topic is reported as shown when it is not.
        for (const RubriqueAide::Rubrique& r : RubriqueAide::Toutes) {
            if (aide.ouvrirRubrique(nullptr, chemin, r.numero)) {
                QVERIFY(aide.fenetre());
                QCOMPARE(aide.fenetre()->pageAffichee(), QLatin1Char('/') + r.nomPage());
            }
        }
        if (contenu.size() < 2000) QVERIFY(!aide.fenetre());
    }

    void visionneuse() {
        AideChm aide;
        QWidget proprietaire;
        QVERIFY(aide.ouvrirRubrique(&proprietaire, AideLivree(), 10003));
        frmAide* fenetre = aide.fenetre();
        QVERIFY(fenetre);
        QVERIFY(fenetre->isVisible());
        QVERIFY(fenetre->isWindow());
        QCOMPARE(fenetre->windowTitle(), QStringLiteral("Aide de Dalvire"));
        QCOMPARE(fenetre->pageAffichee(), QStringLiteral("/parametres.htm"));
        QVERIFY(fenetre->findChild<NavigateurAide*>()->toPlainText().contains(
            QStringLiteral("Délai de fermeture d'affichage")));

        // One window, reused.
        QVERIFY(aide.ouvrirRubrique(&proprietaire, AideLivree(), 10007));
        QCOMPARE(aide.fenetre(), fenetre);
        QCOMPARE(fenetre->pageAffichee(), QStringLiteral("/programmes.htm"));
        QVERIFY(fenetre->findChild<NavigateurAide*>()->toPlainText().contains(
            QStringLiteral("(Toutes les catégories)")));
        // Topic 0: the file's start page.
        QVERIFY(aide.ouvrirRubrique(&proprietaire, AideLivree(), 0));
        QCOMPARE(fenetre->pageAffichee(), QStringLiteral("/aide.htm"));
    }

    void lienVersUneAutrePage() {
        AideChm aide;
        QVERIFY(aide.ouvrirRubrique(nullptr, AideLivree(), 10000));
        frmAide* fenetre = aide.fenetre();
        QVERIFY(QTest::qWaitForWindowExposed(fenetre));
        auto* navigateur = fenetre->findChild<NavigateurAide*>();

        const std::optional<QPoint> lien =
            PositionDuLien(navigateur, QStringLiteral("parametres.htm"));
        QVERIFY(lien);
        QTest::mouseClick(navigateur->viewport(), Qt::LeftButton, {}, *lien);
        QTRY_COMPARE(fenetre->pageAffichee(), QStringLiteral("/parametres.htm"));
        QVERIFY(navigateur->toPlainText().contains(QStringLiteral("Enregistrer les paramètres")));

        // Back, forward and contents.
        QAction* precedent = Action(fenetre, QStringLiteral("Précédent"));
        QAction* suivant = Action(fenetre, QStringLiteral("Suivant"));
        QAction* sommaire = Action(fenetre, QStringLiteral("Sommaire"));
        QVERIFY(precedent && suivant && sommaire);
        QVERIFY(precedent->isEnabled());
        precedent->trigger();
        QCOMPARE(fenetre->pageAffichee(), QStringLiteral("/aide.htm"));
        QVERIFY(suivant->isEnabled());
        suivant->trigger();
        QCOMPARE(fenetre->pageAffichee(), QStringLiteral("/parametres.htm"));
        sommaire->trigger();
        QCOMPARE(fenetre->pageAffichee(), QStringLiteral("/aide.htm"));
    }

    // Pictures and style sheets come out of the file; nothing is read outside it.
    void ressources() {
        AideChm aide;
        QVERIFY(aide.ouvrirRubrique(nullptr, AideLivree(), 10001));
        auto* navigateur = aide.fenetre()->findChild<NavigateurAide*>();
        const QVariant image = navigateur->loadResource(
            QTextDocument::ImageResource, QUrl(QStringLiteral("chm:///images/dalvire.png")));
        QCOMPARE(QImage::fromData(image.toByteArray()).size(), QSize(32, 32));
        const QVariant style = navigateur->loadResource(QTextDocument::StyleSheetResource,
                                                        QUrl(QStringLiteral("chm:///aide.css")));
        QVERIFY(style.toByteArray().contains("font-family"));
        QTemporaryDir dossier;
        const QString local = dossier.filePath(QStringLiteral("secret.htm"));
        QVERIFY(MaisonXdg::ecrire(local, "<p>secret</p>"));
        for (const QUrl& dehors :
             {QUrl::fromLocalFile(local), QUrl(QStringLiteral("http://exemple.fr/aide.htm")),
              QUrl(QStringLiteral("chm:///../secret.htm"))})
            QVERIFY2(!navigateur->loadResource(QTextDocument::HtmlResource, dehors).isValid(),
                     qPrintable(dehors.toString()));
    }

    // The viewer goes with the window it is opened from: over a modal dialog it must be
    // that dialog's own window, or the dialog would block it.
    void suitSaFenetre() {
        AideChm aide;
        QWidget principale;
        QVERIFY(aide.ouvrirRubrique(&principale, AideLivree(), 10000));
        QPointer<frmAide> fenetre = aide.fenetre();
        QCOMPARE(fenetre->parentWidget(), &principale);
        {
            QDialog dialogue;
            dialogue.setWindowModality(Qt::ApplicationModal);
            auto* champ = new QWidget(&dialogue);
            dialogue.show();
            QVERIFY(aide.ouvrirRubrique(champ, AideLivree(), 10003));
            QCOMPARE(aide.fenetre(), fenetre.data());
            QCOMPARE(fenetre->parentWidget(), &dialogue);
            QVERIFY(fenetre->isVisible());
            QVERIFY(fenetre->isWindow());
        }
        // Closed with its dialog; the next topic opens a new viewer.
        QVERIFY(!fenetre);
        QVERIFY(!aide.fenetre());
        QVERIFY(aide.ouvrirRubrique(&principale, AideLivree(), 10006));
        QVERIFY(aide.fenetre());
        QCOMPARE(aide.fenetre()->pageAffichee(), QStringLiteral("/categories.htm"));
    }
};

QTEST_MAIN(TestAideChm)
#include "test_aide_chm.moc"
