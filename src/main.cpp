#include "core/Programme.h"
#include "core/Services.h"
#include "platform/Traductions.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dalvire"));
    // A tray program: closing a message box or the last dialog must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    Charger_Traductions_Francaises(application);
    Installer_Police_Application();
    return Executer_Dalvire(application);
}
