#include "core/ModeleCatalogue.h"

#include "catalogue/Collation.h"
#include "catalogue/Connexion.h"

#include <algorithm>

namespace {

bool memeNom(const QString& a, const QString& b) {
    return Collation::comparer(a, b) == 0;
}

// Where a name goes in a list in French order of the names.
template <typename Ligne> int place(const QList<Ligne>& lignes, const QString& nom) {
    const auto endroit = std::lower_bound(
        lignes.cbegin(), lignes.cend(), nom,
        [](const Ligne& ligne, const QString& n) { return Collation::comparer(ligne.nom, n) < 0; });
    return static_cast<int>(endroit - lignes.cbegin());
}

template <typename Ligne> int ligneDe(const QList<Ligne>& lignes, const QString& nom) {
    const int i = place(lignes, nom);
    return i < lignes.size() && memeNom(lignes.at(i).nom, nom) ? i : -1;
}

} // namespace

ModeleCatalogue::ModeleCatalogue(Catalogue& catalogue, QObject* parent)
    : QObject(parent)
    , catalogue_(catalogue) {}

void ModeleCatalogue::charger() {
    // The reading before the rows change: a failure leaves the model as it was.
    const Catalogue::Empreinte avant = catalogue_.empreinte();
    QList<Categorie> categories = catalogue_.categories();
    QList<Element> elements = catalogue_.elements();
    Q_EMIT avantRechargement();
    categories_ = std::move(categories);
    elements_ = std::move(elements);
    // Read before the rows were, so that a write made meanwhile is read at the next check.
    empreinte_ = avant;
    charge_ = true;
    Q_EMIT recharge();
}

bool ModeleCatalogue::rechargerSiModifie() {
    if (charge_ && catalogue_.empreinte() == empreinte_) return false;
    charger();
    return true;
}

QList<Categorie> ModeleCatalogue::categoriesAffichees() const {
    QList<Categorie> affichees;
    for (const Categorie& categorie : categories_)
        if (categorie.affichee) affichees << categorie;
    return affichees;
}

QList<Element> ModeleCatalogue::elementsDe(const QString& categorie) const {
    const Collation::MemeNom sienne(categorie);
    QList<Element> siens;
    for (const Element& element : elements_)
        if (sienne(element.categorie)) siens << element;
    return siens;
}

int ModeleCatalogue::compterElementsDe(const QString& categorie) const {
    const Collation::MemeNom sienne(categorie);
    return static_cast<int>(std::count_if(elements_.cbegin(), elements_.cend(),
                                          [&](const Element& e) { return sienne(e.categorie); }));
}

int ModeleCatalogue::ligneCategorie(const QString& nom) const {
    return ligneDe(categories_, nom);
}

int ModeleCatalogue::ligneElement(const QString& nom) const {
    return ligneDe(elements_, nom);
}

std::optional<Categorie> ModeleCatalogue::categorie(const QString& nom) const {
    const int ligne = ligneCategorie(nom);
    if (ligne < 0) return std::nullopt;
    return categories_.at(ligne);
}

std::optional<Element> ModeleCatalogue::element(const QString& nom) const {
    const int ligne = ligneElement(nom);
    if (ligne < 0) return std::nullopt;
    return elements_.at(ligne);
}

template <typename Ligne>
int ModeleCatalogue::inserer(int ecrites, QList<Ligne>& lignes, const Ligne& ligne,
                             void (ModeleCatalogue::*avant)(int),
                             void (ModeleCatalogue::*apres)(int)) {
    noterEcriture();
    if (ecrites == 0) return 0;
    const int i = place(lignes, ligne.nom);
    Q_EMIT(this->*avant)(i);
    lignes.insert(i, ligne);
    Q_EMIT(this->*apres)(i);
    return ecrites;
}

template <typename Ligne>
int ModeleCatalogue::remplacer(int ecrites, QList<Ligne>& lignes, const Ligne& ligne,
                               void (ModeleCatalogue::*apres)(int)) {
    const int i = ligneDe(lignes, ligne.nom);
    if (ecrites == 0 || i < 0) {
        relireApresDisparition();
        return ecrites;
    }
    noterEcriture();
    // The name stays as stored: the file keeps it, a name differing in case aside.
    const QString nom = lignes.at(i).nom;
    lignes[i] = ligne;
    lignes[i].nom = nom;
    Q_EMIT(this->*apres)(i);
    return ecrites;
}

int ModeleCatalogue::ajouter(const Categorie& categorie) {
    return inserer(catalogue_.ajouter(categorie), categories_, categorie,
                   &ModeleCatalogue::avantAjoutCategorie, &ModeleCatalogue::categorieAjoutee);
}

int ModeleCatalogue::modifier(const Categorie& categorie) {
    return remplacer(catalogue_.modifier(categorie), categories_, categorie,
                     &ModeleCatalogue::categorieModifiee);
}

int ModeleCatalogue::ajouter(const Element& element) {
    return inserer(catalogue_.ajouter(element), elements_, element,
                   &ModeleCatalogue::avantAjoutElement, &ModeleCatalogue::elementAjoute);
}

int ModeleCatalogue::modifier(const Element& element) {
    return remplacer(catalogue_.modifier(element), elements_, element,
                     &ModeleCatalogue::elementModifie);
}

int ModeleCatalogue::supprimerElement(const QString& nom) {
    const int supprimes = catalogue_.supprimerElement(nom);
    const int ligne = ligneElement(nom);
    if (supprimes == 0 || ligne < 0) {
        relireApresDisparition();
        return supprimes;
    }
    noterEcriture();
    retirerElement(ligne);
    return supprimes;
}

SuppressionCategorie ModeleCatalogue::supprimerCategorie(const QString& nom) {
    const SuppressionCategorie faite = catalogue_.supprimerCategorie(nom);
    const int ligne = ligneCategorie(nom);
    if (faite.categories == 0 || ligne < 0) {
        relireApresDisparition();
        return faite;
    }
    noterEcriture();
    // From the last, so that each row named is still the one meant.
    const Collation::MemeNom sienne(nom);
    for (int i = static_cast<int>(elements_.size()) - 1; i >= 0; --i)
        if (sienne(elements_.at(i).categorie)) retirerElement(i);
    Q_EMIT avantSuppressionCategorie(ligne);
    categories_.removeAt(ligne);
    Q_EMIT categorieSupprimee(ligne);
    return faite;
}

void ModeleCatalogue::retirerElement(int ligne) {
    Q_EMIT avantSuppressionElement(ligne);
    elements_.removeAt(ligne);
    Q_EMIT elementSupprime(ligne);
}

void ModeleCatalogue::noterEcriture() {
    // Another tool that wrote just before this write goes unseen until the next change it
    // makes: the file is not read again at each write.
    empreinte_ = catalogue_.empreinte();
}

void ModeleCatalogue::relireApresDisparition() noexcept {
    try {
        charger();
    } catch (const ErreurCatalogue&) {
        // The rows stay as they were; the next check reads the file again.
        charge_ = false;
    }
}
