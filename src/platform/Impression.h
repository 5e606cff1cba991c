#pragma once

#include <QString>

class QTextDocument;

// Printing a document on the default printer. A test prints into a PDF file instead.
class ServiceImpression {
public:
    virtual ~ServiceImpression() = default;
    // False with a French reason the user can read when nothing could be printed (no
    // printer installed, the printer refused the job).
    virtual bool imprimer(const QTextDocument& document, const QString& nomTravail,
                          QString& raison) = 0;
};
