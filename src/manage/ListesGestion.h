#pragma once

#include <QString>
#include <QStringList>

// What the category and program editors may use of the management window: its three
// lists (lines, selected entry, position) and the reload of its category lists. Setting a
// position does what the user's own choice of that entry does: the dependent list and
// the details follow.
class ListesGestion {
public:
    virtual ~ListesGestion() = default;

    // Reloads the category list and the category box from the catalogue.
    virtual void Liste_Categories() = 0;

    // The category list: every category name, in name order.
    virtual QStringList lignesCategories() const = 0;
    virtual int positionCategorie() const = 0; // -1: none
    virtual QString categorieChoisie() const = 0;
    virtual void choisirCategorie(int position) = 0;

    // The category box of the items page: "(Toutes les catégories)", then the names.
    virtual QStringList lignesBoiteCategories() const = 0;
    virtual int positionBoiteCategories() const = 0;
    virtual void choisirBoiteCategories(int position) = 0;

    // The item list of the items page.
    virtual QStringList lignesProgrammes() const = 0;
    virtual QString programmeChoisi() const = 0;
    virtual void choisirProgramme(int position) = 0;
};
