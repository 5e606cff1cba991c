#include "report/DocumentRtf.h"

#include "report/DocumentRtfCommun.h"
#include "report/Windows1252.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

using namespace Rtf;

namespace {

struct EtatEcriture {
    bool gras = false;
    bool italique = false;
    bool souligne = false;
    int couleur = 0;
    int police = 0;
    int demiPoints = TailleParDefaut;
};

class EcrivainRtf {
public:
    explicit EcrivainRtf(const QTextDocument& document)
        : document_(document) {}
    QByteArray ecrire();

private:
    void recenser();
    void changerFormat(const QTextCharFormat& f);
    void ecrireTexte(const QString& texte);
    void mot(const char* m) { sortie_.append(m); }
    void mot(const char* m, int valeur) {
        sortie_.append(m);
        sortie_.append(QByteArray::number(valeur));
    }

    const QTextDocument& document_;
    QByteArray sortie_;
    QStringList polices_;
    QList<QColor> couleurs_; // index 0 is the automatic colour
    int symbole_ = -1;
    EtatEcriture etat_;
};

void EcrivainRtf::recenser() {
    bool puces = false;
    const auto noterPolice = [this](const QTextCharFormat& f) {
        const QString famille = familleDe(f);
        if (!famille.isEmpty() && !polices_.contains(famille)) polices_.append(famille);
    };
    const auto noterCouleur = [this](const QTextCharFormat& f) {
        if (!f.hasProperty(QTextFormat::ForegroundBrush)) return;
        const QColor c = f.foreground().color().toRgb();
        const QColor opaque(c.red(), c.green(), c.blue());
        if (!couleurs_.contains(opaque)) couleurs_.append(opaque);
    };
    couleurs_.append(QColor());
    for (QTextBlock b = document_.begin(); b.isValid(); b = b.next()) {
        puces = puces || b.textList() != nullptr;
        noterPolice(b.charFormat());
        noterCouleur(b.charFormat());
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            noterPolice(it.fragment().charFormat());
            noterCouleur(it.fragment().charFormat());
        }
    }
    // Text with no font named keeps none: the table still has its default entry.
    if (polices_.isEmpty()) polices_.append(QString());
    if (puces) {
        symbole_ = static_cast<int>(polices_.size());
        polices_.append(QStringLiteral("Symbol"));
    }
}

QByteArray EcrivainRtf::ecrire() {
    recenser();
    sortie_.reserve(document_.characterCount() * 2 + 512);
    mot("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl");
    for (int i = 0; i < polices_.size(); ++i) {
        mot("{\\f", i);
        mot(i == symbole_ ? "\\fnil\\fcharset2 " : "\\fnil\\fcharset0 ");
        ecrireTexte(QString(polices_.at(i)).remove(QLatin1Char(';')));
        mot(";}");
    }
    mot("}\r\n{\\colortbl ;");
    for (int i = 1; i < couleurs_.size(); ++i) {
        mot("\\red", couleurs_.at(i).red());
        mot("\\green", couleurs_.at(i).green());
        mot("\\blue", couleurs_.at(i).blue());
        mot(";");
    }
    mot("}\r\n\\viewkind4\\uc1");
    for (QTextBlock b = document_.begin(); b.isValid(); b = b.next()) {
        mot("\\pard");
        const QTextBlockFormat bf = b.blockFormat();
        if (b.textList() != nullptr) {
            mot("{\\pntext\\f", symbole_);
            mot("\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf", symbole_);
            mot("\\pnindent0{\\pntxtb\\'b7}}");
        }
        const int premiere = bf.hasProperty(ProprieteRetraitPremiereLigne)
                                 ? bf.intProperty(ProprieteRetraitPremiereLigne)
                                 : qRound(bf.textIndent() * TwipsParPixel);
        const int gauche = bf.hasProperty(ProprieteRetraitGauche)
                               ? bf.intProperty(ProprieteRetraitGauche)
                               : qRound(bf.leftMargin() * TwipsParPixel);
        // After the bullet's groups a control word must come before the blank that ends it.
        if (premiere != 0 || b.textList() != nullptr) mot("\\fi", premiere);
        if (gauche != 0 || b.textList() != nullptr) mot("\\li", gauche);
        sortie_.append(' ');
        if (b.length() <= 1) changerFormat(b.charFormat());
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            changerFormat(it.fragment().charFormat());
            ecrireTexte(it.fragment().text());
        }
        if (b.next().isValid()) mot("\\par\r\n");
    }
    mot("}\r\n");
    return sortie_;
}

void EcrivainRtf::changerFormat(const QTextCharFormat& f) {
    const qsizetype avant = sortie_.size();
    const bool gras = estGras(f);
    if (gras != etat_.gras) mot(gras ? "\\b" : "\\b0");
    if (f.fontItalic() != etat_.italique) mot(f.fontItalic() ? "\\i" : "\\i0");
    if (f.fontUnderline() != etat_.souligne) mot(f.fontUnderline() ? "\\ul" : "\\ulnone");
    int couleur = 0;
    if (f.hasProperty(QTextFormat::ForegroundBrush)) {
        const QColor c = f.foreground().color().toRgb();
        couleur = static_cast<int>(couleurs_.indexOf(QColor(c.red(), c.green(), c.blue())));
    }
    if (couleur != etat_.couleur) mot("\\cf", couleur);
    const int police = std::max(0, static_cast<int>(polices_.indexOf(familleDe(f))));
    if (police != etat_.police) mot("\\f", police);
    const double points = f.fontPointSize() > 0 ? f.fontPointSize() : TailleParDefaut / 2.0;
    const int demiPoints = std::clamp(qRound(points * 2), 2, 3276);
    if (demiPoints != etat_.demiPoints) mot("\\fs", demiPoints);
    etat_ = EtatEcriture{gras, f.fontItalic(), f.fontUnderline(), couleur, police, demiPoints};
    // The blank ends the last word; text may start with a letter.
    if (sortie_.size() != avant) sortie_.append(' ');
}

void EcrivainRtf::ecrireTexte(const QString& texte) {
    static constexpr char Hexa[] = "0123456789abcdef";
    for (const QChar qc : texte) {
        const char16_t c = qc.unicode();
        unsigned char o = 0;
        if (c == u'\\' || c == u'{' || c == u'}') {
            sortie_.append('\\');
            sortie_.append(static_cast<char>(c));
        } else if (c == u'\t') {
            mot("\\tab ");
        } else if (c == SeparateurLigne) {
            mot("\\line ");
        } else if (c >= 0x20 && c < 0x80) {
            sortie_.append(static_cast<char>(c));
        } else if (c >= 0x80 && Vers_Windows_1252(c, o)) {
            sortie_.append("\\'");
            sortie_.append(Hexa[o >> 4]);
            sortie_.append(Hexa[o & 0x0F]);
        } else if (c >= 0x80) {
            // Readers that know \u take the character, the others the "?" after it.
            mot("\\u", static_cast<int>(static_cast<qint16>(c)));
            sortie_.append('?');
        }
    }
}

} // namespace

QByteArray Ecrire_Rtf(const QTextDocument& document) {
    return EcrivainRtf(document).ecrire();
}
