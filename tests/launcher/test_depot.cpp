// A launcher window takes drops of files, folders, links and applications, offering them
// as items of its category; its open list looks for the icons it shows, no others.
#include "core/IconesElements.h"
#include "launcher/frmDalvire.h"
#include "support/ControlesBande.h"
#include "support/Environnement.h"
#include "support/ShellFactice.h"
#include "ui/DelegueIcones.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

std::unique_ptr<frmDalvire> fenetre(Environnement& env) {
    auto f = Bande(env.contexte(), QStringLiteral("Outils"));
    f->show();
    return f;
}

// A drag over the control and its drop, as the window system delivers them; the action
// the window took, none when it refused.
Qt::DropAction deposer(QWidget* cible, const QMimeData& donnees, Qt::DropActions actions) {
    const QPoint point = cible->rect().center();
    QDragEnterEvent entree(point, actions, &donnees, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(cible, &entree);
    if (!entree.isAccepted()) return Qt::IgnoreAction;
    QDropEvent depot(QPointF(point), actions, &donnees, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(cible, &depot);
    return depot.isAccepted() ? depot.dropAction() : Qt::IgnoreAction;
}

} // namespace

class TestDepot : public QObject {
    Q_OBJECT

    QTemporaryDir dossier_;

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(dossier_.isValid());
        QFile f(dossier_.filePath(QStringLiteral("jeu.desktop")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Desktop Entry]\nType=Application\nName=Jeu de dames\nExec=dames\n");
    }

    // Offered once the drop is over, as an item of the window's category, whether on its
    // icon or its strip; taken as a link or a copy, never as a move, which would have the
    // source delete its file.
    void depot_data() {
        QTest::addColumn<bool>("surIcone");
        QTest::addColumn<QString>("lien"); // "$" the test folder
        QTest::addColumn<int>("offertes");
        QTest::addColumn<int>("prise");
        QTest::addColumn<QString>("attendu"); // type|nom|chemin|catégorie, "" refused
        const int copie = int(Qt::CopyAction | Qt::MoveAction);
        QTest::newRow("application, icône")
            << true << "$jeu.desktop" << copie << int(Qt::CopyAction)
            << "0|Jeu de dames|$jeu.desktop|Outils";
        QTest::newRow("adresse, liste")
            << false << "mailto:a@exemple.fr" << int(copie | Qt::LinkAction) << int(Qt::LinkAction)
            << "3|a@exemple.fr|mailto:a@exemple.fr|Outils";
        QTest::newRow("absent") << true << "file:///nulle/part.txt" << copie
                                << int(Qt::IgnoreAction) << "";
        QTest::newRow("déplacement seul")
            << false << "https://exemple.fr/" << int(Qt::MoveAction) << int(Qt::IgnoreAction) << "";
    }
    void depot() {
        QFETCH(bool, surIcone);
        QFETCH(QString, lien);
        QFETCH(int, offertes);
        QFETCH(QString, attendu);
        const QString racine = dossier_.path() + QLatin1Char('/');
        Environnement env{Environnement::lanceur()};
        auto f = fenetre(env);
        QSignalSpy propose(f.get(), &frmDalvire::elementDepose);
        QMimeData donnees;
        donnees.setUrls(
            {lien.startsWith('$') ? QUrl::fromLocalFile(lien.replace('$', racine)) : QUrl(lien)});
        QWidget* cible = surIcone ? static_cast<QWidget*>(Icone(*f)) : Liste(*f);
        QTEST(int(deposer(cible, donnees, Qt::DropActions(offertes))), "prise");
        QCOMPARE(propose.size(), 0);
        QTest::qWait(0);
        QCOMPARE(propose.size(), attendu.isEmpty() ? 0 : 1);
        if (attendu.isEmpty()) return;
        const auto e = propose.at(0).at(0).value<ElementPropose>();
        QCOMPARE(QString::number(e.type) + '|' + e.nom + '|' + e.chemin + '|' + e.categorie,
                 attendu.replace('$', racine));
    }

    // An open list of 10,000 items looks for the icons of the lines it shows.
    void iconesDeLaListeOuverte() {
        Environnement env{Environnement::lanceur()};
        auto f = fenetre(env);
        QList<Element> elements;
        for (int i = 0; i < 10000; ++i)
            elements << Element{QString::number(i),
                                i % 4 == 3 ? QStringLiteral("mailto:a@b.fr")
                                           : QStringLiteral("/bin/sh"),
                                QString(), ModeAffichage::Normal, static_cast<TypeElement>(i % 4)};
        f->definirLignes(elements);
        QCOMPARE(Liste(*f)->icones()->recherches(), 0);
        // Closed, the list draws its current entry with that entry's icon alone.
        Liste(*f)->setCurrentIndex(3);
        Liste(*f)->grab();
        QCOMPARE(Liste(*f)->icones()->recherches(), 1);
        Liste(*f)->showPopup();
        Liste(*f)->view()->grab();
        const int vues = Liste(*f)->icones()->recherches();
        QVERIFY(vues > 0);
        QVERIFY2(vues <= 40, qPrintable(QString::number(vues)));
        // The mail row has the application's own picture where the theme has none.
        QVERIFY(!Liste(*f)->icones()->icone(3).isNull());
        Liste(*f)->hidePopup();
        // New entries, new icons.
        Element un;
        un.nom = QStringLiteral("un");
        f->definirLignes({un});
        QCOMPARE(Liste(*f)->icones()->recherches(), 0);
    }
};

QTEST_MAIN(TestDepot)
#include "test_depot.moc"
