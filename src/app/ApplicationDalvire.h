#pragma once

#include <QApplication>

class Contexte;

// The program's application object. A failure that escapes an event handler, anywhere
// in the program, is caught here, offered to the user as an error report with its number
// and description, and the program goes on.
class ApplicationDalvire final : public QApplication {
public:
    ApplicationDalvire(int& argc, char** argv);

    bool notify(QObject* destinataire, QEvent* evenement) override;

    // The context whose error prompt tells the failures; without one (before start-up,
    // after shutdown) a failure is only written to the error output.
    void definirContexte(Contexte* contexte) { contexte_ = contexte; }

private:
    void signaler(int numero, const QString& description);

    Contexte* contexte_ = nullptr;
    bool enSignalement_ = false;
};
