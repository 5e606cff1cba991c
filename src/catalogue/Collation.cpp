#include "catalogue/Collation.h"

#include <sqlite3.h>

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

int rappelSqlite(void*, int na, const void* a, int nb, const void* b) {
    return Collation::comparerUtf8(static_cast<const char*>(a), na, static_cast<const char*>(b),
                                   nb);
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
    return comparer(QString::fromUtf8(a, na), QString::fromUtf8(b, nb));
}

bool enregistrer(sqlite3* base) {
    return sqlite3_create_collation(base, Nom, SQLITE_UTF8, nullptr, rappelSqlite) == SQLITE_OK;
}

} // namespace Collation
