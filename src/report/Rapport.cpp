#include "report/Rapport.h"
#include "base/Textes.h"

#include "report/DocumentRtf.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cerrno>
#include <cmath>

namespace {

constexpr char16_t SeparateurLigne = 0x2028;

QString hexa2(int valeur) {
    return QStringLiteral("%1").arg(valeur, 2, 16, QLatin1Char('0')).toUpper();
}

QString Echapper_Html(const QString& texte) {
    QString sortie;
    sortie.reserve(texte.size());
    for (const QChar c : texte) {
        switch (c.unicode()) {
        case u'&':
            sortie += QLatin1String("&amp;");
            break;
        case u'<':
            sortie += QLatin1String("&lt;");
            break;
        case u'>':
            sortie += QLatin1String("&gt;");
            break;
        case u'"':
            sortie += QLatin1String("&quot;");
            break;
        case u'\'':
            sortie += QLatin1String("&#39;");
            break;
        default:
            sortie += c;
        }
    }
    return sortie;
}

// The line's text, the user's own parts escaped.
QString texteHtml(const QTextDocument& document, const LigneDocument& ligne) {
    const QTextBlock bloc = document.findBlock(ligne.debut);
    const int fin = ligne.debut + ligne.longueur;
    QString texte;
    for (auto it = bloc.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        const int debut = std::max(f.position(), ligne.debut);
        const int bout = std::min(f.position() + f.length(), fin);
        if (debut >= bout) continue;
        const QString morceau = f.text().mid(debut - f.position(), bout - debut);
        texte += f.charFormat().boolProperty(ProprieteSaisieUtilisateur) ? Echapper_Html(morceau)
                                                                         : morceau;
    }
    return texte;
}

ErreurFichier erreurSysteme(int code) {
    switch (code) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return {NumeroErreur::DisquePlein, QStringLiteral("Le disque est plein.")};
    case EACCES:
    case EPERM:
        return {
            NumeroErreur::PermissionRefusee,
            QStringLiteral("Permission refusée : l'écriture n'est pas autorisée à cet endroit.")};
    case EROFS:
        return {NumeroErreur::PermissionRefusee,
                QStringLiteral("Permission refusée : le disque est en lecture seule.")};
    case ENOENT:
    case ENOTDIR:
        return {NumeroErreur::CheminIntrouvable, QStringLiteral("Chemin d'accès introuvable.")};
    case EISDIR:
        return {NumeroErreur::AccesFichier, QStringLiteral("Ce nom est celui d'un dossier.")};
    default:
        return {NumeroErreur::AccesFichier,
                QStringLiteral("Erreur d'accès au chemin ou au fichier.")};
    }
}

} // namespace

QByteArray Modele_Rapport() {
    return QByteArrayLiteral(
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 "
        "Tahoma;}{\\f1\\fnil\\fcharset2 Symbol;}}\r\n"
        "{\\colortbl ;\\red0\\green0\\blue128;\\red0\\green0\\blue0;}\r\n"
        "\\viewkind4\\uc1\\pard\\cf1\\b\\f0\\fs24 RAPPORT D'ERREUR\\par\r\n"
        "\\cf2\\ul\\b0\\fs20 Exp\\'e9diteur:\\ulnone  <expediteur>\\cf0\\par\r\n"
        "------------------------------------------\\par\r\n"
        "\\ul\\b Programme:\\ulnone\\b0  <programme>\\par\r\n"
        "\\par\r\n"
        "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"
        "\\fi-720\\li720\\ul Description du probl\\'e8me:\\line\\ulnone <description>\\par\r\n"
        "\\pard\\par\r\n"
        "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"
        "\\fi-720\\li720\\ul Action ayant entrain\\'e9 le probl\\'e8me:\\line\\ulnone "
        "<action>\\par\r\n"
        "\\pard\\par\r\n"
        "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"
        "\\fi-720\\li720\\ul Message d'erreur:\\line\\ulnone <erreur>\\par\r\n"
        "\\pard ------------------------------------------\\par\r\n"
        "Rapport cr\\'e9\\'e9 le  <date> \\'e0 <heure>\\par\r\n"
        "}\r\n");
}

bool Remplacer_Premier(QTextDocument& document, const QString& marque, const QString& texte) {
    QTextCursor trouve = document.find(marque, 0);
    if (trouve.isNull() || !trouve.hasSelection()) return false;
    QTextCursor premier(&document);
    premier.setPosition(trouve.selectionStart() + 1);
    QTextCharFormat format = premier.charFormat();
    format.setProperty(ProprieteSaisieUtilisateur, true);
    QString insere = texte;
    insere.replace(QLatin1String("\r\n"), QString(QChar(SeparateurLigne)));
    for (QChar& c : insere) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar::ParagraphSeparator)
            c = QChar(SeparateurLigne);
        // Characters the document keeps for its own structure are not text.
        else if (c == QChar::ObjectReplacementCharacter || c.unicode() == 0xFDD0 ||
                 c.unicode() == 0xFDD1)
            c = QChar(0xFFFD);
    }
    trouve.insertText(insere, format);
    return true;
}

QString Html_Rapport(const QTextDocument& document) {
    QString html;
    html.reserve(document.characterCount() * 3 + 2048);
    for (const char* ligne :
         {"<html>", "<head>", "<meta http-equiv='content-type' content='text/html'>",
          "<title>RAPPORT D'ERREUR</title>", "<meta name='author' content='Dalvire'>",
          "<meta name='keywords' content=''>", "<meta name='description' content=''>", "<style>",
          "<!--",
          "a { font-family:'Arial Narrow'; font-style:normal; font-weight:normal; "
          "font-size:10pt; color:blue; text-decoration:none; }",
          "a:hover { font-family:'Arial Narrow'; font-style:normal; font-weight:normal; "
          "font-size:10pt; color:blue; text-decoration:underline; }",
          "-->", "</style>", "</head>", "<body bgcolor='white' text='black'>"}) {
        html += QLatin1String(ligne);
        html += SautDeLigne;
    }
    const QString Regle(42, QLatin1Char('-'));
    for (const LigneDocument& ligne : Lignes_Document(document)) {
        if (ligne.texte == Regle) {
            html += QLatin1String("<hr size='1' color='#000000'>") + SautDeLigne +
                    QLatin1String("<br>") + SautDeLigne;
            continue;
        }
        const FormatLigne f = Format_Ligne(document, ligne.debut, ligne.longueur);
        if (f.gras) html += QLatin1String("<b>");
        if (f.italique) html += QLatin1String("<i>");
        if (f.souligne) html += QLatin1String("<u>");
        html += QLatin1String("<font color ='");
        if (f.couleur)
            html += QLatin1Char('#') + hexa2(f.couleur->red()) + hexa2(f.couleur->green()) +
                    hexa2(f.couleur->blue());
        html += QLatin1String("' face = '");
        if (f.police) html += *f.police;
        html += QLatin1String("'><span style='font-size:");
        // std::nearbyint rounds half to even in the default rounding mode.
        if (f.taille) html += QString::number(static_cast<qint64>(std::nearbyint(*f.taille)));
        html += QLatin1String("pt;'>");
        html += texteHtml(document, ligne);
        html += QLatin1String("</span></font>");
        if (f.souligne) html += QLatin1String("</u>");
        if (f.italique) html += QLatin1String("</i>");
        if (f.gras) html += QLatin1String("</b>");
        html += QLatin1String("<br>") + SautDeLigne;
    }
    html += QLatin1String("</body></html>") + SautDeLigne;
    return html;
}

bool Ecrire_Fichier(const QString& chemin, const QByteArray& octets, ErreurFichier& erreur) {
    const QFileInfo info(chemin);
    if (info.isDir()) {
        erreur = erreurSysteme(EISDIR);
        return false;
    }
    // The system's own user may write anywhere; a file marked read-only stays as it is.
    if (info.exists() && !info.isWritable()) {
        erreur = erreurSysteme(EACCES);
        return false;
    }
    QFile fichier(chemin);
    errno = 0;
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        erreur = erreurSysteme(errno);
        return false;
    }
    errno = 0;
    const bool ecrit = fichier.write(octets) == octets.size() && fichier.flush();
    const int code = errno;
    fichier.close();
    if (!ecrit || fichier.error() != QFileDevice::NoError) {
        erreur = erreurSysteme(code == 0 ? EIO : code);
        return false;
    }
    return true;
}
