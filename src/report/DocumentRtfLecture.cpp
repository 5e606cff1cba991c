#include "report/DocumentRtf.h"

#include "report/DocumentRtfCommun.h"
#include "report/Windows1252.h"

#include <QFont>
#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>
#include <vector>

using namespace Rtf;

namespace {

constexpr int ProfondeurMaximale = 512;
constexpr qint64 ParametreMaximal = 1'000'000'000;

constexpr char16_t SeparateurParagraphe = 0x2029;

enum class Destination { Texte, Ignoree, TablePolices, TableCouleurs };

struct Caracteres {
    bool gras = false;
    bool italique = false;
    bool souligne = false;
    int couleur = 0; // 0: the automatic colour
    int police = -1; // -1: the default font
    int demiPoints = TailleParDefaut;

    bool operator==(const Caracteres&) const = default;
};

struct Groupe {
    Caracteres car;
    Destination destination = Destination::Texte;
    int uc = 1;
    bool etoile = false; // "\*" seen: an unknown destination word is skipped with its group
    bool premier = true; // no control word read yet in this group
};

struct Paragraphe {
    bool puce = false;
    int retraitGauche = 0;
    int retraitPremiereLigne = 0;
};

bool estLettre(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool estChiffre(char c) {
    return c >= '0' && c <= '9';
}
int valeurHexa(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Destinations whose content is never text of the document.
bool destinationIgnoree(std::string_view mot) {
    static constexpr std::array<std::string_view, 33> Mots{"stylesheet",
                                                           "info",
                                                           "pict",
                                                           "object",
                                                           "header",
                                                           "footer",
                                                           "headerl",
                                                           "headerr",
                                                           "headerf",
                                                           "footerl",
                                                           "footerr",
                                                           "footerf",
                                                           "footnote",
                                                           "listtable",
                                                           "listoverridetable",
                                                           "revtbl",
                                                           "rsidtbl",
                                                           "fldinst",
                                                           "pntext",
                                                           "pntxtb",
                                                           "pntxta",
                                                           "xmlnstbl",
                                                           "filetbl",
                                                           "latentstyles",
                                                           "themedata",
                                                           "colorschememapping",
                                                           "datastore",
                                                           "bkmkstart",
                                                           "bkmkend",
                                                           "nonshppict",
                                                           "generator",
                                                           "author",
                                                           "operator"};
    return std::find(Mots.begin(), Mots.end(), mot) != Mots.end();
}

// Control words that stand for one character of the text; 0 for any other word.
char16_t caractereDuMot(std::string_view mot) {
    static constexpr std::array<std::pair<std::string_view, char16_t>, 10> Mots{{
        {"emdash", 0x2014},
        {"endash", 0x2013},
        {"bullet", 0x2022},
        {"lquote", 0x2018},
        {"rquote", 0x2019},
        {"ldblquote", 0x201C},
        {"rdblquote", 0x201D},
        {"emspace", u' '},
        {"enspace", u' '},
        {"qmspace", u' '},
    }};
    const auto trouve = std::find_if(Mots.begin(), Mots.end(),
                                     [mot](const auto& entree) { return entree.first == mot; });
    return trouve == Mots.end() ? char16_t{0} : trouve->second;
}

class LecteurRtf {
public:
    LecteurRtf(QTextDocument& document, const QByteArray& rtf)
        : document_(document)
        , rtf_(rtf)
        , curseur_(&document) {}

    void lire();

private:
    Groupe& groupe() { return pile_.back(); }

    void ouvrirGroupe();
    void fermerGroupe();
    void motDeControle(std::string_view mot, bool avecParametre, int parametre);
    void symbole(char c);
    void texte(char16_t c);
    void caractereDuTexte(char16_t c);
    void finParagraphe();
    void appliquerParagraphe();
    void vider();
    QTextCharFormat formatDe(const Caracteres& c) const;
    int lireParametre(qsizetype& i, bool& present) const;

    QTextDocument& document_;
    const QByteArray& rtf_;
    QTextCursor curseur_;
    std::vector<Groupe> pile_;
    // Groups beyond the maximal depth are only counted: their text goes on with the state
    // of the deepest group kept, their control words are skipped.
    int profondeurIgnoree_ = 0;
    int aSauter_ = 0; // characters after \uN standing in for it
    Paragraphe paragraphe_;

    QHash<int, QString> polices_;
    int policeEnCours_ = -1;
    QString nomPolice_;
    int policeParDefaut_ = 0;
    QList<QColor> couleurs_;
    int rouge_ = -1, vert_ = -1, bleu_ = -1;

    QString enAttente_;
    Caracteres carEnAttente_;
};

void LecteurRtf::lire() {
    // Nobody undoes a read: without the undo stack it is several times faster.
    const bool annulation = document_.isUndoRedoEnabled();
    document_.setUndoRedoEnabled(false);
    document_.clear();
    curseur_ = QTextCursor(&document_);
    // One edit: the document tells its changes once, and no line is laid out meanwhile.
    curseur_.beginEditBlock();
    pile_.reserve(64);
    pile_.push_back(Groupe{});
    const qsizetype n = rtf_.size();
    qsizetype i = 0;
    while (i < n) {
        const char c = rtf_.at(i);
        if (c == '{') {
            ouvrirGroupe();
            ++i;
        } else if (c == '}') {
            fermerGroupe();
            ++i;
        } else if (c == '\\') {
            ++i;
            if (i >= n) break;
            const char s = rtf_.at(i);
            if (estLettre(s)) {
                const qsizetype debut = i;
                while (i < n && estLettre(rtf_.at(i)))
                    ++i;
                const std::string_view mot(rtf_.constData() + debut,
                                           static_cast<size_t>(std::min<qsizetype>(i - debut, 32)));
                bool present = false;
                const int parametre = lireParametre(i, present);
                if (i < n && rtf_.at(i) == ' ') ++i;
                if (mot == "bin") {
                    // Binary data: its bytes are not RTF.
                    i += std::clamp<qsizetype>(present ? parametre : 0, 0, n - i);
                    continue;
                }
                motDeControle(mot, present, parametre);
            } else if (s == '\'') {
                const int h = i + 1 < n ? valeurHexa(rtf_.at(i + 1)) : -1;
                const int l = i + 2 < n ? valeurHexa(rtf_.at(i + 2)) : -1;
                if (h >= 0 && l >= 0) {
                    texte(Depuis_Windows_1252(static_cast<unsigned char>(h * 16 + l)));
                    i += 3;
                } else {
                    ++i;
                }
            } else {
                symbole(s);
                ++i;
            }
        } else {
            if (c != '\r' && c != '\n') texte(Depuis_Windows_1252(static_cast<unsigned char>(c)));
            ++i;
        }
    }
    vider();
    appliquerParagraphe();
    if (curseur_.block().length() <= 1) curseur_.setBlockCharFormat(formatDe(groupe().car));
    curseur_.endEditBlock();
    document_.setUndoRedoEnabled(annulation);
}

int LecteurRtf::lireParametre(qsizetype& i, bool& present) const {
    const qsizetype n = rtf_.size();
    bool negatif = false;
    if (i < n && rtf_.at(i) == '-' && i + 1 < n && estChiffre(rtf_.at(i + 1))) {
        negatif = true;
        ++i;
    }
    qint64 valeur = 0;
    present = false;
    while (i < n && estChiffre(rtf_.at(i))) {
        present = true;
        valeur = std::min(valeur * 10 + (rtf_.at(i) - '0'), ParametreMaximal);
        ++i;
    }
    return static_cast<int>(negatif ? -valeur : valeur);
}

void LecteurRtf::ouvrirGroupe() {
    if (pile_.size() >= ProfondeurMaximale) {
        ++profondeurIgnoree_;
        return;
    }
    Groupe g = groupe();
    g.etoile = false;
    g.premier = true;
    pile_.push_back(g);
}

void LecteurRtf::fermerGroupe() {
    aSauter_ = 0;
    if (profondeurIgnoree_ > 0) {
        --profondeurIgnoree_;
        return;
    }
    if (pile_.size() <= 1) return; // an unbalanced "}" ends nothing
    const Destination d = groupe().destination;
    if (d == Destination::TablePolices && policeEnCours_ >= 0 && !nomPolice_.trimmed().isEmpty()) {
        // An entry closed without its ";".
        polices_.insert(policeEnCours_, nomPolice_.trimmed());
        nomPolice_.clear();
    }
    pile_.pop_back();
}

void LecteurRtf::motDeControle(std::string_view mot, bool avecParametre, int parametre) {
    if (profondeurIgnoree_ > 0) return;
    Groupe& g = groupe();
    const bool premier = g.premier;
    g.premier = false;
    if (aSauter_ > 0 && g.destination == Destination::Texte && mot != "par") {
        --aSauter_;
        return;
    }
    if (g.destination == Destination::Ignoree) return;

    const int p = parametre;
    const bool actif = !avecParametre || p != 0;

    // Destinations.
    if (mot == "fonttbl") {
        g.destination = Destination::TablePolices;
        return;
    }
    if (mot == "colortbl") {
        g.destination = Destination::TableCouleurs;
        return;
    }
    if (mot == "pn" || mot == "pntext") {
        // A bulleted paragraph; the bullet's own text and settings are the list's.
        paragraphe_.puce = true;
        g.destination = Destination::Ignoree;
        return;
    }
    if (destinationIgnoree(mot) || (g.etoile && premier)) {
        g.destination = Destination::Ignoree;
        return;
    }

    if (g.destination == Destination::TablePolices) {
        if (mot == "f") {
            policeEnCours_ = p;
            nomPolice_.clear();
        }
        return;
    }
    if (g.destination == Destination::TableCouleurs) {
        const int v = std::clamp(p, 0, 255);
        if (mot == "red")
            rouge_ = v;
        else if (mot == "green")
            vert_ = v;
        else if (mot == "blue")
            bleu_ = v;
        return;
    }

    Caracteres& car = g.car;
    if (mot == "par" || mot == "sect" || mot == "page" || mot == "row") {
        aSauter_ = 0;
        finParagraphe();
    } else if (mot == "line") {
        texte(SeparateurLigne);
    } else if (mot == "tab" || mot == "cell") {
        texte(u'\t');
    } else if (mot == "b") {
        car.gras = actif;
    } else if (mot == "i") {
        car.italique = actif;
    } else if (mot == "ul" || mot == "uld" || mot == "uldb" || mot == "ulw" || mot == "uldash" ||
               mot == "ulth" || mot == "ulwave") {
        car.souligne = actif;
    } else if (mot == "ulnone") {
        car.souligne = false;
    } else if (mot == "cf") {
        car.couleur = p;
    } else if (mot == "f") {
        car.police = p;
    } else if (mot == "fs") {
        car.demiPoints = avecParametre ? std::clamp(p, 2, 3276) : TailleParDefaut;
    } else if (mot == "plain") {
        car = Caracteres{};
    } else if (mot == "pard") {
        paragraphe_ = Paragraphe{};
    } else if (mot == "fi") {
        paragraphe_.retraitPremiereLigne = std::clamp(p, -31680, 31680);
    } else if (mot == "li") {
        paragraphe_.retraitGauche = std::clamp(p, -31680, 31680);
    } else if (mot == "uc") {
        g.uc = std::clamp(p, 0, 16);
    } else if (mot == "u") {
        texte(static_cast<char16_t>(static_cast<unsigned>(p) & 0xFFFF));
        aSauter_ = g.uc;
    } else if (mot == "deff") {
        policeParDefaut_ = p;
    } else if (const char16_t c = caractereDuMot(mot); c != 0) {
        texte(c);
    }
    // Every other word is skipped.
}

void LecteurRtf::symbole(char c) {
    Groupe& g = groupe();
    if (c == '*') {
        g.etoile = true;
        return;
    }
    g.premier = false;
    switch (c) {
    case '\\':
    case '{':
    case '}':
        texte(static_cast<char16_t>(c));
        break;
    case '~':
        texte(0x00A0);
        break;
    case '_':
        texte(0x2011);
        break;
    case '\r':
    case '\n':
        if (g.destination == Destination::Texte) finParagraphe();
        break;
    default:
        // "\-" (optional hyphen), "\|", "\:" and the rest: nothing to show.
        break;
    }
}

void LecteurRtf::texte(char16_t c) {
    Groupe& g = groupe();
    switch (g.destination) {
    case Destination::Ignoree:
        return;
    case Destination::TablePolices:
        if (c == u';') {
            if (policeEnCours_ >= 0) polices_.insert(policeEnCours_, nomPolice_.trimmed());
            nomPolice_.clear();
        } else if (nomPolice_.size() < 256) {
            nomPolice_.append(QChar(c));
        }
        return;
    case Destination::TableCouleurs:
        if (c == u';') {
            couleurs_.append(
                rouge_ < 0 && vert_ < 0 && bleu_ < 0
                    ? QColor()
                    : QColor(std::max(rouge_, 0), std::max(vert_, 0), std::max(bleu_, 0)));
            rouge_ = vert_ = bleu_ = -1;
        }
        return;
    case Destination::Texte:
        break;
    }
    if (aSauter_ > 0) {
        --aSauter_;
        return;
    }
    caractereDuTexte(c);
}

void LecteurRtf::caractereDuTexte(char16_t c) {
    if (c == SeparateurParagraphe) {
        finParagraphe();
        return;
    }
    // Controls, and the characters the document keeps for its own structure, are not text.
    if ((c < 0x20 && c != u'\t') || c == 0xFFFC || c == 0xFDD0 || c == 0xFDD1 || c == 0xFEFF)
        return;
    const Caracteres& car = groupe().car;
    if (!enAttente_.isEmpty() && !(car == carEnAttente_)) vider();
    if (enAttente_.isEmpty()) carEnAttente_ = car;
    enAttente_.append(QChar(c));
}

QTextCharFormat LecteurRtf::formatDe(const Caracteres& c) const {
    QTextCharFormat f;
    f.setFontWeight(c.gras ? QFont::Bold : QFont::Normal);
    f.setFontItalic(c.italique);
    f.setFontUnderline(c.souligne);
    if (c.couleur > 0 && c.couleur < couleurs_.size() && couleurs_.at(c.couleur).isValid())
        f.setForeground(couleurs_.at(c.couleur));
    const auto police = polices_.constFind(c.police < 0 ? policeParDefaut_ : c.police);
    if (police != polices_.constEnd() && !police->isEmpty())
        f.setFontFamilies(QStringList{*police});
    f.setFontPointSize(c.demiPoints / 2.0);
    return f;
}

void LecteurRtf::vider() {
    if (enAttente_.isEmpty()) return;
    curseur_.insertText(enAttente_, formatDe(carEnAttente_));
    enAttente_.clear();
}

void LecteurRtf::appliquerParagraphe() {
    QTextBlockFormat f;
    f.setProperty(ProprieteRetraitGauche, paragraphe_.retraitGauche);
    f.setProperty(ProprieteRetraitPremiereLigne, paragraphe_.retraitPremiereLigne);
    if (!paragraphe_.puce) {
        f.setLeftMargin(paragraphe_.retraitGauche / TwipsParPixel);
        f.setTextIndent(paragraphe_.retraitPremiereLigne / TwipsParPixel);
    }
    curseur_.setBlockFormat(f);
    if (paragraphe_.puce) {
        // A list of its own for each bulleted paragraph: bullets are not numbered, and a
        // list told of each new item marks all the others again (quadratic time).
        QTextListFormat liste;
        liste.setStyle(QTextListFormat::ListDisc);
        curseur_.createList(liste);
    }
}

void LecteurRtf::finParagraphe() {
    vider();
    const QTextCharFormat format = formatDe(groupe().car);
    // An empty paragraph shows the formatting in force at its end.
    if (curseur_.block().length() <= 1) curseur_.setBlockCharFormat(format);
    appliquerParagraphe();
    curseur_.insertBlock(QTextBlockFormat(), format);
}

} // namespace

void Lire_Rtf(QTextDocument& document, const QByteArray& rtf) {
    LecteurRtf(document, rtf).lire();
}
