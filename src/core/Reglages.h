#pragma once

#include <QDate>
#include <QKeySequence>
#include <QString>

class StockParametres;

// The user's settings, each with its type and its default, kept in the stored form the
// settings file has always had: a check box as "1" or "0", the delay as decimal text, the
// first-use date as "dd/MM/yyyy", the search key as Qt's portable text. A text another
// tool left there reads as the program has always read it; each reading says how.
//
// The keep-on-top state and the delay are read once, at start-up, and held for the run:
// the launcher windows consult them at every tick, and only the settings dialog changes
// them. The others are read from the store each time they are needed.
class Reglages {
public:
    // Without a store (a run built for a test that needs none), every setting reads as
    // never written and nothing is kept.
    explicit Reglages(StockParametres* stock);
    Reglages(const Reglages&) = delete;
    Reglages& operator=(const Reglages&) = delete;

    // Start-up: every setting missing (or empty) written with its default, in the order
    // the file has always had them, the application folder written every time. True when
    // this is the user's first start, which it then notes.
    bool ecrireAbsents(const QDate& aujourdhui, const QString& dossierApplication,
                       const QString& version);
    // Reads the values held for the run.
    void charger();

    // The date of the user's first start; invalid when what is stored is no date.
    QDate dateDebut() const;

    // Start with the session: on when the stored text reads as the number 1.
    bool demarrageAvecSession() const;
    void definirDemarrageAvecSession(bool actif);

    // Ask before quitting: on only when the stored text is exactly "1".
    bool confirmationFermeture() const;
    void definirConfirmationFermeture(bool actif);

    // Keep the launcher windows on top: any number but 0 within 16 bits.
    bool premierPlan() const { return premierPlan_; }
    void definirPremierPlan(bool actif);

    // Seconds before an opened launcher window slides back: any 32-bit number, 0 for a
    // text that is none. The settings dialog offers 1 to 60; 0 or below is never reached.
    qint32 delaiFermeture() const { return delaiFermeture_; }
    void definirDelaiFermeture(qint32 secondes);

    // The desktop key that opens the search: the default while never written, empty for
    // the user's choice of none and for a text that names no single key.
    QKeySequence raccourciRecherche() const;
    void definirRaccourciRecherche(const QKeySequence& touche);

private:
    StockParametres& stock_;
    bool premierPlan_ = false;
    qint32 delaiFermeture_ = 0;
};
