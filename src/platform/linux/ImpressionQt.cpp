#include "platform/linux/ImpressionQt.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

bool Imprimer_Sur(QPrinter& imprimante, const QTextDocument& document, QString& raison) {
    if (!imprimante.isValid()) {
        raison = QStringLiteral("L'imprimante n'est pas utilisable.");
        return false;
    }
    document.print(&imprimante);
    if (imprimante.printerState() == QPrinter::Error) {
        raison = QStringLiteral("L'imprimante a refusé le document.");
        return false;
    }
    return true;
}

bool ImpressionQt::imprimer(const QTextDocument& document, const QString& nomTravail,
                            QString& raison) {
    const QPrinterInfo defaut = QPrinterInfo::defaultPrinter();
    if (defaut.isNull()) {
        raison = QStringLiteral("Aucune imprimante n'est installée, ou aucune n'est choisie "
                                "comme imprimante par défaut.");
        return false;
    }
    QPrinter imprimante(defaut, QPrinter::HighResolution);
    imprimante.setDocName(nomTravail);
    return Imprimer_Sur(imprimante, document, raison);
}
