#include "catalogue/Connexion.h"

#include "catalogue/Collation.h"
#include "catalogue/Moteur.h"

#include <QFileInfo>

#include <unistd.h>

namespace {

constexpr int AttenteVerrouMs = 1500;

// The engine's own wording is English: the user reads a French cause and the number,
// which is what the maker needs to know.
QString lignes(const QString& cause, const QString& chemin, int code) {
    return QStringLiteral("Le programme ne peut être utilisé.\r\n") + cause +
           QStringLiteral("\r\n[") + chemin + QStringLiteral("]\r\n(erreur %1)").arg(code) +
           QStringLiteral("\r\nContactez le concepteur du programme.");
}

[[noreturn]] void echec(int code, const QString& chemin) {
    QString cause;
    switch (code & 0xff) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        cause = QStringLiteral("Le fichier contenant les données est endommagé ou n'est pas "
                               "un fichier de données du programme :");
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        cause = QStringLiteral("Le fichier contenant les données est verrouillé par un autre "
                               "programme :");
        break;
    case SQLITE_READONLY:
    case SQLITE_PERM:
        cause = QStringLiteral("Le fichier contenant les données ne peut pas être modifié :");
        break;
    case SQLITE_ERROR:
        cause = QStringLiteral("Le fichier contenant les données ne contient pas les tables "
                               "attendues :");
        break;
    default:
        cause = QStringLiteral("Le fichier contenant les données ne peut pas être ouvert :");
        break;
    }
    throw ErreurCatalogue(lignes(cause, chemin, code), code);
}

// Reads one row of each table through the very columns the program uses.
void verifierTables(sqlite3* base, const QString& chemin) {
    static const char* const lectures[] = {
        "SELECT nom, icone, affiche, couleur FROM categorie LIMIT 1",
        "SELECT nom, chemin, categorie, demarrage, typefichier FROM programmes LIMIT 1",
    };
    for (const char* sql : lectures) {
        sqlite3_stmt* requete = nullptr;
        int rc = sqlite().prepare_v2(base, sql, -1, &requete, nullptr);
        if (rc == SQLITE_OK) {
            rc = sqlite().step(requete);
            if (rc == SQLITE_ROW || rc == SQLITE_DONE) rc = SQLITE_OK;
        }
        sqlite().finalize(requete);
        if (rc != SQLITE_OK) echec(rc, chemin);
    }
}

void verifierEcriture(sqlite3* base, const QString& chemin, bool enEcriture) {
    const QByteArray fichier = QFile::encodeName(chemin);
    const QByteArray dossier = QFile::encodeName(QFileInfo(chemin).absolutePath());
    // The journal is written beside the file, so its folder must take new files too.
    if ((enEcriture && sqlite().db_readonly(base, "main") == 1) ||
        ::access(fichier.constData(), W_OK) != 0 || ::access(dossier.constData(), W_OK) != 0)
        throw ErreurCatalogue(
            lignes(
                QStringLiteral(
                    "Le fichier contenant les données ne peut pas être modifié (lecture seule) :"),
                chemin, SQLITE_READONLY),
            SQLITE_READONLY);
}

using Base = std::unique_ptr<sqlite3, void (*)(sqlite3*)>;

Base ouvrirBase(const QString& chemin, int drapeaux) {
    sqlite3* brute = nullptr;
    const int rc = sqlite().open_v2(QFile::encodeName(chemin).constData(), &brute,
                                    drapeaux | SQLITE_OPEN_NOMUTEX, nullptr);
    Base base(brute, [](sqlite3* b) { sqlite().close_v2(b); });
    if (rc != SQLITE_OK) echec(rc, chemin);
    sqlite().extended_result_codes(base.get(), 1);
    sqlite().busy_timeout(base.get(), AttenteVerrouMs);
    if (sqlite().create_collation(base.get(), Collation::Nom, SQLITE_UTF8, nullptr,
                                  Collation::rappel) != SQLITE_OK)
        echec(SQLITE_ERROR, chemin);
    return base;
}

} // namespace

ErreurCatalogue::ErreurCatalogue(const QString& description, int numero)
    : std::runtime_error(description.toStdString())
    , description_(description)
    , numero_(numero) {}

bool ErreurCatalogue::doublon() const {
    return numero_ == SQLITE_CONSTRAINT_UNIQUE || numero_ == SQLITE_CONSTRAINT_PRIMARYKEY;
}

QString ErreurCatalogue::cause() const {
    return causeDe(numero_);
}

QString ErreurCatalogue::causeDe(int code) {
    if (code == MoteurIntrouvable)
        return QStringLiteral("Le moteur de données du programme n'a pas pu être chargé.");
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("Le fichier contenant les données est verrouillé par un autre "
                              "programme.");
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return QStringLiteral("Le fichier contenant les données ne peut pas être modifié.");
    case SQLITE_CANTOPEN:
        return QStringLiteral("Le fichier contenant les données est introuvable ou ne peut pas "
                              "être ouvert.");
    case SQLITE_FULL:
        return QStringLiteral("Le disque est plein.");
    case SQLITE_IOERR:
        return QStringLiteral("Le fichier contenant les données n'a pas pu être lu ou écrit.");
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return QStringLiteral("Le fichier contenant les données est endommagé.");
    case SQLITE_CONSTRAINT:
        return QStringLiteral("Le fichier contenant les données a refusé la modification.");
    default:
        return QStringLiteral("Le fichier contenant les données n'a pas accepté l'opération.");
    }
}

void Connexion::Fermeture::operator()(sqlite3* base) const {
    sqlite().close_v2(base);
}

Connexion::Connexion() = default;
Connexion::~Connexion() = default;

void Connexion::verifier(const QString& chemin) {
    const PriseMoteur moteur;
    const Base base = ouvrirBase(chemin, SQLITE_OPEN_READONLY);
    verifierTables(base.get(), chemin);
    verifierEcriture(base.get(), chemin, false);
}

void Connexion::Open(const QString& chemin) {
    ouvrir(chemin, true);
}

void Connexion::Reprendre(const QString& chemin) {
    ouvrir(chemin, false);
}

void Connexion::ouvrir(const QString& chemin, bool verifications) {
    // Held before the old connection closes: the engine stays loaded between them.
    auto moteur = std::make_unique<PriseMoteur>();
    Close();
    Base base = ouvrirBase(chemin, SQLITE_OPEN_READWRITE);
    if (verifications) {
        verifierTables(base.get(), chemin);
        verifierEcriture(base.get(), chemin, true);
    }
    moteur_ = std::move(moteur);
    base_.reset(base.release());
    chemin_ = chemin;
}

void Connexion::Close() {
    base_.reset();
    moteur_.reset();
    chemin_.clear();
}
