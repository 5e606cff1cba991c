#pragma once

#include "catalogue/Enregistrements.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include <mutex>

// How often, and how lately, each item of the catalogue was started, by its name as the
// catalogue stores it. Kept in a small file of the user's state folder, apart from the
// catalogue, whose schema other tools know: a lost or damaged file only loses the order
// of the search, never an item. Read at the first use, not at start-up.
class Utilisations {
public:
    // "$XDG_STATE_HOME/dalvire/lancements.json", "~/.local/state" standing for an unset
    // or relative variable.
    static QString cheminParDefaut();

    explicit Utilisations(QString chemin);
    const QString& chemin() const { return chemin_; }
    // Another file, read at its first use (a test's own).
    void definirChemin(QString chemin);

    // One more start of the item at that moment, written to the file at once.
    void noter(const QString& nom, const QDateTime& quand);
    // What the starts of each item weigh at that moment, by name, for every item whose
    // starts weigh anything: each counts 1 when it is made, and half as much every
    // DemiVie later.
    //
    // Why a decay and not a plain count: an item started every day for a month must go
    // before one started a hundred times last year, and a new habit must win within
    // days. Half-lives of two weeks do both, and need only the weight and the date of
    // the last start to be kept: the weight then is the weight at that date, decayed.
    QHash<QString, double> poidsDe(const QDateTime& maintenant) const;
    // Starts noted since the item was last forgotten; 0 for an item never started.
    int lancements(const QString& nom) const;

    // The item was renamed in the catalogue: its starts go with it. Nothing for a name
    // that has none, or a name given back to itself.
    void renommer(const QString& ancien, const QString& nouveau);
    // The items were deleted from the catalogue: their starts go with them.
    void oublier(const QStringList& noms);
    void oublier(const QList<Element>& elements);

    static constexpr qint64 DemiVie = 14 * 24 * 3600; // seconds
    // An item whose weight fell under this (about fifteen weeks without a start) is left
    // out of the file: it no longer counts in any order.
    static constexpr double PoidsOublie = 1.0 / 128;
    // Bounds of the file, so that reading it stays within what the search's first opening
    // may spend whatever the file holds: the heaviest items only, names no longer than a
    // catalogue's, and a file larger than those allow is no file of ours.
    static constexpr qsizetype EntreesMaximum = 1000;
    static constexpr qsizetype NomMaximum = 256;
    static constexpr qint64 TailleMaximum = 1024 * 1024;

private:
    struct Compte {
        double poids = 0;   // at the moment of the last start
        QDateTime dernier;  // the last start, UTC
        int lancements = 0; // since the item was last forgotten
    };
    static double decroitre(const Compte& compte, const QDateTime& maintenant);
    void charger() const;
    // Through a new file renamed over the old one once on disk: a process killed while
    // writing, or a write that fails (a full disk), leaves the file as it was; the counts
    // stay here and go with the next write that succeeds.
    bool enregistrer() const;
    QByteArray contenu() const;

    QString chemin_;
    // The search reads the weights on its own thread while a strip may note a start.
    mutable std::mutex acces_;
    mutable bool charge_ = false;
    mutable QHash<QString, Compte> comptes_;
};
