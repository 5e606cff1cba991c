#include "catalogue/JeuEnregistrements.h"

#include "catalogue/Connexion.h"

#include <sqlite3.h>

namespace {

// The numbers ADO gives these two mistakes, kept so that reports read alike.
constexpr int ErreurObjetOuvert = 3705;
constexpr int ErreurObjetFerme = 3704;
constexpr int ErreurPasDeLigne = 3021;

// The engine's own wording is English and names no cause a user can act on: the message
// says in French what happened to the file.
QString messageSqlite(int code) {
    return QStringLiteral("Erreur de la base de données : ") + ErreurCatalogue::causeDe(code);
}

} // namespace

JeuEnregistrements::~JeuEnregistrements() {
    Close();
}

void JeuEnregistrements::Open(const QString& source, Connexion& connexion) {
    if (requete_)
        throw ErreurCatalogue(QStringLiteral("Opération non autorisée si l'objet est ouvert."),
                              ErreurObjetOuvert);
    if (!connexion.estOuverte())
        throw ErreurCatalogue(QStringLiteral("Opération non autorisée si l'objet est fermé."),
                              ErreurObjetFerme);
    const QByteArray texte = source.toUtf8();
    const char* reste = nullptr;
    int rc = sqlite3_prepare_v2(connexion.base(), texte.constData(), int(texte.size()), &requete_,
                                &reste);
    if (rc != SQLITE_OK) echouer(rc);
    if (!requete_) { // an empty text or a comment: nothing to run
        bof_ = eof_ = true;
        return;
    }
    rc = sqlite3_step(requete_);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) echouer(rc);
    if (sqlite3_column_count(requete_) == 0) {
        Close();
        return;
    }
    const int n = sqlite3_column_count(requete_);
    colonnes_.clear();
    for (int i = 0; i < n; ++i)
        colonnes_.append(QString::fromUtf8(sqlite3_column_name(requete_, i)));
    bof_ = eof_ = (rc == SQLITE_DONE);
    aBouge_ = false;
    if (rc == SQLITE_ROW) lireLigne();
}

void JeuEnregistrements::Close() {
    if (requete_) sqlite3_finalize(requete_);
    requete_ = nullptr;
    colonnes_.clear();
    ligne_.clear();
    bof_ = eof_ = true;
}

void JeuEnregistrements::MoveFirst() {
    if (!requete_)
        throw ErreurCatalogue(QStringLiteral("Opération non autorisée si l'objet est fermé."),
                              ErreurObjetFerme);
    // A forward-only set cannot go back; before any MoveNext it already stands there.
    if (aBouge_)
        throw ErreurCatalogue(QStringLiteral("Le jeu d'enregistrements ne permet pas de "
                                             "revenir en arrière."),
                              ErreurPasDeLigne);
}

void JeuEnregistrements::MoveNext() {
    if (!requete_ || eof_)
        throw ErreurCatalogue(QStringLiteral("BOF ou EOF est égal à True, ou l'enregistrement "
                                             "actuel a été supprimé."),
                              ErreurPasDeLigne);
    aBouge_ = true;
    bof_ = false;
    const int rc = sqlite3_step(requete_);
    if (rc == SQLITE_ROW) {
        lireLigne();
    } else if (rc == SQLITE_DONE) {
        eof_ = true;
        ligne_.clear();
    } else {
        echouer(rc);
    }
}

QVariant JeuEnregistrements::Fields(const QString& colonne) const {
    if (!requete_ || eof_) return {};
    const qsizetype i = colonnes_.indexOf(colonne, 0);
    const qsizetype j = i >= 0 ? i : [&] {
        for (qsizetype k = 0; k < colonnes_.size(); ++k)
            if (colonnes_[k].compare(colonne, Qt::CaseInsensitive) == 0) return k;
        return qsizetype(-1);
    }();
    return j >= 0 ? ligne_.value(j) : QVariant();
}

void JeuEnregistrements::lireLigne() {
    const int n = int(colonnes_.size());
    ligne_.resize(n);
    for (int i = 0; i < n; ++i) {
        switch (sqlite3_column_type(requete_, i)) {
        case SQLITE_NULL:
            ligne_[i] = QVariant();
            break;
        case SQLITE_INTEGER:
            ligne_[i] = qint64(sqlite3_column_int64(requete_, i));
            break;
        case SQLITE_FLOAT:
            ligne_[i] = sqlite3_column_double(requete_, i);
            break;
        default: {
            const auto* texte = reinterpret_cast<const char*>(sqlite3_column_text(requete_, i));
            ligne_[i] = QString::fromUtf8(texte, sqlite3_column_bytes(requete_, i));
        }
        }
    }
}

void JeuEnregistrements::echouer(int code) {
    const QString message = messageSqlite(code);
    Close();
    throw ErreurCatalogue(message, code);
}

QString Valeur_Champ(const QVariant& champ) {
    if (!champ.isValid() || champ.isNull()) return QString();
    return champ.toString();
}
