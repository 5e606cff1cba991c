#include "core/Recherche.h"

#include "catalogue/Collation.h"

#include <algorithm>

namespace {

// How a word sits in a folded name: at its start (0), at the start of one of its words
// (1), inside a word only (2), or nowhere (-1).
int place(const QString& nom, const QString& mot) {
    int meilleure = -1;
    for (qsizetype i = nom.indexOf(mot); i >= 0; i = nom.indexOf(mot, i + 1)) {
        if (i == 0) return 0;
        if (!nom.at(i - 1).isLetterOrNumber()) return 1;
        meilleure = 2;
    }
    return meilleure;
}

struct Trouve {
    int groupe;
    double poids;
    qsizetype rang; // the place in French order
};

bool avant(const Trouve& a, const Trouve& b) {
    if (a.groupe != b.groupe) return a.groupe < b.groupe;
    if (a.poids != b.poids) return a.poids > b.poids;
    return a.rang < b.rang;
}

} // namespace

IndexRecherche::IndexRecherche(QList<Element> elements, const Poids& poids) {
    entrees_.reserve(static_cast<std::size_t>(elements.size()));
    for (Element& e : elements) {
        QString plie = Collation::plier(e.nom);
        const double p = poids ? poids(e.nom) : 0.0;
        entrees_.push_back({std::move(e), std::move(plie), p});
    }
    // The collation's order is the folded letters', then the accents' when the letters
    // are equal: on the folded names the collation is left only their rare ties. The
    // catalogue gives its items in that order already, which a look at neighbours checks.
    const auto avant = [](const Entree& a, const Entree& b) {
        const int lettres = a.plie.compare(b.plie, Qt::CaseSensitive);
        if (lettres != 0) return lettres < 0;
        return Collation::comparer(a.element.nom, b.element.nom) < 0;
    };
    if (!std::is_sorted(entrees_.begin(), entrees_.end(), avant))
        std::sort(entrees_.begin(), entrees_.end(), avant);
}

int IndexRecherche::groupe(const QString& nomPlie, const QStringList& motsPlies) {
    int groupe = 0;
    for (qsizetype m = 0; m < motsPlies.size(); ++m) {
        int p = place(nomPlie, motsPlies.at(m));
        if (p < 0) return -1;
        // Past the first word, beginning a word of the name is as good as beginning it.
        if (m > 0 && p == 1) p = 0;
        groupe = std::max(groupe, p);
    }
    return groupe;
}

QList<Element> IndexRecherche::chercher(const QString& texte, int maximum) const {
    const QStringList mots =
        Collation::plier(texte.simplified()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::vector<Trouve> trouves;
    for (std::size_t i = 0; i < entrees_.size(); ++i) {
        const int g = groupe(entrees_[i].plie, mots);
        if (g >= 0) trouves.push_back({g, entrees_[i].poids, static_cast<qsizetype>(i)});
    }
    const auto fin =
        trouves.begin() + std::min<std::ptrdiff_t>(std::max(maximum, 0), std::ssize(trouves));
    std::partial_sort(trouves.begin(), fin, trouves.end(), avant);
    QList<Element> resultat;
    resultat.reserve(fin - trouves.begin());
    for (auto it = trouves.begin(); it != fin; ++it)
        resultat.append(entrees_[static_cast<std::size_t>(it->rang)].element);
    return resultat;
}
