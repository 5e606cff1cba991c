#include "app/ApplicationDalvire.h"

#include "catalogue/Connexion.h"
#include "report/MessageErreur.h"
#include "report/Rapport.h"

#include <cstdio>
#include <exception>
#include <new>

ApplicationDalvire::ApplicationDalvire(int& argc, char** argv)
    : QApplication(argc, argv) {}

bool ApplicationDalvire::notify(QObject* destinataire, QEvent* evenement) {
    try {
        return QApplication::notify(destinataire, evenement);
    } catch (const ErreurCatalogue& erreur) {
        signaler(erreur.numero(), erreur.description());
    } catch (const std::bad_alloc&) {
        signaler(7, QStringLiteral("Mémoire insuffisante."));
    } catch (const std::exception& erreur) {
        signaler(NumeroErreur::Inattendue, QString::fromLocal8Bit(erreur.what()));
    } catch (...) {
        signaler(NumeroErreur::Inattendue, QStringLiteral("Erreur inattendue."));
    }
    return false;
}

void ApplicationDalvire::signaler(int numero, const QString& description) {
    const QByteArray trace =
        QStringLiteral("dalvire: erreur %1: %2\n").arg(numero).arg(description).toLocal8Bit();
    std::fputs(trace.constData(), stderr);
    // A failure that comes back while its report is on screen (a paint handler failing at
    // each repaint) is only written out: one prompt at a time.
    if (contexte_ == nullptr || enSignalement_) return;
    enSignalement_ = true;
    QWidget* parent = activeModalWidget() != nullptr ? activeModalWidget() : activeWindow();
    try {
        Message_Erreur(*contexte_, parent, numero, description);
    } catch (...) {
        std::fputs("dalvire: le rapport d'erreur a lui-même échoué\n", stderr);
    }
    enSignalement_ = false;
}
