#include "support/Environnement.h"

#include "about/APropos.h"
#include "support/AideFactice.h"
#include "support/DialoguesScriptes.h"
#include "support/MessagesScriptes.h"
#include "support/ParametresMemoire.h"
#include "support/ShellFactice.h"

#include "platform/linux/ImpressionQt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

QString Fichier_Livre(const QString& nomRelatif) {
    return QStringLiteral(DALVIRE_DOSSIER_APPLICATION "/") + nomRelatif;
}

ServicesPlateforme Environnement::servicesDeTest(MessagesScriptes*& messages,
                                                 ParametresMemoire*& parametres,
                                                 DemarrageSessionMemoire*& demarrage) {
    ServicesPlateforme s;
    auto m = std::make_unique<MessagesScriptes>();
    auto p = std::make_unique<ParametresMemoire>();
    auto d = std::make_unique<DemarrageSessionMemoire>();
    messages = m.get();
    parametres = p.get();
    demarrage = d.get();
    s.messages = std::move(m);
    s.parametres = std::move(p);
    s.demarrageSession = std::move(d);
    // Nothing a test does may reach the real desktop or crash on a missing service.
    s.shell = std::make_unique<ShellFactice>();
    s.aide = std::make_unique<AideFactice>();
    s.dialogues = std::make_unique<DialoguesScriptes>();
    // Printing lands in a PDF file a test names with imprimerDans().
    s.impression = std::make_unique<ImpressionPdf>(QDir::temp().filePath(
        QStringLiteral("dalvire-impression-%1.pdf").arg(QCoreApplication::applicationPid())));
    return s;
}

Environnement::Environnement(bool copierCatalogue) {
    const QDir cible(dossier_.path());
    for (const QString& nom : {QStringLiteral("informations.txt"), QStringLiteral("aide.chm")})
        QFile::copy(Fichier_Livre(nom), cible.filePath(nom));
    cible.mkpath(QStringLiteral("icones"));
    for (const QString& nom : QDir(Fichier_Livre(QStringLiteral("icones"))).entryList(QDir::Files))
        QFile::copy(Fichier_Livre(QStringLiteral("icones/") + nom),
                    cible.filePath(QStringLiteral("icones/") + nom));
    if (copierCatalogue) {
        const QString copie = cible.filePath(QStringLiteral("donnees.fdl"));
        QFile::copy(QStringLiteral(DALVIRE_CATALOGUE_VIERGE), copie);
        QFile::setPermissions(copie, QFile::ReadOwner | QFile::WriteOwner);
    }
    contexte_ = std::make_unique<Contexte>(dossier_.path(),
                                           servicesDeTest(messages_, parametres_, demarrage_));
    contexte_->CheminDonnees = cheminCatalogue();
    contexte_->definirAPropos(&Afficher_A_Propos);
}

Environnement::~Environnement() = default;

QString Environnement::dossier() const {
    return dossier_.path() + QLatin1Char('/');
}

void Environnement::ouvrirCatalogue() {
    contexte_->catalogue().ouvrir(cheminCatalogue());
}

QStringList Environnement::lignes(const QString& selection, const QStringList& colonnes) {
    QStringList resultat;
    contexte_->catalogue().parcourir(selection, [&](const JeuEnregistrements& jeu) {
        QStringList valeurs;
        for (const QString& c : colonnes)
            valeurs << Valeur_Champ(jeu.Fields(c));
        resultat << valeurs.join(QLatin1Char('|'));
    });
    return resultat;
}

ShellFactice& Environnement::shell() {
    return static_cast<ShellFactice&>(contexte_->shell());
}

AideFactice& Environnement::aide() {
    return static_cast<AideFactice&>(contexte_->aide());
}

DialoguesScriptes& Environnement::dialogues() {
    return static_cast<DialoguesScriptes&>(contexte_->dialogues());
}
