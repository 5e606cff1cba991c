#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>

#include <optional>

class QTextDocument;

// The report document is a QTextDocument; these read it from RTF and write it back, in
// the subset that the report's template and common writers use. Reading never fails:
// unknown control words are skipped and a damaged text gives what could be read.
void Lire_Rtf(QTextDocument& document, const QByteArray& rtf);
QByteArray Ecrire_Rtf(const QTextDocument& document);

// The document's text with CR LF between lines, a line ending at each paragraph end and
// at each line break inside a paragraph (list bullets are not part of the text).
QString Texte_Brut(const QTextDocument& document);

// One line of that text: where it starts in the document and its length.
struct LigneDocument {
    int debut = 0;
    int longueur = 0;
    QString texte;
};
// The lines in order; an empty last line (the text ending with a line end) is not one.
QList<LigneDocument> Lignes_Document(const QTextDocument& document);

// The formatting that holds over a whole stretch of the document. An attribute that holds
// over part of it only is false; a colour, font or size that varies is absent. An empty
// stretch takes the formatting at its position. No colour set is black.
struct FormatLigne {
    bool gras = false;
    bool italique = false;
    bool souligne = false;
    std::optional<QColor> couleur;
    std::optional<QString> police;
    std::optional<double> taille;
};
FormatLigne Format_Ligne(const QTextDocument& document, int debut, int longueur);

// A character format property that marks text typed by the user (as opposed to the
// document's own), for writers that must escape it.
inline constexpr int ProprieteSaisieUtilisateur = 0x100000 + 1;
