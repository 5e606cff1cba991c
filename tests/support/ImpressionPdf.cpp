#include "support/ImpressionPdf.h"

#include "platform/linux/ImpressionQt.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>

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
    return Imprimer_Sur(imprimante, document, raison);
}
