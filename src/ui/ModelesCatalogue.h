#pragma once

#include "catalogue/Collation.h"
#include "core/ModeleCatalogue.h"

#include <QAbstractListModel>
#include <QSortFilterProxyModel>
#include <QString>

// The catalogue model's rows as Qt item models, for the views: each follows the model's
// signals row by row, so a view keeps its selection and draws only what changed.

// The categories, by name; optionally after a first line of its own (shown only while there
// is a category, as a filter line that filters nothing is pointless without any).
class ModeleCategories : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ModeleCategories(ModeleCatalogue& modele, QString premiereLigne = {},
                              QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The category of a line, or nothing (the first line, a line out of range).
    const Categorie* categorie(int ligne) const;
    // The line of a category named so (as the catalogue compares names), or -1.
    int ligneDe(const QString& nom) const;

private:
    int decalage() const;

    ModeleCatalogue& modele_;
    QString premiereLigne_;
};

// Every item, by name.
class ModeleElements : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ModeleElements(ModeleCatalogue& modele, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    const Element& element(int ligne) const { return modele_.elements().at(ligne); }
    int ligneDe(const QString& nom) const { return modele_.ligneElement(nom); }

private:
    ModeleCatalogue& modele_;
};

// The items of one category, of all, or of none.
class ElementsDeCategorie : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit ElementsDeCategorie(ModeleElements& elements, QObject* parent = nullptr);

    void montrerAucun();
    void montrerTous();
    void montrerCategorie(const QString& nom);

    const Element& element(int ligne) const;
    // The line of an item named so (as the catalogue compares names), or -1.
    int ligneDe(const QString& nom) const;

protected:
    bool filterAcceptsRow(int ligne, const QModelIndex& parent) const override;

private:
    enum class Filtre { Aucun, Tous, Categorie };
    void filtrer(Filtre filtre, const QString& categorie);

    ModeleElements& elements_;
    Filtre filtre_ = Filtre::Aucun;
    QString nomCategorie_;
    Collation::MemeNom categorie_;
};
