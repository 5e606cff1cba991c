#pragma once

#include "platform/Impression.h"

// Prints into a PDF file: what a test reads back, through the same document path as the
// real printer.
class ImpressionPdf final : public ServiceImpression {
public:
    explicit ImpressionPdf(QString fichier)
        : fichier_(std::move(fichier)) {}
    bool imprimer(const QTextDocument& document, const QString& nomTravail,
                  QString& raison) override;
    const QString& fichier() const { return fichier_; }
    void definirFichier(QString fichier) { fichier_ = std::move(fichier); }
    int travaux = 0;

private:
    QString fichier_;
};
