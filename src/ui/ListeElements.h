#pragma once

#include "catalogue/Enregistrements.h"

#include <QAbstractListModel>
#include <QList>

// Items as a list shows them: each line an item's name, the record itself behind it for
// whoever starts it or draws its icon. The rows are the ones handed in, kept as they were
// until the next ones: a copy that shares its texts with where they came from.
class ListeElements : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void remplir(QList<Element> elements);
    const QList<Element>& elements() const { return elements_; }
    const Element& element(int ligne) const { return elements_.at(ligne); }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QList<Element> elements_;
};
