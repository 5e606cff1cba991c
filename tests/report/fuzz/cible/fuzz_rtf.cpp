// Any bytes given to the RTF reader: no crash, no hang, no undefined behaviour, and what
// the writer makes of the document reads back to the same text.
#include "report/DocumentRtf.h"
#include "report/Rapport.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    const QByteArray rtf(reinterpret_cast<const char*>(donnees), static_cast<qsizetype>(taille));
    QTextDocument document;
    Lire_Rtf(document, rtf);
    const QString texte = Texte_Brut(document);

    QTextDocument relu;
    Lire_Rtf(relu, Ecrire_Rtf(document));
    if (Texte_Brut(relu) != texte) {
        std::fprintf(stderr, "texte différent après écriture et relecture\n");
        std::abort();
    }
    (void)Html_Rapport(document);
    Remplacer_Premier(document, QStringLiteral("<date>"), QStringLiteral("a\r\nb"));
    (void)Lignes_Document(document);
    return 0;
}
