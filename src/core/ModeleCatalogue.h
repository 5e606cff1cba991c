#pragma once

#include "catalogue/Catalogue.h"
#include "catalogue/Enregistrements.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

// The catalogue as the windows see it: every category and item, read once and kept in
// memory in French order of the names, and every change of it. A change is written to the
// file at once (each in its own transaction, as the catalogue writes it) and then made in
// memory, and the model says what changed: the windows are views of it, not of the file.
//
// Another tool may write the file meanwhile: the model reads it again when asked to
// (rechargerSiModifie), and only when someone else wrote it since the model last read or
// wrote it. A change whose row another tool removed changes nothing and reads the file
// again, so that the windows show what is really there.
class ModeleCatalogue : public QObject {
    Q_OBJECT
public:
    explicit ModeleCatalogue(Catalogue& catalogue, QObject* parent = nullptr);

    // Reads every row; throws ErreurCatalogue, the model then left as it was.
    void charger();
    // Reads every row again when the file was written by someone else since the model last
    // read or wrote it (or never was read); true when it read. Throws as charger does.
    bool rechargerSiModifie();

    const QList<Categorie>& categories() const { return categories_; }
    const QList<Element>& elements() const { return elements_; }
    QList<Categorie> categoriesAffichees() const;
    // The items of a category as the catalogue compares names (letter case aside).
    QList<Element> elementsDe(const QString& categorie) const;
    int compterElementsDe(const QString& categorie) const;

    // The row of a name as the catalogue compares names, or -1.
    int ligneCategorie(const QString& nom) const;
    int ligneElement(const QString& nom) const;
    std::optional<Categorie> categorie(const QString& nom) const;
    std::optional<Element> element(const QString& nom) const;

    // Each gives the number of rows it changed and throws ErreurCatalogue, the model then
    // unchanged. A new row takes its place in name order.
    int ajouter(const Categorie& categorie);
    int modifier(const Categorie& categorie);
    int ajouter(const Element& element);
    int modifier(const Element& element);
    int supprimerElement(const QString& nom);
    // The category and its items, in one transaction.
    SuppressionCategorie supprimerCategorie(const QString& nom);

    Catalogue& catalogue() const { return catalogue_; }

Q_SIGNALS:
    // Each change of a row, between the "before" and the "after" of it: a view of the
    // rows (a Qt item model) can tell its own views in the order they expect.
    void avantAjoutCategorie(int ligne);
    void categorieAjoutee(int ligne);
    void categorieModifiee(int ligne);
    void avantSuppressionCategorie(int ligne);
    void categorieSupprimee(int ligne);
    void avantAjoutElement(int ligne);
    void elementAjoute(int ligne);
    void elementModifie(int ligne);
    void avantSuppressionElement(int ligne);
    void elementSupprime(int ligne);
    // Every row read again.
    void avantRechargement();
    void recharge();

private:
    // After a write of its own: what the file is now is what the model holds.
    void noterEcriture();
    // A change of a row that was not there any more: the file is read again.
    void relireApresDisparition() noexcept;
    void retirerElement(int ligne);
    // A row the file took, put in its place in memory, said before and after.
    template <typename Ligne>
    int inserer(int ecrites, QList<Ligne>& lignes, const Ligne& ligne,
                void (ModeleCatalogue::*avant)(int), void (ModeleCatalogue::*apres)(int));
    // A row the file changed, changed in memory, its name kept as stored.
    template <typename Ligne>
    int remplacer(int ecrites, QList<Ligne>& lignes, const Ligne& ligne,
                  void (ModeleCatalogue::*apres)(int));

    Catalogue& catalogue_;
    QList<Categorie> categories_;
    QList<Element> elements_;
    Catalogue::Empreinte empreinte_;
    bool charge_ = false;
};
