#include "platform/linux/ImpressionQt.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

namespace {

bool imprimerSur(QPrinter& imprimante, const QTextDocument& document, QString& raison) {
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

} // namespace

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
    return imprimerSur(imprimante, document, raison);
}

bool ImpressionPdf::imprimer(const QTextDocument& document, const QString& nomTravail,
                             QString& raison) {
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(fichier_);
    imprimante.setDocName(nomTravail);
    if (!QFileInfo(fichier_).dir().exists()) {
        raison = QStringLiteral("Le dossier du fichier n'existe pas.");
        return false;
    }
    ++travaux;
    return imprimerSur(imprimante, document, raison);
}
