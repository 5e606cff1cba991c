#pragma once

#include "base/Textes.h"

#include <QByteArray>
#include <QString>

class QTextDocument;

// The RTF template of the report, one line per item, each ending with CR LF.
QByteArray Modele_Rapport();

// Replaces the first occurrence of the mark, searched from the start of the document in
// any letter case, by the text, which takes the mark's formatting and is kept marked as
// the user's own. Line ends in the text become line breaks of its paragraph. False when
// the mark is not in the document.
bool Remplacer_Premier(QTextDocument& document, const QString& marque, const QString& texte);

// The report as an HTML page, line by line: a tag for each attribute that holds over a
// whole line, the line's colour, font and size, a rule for a line of 42 hyphens. Text
// typed by the user is escaped; the document's own is written as it stands. Ends with
// CR LF.
QString Html_Rapport(const QTextDocument& document);

// Why a file could not be written: an error number and its French description.
struct ErreurFichier {
    int numero = 0;
    QString description;
};

namespace NumeroErreur {
inline constexpr int FichierIntrouvable = 53;
inline constexpr int DisquePlein = 61;
inline constexpr int PermissionRefusee = 70;
inline constexpr int AccesFichier = 75;
inline constexpr int CheminIntrouvable = 76;
// An unexpected failure that carries no number of its own.
inline constexpr int Inattendue = 1000;
} // namespace NumeroErreur

// Writes the bytes to the file, replacing it. False, with the reason, when the file could
// not be written whole.
bool Ecrire_Fichier(const QString& chemin, const QByteArray& octets, ErreurFichier& erreur);
