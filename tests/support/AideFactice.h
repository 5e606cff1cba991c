#pragma once

#include "platform/Aide.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

// A help service that keeps every topic it was asked to open and answers as told.
class AideFactice final : public ServiceAide {
public:
    struct Appel {
        QPointer<QWidget> proprietaire;
        QString fichier;
        int numero = 0;
    };

    bool ouvrirRubrique(QWidget* proprietaire, const QString& fichierAide, int numero) override {
        appels.append(Appel{proprietaire, fichierAide, numero});
        return reussite;
    }

    bool reussite = true;
    QList<Appel> appels;
};
