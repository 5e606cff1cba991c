// The program editor's additions: installed applications as programs, folders as
// documents, and an item offered by a drop saved only when the user confirms.
#include "core/IconesElements.h"
#include "core/Services.h"
#include "manage/frmApplications.h"
#include "manage/frmGestion.h"
#include "manage/frmProgrammes.h"
#include "support/BancGestion.h"
#include "support/Controles.h"
#include "support/ShellFactice.h"
#include "ui/DelegueIcones.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

ApplicationProposee application(const QString& nom, const QString& chemin) {
    return {nom + ".desktop", nom, {}, {}, chemin};
}

// Does what the user does in the next modal window, once it is shown.
void ensuite(std::function<void(QWidget*)> geste) {
    QTimer::singleShot(0, [geste] { geste(QApplication::activeModalWidget()); });
}

QStringList lignesVisibles(const QListWidget* l) {
    QStringList lignes;
    for (int i = 0; i < l->count(); ++i)
        if (!l->item(i)->isHidden()) lignes << l->item(i)->text();
    return lignes;
}

} // namespace

class TestApplications : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void boutonSelonLeType() {
        BancGestion b;
        frmProgrammes e(b.c(), ModeEditeur::Creation);
        auto* applications = Controle<QPushButton>(e, "Applications...");
        for (const QString type : {"Fichier", "Lien Internet", "E-Mail", "Programme"}) {
            Controle<QRadioButton>(e, type)->setChecked(true);
            QCOMPARE(applications->isEnabled(), type == "Programme");
        }
    }

    // French order, hidden lines filtered as one types, the entry's path and name taken.
    void choixDUneApplication_data() {
        QTest::addColumn<QString>("filtre");
        QTest::addColumn<QString>("nomTape");
        QTest::addColumn<bool>("valider");
        QTest::addColumn<QStringList>("visibles");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<bool>("resteOuverte");
        const QStringList toutes{"atelier", "Éditeur", "éditeur b", "Zèbre"};
        QTest::newRow("première") << u""_s << "" << true << toutes << u"atelier"_s
                                  << "/a/atelier.desktop" << false;
        QTest::newRow("filtre") << u"ÉDIT"_s << "" << true << QStringList{"Éditeur", "éditeur b"}
                                << u"Éditeur"_s << "/a/Éditeur.desktop" << false;
        QTest::newRow("nom déjà tapé") << u"zè"_s << "Mon zèbre" << true << QStringList{"Zèbre"}
                                       << u"Mon zèbre"_s << "/a/Zèbre.desktop" << false;
        QTest::newRow("aucune") << u"rien"_s << "" << true << QStringList{} << u""_s << "" << true;
        QTest::newRow("annulé") << u""_s << "" << false << toutes << u""_s << "" << false;
    }
    void choixDUneApplication() {
        QFETCH(QString, filtre);
        QFETCH(QString, nomTape);
        QFETCH(bool, valider);
        BancGestion b;
        b.env.shell().reponseToutes = {application("Zèbre", "/a/Zèbre.desktop"),
                                       application("éditeur b", "/a/b.desktop"),
                                       application("atelier", "/a/atelier.desktop"),
                                       application("Éditeur", "/a/Éditeur.desktop"),
                                       application("  ", "/a/vide.desktop"),
                                       application("Sans fichier", "")};
        frmProgrammes e(b.c(), ModeEditeur::Creation);
        Controle<QLineEdit>(e, "Nom du programme")->setText(nomTape);
        QStringList visibles;
        bool nomme = true;
        bool ouverte = false;
        ensuite([&](QWidget* w) {
            auto* d = qobject_cast<frmApplications*>(w);
            QVERIFY(d);
            for (QWidget* c : d->findChildren<QWidget*>())
                if (c->isVisibleTo(d) && c->focusPolicy() != Qt::NoFocus)
                    nomme = nomme && !c->accessibleName().isEmpty();
            auto* champ = Controle<QLineEdit>(*d, "Rechercher");
            nomme = nomme && Lecture_Accessible(champ) ==
                                 "Rechercher|Filtrer les applications par leur nom|Rechercher:;|";
            champ->insert(filtre); // as typed: the list follows each change
            visibles = lignesVisibles(Controle<QListWidget>(*d, "Applications installées"));
            Controle<QPushButton>(*d, valider ? "Valider" : "Annuler")->click();
            // With nothing to choose, "&Valider" leaves the window open.
            ouverte = d->isVisible();
            if (ouverte) Controle<QPushButton>(*d, "Annuler")->click();
        });
        Cliquer(e, "Applications...");
        QTEST(ouverte, "resteOuverte");
        QVERIFY(nomme);
        QTEST(visibles, "visibles");
        QTEST(Controle<QLineEdit>(e, "Nom du programme")->text(),
              nomTape.isEmpty() ? "nom" : "nomTape");
        QTEST(Controle<QLineEdit>(e, "Chemin du programme")->text(), "chemin");
    }

    // Each line of the item list has its item's icon, looked for when the line shows.
    void iconesDeLaGestion() {
        BancGestion b;
        b.categorie("Outils");
        const QStringList chemins{"/bin/sh", "/etc/hostname", "https://a.fr", "mailto:a@b.fr"};
        b.env.executer("BEGIN");
        for (int i = 0; i < 2000; ++i)
            b.programme(u"P%1"_s.arg(i, 4, 10, QLatin1Char('0')), "Outils", "1",
                        QString::number(i % 4), chemins.at(i % 4));
        b.env.executer("COMMIT");
        frmGestion g(b.c());
        g.show();
        auto* liste = Controle<QListView>(g, "Liste des programmes");
        liste->grab();
        const auto* icones = static_cast<const DelegueIcones*>(liste->itemDelegate());
        const int vues = icones->recherches();
        QVERIFY2(vues > 0 && vues < 60, qPrintable(QString::number(vues)));
        for (int i = 0; i < 4; ++i) {
            const QIcon attendue = Charger_Icone(Source_Icone(
                chemins.at(i), static_cast<TypeElement>(i), Dossier_Application(b.c())));
            QCOMPARE(icones->icone(i).pixmap(16).toImage(), attendue.pixmap(16).toImage());
        }
        QVERIFY(!icones->icone(3).isNull());
    }

    // A folder is a document; it is no program.
    void dossier_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("message");
        QTest::newRow("fichier") << 1 << "Le nouveau programme [Photos] a été enregistré.";
        QTest::newRow("programme") << 0 << "Vous devez saisir un chemin valide pour le programme.";
    }
    void dossier() {
        QFETCH(int, type);
        QTemporaryDir photos;
        BancGestion b;
        b.categorie("Outils");
        b.lire();
        frmProgrammes e(b.c(), ModeEditeur::Creation);
        Controle<QRadioButton>(e, type == 1 ? "Fichier" : "Programme")->setChecked(true);
        Controle<QLineEdit>(e, "Nom du programme")->setText("Photos");
        Controle<QLineEdit>(e, "Chemin du programme")->setText(photos.path());
        Controle<QComboBox>(e, "Catégorie du programme")->setCurrentIndex(0);
        Controle<QListWidget>(e, "Mode d'affichage du programme")->setCurrentRow(1);
        b.env.messages().reponses = {ReponseMessage::OK, ReponseMessage::Non};
        Cliquer(e, "Valider");
        QTEST(b.vus().value(0), "message");
        QCOMPARE(b.lignes("programmes").size(), type == 1 ? 1 : 0);
    }
};

QTEST_MAIN(TestApplications)
#include "test_applications.moc"
