#pragma once

#include "core/Contexte.h"
#include "support/Controles.h"
#include "support/Environnement.h"
#include "support/MessagesScriptes.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include <functional>

inline const QString Crlf = QStringLiteral("\r\n");

// A test catalogue filled row by row, as the user's own could be (odd values included).
struct BancGestion {
    Environnement env;

    BancGestion() { env.ouvrirCatalogue(); }
    Contexte& c() { return env.contexte(); }
    QString icone() { return env.dossier() + QStringLiteral("icones/dalvire.ico"); }

    static QString q(const QString& t) { return QString(t).replace('\'', "''"); }
    void categorie(const QString& nom, const QString& affiche = "1",
                   const QString& couleur = "16761024") {
        env.executer(QStringLiteral("INSERT INTO categorie VALUES ('%1','%2','%3','%4')")
                         .arg(q(nom), q(icone()), affiche, couleur));
    }
    void programme(const QString& nom, const QString& categorie, const QString& demarrage = "1",
                   const QString& type = "0", const QString& chemin = "/bin/sh") {
        env.executer(QStringLiteral("INSERT INTO programmes VALUES ('%1','%2','%3','%4','%5')")
                         .arg(q(nom), q(chemin), q(categorie), demarrage, type));
    }
    // Makes every statement of the kind fail inside the engine, as a locked or full
    // file would.
    void refuser(const QString& action, const QString& table) {
        env.executer(QStringLiteral("CREATE TRIGGER refus_%1_%2 BEFORE %1 ON %2 BEGIN "
                                    "SELECT RAISE(ABORT, 'refus'); END")
                         .arg(action, table));
    }
    QStringList lignes(const QString& table) {
        return env.lignes(
            QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" ORDER BY nom"),
            table == QLatin1String("categorie")
                ? QStringList{"nom", "icone", "affiche", "couleur"}
                : QStringList{"nom", "chemin", "categorie", "demarrage", "typefichier"});
    }
    QStringList vus() const { return const_cast<BancGestion*>(this)->env.messages().textes(); }
    // The catalogue read as the management window reads it when it opens.
    void lire() { c().modele().rechargerSiModifie(); }
};

// The line of a list that reads so chosen, as a click on it chooses it; none for a text the
// list has not.
inline void Choisir(QAbstractItemView* liste, const QString& texte) {
    const QModelIndexList lignes = liste->model()->match(
        liste->model()->index(0, 0), Qt::DisplayRole, texte, 1, Qt::MatchExactly);
    if (lignes.isEmpty())
        liste->selectionModel()->clear();
    else
        liste->selectionModel()->setCurrentIndex(lignes.first(),
                                                 QItemSelectionModel::ClearAndSelect);
}

inline void Cliquer(QWidget& fenetre, const QString& bouton) {
    Controle<QPushButton>(fenetre, bouton)->click();
}

// What a value of a window shows, found by what it is.
inline QString Valeur(QWidget& fenetre, const QString& quoi) {
    return Controle<QLabel>(fenetre, quoi)->text();
}

// Presses a button of a window that opens an editor, and does in the editor, once shown,
// what the user does; the editor is cancelled if left open.
template <typename Editeur>
void Dans_Editeur(QWidget& fenetre, const QString& bouton, std::function<void(Editeur&)> geste) {
    QTimer::singleShot(0, &fenetre, [geste] {
        auto* e = qobject_cast<Editeur*>(QApplication::activeModalWidget());
        if (!e) qFatal("pas d'éditeur ouvert");
        geste(*e);
        if (e->isVisible()) e->reject();
    });
    Cliquer(fenetre, bouton);
}
