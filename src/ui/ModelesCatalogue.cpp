#include "ui/ModelesCatalogue.h"

ModeleCategories::ModeleCategories(ModeleCatalogue& modele, QString premiereLigne, QObject* parent)
    : QAbstractListModel(parent)
    , modele_(modele)
    , premiereLigne_(std::move(premiereLigne)) {
    // With a first line, the first category comes with it and the last takes it away.
    const auto seule = [this] {
        return !premiereLigne_.isEmpty() && modele_.categories().size() == 1;
    };
    connect(&modele_, &ModeleCatalogue::avantAjoutCategorie, this, [this](int ligne) {
        if (!premiereLigne_.isEmpty() && modele_.categories().isEmpty())
            beginInsertRows({}, 0, 1);
        else
            beginInsertRows({}, ligne + decalage(), ligne + decalage());
    });
    connect(&modele_, &ModeleCatalogue::categorieAjoutee, this, [this] { endInsertRows(); });
    connect(&modele_, &ModeleCatalogue::categorieModifiee, this, [this](int ligne) {
        const QModelIndex i = index(ligne + decalage());
        Q_EMIT dataChanged(i, i);
    });
    connect(&modele_, &ModeleCatalogue::avantSuppressionCategorie, this, [this, seule](int ligne) {
        if (seule())
            beginRemoveRows({}, 0, 1);
        else
            beginRemoveRows({}, ligne + decalage(), ligne + decalage());
    });
    connect(&modele_, &ModeleCatalogue::categorieSupprimee, this, [this] { endRemoveRows(); });
    connect(&modele_, &ModeleCatalogue::avantRechargement, this, [this] { beginResetModel(); });
    connect(&modele_, &ModeleCatalogue::recharge, this, [this] { endResetModel(); });
}

int ModeleCategories::decalage() const {
    return premiereLigne_.isEmpty() || modele_.categories().isEmpty() ? 0 : 1;
}

int ModeleCategories::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(modele_.categories().size()) + decalage();
}

QVariant ModeleCategories::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    if (index.row() < decalage()) return premiereLigne_;
    const Categorie* c = categorie(index.row());
    return c ? QVariant(c->nom) : QVariant();
}

const Categorie* ModeleCategories::categorie(int ligne) const {
    const int i = ligne - decalage();
    return i >= 0 && i < modele_.categories().size() ? &modele_.categories().at(i) : nullptr;
}

int ModeleCategories::ligneDe(const QString& nom) const {
    const int i = modele_.ligneCategorie(nom);
    return i < 0 ? -1 : i + decalage();
}

ModeleElements::ModeleElements(ModeleCatalogue& modele, QObject* parent)
    : QAbstractListModel(parent)
    , modele_(modele) {
    connect(&modele_, &ModeleCatalogue::avantAjoutElement, this,
            [this](int ligne) { beginInsertRows({}, ligne, ligne); });
    connect(&modele_, &ModeleCatalogue::elementAjoute, this, [this] { endInsertRows(); });
    connect(&modele_, &ModeleCatalogue::elementModifie, this, [this](int ligne) {
        const QModelIndex i = index(ligne);
        Q_EMIT dataChanged(i, i);
    });
    connect(&modele_, &ModeleCatalogue::avantSuppressionElement, this,
            [this](int ligne) { beginRemoveRows({}, ligne, ligne); });
    connect(&modele_, &ModeleCatalogue::elementSupprime, this, [this] { endRemoveRows(); });
    connect(&modele_, &ModeleCatalogue::avantRechargement, this, [this] { beginResetModel(); });
    connect(&modele_, &ModeleCatalogue::recharge, this, [this] { endResetModel(); });
}

int ModeleElements::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(modele_.elements().size());
}

QVariant ModeleElements::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    if (index.row() < 0 || index.row() >= rowCount()) return {};
    return element(index.row()).nom;
}

ElementsDeCategorie::ElementsDeCategorie(ModeleElements& elements, QObject* parent)
    : QSortFilterProxyModel(parent)
    , elements_(elements) {
    setSourceModel(&elements_);
}

void ElementsDeCategorie::montrerAucun() {
    filtrer(Filtre::Aucun, {});
}

void ElementsDeCategorie::montrerTous() {
    filtrer(Filtre::Tous, {});
}

void ElementsDeCategorie::montrerCategorie(const QString& nom) {
    filtrer(Filtre::Categorie, nom);
}

void ElementsDeCategorie::filtrer(Filtre filtre, const QString& categorie) {
    // The lines already follow the items' changes: the same filter again changes nothing.
    if (filtre == filtre_ && (filtre != Filtre::Categorie || categorie == nomCategorie_)) return;
    nomCategorie_ = categorie;
    // Read again whole: the view then lays out its lines once, not range by range.
    beginResetModel();
    filtre_ = filtre;
    categorie_ = Collation::MemeNom(categorie);
    endResetModel();
}

bool ElementsDeCategorie::filterAcceptsRow(int ligne, const QModelIndex&) const {
    switch (filtre_) {
    case Filtre::Tous:
        return true;
    case Filtre::Categorie:
        return categorie_(elements_.element(ligne).categorie);
    case Filtre::Aucun:
        break;
    }
    return false;
}

const Element& ElementsDeCategorie::element(int ligne) const {
    return elements_.element(mapToSource(index(ligne, 0)).row());
}

int ElementsDeCategorie::ligneDe(const QString& nom) const {
    return mapFromSource(elements_.index(elements_.ligneDe(nom))).row();
}
