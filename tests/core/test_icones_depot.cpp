// The picture of each kind of item, and what a drop on a launcher window offers.
#include "core/Depot.h"
#include "core/IconesElements.h"
#include "support/MaisonXdg.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

using MaisonXdg::ecrire;

void image(const QString& chemin, Qt::GlobalColor couleur) {
    QImage i(16, 16, QImage::Format_ARGB32);
    i.fill(couleur);
    i.save(chemin);
}

} // namespace

class TestIconesDepot : public QObject {
    Q_OBJECT

    QTemporaryDir dossier_;
    QString d(const QString& nom) const { return dossier_.filePath(nom); }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(dossier_.isValid());
        QDir(dossier_.path()).mkpath("dossier");
        QDir(dossier_.path()).mkpath("icones");
        QVERIFY(ecrire(d("notes.txt"), "du texte\n"));
        QVERIFY(ecrire(d("sans-nom"), "du texte\n"));
        QVERIFY(ecrire(d("outil.sh"), "#!/bin/sh\n", true));
        image(d("propre.png"), Qt::red);
        image(d("icones/internet.ico"), Qt::blue);
        QVERIFY(ecrire(d("editeur.desktop"),
                       "# commentaire\n[Desktop Entry]\nType=Application\nName=Editor\n"
                       "Name[fr]=Éditeur\nIcon=accessories-text-editor\nExec=ed %f\n"
                       "[Desktop Action neuf]\nName=Nouveau\nIcon=autre\n"));
        QVERIFY(ecrire(d("propre.desktop"), "[Desktop Entry]\nName=Propre\nIcon=" +
                                                QFile::encodeName(d("propre.png")) + "\n"));
        QVERIFY(ecrire(d("casse.desktop"), "pas une entrée\nName=Rien\n"));
        QVERIFY(ecrire(d("abimee.png"), "pas une image"));
        QVERIFY(ecrire(d("abimee.desktop"), "[Desktop Entry]\nName=Abîmée\nIcon=" +
                                                QFile::encodeName(d("abimee.png")) + "\n"));
    }

    // The theme's names in the order they are tried, then the picture file.
    void source_data() {
        QTest::addColumn<QString>("chemin"); // "$" stands for the test folder
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("noms");
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<bool>("propre"); // the entry's own picture, propre.png, first
        const QString exe = "application-x-executable";
        const QString programme = "$icones/programme.ico";
        const auto ligne = [](const char* nom, const QString& chemin, const QString& type,
                              const QStringList& noms, const QString& fichier, bool propre) {
            QTest::newRow(nom) << chemin << type << noms << fichier << propre;
        };
        ligne("programme", "/bin/sh", "0", {exe}, programme, false);
        ligne("type inconnu", "/bin/sh", "7", {exe}, programme, false);
        ligne("entrée de bureau", "$editeur.desktop", "0", {"accessories-text-editor", exe},
              programme, false);
        ligne("entrée à image propre", "$propre.desktop", "0", {exe}, programme, true);
        ligne("entrée cassée", "$casse.desktop", "0", {exe}, programme, false);
        ligne("document", "$notes.txt", "1", {"text-plain", "text-x-generic"},
              "$icones/document.ico", false);
        ligne("dossier", "$dossier", "1", {"folder"}, "$icones/dossier.ico", false);
        ligne("lien", "https://exemple.fr", "2", {"internet-web-browser", "applications-internet"},
              "$icones/internet.ico", false);
        ligne("adresse", "mailto:a@b.fr", "3", {"internet-mail", "mail-message-new", "mail-unread"},
              "$icones/mail.ico", false);
    }
    void source() {
        QFETCH(QString, chemin);
        QFETCH(QString, fichier);
        QFETCH(bool, propre);
        QFETCH(QString, type);
        const QString racine = dossier_.path() + '/';
        chemin.replace('$', racine);
        const SourceIcone source = Source_Icone(chemin, CodeStocke<TypeElement>::lu(type), racine);
        QTEST(source.nomsTheme, "noms");
        QCOMPARE(source.fichier, fichier.replace('$', racine));
        QCOMPARE(source.propre, propre ? racine + "propre.png" : QString());
    }

    // The theme's picture when it has one; the application's own where it has none.
    void chargement() {
        QDir(dossier_.path()).mkpath("theme/essai/16x16/apps");
        QVERIFY(ecrire(d("theme/essai/index.theme"),
                       "[Icon Theme]\nName=essai\nDirectories=16x16/apps\n\n"
                       "[16x16/apps]\nSize=16\nType=Fixed\n"));
        image(d("theme/essai/16x16/apps/internet-web-browser.png"), Qt::green);
        QIcon::setThemeSearchPaths({d("theme")});
        QIcon::setThemeName("essai");
        const QString racine = dossier_.path() + '/';
        const auto couleurDuLien = [&racine] {
            return Charger_Icone(Source_Icone("https://a.fr", TypeElement::LienInternet, racine))
                .pixmap(16)
                .toImage()
                .pixelColor(8, 8);
        };
        QCOMPARE(couleurDuLien(), QColor(Qt::green));
        QDir(d("theme/essai/16x16/apps")).removeRecursively();
        QIcon::setThemeName("essai"); // forgets what it had found
        QCOMPARE(couleurDuLien(), QColor(Qt::blue));
        QVERIFY(Charger_Icone(Source_Icone("mailto:a@b", TypeElement::Mail, racine)).isNull());
        // A file of several pictures: those a line may draw, not the large one.
        const QIcon plusieurs = Charger_Icone(Source_Icone(
            "mailto:a@b", TypeElement::Mail, QStringLiteral(DALVIRE_DOSSIER_APPLICATION "/")));
        QCOMPARE(plusieurs.availableSizes(),
                 (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}}));
    }

    // A desktop with no icon theme: every kind of item shows the delivered picture of its
    // kind, and so does an application of a list; an item's own picture that reads as none
    // gives way to it.
    void sansTheme_data() {
        QTest::addColumn<QString>("chemin"); // "$" the test folder
        QTest::addColumn<int>("type");       // -1: a line of a list of applications
        QTest::addColumn<QString>("image");  // in the application folder's icones/
        QTest::newRow("programme") << "/bin/sh" << 0 << "programme";
        QTest::newRow("entrée de bureau") << "$editeur.desktop" << 0 << "programme";
        QTest::newRow("image propre illisible") << "$abimee.desktop" << 0 << "programme";
        QTest::newRow("document") << "$notes.txt" << 1 << "document";
        QTest::newRow("dossier") << "$dossier" << 1 << "dossier";
        QTest::newRow("lien") << "https://exemple.fr" << 2 << "internet";
        QTest::newRow("adresse") << "mailto:a@b.fr" << 3 << "mail";
        QTest::newRow("application") << "accessories-text-editor" << -1 << "programme";
        QTest::newRow("application, image illisible") << "$abimee.png" << -1 << "programme";
    }
    void sansTheme() {
        QFETCH(QString, chemin);
        QFETCH(int, type);
        QFETCH(QString, image);
        QIcon::setThemeSearchPaths({d("sans-theme")});
        QIcon::setFallbackSearchPaths({});
        QIcon::setThemeName("aucun");
        chemin.replace('$', dossier_.path() + '/');
        const QString livre = QStringLiteral(DALVIRE_DOSSIER_APPLICATION "/");
        const QIcon icone =
            type < 0 ? Icone_Application(chemin, Icone_Programme(livre))
                     : Charger_Icone(Source_Icone(chemin, static_cast<TypeElement>(type), livre));
        // The file's first picture is its 16-pixel one.
        const QImage attendue = QImage(livre + "icones/" + image + ".ico");
        QCOMPARE(attendue.size(), QSize(16, 16));
        QCOMPARE(icone.pixmap(16).toImage().convertToFormat(QImage::Format_ARGB32),
                 attendue.convertToFormat(QImage::Format_ARGB32));
    }

    void depot_data() {
        QTest::addColumn<QStringList>("liens"); // "$" the test folder
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("attendu"); // type|nom|chemin, "" for nothing
        const auto ligne = [](const char* nom, const QStringList& liens, const QString& texte,
                              const QString& attendu) {
            QTest::newRow(nom) << liens << texte << attendu;
        };
        ligne("document", {"$notes.txt", "$outil.sh"}, "", "1|notes.txt|$notes.txt");
        ligne("exécutable", {"$outil.sh"}, "", "0|outil.sh|$outil.sh");
        ligne("dossier", {"$dossier"}, "", "1|dossier|$dossier");
        ligne("application", {"$editeur.desktop"}, "", "0|Éditeur|$editeur.desktop");
        ligne("absent", {"$rien.txt"}, "", "");
        ligne("web", {"https://www.exemple.fr/a?b=c"}, "",
              "2|www.exemple.fr|https://www.exemple.fr/a?b=c");
        ligne("ftp", {"ftp://depot.fr/x"}, "", "2|depot.fr|ftp://depot.fr/x");
        ligne("adresse", {"mailto:moi@exemple.fr?subject=Salut"}, "",
              "3|moi@exemple.fr|mailto:moi@exemple.fr?subject=Salut");
        ligne("autre schéma", {"javascript:alert(1)"}, "", "");
        ligne("lien en texte", {}, " https://a.fr/ ", "2|a.fr|https://a.fr/");
        ligne("texte", {}, "bonjour", "");
        ligne("vide", {}, "", "");
    }
    void depot() {
        QFETCH(QStringList, liens);
        QFETCH(QString, texte);
        QFETCH(QString, attendu);
        const QString racine = dossier_.path() + '/';
        QMimeData donnees;
        QList<QUrl> urls;
        for (QString l : liens)
            urls << (l.startsWith('$') ? QUrl::fromLocalFile(l.replace('$', racine)) : QUrl(l));
        if (!urls.isEmpty()) donnees.setUrls(urls);
        if (!texte.isEmpty()) donnees.setText(texte);
        const std::optional<ElementPropose> e = Classer_Depot(donnees);
        const QString vu =
            e ? QString::number(e->type) + '|' + e->nom + '|' + e->chemin : QString();
        QCOMPARE(vu, attendu.replace('$', racine));
    }
};

QTEST_MAIN(TestIconesDepot)
#include "test_icones_depot.moc"
