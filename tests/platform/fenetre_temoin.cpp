// A program with one ordinary window, for the checks of window states: it writes its
// process id where DALVIRE_TEMOIN_PID says once its window is shown, and ends by itself.
#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget fenetre;
    fenetre.setWindowTitle(QStringLiteral("temoin"));
    fenetre.resize(320, 200);
    fenetre.show();
    QTimer::singleShot(0, [] {
        QFile note(QFile::decodeName(qgetenv("DALVIRE_TEMOIN_PID")));
        if (note.open(QIODevice::WriteOnly))
            note.write(QByteArray::number(QCoreApplication::applicationPid()));
    });
    QTimer::singleShot(60000, &application, &QCoreApplication::quit);
    return application.exec();
}
