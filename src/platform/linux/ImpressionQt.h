#pragma once

#include "platform/Impression.h"

class QPrinter;

// The system's default printer, through Qt's print support (CUPS here).
class ImpressionQt final : public ServiceImpression {
public:
    bool imprimer(const QTextDocument& document, const QString& nomTravail,
                  QString& raison) override;
};

// The document on a printer already chosen and named, so that every destination (a PDF
// file as well) fails with the same reasons.
bool Imprimer_Sur(QPrinter& imprimante, const QTextDocument& document, QString& raison);
