#include "core/Recherche.h"

#include "catalogue/Collation.h"

#include <QSet>

#include <algorithm>

namespace {

// How a word sits in a folded name: at its start (0), at the start of one of its words
// (1), inside a word only (2), or nowhere (-1).
int place(QStringView nom, const QString& mot) {
    int meilleure = -1;
    for (qsizetype i = nom.indexOf(mot); i >= 0; i = nom.indexOf(mot, i + 1)) {
        if (i == 0) return 0;
        if (!nom.at(i - 1).isLetterOrNumber()) return 1;
        meilleure = 2;
    }
    return meilleure;
}

// The collation's order on names and their folded letters: the letters', then the
// accents' when the letters are equal, so that the collation is asked only on their rare
// ties.
int comparerEnFrancais(QStringView plieA, const QString& nomA, QStringView plieB,
                       const QString& nomB) {
    const int lettres = plieA.compare(plieB, Qt::CaseSensitive);
    return lettres != 0 ? lettres : Collation::comparer(nomA, nomB);
}

struct Trouve {
    int groupe;
    double poids;
    std::size_t entree;
};

} // namespace

IndexRecherche::IndexRecherche(QList<Element> elements, const Poids& poids) {
    qsizetype lettres = 0;
    for (const Element& e : elements)
        lettres += e.nom.size();
    // Folding rarely changes a name's length: one block nearly always holds them all.
    plies_.reserve(lettres);
    entrees_.reserve(static_cast<std::size_t>(elements.size()));
    for (Element& e : elements) {
        const qsizetype debut = plies_.size();
        plies_ += Collation::plier(e.nom);
        const double p = poids ? poids(e.nom) : 0.0;
        entrees_.push_back({std::move(e), debut, plies_.size() - debut, p});
    }
}

QStringView IndexRecherche::plie(std::size_t entree) const {
    const Entree& e = entrees_[entree];
    return QStringView(plies_).sliced(e.debutPlie, e.longueurPlie);
}

bool IndexRecherche::avantEnFrancais(std::size_t a, std::size_t b) const {
    const int ordre =
        comparerEnFrancais(plie(a), entrees_[a].element.nom, plie(b), entrees_[b].element.nom);
    if (ordre != 0) return ordre < 0;
    // Names the collation finds equal (a file that another tool wrote) keep their order.
    return a < b;
}

int IndexRecherche::groupe(QStringView nomPlie, const QStringList& motsPlies) {
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
        const int g = groupe(plie(i), mots);
        if (g >= 0) trouves.push_back({g, entrees_[i].poids, i});
    }
    // Only the names shown are put in French order: ordering every name would weigh on
    // each opening.
    const auto avant = [this](const Trouve& a, const Trouve& b) {
        if (a.groupe != b.groupe) return a.groupe < b.groupe;
        if (a.poids != b.poids) return a.poids > b.poids;
        return avantEnFrancais(a.entree, b.entree);
    };
    const auto fin =
        trouves.begin() + std::min<std::ptrdiff_t>(std::max(maximum, 0), std::ssize(trouves));
    std::partial_sort(trouves.begin(), fin, trouves.end(), avant);
    QList<Element> resultat;
    resultat.reserve(fin - trouves.begin());
    for (auto it = trouves.begin(); it != fin; ++it)
        resultat.append(entrees_[it->entree].element);
    return resultat;
}

QList<Element> Premiers_Elements(const QList<Element>& elements,
                                 const QHash<QString, double>& poids, int maximum) {
    struct Lance {
        double poids;
        QString plie;
        QString nom;
    };
    std::vector<Lance> lances;
    QSet<QString> noms;
    for (auto it = poids.cbegin(); it != poids.cend(); ++it) {
        if (it.value() <= 0) continue;
        lances.push_back({it.value(), Collation::plier(it.key()), it.key()});
        noms.insert(it.key());
    }
    // The index's order (weights often tie: starts of the same day decay alike).
    std::sort(lances.begin(), lances.end(), [](const Lance& a, const Lance& b) {
        if (a.poids != b.poids) return a.poids > b.poids;
        return comparerEnFrancais(a.plie, a.nom, b.plie, b.nom) < 0;
    });
    QList<Element> premiers;
    for (const Lance& lance : lances) {
        if (premiers.size() >= maximum) return premiers;
        // A start counts for the name as it is written: the catalogue finds other cases.
        const auto endroit = std::lower_bound(
            elements.cbegin(), elements.cend(), lance.nom, [](const Element& e, const QString& nom) {
                return Collation::comparer(e.nom, nom) < 0;
            });
        if (endroit != elements.cend() && endroit->nom == lance.nom) premiers.append(*endroit);
    }
    for (const Element& element : elements) {
        if (premiers.size() >= maximum) break;
        if (!noms.contains(element.nom)) premiers.append(element);
    }
    return premiers;
}
