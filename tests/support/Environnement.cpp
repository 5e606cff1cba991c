#include "support/Environnement.h"

#include "about/APropos.h"
#include "base/Textes.h"
#include "support/AideFactice.h"
#include "support/DemarrageSessionMemoire.h"
#include "support/DialoguesScriptes.h"
#include "support/ImpressionPdf.h"
#include "support/MessagesScriptes.h"
#include "support/ParametresMemoire.h"
#include "support/RaccourciScripte.h"
#include "support/ShellFactice.h"

#include <QAccessible>
#include <QDir>
#include <QFile>

#include <sqlite3.h>

namespace {

template <typename Fake, typename Service>
Fake* garder(std::unique_ptr<Fake> service, std::unique_ptr<Service>& place) {
    Fake* const brut = service.get();
    place = std::move(service);
    return brut;
}

// The fake in place still, or nothing when the test put another service there.
template <typename Fake, typename Service>
Fake* siToujoursLa(Fake* fake, const std::unique_ptr<Service>& place) {
    return place.get() == fake ? fake : nullptr;
}

void copierLivraison(const QDir& cible, bool copierCatalogue) {
    for (const QString& nom : {QStringLiteral("informations.txt"), QStringLiteral("aide.chm")})
        QFile::copy(Fichier_Livre(nom), cible.filePath(nom));
    cible.mkpath(QStringLiteral("icones"));
    for (const QString& nom : QDir(Fichier_Livre(QStringLiteral("icones"))).entryList(QDir::Files))
        QFile::copy(Fichier_Livre(QStringLiteral("icones/") + nom),
                    cible.filePath(QStringLiteral("icones/") + nom));
    if (!copierCatalogue) return;
    const QString copie = cible.filePath(QStringLiteral("donnees.fdl"));
    QFile::copy(QStringLiteral(DALVIRE_CATALOGUE_VIERGE), copie);
    QFile::setPermissions(copie, QFile::ReadOwner | QFile::WriteOwner);
}

QString litteral(const QString& valeur) {
    if (valeur.isNull()) return QStringLiteral("NULL");
    return QLatin1Char('\'') + Doubler_Apostrophes(valeur) + QLatin1Char('\'');
}

} // namespace

QString Fichier_Livre(const QString& nomRelatif) {
    return QStringLiteral(DALVIRE_DOSSIER_APPLICATION "/") + nomRelatif;
}

Environnement::Environnement()
    : Environnement(Options{}) {}

Environnement::Environnement(Options options) {
    copierLivraison(QDir(dossier_.path()), options.copierCatalogue);

    ServicesPlateforme s;
    messages_ = garder(std::make_unique<MessagesScriptes>(), s.messages);
    parametres_ = garder(std::make_unique<ParametresMemoire>(), s.parametres);
    demarrage_ = garder(std::make_unique<DemarrageSessionMemoire>(), s.demarrageSession);
    shell_ = garder(std::make_unique<ShellFactice>(), s.shell);
    aide_ = garder(std::make_unique<AideFactice>(), s.aide);
    dialogues_ = garder(std::make_unique<DialoguesScriptes>(), s.dialogues);
    impression_ =
        garder(std::make_unique<ImpressionPdf>(dossier() + QStringLiteral("impression.pdf")),
               s.impression);
    raccourci_ = garder(std::make_unique<RaccourciScripte>(), s.raccourciGlobal);
    if (options.remplacerServices) {
        options.remplacerServices(s);
        messages_ = siToujoursLa(messages_, s.messages);
        parametres_ = siToujoursLa(parametres_, s.parametres);
        demarrage_ = siToujoursLa(demarrage_, s.demarrageSession);
        shell_ = siToujoursLa(shell_, s.shell);
        aide_ = siToujoursLa(aide_, s.aide);
        dialogues_ = siToujoursLa(dialogues_, s.dialogues);
        impression_ = siToujoursLa(impression_, s.impression);
        raccourci_ = siToujoursLa(raccourci_, s.raccourciGlobal);
    }

    Emplacements lieux = Emplacements::dossierUnique(dossier_.path());
    if (options.installationSysteme) {
        lieux.catalogueVierge = cheminCatalogue();
        lieux.catalogue = catalogueUtilisateur();
        lieux.dossierTravail = dossier() + QStringLiteral("etat/dalvire");
    }
    contexte_ = std::make_unique<Contexte>(lieux, std::move(s));
    contexte_->CheminDonnees = lieux.catalogue;
    // As an earlier start would have left it.
    if (options.delaiFermeture != 0 && parametres_) {
        parametres_->valeurs.insert(Cle::Fermeture, QString::number(options.delaiFermeture));
        contexte_->reglages().charger();
    }
    // Never the user's own file.
    contexte_->utilisations().definirChemin(dossier() + QStringLiteral("etat/lancements.json"));
    contexte_->definirAPropos(&Afficher_A_Propos);
    if (options.ouvrirCatalogue) ouvrirCatalogue();
}

Environnement::~Environnement() = default;

QString Environnement::dossier() const {
    return dossier_.path() + QLatin1Char('/');
}

void Environnement::ouvrirCatalogue() {
    contexte_->catalogue().ouvrir(cheminCatalogue());
}

void Environnement::executer(const QString& instruction) {
    char* erreur = nullptr;
    const int rc = sqlite3_exec(contexte_->catalogue().base(), instruction.toUtf8().constData(),
                                nullptr, nullptr, &erreur);
    const QString texte = QString::fromUtf8(erreur ? erreur : "");
    sqlite3_free(erreur);
    if (rc != SQLITE_OK) throw ErreurCatalogue(texte, rc);
}

QStringList Environnement::lignes(const QString& selection, const QStringList& colonnes) {
    sqlite3_stmt* brute = nullptr;
    const int rc = sqlite3_prepare_v2(contexte_->catalogue().base(), selection.toUtf8().constData(),
                                      -1, &brute, nullptr);
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> requete(brute, sqlite3_finalize);
    if (rc != SQLITE_OK) throw ErreurCatalogue(selection, rc);
    QStringList resultat;
    for (int pas; (pas = sqlite3_step(requete.get())) != SQLITE_DONE;) {
        if (pas != SQLITE_ROW) throw ErreurCatalogue(selection, pas);
        QStringList valeurs;
        for (const QString& c : colonnes) {
            QString valeur;
            for (int i = 0; i < sqlite3_column_count(requete.get()); ++i)
                if (c.compare(QString::fromUtf8(sqlite3_column_name(requete.get(), i)),
                              Qt::CaseInsensitive) == 0)
                    valeur = QString::fromUtf8(
                        reinterpret_cast<const char*>(sqlite3_column_text(requete.get(), i)));
            valeurs << valeur;
        }
        resultat << valeurs.join(QLatin1Char('|'));
    }
    return resultat;
}

void Environnement::ajouterCategorie(const QString& nom, const QString& icone,
                                     const QString& affiche, const QString& couleur) {
    executer(QStringLiteral("INSERT INTO categorie VALUES (") + litteral(nom) + QLatin1Char(',') +
             litteral(icone) + QLatin1Char(',') + litteral(affiche) + QLatin1Char(',') +
             litteral(couleur) + QLatin1Char(')'));
}

void Environnement::ajouterProgramme(const QString& nom, const QString& chemin,
                                     const QString& categorie, const QString& demarrage,
                                     const QString& typefichier) {
    executer(QStringLiteral("INSERT INTO programmes VALUES (") + litteral(nom) + QLatin1Char(',') +
             litteral(chemin) + QLatin1Char(',') + litteral(categorie) + QLatin1Char(',') +
             litteral(demarrage) + QLatin1Char(',') + litteral(typefichier) + QLatin1Char(')'));
}

QStringList Environnement::rubriques() const {
    QStringList lignes;
    for (const AideFactice::Appel& a : aide_->appels)
        lignes << a.fichier + QLatin1Char(' ') + QString::number(a.numero);
    return lignes;
}

QString Lecture_Accessible(QWidget* controle) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(controle);
    QStringList l{i->text(QAccessible::Name), i->text(QAccessible::Description), {}, {}};
    for (const auto& [autre, relation] : i->relations(QAccessible::Label | QAccessible::Labelled))
        l[relation == QAccessible::Label ? 2 : 3] += autre->text(QAccessible::Name) + ';';
    return l.join(QLatin1Char('|'));
}
