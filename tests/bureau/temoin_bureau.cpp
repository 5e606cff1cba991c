// The program the harness checks itself against: an icon in the tray with a French
// menu and a tooltip, three small frameless windows against the right edge of the
// screen (the third kept above the others), a window made but never shown, a dialog
// with a field and a message box.
// What it is asked to do goes to stdout, one line each, so the check can compare.
// With --listes each window also holds what a launcher strip holds, a picture and a
// drop-down list of names: the bare program the benchmarks weigh the launcher against
// (drawing text alone brings in the fonts and their libraries).
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QVBoxLayout>
#include <cstdio>

namespace {

void dire(const QString& ligne) {
    std::puts(ligne.toUtf8().constData());
    std::fflush(stdout);
}

QIcon rond() {
    QPixmap image(22, 22);
    image.fill(QColor(0, 128, 255));
    return QIcon(image);
}

QWidget* bande(int rang, int droite, bool garnie) {
    const Qt::WindowFlags dessus = rang == 3 ? Qt::WindowStaysOnTopHint : Qt::WindowFlags();
    auto* w = new QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | dessus);
    w->setWindowTitle(QStringLiteral("bande-%1").arg(rang));
    w->setFixedSize(200, 30);
    // A plain colour that a screenshot can be checked against.
    QPalette p = w->palette();
    p.setColor(QPalette::Window, QColor(0, 128, 255));
    w->setPalette(p);
    w->setAutoFillBackground(true);
    w->move(droite - 200, 30 * (rang - 1));
    if (garnie) {
        auto* image = new QLabel(w);
        image->setPixmap(rond().pixmap(22, 22));
        image->setGeometry(4, 4, 22, 22);
        auto* liste = new QComboBox(w);
        liste->addItems({QStringLiteral("Calculatrice"), QStringLiteral("Éditeur de texte")});
        liste->setAccessibleName(QStringLiteral("Programmes"));
        liste->setGeometry(30, 4, 166, 22);
    }
    return w;
}

// Opened without exec(): a modal loop inside an accessibility action would leave the
// action unanswered.
void demanderNom(QWidget* parent) {
    auto* dialogue = new QDialog(parent);
    dialogue->setAttribute(Qt::WA_DeleteOnClose);
    dialogue->setWindowTitle(QStringLiteral("Réglages"));
    auto* champ = new QLineEdit(dialogue);
    champ->setAccessibleName(QStringLiteral("Nom"));
    auto* boutons = new QDialogButtonBox(dialogue);
    boutons->addButton(QStringLiteral("Valider"), QDialogButtonBox::AcceptRole);
    boutons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    auto* colonne = new QVBoxLayout(dialogue);
    colonne->addWidget(new QLabel(QStringLiteral("Votre nom :"), dialogue));
    colonne->addWidget(champ);
    colonne->addWidget(boutons);
    QObject::connect(boutons, &QDialogButtonBox::accepted, dialogue, [dialogue, champ, parent] {
        dire(QStringLiteral("nom=") + champ->text());
        dialogue->accept();
        auto* boite = new QMessageBox(QMessageBox::Information, QStringLiteral("Témoin"),
                                      QStringLiteral("Bonjour %1\r\nAu revoir").arg(champ->text()),
                                      QMessageBox::Ok, parent);
        boite->setAttribute(Qt::WA_DeleteOnClose);
        boite->open();
    });
    QObject::connect(boutons, &QDialogButtonBox::rejected, dialogue, &QDialog::reject);
    dialogue->open();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    QWidget principale; // never shown: the parent of the dialogs
    principale.setWindowTitle(QStringLiteral("cachee"));
    principale.winId(); // an X window all the same, unmapped
    const bool garnies = QApplication::arguments().contains(QStringLiteral("--listes"));
    const int droite = app.primaryScreen()->geometry().right() + 1;
    for (int rang = 1; rang <= 3; ++rang)
        bande(rang, droite, garnies)->show();

    QMenu menu;
    QObject::connect(menu.addAction(QStringLiteral("Réglages...")), &QAction::triggered,
                     &principale, [&principale] { demanderNom(&principale); });
    menu.addSeparator();
    QObject::connect(menu.addAction(QStringLiteral("Quitter")), &QAction::triggered, &app, [] {
        dire(QStringLiteral("quitter"));
        QApplication::quit();
    });
    QSystemTrayIcon icone(rond());
    icone.setToolTip(QStringLiteral("Témoin du bureau"));
    icone.setContextMenu(&menu);
    QObject::connect(&icone, &QSystemTrayIcon::activated, [](QSystemTrayIcon::ActivationReason r) {
        static const char* const noms[] = {"Unknown", "Context", "DoubleClick", "Trigger",
                                           "MiddleClick"};
        dire(QStringLiteral("clic=") + QLatin1String(noms[r]));
    });
    icone.show();
    return app.exec();
}
