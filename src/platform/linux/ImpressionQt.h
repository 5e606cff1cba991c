#pragma once

#include "platform/Impression.h"

// The system's default printer, through Qt's print support (CUPS here).
class ImpressionQt final : public ServiceImpression {
public:
    bool imprimer(const QTextDocument& document, const QString& nomTravail,
                  QString& raison) override;
};

// Prints into a PDF file: what a test reads back, through the same document path.
class ImpressionPdf final : public ServiceImpression {
public:
    explicit ImpressionPdf(QString fichier) : fichier_(std::move(fichier)) {}
    bool imprimer(const QTextDocument& document, const QString& nomTravail,
                  QString& raison) override;
    const QString& fichier() const { return fichier_; }
    void definirFichier(QString fichier) { fichier_ = std::move(fichier); }
    int travaux = 0;

private:
    QString fichier_;
};
