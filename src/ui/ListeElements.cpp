#include "ui/ListeElements.h"

void ListeElements::remplir(QList<Element> elements) {
    beginResetModel();
    elements_ = std::move(elements);
    endResetModel();
}

int ListeElements::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(elements_.size());
}

QVariant ListeElements::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= elements_.size()) return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) return elements_.at(index.row()).nom;
    return {};
}
