// The catalogue's operations: each statement written once here, prepared once per
// connection, every value bound rather than written into the text.
#include "catalogue/Catalogue.h"

#include "base/Nombres.h"
#include "catalogue/Moteur.h"

#include <QHash>

#include <array>

enum class Catalogue::Instruction {
    CategoriesAffichees,
    Categories,
    Categorie,
    CompterElementsDe,
    ElementsDe,
    Elements,
    ElementsSansOrdre,
    Element,
    AjouterCategorie,
    ModifierCategorie,
    AjouterElement,
    ModifierElement,
    SupprimerCategorie,
    SupprimerElementsDe,
    SupprimerElement,
    Debut,
    Fin,
    Annulation,
    CategorieInitiale,
    ElementInitial,
    Nombre
};

namespace {

using I = Catalogue::Instruction;

#define COLONNES_CATEGORIE "SELECT nom, icone, affiche, couleur FROM categorie"
#define COLONNES_ELEMENT "SELECT nom, chemin, categorie, demarrage, typefichier FROM programmes"

// Names select their rows with "=": the columns carry the FRANCAIS collation, so the
// comparison ignores letter case, and "%" or "_" in a name are plain characters.
constexpr std::array<const char*, static_cast<std::size_t>(I::Nombre)> Textes{
    COLONNES_CATEGORIE " WHERE affiche = '1' ORDER BY nom",
    COLONNES_CATEGORIE " ORDER BY nom",
    COLONNES_CATEGORIE " WHERE nom = ?1",
    "SELECT count(*) FROM programmes WHERE categorie = ?1",
    COLONNES_ELEMENT " WHERE categorie = ?1 ORDER BY nom",
    COLONNES_ELEMENT " ORDER BY nom",
    // In the table's own order: walking the name index would cost a seek per row.
    COLONNES_ELEMENT,
    COLONNES_ELEMENT " WHERE nom = ?1",
    "INSERT INTO categorie (nom, icone, affiche, couleur) VALUES (?1, ?2, ?3, ?4)",
    "UPDATE categorie SET icone = ?2, affiche = ?3, couleur = ?4 WHERE nom = ?1",
    "INSERT INTO programmes (nom, chemin, categorie, demarrage, typefichier) "
    "VALUES (?1, ?2, ?3, ?4, ?5)",
    "UPDATE programmes SET chemin = ?2, categorie = ?3, demarrage = ?4, typefichier = ?5 "
    "WHERE nom = ?1",
    "DELETE FROM categorie WHERE nom = ?1",
    "DELETE FROM programmes WHERE categorie = ?1",
    "DELETE FROM programmes WHERE nom = ?1",
    // IMMEDIATE takes the write lock at once: a busy file fails before anything changes.
    "BEGIN IMMEDIATE",
    "COMMIT",
    "ROLLBACK",
    // A first-use row goes in only when no row of that name exists, so that a new user
    // of a shared catalogue does not duplicate the seeded names.
    "INSERT INTO categorie (nom, icone, affiche, couleur) SELECT ?1, ?2, ?3, ?4 "
    "WHERE NOT EXISTS (SELECT 1 FROM categorie WHERE nom = ?1)",
    "INSERT INTO programmes (nom, chemin, categorie, demarrage, typefichier) "
    "SELECT ?1, ?2, ?3, ?4, ?5 WHERE NOT EXISTS (SELECT 1 FROM programmes WHERE nom = ?1)",
};

static_assert(static_cast<std::size_t>(I::Nombre) == Catalogue::NombreInstructions);

#undef COLONNES_CATEGORIE
#undef COLONNES_ELEMENT

[[noreturn]] void echouer(int code) {
    throw ErreurCatalogue(
        QStringLiteral("Erreur de la base de données : ") + ErreurCatalogue::causeDe(code), code);
}

QString texteColonne(sqlite3_stmt* requete, int colonne) {
    const auto* texte = reinterpret_cast<const char*>(sqlite().column_text(requete, colonne));
    return texte ? QString::fromUtf8(texte, sqlite().column_bytes(requete, colonne)) : QString();
}

QString texteCouleur(const std::optional<qint64>& couleur) {
    return couleur ? QString::number(*couleur) : QStringLiteral("-1");
}

Categorie lireCategorie(sqlite3_stmt* r) {
    Categorie c;
    c.nom = texteColonne(r, 0);
    c.icone = texteColonne(r, 1);
    c.affichee = texteColonne(r, 2) == QLatin1String("1");
    const QString couleur = texteColonne(r, 3);
    if (couleur != QLatin1String("-1")) c.couleur = Valeur_Entiere(couleur);
    return c;
}

// A row's values in the order of the statements' parameters.
QStringList valeurs(const Categorie& c) {
    return {c.nom, c.icone, c.affichee ? QStringLiteral("1") : QStringLiteral("0"),
            texteCouleur(c.couleur)};
}

QStringList valeurs(const Element& e) {
    return {e.nom, e.chemin, e.categorie, e.mode.texte(), e.type.texte()};
}

// The texts that many rows repeat (a category, a code), made once per reading and shared
// by the rows: a long list then holds one copy of each, not one per row.
class TextesPartages {
public:
    QString texte(sqlite3_stmt* requete, int colonne) {
        const auto* texte = reinterpret_cast<const char*>(sqlite().column_text(requete, colonne));
        if (!texte) return {};
        const QByteArray octets =
            QByteArray::fromRawData(texte, sqlite().column_bytes(requete, colonne));
        const auto trouve = textes_.constFind(octets);
        if (trouve != textes_.cend()) return *trouve;
        // The key must outlive the row: fromRawData only points into it.
        QString lu = QString::fromUtf8(octets);
        textes_.insert(QByteArray(octets.constData(), octets.size()), lu);
        return lu;
    }

private:
    QHash<QByteArray, QString> textes_;
};

Element lireElement(sqlite3_stmt* r, TextesPartages& partages) {
    return {texteColonne(r, 0), texteColonne(r, 1), partages.texte(r, 2),
            CodeStocke<ModeAffichage>::lu(partages.texte(r, 3)),
            CodeStocke<TypeElement>::lu(partages.texte(r, 4))};
}

} // namespace

// One statement in use: its values bound, stepped, then reset whatever happens, so that
// it is ready for its next use and holds no lock meanwhile.
class Catalogue::Execution {
public:
    Execution(Catalogue& catalogue, Instruction instruction, const QStringList& valeurs)
        : base_(catalogue.base())
        , requete_(catalogue.preparee(instruction)) {
        int i = 1;
        for (const QString& valeur : valeurs) {
            const QByteArray utf8 = valeur.toUtf8();
            const int rc = sqlite().bind_text(requete_, i++, utf8.constData(), int(utf8.size()),
                                              SQLITE_TRANSIENT);
            if (rc != SQLITE_OK) echouer(rc);
        }
    }
    ~Execution() {
        sqlite().reset(requete_);
        sqlite().clear_bindings(requete_);
    }
    Execution(const Execution&) = delete;
    Execution& operator=(const Execution&) = delete;

    // True while a row is there to read.
    bool ligne() {
        const int rc = sqlite().step(requete_);
        if (rc == SQLITE_ROW) return true;
        if (rc != SQLITE_DONE) echouer(sqlite().extended_errcode(base_));
        return false;
    }
    sqlite3_stmt* requete() const { return requete_; }
    int lignesModifiees() {
        ligne();
        return sqlite().changes(base_);
    }

private:
    sqlite3* base_;
    sqlite3_stmt* requete_;
};

void Catalogue::Finalisation::operator()(sqlite3_stmt* requete) const {
    sqlite().finalize(requete);
}

sqlite3* Catalogue::base() {
    if (!connexion.estOuverte()) {
        if (chemin_.isEmpty())
            throw ErreurCatalogue(QStringLiteral("Opération non autorisée si l'objet est fermé."),
                                  3704);
        connexion.Reprendre(chemin_);
    }
    return connexion.base();
}

sqlite3_stmt* Catalogue::preparee(Instruction instruction) {
    sqlite3* base = this->base();
    // Prepared on another connection (the file was opened again): made anew.
    if (base != baseDesPreparees_) {
        oublierPreparees();
        baseDesPreparees_ = base;
    }
    auto& preparee = preparees_[static_cast<std::size_t>(instruction)];
    if (!preparee) {
        sqlite3_stmt* requete = nullptr;
        const int rc = sqlite().prepare_v3(base, Textes[static_cast<std::size_t>(instruction)], -1,
                                           SQLITE_PREPARE_PERSISTENT, &requete, nullptr);
        if (rc != SQLITE_OK) {
            sqlite().finalize(requete);
            echouer(rc);
        }
        preparee.reset(requete);
    }
    return preparee.get();
}

void Catalogue::oublierPreparees() noexcept {
    for (auto& preparee : preparees_)
        preparee.reset();
    baseDesPreparees_ = nullptr;
}

QList<Categorie> Catalogue::lireCategories(Instruction instruction, const QStringList& valeurs) {
    QList<Categorie> lues;
    Execution e(*this, instruction, valeurs);
    while (e.ligne())
        lues << lireCategorie(e.requete());
    return lues;
}

QList<Element> Catalogue::lireElements(Instruction instruction, const QStringList& valeurs) {
    QList<Element> lus;
    TextesPartages partages;
    Execution e(*this, instruction, valeurs);
    while (e.ligne())
        lus << lireElement(e.requete(), partages);
    return lus;
}

QList<Categorie> Catalogue::categoriesAffichees() {
    return lireCategories(Instruction::CategoriesAffichees, {});
}

QList<Categorie> Catalogue::categories() {
    return lireCategories(Instruction::Categories, {});
}

std::optional<Categorie> Catalogue::categorie(const QString& nom) {
    const QList<Categorie> lues = lireCategories(Instruction::Categorie, {nom});
    if (lues.isEmpty()) return std::nullopt;
    return lues.constFirst();
}

int Catalogue::compterElementsDe(const QString& categorie) {
    Execution e(*this, Instruction::CompterElementsDe, {categorie});
    return e.ligne() ? sqlite().column_int(e.requete(), 0) : 0;
}

QList<Element> Catalogue::elementsDe(const QString& categorie) {
    return lireElements(Instruction::ElementsDe, {categorie});
}

QList<Element> Catalogue::elements() {
    return lireElements(Instruction::Elements, {});
}

QList<Element> Catalogue::elementsSansOrdre() {
    return lireElements(Instruction::ElementsSansOrdre, {});
}

std::optional<Element> Catalogue::element(const QString& nom) {
    const QList<Element> lus = lireElements(Instruction::Element, {nom});
    if (lus.isEmpty()) return std::nullopt;
    return lus.constFirst();
}

int Catalogue::ajouter(const Categorie& c) {
    return Execution(*this, Instruction::AjouterCategorie, valeurs(c)).lignesModifiees();
}

int Catalogue::modifier(const Categorie& c) {
    return Execution(*this, Instruction::ModifierCategorie, valeurs(c)).lignesModifiees();
}

int Catalogue::ajouter(const Element& e) {
    return Execution(*this, Instruction::AjouterElement, valeurs(e)).lignesModifiees();
}

int Catalogue::modifier(const Element& e) {
    return Execution(*this, Instruction::ModifierElement, valeurs(e)).lignesModifiees();
}

int Catalogue::supprimerElement(const QString& nom) {
    return Execution(*this, Instruction::SupprimerElement, {nom}).lignesModifiees();
}

SuppressionCategorie Catalogue::supprimerCategorie(const QString& nom) {
    // The category and its items go together or not at all: no item may outlive its
    // category.
    Execution(*this, Instruction::Debut, {}).ligne();
    try {
        SuppressionCategorie faite;
        faite.categories =
            Execution(*this, Instruction::SupprimerCategorie, {nom}).lignesModifiees();
        faite.elements =
            Execution(*this, Instruction::SupprimerElementsDe, {nom}).lignesModifiees();
        Execution(*this, Instruction::Fin, {}).ligne();
        return faite;
    } catch (const ErreurCatalogue&) {
        annuler();
        throw;
    }
}

void Catalogue::annuler() noexcept {
    // The engine may already have rolled back (a full disk does): a second refusal changes
    // nothing, and the first failure is the one to report.
    try {
        Execution(*this, Instruction::Annulation, {}).ligne();
    } catch (const ErreurCatalogue&) {
    }
}

void Catalogue::ajouterEnsemble(const QList<Categorie>& categories,
                                const QList<Element>& elements) {
    Execution(*this, Instruction::Debut, {}).ligne();
    try {
        for (const Categorie& c : categories)
            ajouter(c);
        for (const Element& e : elements)
            ajouter(e);
        Execution(*this, Instruction::Fin, {}).ligne();
    } catch (const ErreurCatalogue&) {
        annuler();
        throw;
    }
}

void Catalogue::donneesInitiales(const QList<Categorie>& categories,
                                 const QList<Element>& elements) {
    // One transaction: the file is written and flushed to the disk once instead of once
    // per row. A failing row ends the seeding; the rows before it are kept by the commit.
    bool transaction = true;
    try {
        Execution(*this, Instruction::Debut, {}).ligne();
    } catch (const ErreurCatalogue&) {
        transaction = false;
    }
    try {
        for (const Categorie& c : categories)
            Execution(*this, Instruction::CategorieInitiale, valeurs(c)).lignesModifiees();
        for (const Element& e : elements)
            Execution(*this, Instruction::ElementInitial, valeurs(e)).lignesModifiees();
    } catch (const ErreurCatalogue&) {
    }
    if (!transaction) return;
    try {
        Execution(*this, Instruction::Fin, {}).ligne();
    } catch (const ErreurCatalogue&) {
        annuler();
    }
}
