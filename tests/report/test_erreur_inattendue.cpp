// A failure escaping an event handler is offered as an error report and the program goes on.
#include "app/ApplicationDalvire.h"
#include "catalogue/Catalogue.h"
#include "report/Rapport.h"
#include "support/Environnement.h"
#include "support/MaisonXdg.h"
#include "support/MessagesScriptes.h"

#include <QFile>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <stdexcept>

namespace {

// A window whose handler of a posted event runs what the test gives it.
class Fenetre final : public QWidget {
public:
    std::function<void()> action;

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) {
            action();
            return true;
        }
        return QWidget::event(e);
    }
};

// Posts the event, lets the loop deliver it, then checks the loop still serves the next one.
bool livrerPuisContinuer(Fenetre& f) {
    QCoreApplication::postEvent(&f, new QEvent(QEvent::User));
    bool suite = false;
    QTimer::singleShot(0, [&suite] { suite = true; });
    QTest::qWait(20);
    return suite;
}

} // namespace

class TestErreurInattendue : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The catalogue's failures carry its error number; anything else is number 1000.
    void echecs_data() {
        QTest::addColumn<int>("cas");
        QTest::addColumn<QString>("numero");
        QTest::newRow("catalogue devenu illisible") << 0 << "[Erreur No:26";
        QTest::newRow("exception de la bibliothèque") << 1 << "[Erreur No:1000";
        QTest::newRow("autre chose") << 2 << "[Erreur No:1000";
    }
    void echecs() {
        QFETCH(int, cas);
        QFETCH(QString, numero);
        Environnement env;
        env.ouvrirCatalogue();
        auto* application = static_cast<ApplicationDalvire*>(qApp);
        application->definirContexte(&env.contexte());
        // The catalogue becomes unreadable while the program runs: the next list read fails.
        QVERIFY(MaisonXdg::ecrire(env.cheminCatalogue(), QByteArray(8192, 'x')));
        Fenetre f;
        f.action = [cas, &env] {
            if (cas == 0) env.contexte().catalogue().categories();
            if (cas == 1) throw std::runtime_error("échec");
            throw 42;
        };
        QVERIFY(livrerPuisContinuer(f));
        application->definirContexte(nullptr);
        QCOMPARE(env.messages().vus.size(), 1);
        QVERIFY2(env.messages().vus.at(0).texte.contains(numero + QStringLiteral("].\r\n")),
                 qPrintable(env.messages().vus.at(0).texte));
    }
};

int main(int argc, char** argv) {
    ApplicationDalvire application(argc, argv);
    TestErreurInattendue test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_erreur_inattendue.moc"
