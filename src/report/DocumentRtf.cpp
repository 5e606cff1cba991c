#include "report/DocumentRtf.h"

#include "report/DocumentRtfCommun.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

using namespace Rtf;

namespace {

// The character formats over [debut, fin) of one block, or the format at debut when the
// stretch is empty.
QList<QTextCharFormat> formatsDe(const QTextBlock& bloc, int debut, int fin) {
    QList<QTextCharFormat> formats;
    if (debut == fin) {
        if (debut == bloc.position()) {
            formats << bloc.charFormat();
            if (bloc.length() > 1) formats[0] = bloc.begin().fragment().charFormat();
            return formats;
        }
        for (auto it = bloc.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.position() < debut && debut <= f.position() + f.length()) {
                formats << f.charFormat();
                return formats;
            }
        }
        formats << bloc.charFormat();
        return formats;
    }
    for (auto it = bloc.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        if (f.position() < fin && f.position() + f.length() > debut) formats << f.charFormat();
    }
    return formats;
}

} // namespace

QString Texte_Brut(const QTextDocument& document) {
    QString texte;
    texte.reserve(document.characterCount() + document.blockCount());
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        if (b != document.begin()) texte.append(QLatin1String("\r\n"));
        const QString ligne = b.text();
        for (const QChar c : ligne) {
            if (c.unicode() == SeparateurLigne)
                texte.append(QLatin1String("\r\n"));
            else
                texte.append(c);
        }
    }
    return texte;
}

QList<LigneDocument> Lignes_Document(const QTextDocument& document) {
    QList<LigneDocument> lignes;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        const QString texte = b.text();
        qsizetype debut = 0;
        while (true) {
            const qsizetype fin = texte.indexOf(QChar(SeparateurLigne), debut);
            const qsizetype bout = fin < 0 ? texte.size() : fin;
            lignes.append(LigneDocument{b.position() + static_cast<int>(debut),
                                        static_cast<int>(bout - debut),
                                        texte.mid(debut, bout - debut)});
            if (fin < 0) break;
            debut = fin + 1;
        }
    }
    if (!lignes.isEmpty() && lignes.constLast().longueur == 0) lignes.removeLast();
    return lignes;
}

FormatLigne Format_Ligne(const QTextDocument& document, int debut, int longueur) {
    FormatLigne resultat;
    const QTextBlock bloc = document.findBlock(debut);
    if (!bloc.isValid()) return resultat;
    const int fin = std::min(debut + std::max(longueur, 0), bloc.position() + bloc.length() - 1);
    const QList<QTextCharFormat> formats = formatsDe(bloc, debut, std::max(fin, debut));
    if (formats.isEmpty()) return resultat;
    const auto couleurDe = [](const QTextCharFormat& f) {
        return f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().toRgb()
                                                           : QColor(Qt::black);
    };
    const QTextCharFormat& premier = formats.constFirst();
    resultat.gras = true;
    resultat.italique = true;
    resultat.souligne = true;
    resultat.couleur = couleurDe(premier);
    resultat.police = familleDe(premier);
    resultat.taille = premier.fontPointSize();
    for (const QTextCharFormat& f : formats) {
        resultat.gras = resultat.gras && estGras(f);
        resultat.italique = resultat.italique && f.fontItalic();
        resultat.souligne = resultat.souligne && f.fontUnderline();
        if (resultat.couleur && *resultat.couleur != couleurDe(f)) resultat.couleur.reset();
        if (resultat.police && *resultat.police != familleDe(f)) resultat.police.reset();
        if (resultat.taille && *resultat.taille != f.fontPointSize()) resultat.taille.reset();
    }
    return resultat;
}
