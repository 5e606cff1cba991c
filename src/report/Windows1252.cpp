#include "report/Windows1252.h"

namespace {

// 0x80 to 0x9F; the five bytes the code page leaves undefined keep their C1 value, as
// the system's own conversion does.
constexpr char16_t Plage80[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

char16_t Depuis_Windows_1252(unsigned char octet) {
    if (octet >= 0x80 && octet < 0xA0) return Plage80[octet - 0x80];
    return octet;
}

bool Vers_Windows_1252(char16_t caractere, unsigned char& octet) {
    if (caractere < 0x80 || (caractere >= 0xA0 && caractere <= 0xFF)) {
        octet = static_cast<unsigned char>(caractere);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (Plage80[i] == caractere) {
            octet = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

QByteArray En_Windows_1252(const QString& texte) {
    QByteArray octets;
    octets.reserve(texte.size());
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte.at(i);
        unsigned char o = 0;
        octets.append(Vers_Windows_1252(c.unicode(), o) ? static_cast<char>(o) : '?');
        // One character beyond the first plane is one "?", not two.
        if (c.isHighSurrogate() && i + 1 < texte.size() && texte.at(i + 1).isLowSurrogate()) ++i;
    }
    return octets;
}
