#pragma once

#include <QtGlobal>

#include <cstdio>

// Benchmarks print figures only: the offscreen platform warns once per window it cannot
// raise, which would bury them. Errors still reach stderr.
inline void Taire_Avertissements() {
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& texte) {
        if (type != QtWarningMsg && type != QtInfoMsg && type != QtDebugMsg)
            std::fprintf(stderr, "%s\n", qPrintable(texte));
    });
}
