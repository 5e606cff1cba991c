// bench_report: the error report built from a filled form, then saved as each of its three
// file types (build included, as a save does it), and the reading of a 1 MB RTF document.
#include "report/DocumentRtf.h"
#include "report/frmOCRE.h"
#include "support/Controles.h"
#include "support/DialoguesScriptes.h"
#include "support/Environnement.h"
#include "support/MessagesScriptes.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Tours = 21;

double mediane(const std::function<void()>& action) {
    std::vector<double> durees;
    for (int i = 0; i < Tours; ++i) {
        QElapsedTimer chrono;
        chrono.start();
        action();
        durees.push_back(static_cast<double>(chrono.nsecsElapsed()) / 1e6);
    }
    std::sort(durees.begin(), durees.end());
    return durees.at(durees.size() / 2);
}

// About 1 MB of RTF: paragraphs with runs of several formats, accents as \'hh, characters
// as \u, bullets and line breaks, as a word processor writes them.
QByteArray documentDUnMega() {
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Tahoma;}"
                     "{\\f1\\fnil\\fcharset2 Symbol;}{\\f2\\froman Times New Roman;}}"
                     "{\\colortbl ;\\red0\\green0\\blue128;\\red200\\green0\\blue0;}\r\n"
                     "\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    int n = 0;
    while (rtf.size() < 1'000'000) {
        if (n % 5 == 0)
            rtf +=
                "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"
                "\\fi-720\\li720 ";
        rtf += "\\b Paragraphe " + QByteArray::number(n) +
               "\\b0  : le probl\\'e8me "
               "d\\'e9crit ici se r\\'e9p\\'e8te \\u8364? {\\i souvent}, {\\cf2\\ul parfois} "
               "\\f2\\fs24 ailleurs\\f0\\fs20 .\\line Une seconde ligne plus longue que la "
               "premi\\'e8re, pour que le texte p\\'e8se son poids.\\par\r\n";
        if (n % 5 == 4) rtf += "\\pard ";
        ++n;
    }
    return rtf + "}";
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Environnement env;
    frmOCRE f(env.contexte());
    const QStringList expediteur{"Jeanne Martin",
                                 "12 rue des Lilas\nBâtiment B",
                                 "69003",
                                 "Lyon",
                                 "04 78 00 00 00",
                                 "",
                                 "jeanne.martin@exemple.fr",
                                 "https://exemple.fr/"};
    const QString description = QStringLiteral(
        "La liste des programmes reste vide après la modification d'une catégorie, puis le "
        "programme affiche un message d'erreur lorsque je clique de nouveau sur l'icône. ");
    const auto remplir = [&] {
        for (int i = 0; i < 8; ++i)
            f.definirExpediteur(i, expediteur.at(i));
        Controle<QComboBox>(f, "Programme utilisé (nom et version)")->setCurrentIndex(1);
        for (const char* titre : {"Description du problème", "Action ayant entrainé le problème",
                                  "Message d'erreur (No et message)"})
            Controle<QPlainTextEdit>(f, titre)->setPlainText(description.repeated(3));
    };
    remplir();

    const double rapport = mediane([&] {
        f.Charger_Modele();
        f.Remplir_Rapport();
    });
    std::printf("bench_report: a report with every field filled, medians of %d runs\n", Tours);
    std::printf("  build the report (template + fields)   %7.2f ms   aim < 20 ms\n", rapport);
    for (const char* type : {"htm", "txt", "rtf"}) {
        const QString chemin = env.dossier() + QStringLiteral("rapport.") + QLatin1String(type);
        const double duree = mediane([&] {
            env.dialogues().fichiers << chemin;
            env.messages().reponses << ReponseMessage::Non;
            f.cmdEnregistrer_Click();
        });
        std::printf("  build and save as .%s                  %7.2f ms   aim < 20 ms\n", type,
                    duree);
    }

    const QByteArray rtf = documentDUnMega();
    QTextDocument document;
    const double lecture = mediane([&] { Lire_Rtf(document, rtf); });
    std::printf("  read a %.2f MB RTF document (%d paragraphs) %5.1f ms   aim < 200 ms\n",
                static_cast<double>(rtf.size()) / 1e6, document.blockCount(), lecture);
    const double ecriture = mediane([&] { (void)Ecrire_Rtf(document); });
    std::printf("  write it back as RTF                   %7.1f ms\n", ecriture);
    std::fflush(stdout);
    return env.messages().textes().filter(QStringLiteral("n'a pas pu")).isEmpty() ? 0 : 1;
}
