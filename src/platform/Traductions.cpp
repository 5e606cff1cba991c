#include "platform/Traductions.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void Charger_Traductions_Francaises(QCoreApplication& application) {
    const QString dossier = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* traducteur = new QTranslator(&application);
    if (traducteur->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                         QStringLiteral("_"), dossier))
        QCoreApplication::installTranslator(traducteur);
    else
        delete traducteur;
}
