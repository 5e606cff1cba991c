#include "catalogue/Collation.h"

#include <algorithm>
#include <iterator>

namespace {

// Primary key: base letters, case folded, marks removed. Secondary: the marks of each
// base letter, with a separator so that their place counts.
struct Cles {
    QString primaire;
    QString secondaire;
};

// Marks in the order a French dictionary sorts them: é before è before ê before ë.
QChar rangMarque(QChar marque) {
    static constexpr char16_t ordre[] = {0x0301, 0x0300, 0x0306, 0x0302, 0x030C, 0x030A, 0x0308,
                                         0x030B, 0x0303, 0x0307, 0x0327, 0x0328, 0x0304};
    for (std::size_t i = 0; i < std::size(ordre); ++i)
        if (marque.unicode() == ordre[i]) return QChar(char16_t(2 + i));
    return QChar(char16_t(0x100 + (marque.unicode() & 0x7fff)));
}

Cles cles(const QString& texte) {
    Cles c;
    const QString decompose = texte.normalized(QString::NormalizationForm_D);
    c.primaire.reserve(decompose.size());
    for (const QChar ch : decompose) {
        if (ch.isMark()) {
            c.secondaire += rangMarque(ch);
        } else {
            c.primaire += ch.toCaseFolded();
            c.secondaire += QChar(1);
        }
    }
    return c;
}

int signe(int v) {
    return (v > 0) - (v < 0);
}

int versMinuscule(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}

bool estAscii(const char* s, int n) {
    for (int i = 0; i < n; ++i)
        if (static_cast<unsigned char>(s[i]) >= 0x80) return false;
    return true;
}

// Latin letters, accented or not, cover nearly every name: their keys come from a
// table made once, so comparing them needs neither allocation nor normalisation.
constexpr char32_t FinTable = 0x250;

struct Entree {
    char16_t base = 0;   // folded base letter: the primary key
    char16_t rang = 0;   // its mark's rank, 0 for none: the secondary key
    bool simple = false; // false: the general path must decide
};

const Entree* table() {
    static const auto t = [] {
        static Entree e[FinTable];
        for (char32_t c = 0; c < FinTable; ++c) {
            const QString d = QString(QChar(char16_t(c))).normalized(QString::NormalizationForm_D);
            if (d.size() == 1 && !d[0].isMark()) {
                e[c] = {d[0].toCaseFolded().unicode(), 0, true};
            } else if (d.size() == 2 && !d[0].isMark() && d[1].isMark()) {
                e[c] = {d[0].toCaseFolded().unicode(), rangMarque(d[1]).unicode(), true};
            }
        }
        return e;
    }();
    return t;
}

// Reads one code point; false at the end or on anything the table does not cover.
bool lire(const unsigned char*& p, const unsigned char* fin, char32_t& c) {
    if (p >= fin) return false;
    if (p[0] < 0x80) {
        c = *p++;
        return true;
    }
    if ((p[0] & 0xE0) == 0xC0 && fin - p >= 2 && (p[1] & 0xC0) == 0x80) {
        c = (char32_t(p[0] & 0x1F) << 6) | char32_t(p[1] & 0x3F);
        p += 2;
        return c >= 0x80;
    }
    return false;
}

enum class Issue { Decide, Egal, General };

// One name read as the units of one pass: its base letters (pass 0), or a separator per
// letter followed by the rank of its mark, if any (pass 1).
class Unites {
public:
    Unites(const char* texte, int longueur, int passe)
        : p_(reinterpret_cast<const unsigned char*>(texte))
        , fin_(p_ + longueur)
        , passe_(passe) {}

    enum Etat { Unite, Fin, Hors_Table };

    Etat suivante(char16_t& unite) {
        if (attente_) {
            unite = attente_;
            attente_ = 0;
            return Unite;
        }
        if (p_ >= fin_) return Fin;
        char32_t c;
        const Entree* t = table();
        if (!lire(p_, fin_, c) || c >= FinTable || !t[c].simple) return Hors_Table;
        unite = passe_ == 0 ? t[c].base : char16_t(1);
        if (passe_ == 1) attente_ = t[c].rang;
        return Unite;
    }

private:
    const unsigned char* p_;
    const unsigned char* fin_;
    int passe_;
    char16_t attente_ = 0; // a mark's rank still to give
};

// Compares through the table; General when a character needs the full treatment.
Issue comparerLatin(const char* a, int na, const char* b, int nb, int& resultat) {
    // First the base letters, then, only when they all agree, the marks.
    for (int passe = 0; passe < 2; ++passe) {
        Unites ua(a, na, passe), ub(b, nb, passe);
        for (;;) {
            char16_t x = 0, y = 0;
            const Unites::Etat ea = ua.suivante(x);
            const Unites::Etat eb = ub.suivante(y);
            if (ea == Unites::Hors_Table || eb == Unites::Hors_Table) return Issue::General;
            if (ea == Unites::Fin && eb == Unites::Fin) break;
            if (ea == Unites::Fin || eb == Unites::Fin || x != y) {
                resultat = ea == Unites::Fin ? -1 : eb == Unites::Fin ? 1 : (x < y ? -1 : 1);
                return Issue::Decide;
            }
        }
    }
    resultat = 0;
    return Issue::Egal;
}

} // namespace

namespace Collation {

int comparer(const QString& a, const QString& b) {
    const Cles ca = cles(a);
    const Cles cb = cles(b);
    const int p = ca.primaire.compare(cb.primaire, Qt::CaseSensitive);
    if (p != 0) return signe(p);
    return signe(ca.secondaire.compare(cb.secondaire, Qt::CaseSensitive));
}

int comparerUtf8(const char* a, int na, const char* b, int nb) {
    // Most names are plain ASCII: compare them in place, with the same result as the
    // general path would give (no marks, so only the folded letters count).
    if (estAscii(a, na) && estAscii(b, nb)) {
        const int n = std::min(na, nb);
        for (int i = 0; i < n; ++i) {
            const int d = versMinuscule(static_cast<unsigned char>(a[i])) -
                          versMinuscule(static_cast<unsigned char>(b[i]));
            if (d != 0) return signe(d);
        }
        return signe(na - nb);
    }
    int resultat = 0;
    if (comparerLatin(a, na, b, nb, resultat) != Issue::General) return resultat;
    return comparer(QString::fromUtf8(a, na), QString::fromUtf8(b, nb));
}

bool MemeNom::operator()(const QString& texte) const {
    const auto ici = parAdresse_.constFind(texte.constData());
    if (ici != parAdresse_.cend()) return ici->second;
    auto vu = parTexte_.constFind(texte);
    if (vu == parTexte_.cend()) vu = parTexte_.insert(texte, comparer(texte, nom_) == 0);
    parAdresse_.insert(texte.constData(), {texte, *vu});
    return *vu;
}

QString plier(const QString& texte) {
    // Latin letters through the table, as for comparing: a search folds every name of
    // the catalogue when it opens. The first other character sends the whole text the
    // general way, which gives the same letters.
    const Entree* t = table();
    QString plie(texte.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const char16_t c = texte.at(i).unicode();
        if (c >= FinTable || !t[c].simple) return cles(texte).primaire;
        plie[i] = QChar(t[c].base);
    }
    return plie;
}

int rappel(void*, int na, const void* a, int nb, const void* b) {
    return comparerUtf8(static_cast<const char*>(a), na, static_cast<const char*>(b), nb);
}

} // namespace Collation
