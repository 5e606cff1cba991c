#include "core/Contexte.h"
#include "core/Services.h"
#include "support/Environnement.h"
#include "support/MaisonXdg.h"
#include "ui/Cadre.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

class TestServices : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void apostrophes_data() {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("attendu");
        const auto ligne = [](const char* nom, const QString& texte, const QString& attendu) {
            QTest::newRow(nom) << texte << attendu;
        };
        ligne("vide", "", "");
        ligne("sans", "Programmes", "Programmes");
        ligne("une", "l'école", "l''école");
        ligne("deux seules", "''", "''''");
        ligne("au bord", "'a'", "''a''");
        ligne("guillemet double intact", "a\"b", "a\"b");
    }
    void apostrophes() {
        QFETCH(QString, texte);
        QFETCH(QString, attendu);
        QCOMPARE(Doubler_Apostrophes(texte), attendu);
    }

    void fichierExiste() {
        QTemporaryDir dossier;
        const QString fichier = dossier.filePath(QStringLiteral("a b;$(x).txt"));
        QVERIFY(MaisonXdg::ecrire(fichier, {}));
        QVERIFY(Fichier_Existe(fichier));
        QVERIFY(!Fichier_Existe(dossier.path())); // a folder
        QVERIFY(!Fichier_Existe(dossier.filePath(QStringLiteral("absent"))));
        QVERIFY(!Fichier_Existe(QString()));
        QVERIFY(!Fichier_Existe(QStringLiteral("/nulle/part/ici.txt")));
        QVERIFY(!Fichier_Existe(dossier.filePath(QStringLiteral("*")))); // no wildcard expansion
        QVERIFY(!Fichier_Existe(QStringLiteral("a") + QChar(0) + QStringLiteral("b")));
        const QString lien = dossier.filePath(QStringLiteral("lien"));
        QVERIFY(QFile::link(fichier, lien));
        QVERIFY(Fichier_Existe(lien));
    }

    void separateurFinal_data() {
        QTest::addColumn<QString>("dossier");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("racine") << "/"
                                << "/";
        QTest::newRow("sans") << "/opt/dalvire"
                              << "/opt/dalvire/";
        QTest::newRow("avec") << "/opt/dalvire/"
                              << "/opt/dalvire/";
    }
    void separateurFinal() {
        QFETCH(QString, dossier);
        QFETCH(QString, attendu);
        QCOMPARE(Avec_Separateur_Final(dossier), attendu);
        Contexte contexte(dossier, ServicesPlateforme());
        QCOMPARE(Dossier_Application(contexte), attendu);
        QVERIFY(!Chemin_Application(contexte).endsWith(QLatin1Char('/')) ||
                Chemin_Application(contexte) == QLatin1String("/"));
    }

    // Shown or not yet, the window goes on top and back without being moved or hidden.
    void premierPlan_data() {
        QTest::addColumn<bool>("affichee");
        QTest::newRow("affichée") << true;
        QTest::newRow("avant affichage") << false;
    }
    void premierPlan() {
        QFETCH(bool, affichee);
        QWidget fenetre(nullptr, Qt::Tool | Qt::FramelessWindowHint);
        fenetre.setGeometry(100, 120, 200, 30);
        if (affichee) {
            fenetre.show();
            QVERIFY(QTest::qWaitForWindowExposed(&fenetre));
        }
        const QRect avant = fenetre.geometry();
        Placer_Premier_Plan(&fenetre, true);
        QVERIFY(Est_Premier_Plan(&fenetre));
        QCOMPARE(fenetre.isVisible(), affichee);
        Placer_Premier_Plan(&fenetre, false);
        QVERIFY(!Est_Premier_Plan(&fenetre));
        QCOMPARE(fenetre.isVisible(), affichee);
        QCOMPARE(fenetre.geometry(), avant);
    }

    void centrer() {
        QWidget fenetre;
        fenetre.resize(300, 200);
        Centrer_Fenetre(&fenetre);
        const QRect ecran = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(fenetre.x(), (ecran.width() - fenetre.frameGeometry().width()) / 2);
        QCOMPARE(fenetre.y(), (ecran.height() - fenetre.frameGeometry().height()) / 2);
    }

    // Last: it changes the font of the whole application.
    void menusEtMessagesDansLaPoliceDesFenetres() {
        Installer_Police_Application();
        QWidget fenetre;
        fenetre.setFont(Police_Fenetres());
        const QFontInfo attendue(fenetre.font());
        // Liberation Sans (installed with the build's packages) stands in for Tahoma.
        QCOMPARE(attendue.family(), QStringLiteral("Liberation Sans"));
        QMenu menu;
        menu.addAction(QStringLiteral("Quitter"));
        QMessageBox boite(QMessageBox::Question, QStringLiteral("Dalvire"), QStringLiteral("?"),
                          QMessageBox::Yes | QMessageBox::No);
        QLabel bulle(nullptr, Qt::ToolTip);
        for (QWidget* w : std::initializer_list<QWidget*>{&menu, &boite, &bulle}) {
            w->ensurePolished();
            const QFontInfo vue(w->font());
            QCOMPARE(vue.family(), attendue.family());
            QCOMPARE(vue.pointSizeF(), attendue.pointSizeF());
        }
    }
};

QTEST_MAIN(TestServices)
#include "test_services.moc"
